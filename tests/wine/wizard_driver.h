#pragma once

// Drives the wizard from a test program in the same Wine prefix, as a person
// would: it starts OstrelSetup.exe under a debugger (which collects the
// debugger output and sees a crash), finds its windows by caption, clicks
// with BM_CLICK, presses keys by posting them to the focused control, and
// reads control texts and states, including list views in the other process.
// Every wait is bounded and fails the test with what it was waiting for.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace wine_test {

constexpr DWORD kWaitMs = 10000;

// Texts in the wizard are code page 936; failure messages show them in UTF-8.
std::string Utf8(const std::string& text);
::testing::AssertionResult SameText(const std::string& seen, const std::string& expected);
::testing::AssertionResult SameTexts(const std::vector<std::string>& seen,
                                     const std::vector<std::string>& expected);

// Page captions.
extern const char* const kOsPageCaption;        // "选择操作系统 (x86/x64)"
extern const char* const kSettingsPageCaption;  // "详细设置 (x86/x64)"
extern const char* const kPortPageCaption;      // "选择端口 (x86/x64)"
extern const char* const kCreatePortCaption;    // "创建端口"
extern const char* const kAboutCaption;         // "关于 Ostrel"
extern const char* const kMessageBoxCaption;    // "OstrelSetup"

class Wizard {
  public:
    // Starts the wizard with the given current directory (a Windows path).
    // An empty directory means the medium's root, C:\medium.
    explicit Wizard(const std::string& currentDirectory = "");
    ~Wizard();
    Wizard(const Wizard&) = delete;
    Wizard& operator=(const Wizard&) = delete;

    DWORD ProcessId() const { return m_processId; }

    // Top-level visible window of the wizard with this caption, or null when
    // none appears within the timeout (the test then fails with a message).
    HWND WaitForWindow(const char* caption, DWORD timeoutMs = kWaitMs);
    // Waits until no visible window of the wizard has this caption.
    bool WaitForWindowGone(HWND window, DWORD timeoutMs = kWaitMs);
    // The wizard's visible top-level windows' captions, for failure messages.
    std::string VisibleWindows();
    std::vector<HWND> TopLevelWindows();

    // For what must not happen: the window is still shown after `forMs`.
    bool StaysOpen(HWND window, DWORD forMs = 700);
    bool WaitForExit(DWORD timeoutMs = kWaitMs);
    bool HasExited();
    DWORD ExitCode();
    bool Crashed();

    // Debugger output received so far, one entry per OutputDebugStringA call.
    std::vector<std::string> DebugOutput();
    // Module names (lower case) the loader reported, in load order.
    std::vector<std::string> LoadedModules();

  private:
    static DWORD WINAPI DebugLoop(LPVOID self);
    void RunDebugLoop();

    std::string m_commandLine;
    std::string m_directory;
    HANDLE m_thread = nullptr;
    HANDLE m_started = nullptr;
    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
    bool m_startFailed = false;
    volatile LONG m_exited = 0;
    volatile LONG m_crashed = 0;
    DWORD m_exitCode = STILL_ACTIVE;
    CRITICAL_SECTION m_lock;
    std::vector<std::string> m_debugOutput;
    std::vector<std::string> m_modules;
};

// Input as a person gives it.
void Click(HWND dialog, int controlId);
void PressKey(HWND dialog, WPARAM key);  // to the control that has the focus
void PressEnter(HWND dialog);
void PressEsc(HWND dialog);
void PressAltF4(HWND dialog);
void CloseBox(HWND window);  // the caption's close box
void SystemCommand(HWND window, WPARAM command);
HWND FocusedControl(HWND dialog);

// Reading controls.
std::string Text(HWND window);
std::string ItemText(HWND dialog, int controlId);
bool IsChecked(HWND dialog, int controlId);
bool IsEnabled(HWND dialog, int controlId);
bool IsVisible(HWND dialog, int controlId);
int ComboCount(HWND dialog, int controlId);
int ComboSelection(HWND dialog, int controlId);
std::string ComboItem(HWND dialog, int controlId, int index);
std::vector<std::string> ComboItems(HWND dialog, int controlId);
// Chooses an item as a user does: select it and tell the page.
void ChooseComboItem(HWND dialog, int controlId, int index);

int ListCount(HWND dialog, int controlId);
std::string ListText(HWND dialog, int controlId, int row, int column);
std::vector<std::string> ListColumnTexts(HWND dialog, int controlId, int column);  // every row's
int ListSelectedRow(HWND dialog, int controlId);
UINT ListItemState(HWND dialog, int controlId, int row, UINT mask);
int ListColumnWidth(HWND dialog, int controlId, int column);
int ListColumnCount(HWND dialog, int controlId);
std::string ListColumnHeading(HWND dialog, int controlId, int column);
DWORD ListExtendedStyle(HWND dialog, int controlId);
void SelectListRow(HWND dialog, int controlId, int row);  // -1 clears the selection
int ProgressPos(HWND dialog, int controlId);

// The wizard's message box (caption "OstrelSetup"): its text and icon.
struct MessageBoxView {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string text;
    bool exclamationIcon = false;
};
MessageBoxView WaitForMessageBox(Wizard& wizard, DWORD timeoutMs = kWaitMs);
void DismissMessageBox(const MessageBoxView& box);

// The prefix and the medium.
std::string MediumRoot();                  // C:\medium
void SetWineVersion(const char* version);  // AppDefaults\OstrelSetup.exe\Version
void SetRegistryString(HKEY root, const char* key, const char* name, const char* value);
bool ReadRegistryString(HKEY root, const char* key, const char* name, std::string& value);
bool FileExists(const std::string& path);
// Polls the condition until it holds or the timeout passes, for states the
// other waits do not cover (files, the spooler, a control's state).
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs);
std::string ReadFile(const std::string& path);

}  // namespace wine_test
