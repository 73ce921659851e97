#include "wizard_driver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace wine_test {

const char* const kOsPageCaption = "选择操作系统 (x86/x64)";
const char* const kSettingsPageCaption = "详细设置 (x86/x64)";
const char* const kPortPageCaption = "选择端口 (x86/x64)";
const char* const kCreatePortCaption = "创建端口";
const char* const kAboutCaption = "关于 Ostrel";
const char* const kMessageBoxCaption = "OstrelSetup";

namespace {
constexpr DWORD kPollMs = 15;

class Lock {
  public:
    explicit Lock(CRITICAL_SECTION& section) : m_section(section) {
        EnterCriticalSection(&m_section);
    }
    ~Lock() { LeaveCriticalSection(&m_section); }

  private:
    CRITICAL_SECTION& m_section;
};

template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(kPollMs);
    }
}

HWND Item(HWND dialog, int controlId) {
    HWND item = GetDlgItem(dialog, controlId);
    EXPECT_NE(item, nullptr) << "no control " << controlId << " on \"" << Utf8(Text(dialog))
                             << "\"";
    return item;
}

std::string LowerBaseName(const std::string& path) {
    std::string name = path.substr(path.find_last_of("\\/") + 1);
    for (char& c : name)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return name;
}

// A buffer in the wizard's process, for list-view messages that carry a
// pointer (they are not marshalled between processes).
class RemoteBuffer {
  public:
    RemoteBuffer(HWND window, SIZE_T size) : m_size(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        m_process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process)
            m_address = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (m_address)
            VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        if (m_process)
            CloseHandle(m_process);
    }
    char* Address() const { return static_cast<char*>(m_address); }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) {
        return WriteProcessMemory(m_process, Address() + offset, data, size, nullptr);
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) {
        return ReadProcessMemory(m_process, Address() + offset, data, size, nullptr);
    }
    SIZE_T Size() const { return m_size; }

  private:
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
    SIZE_T m_size;
};
}  // namespace

std::string Utf8(const std::string& text) {
    const int wide =
        MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), w.data(), wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, out.data(), bytes, nullptr, nullptr);
    return out;
}

::testing::AssertionResult SameText(const std::string& seen, const std::string& expected) {
    if (seen == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "expected \"" << Utf8(expected) << "\", saw \"" << Utf8(seen) << "\"";
}

::testing::AssertionResult SameTexts(const std::vector<std::string>& seen,
                                     const std::vector<std::string>& expected) {
    if (seen == expected)
        return ::testing::AssertionSuccess();
    auto list = [](const std::vector<std::string>& texts) {
        std::string joined = std::to_string(texts.size()) + " [";
        for (const std::string& text : texts)
            joined += " \"" + Utf8(text) + "\"";
        return joined + " ]";
    };
    return ::testing::AssertionFailure() << "expected " << list(expected) << ", saw " << list(seen);
}

Wizard::Wizard(const std::string& currentDirectory) {
    InitializeCriticalSection(&m_lock);
    m_directory = currentDirectory.empty() ? MediumRoot() : currentDirectory;
    m_commandLine = "\"" + MediumRoot() + "\\OstrelSetup.exe\"";
    m_started = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = CreateThread(nullptr, 0, &Wizard::DebugLoop, this, 0, nullptr);
    WaitForSingleObject(m_started, kWaitMs);
    if (m_startFailed || !m_process)
        ADD_FAILURE() << "the wizard did not start: " << m_commandLine;
}

Wizard::~Wizard() {
    if (m_process && !HasExited()) {
        TerminateProcess(m_process, 0xDEAD);
        WaitUntil([this] { return HasExited(); }, kWaitMs);
    }
    if (m_thread) {
        WaitForSingleObject(m_thread, kWaitMs);
        CloseHandle(m_thread);
    }
    if (m_process)
        CloseHandle(m_process);
    CloseHandle(m_started);
    DeleteCriticalSection(&m_lock);
}

DWORD WINAPI Wizard::DebugLoop(LPVOID self) {
    static_cast<Wizard*>(self)->RunDebugLoop();
    return 0;
}

void Wizard::RunDebugLoop() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = m_commandLine;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        DEBUG_ONLY_THIS_PROCESS, nullptr, m_directory.c_str(), &startup, &info)) {
        m_startFailed = true;
        SetEvent(m_started);
        return;
    }
    CloseHandle(info.hThread);
    m_process = info.hProcess;
    m_processId = info.dwProcessId;
    SetEvent(m_started);

    for (;;) {
        DEBUG_EVENT event{};
        if (!WaitForDebugEvent(&event, INFINITE))
            break;
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
            case OUTPUT_DEBUG_STRING_EVENT: {
                const auto& text = event.u.DebugString;
                std::string line(text.nDebugStringLength, '\0');
                SIZE_T read = 0;
                ReadProcessMemory(m_process, text.lpDebugStringData, line.data(), line.size(),
                                  &read);
                line.resize(read);
                if (!line.empty() && line.back() == '\0')
                    line.pop_back();
                Lock lock(m_lock);
                m_debugOutput.push_back(line);
                break;
            }
            case EXCEPTION_DEBUG_EVENT: {
                const auto& exception = event.u.Exception;
                if (exception.ExceptionRecord.ExceptionCode == EXCEPTION_BREAKPOINT &&
                    exception.dwFirstChance) {
                    break;  // the loader's breakpoint for a new debuggee
                }
                if (!exception.dwFirstChance)
                    InterlockedExchange(&m_crashed, 1);
                status = DBG_EXCEPTION_NOT_HANDLED;
                break;
            }
            case CREATE_PROCESS_DEBUG_EVENT:
                if (event.u.CreateProcessInfo.hFile)
                    CloseHandle(event.u.CreateProcessInfo.hFile);
                break;
            case LOAD_DLL_DEBUG_EVENT: {
                HANDLE file = event.u.LoadDll.hFile;
                if (file) {
                    char path[MAX_PATH * 4] = {};
                    if (GetFinalPathNameByHandleA(file, path, sizeof path, 0)) {
                        Lock lock(m_lock);
                        m_modules.push_back(LowerBaseName(path));
                    }
                    CloseHandle(file);
                }
                break;
            }
            case EXIT_PROCESS_DEBUG_EVENT:
                m_exitCode = event.u.ExitProcess.dwExitCode;
                break;
            default:
                break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT)
            break;
    }
    InterlockedExchange(&m_exited, 1);
}

namespace {
struct WindowSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid && IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> Wizard::TopLevelWindows() {
    WindowSearch search{m_processId, {}};
    EnumWindows(&CollectVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string Wizard::VisibleWindows() {
    std::string list;
    for (HWND window : TopLevelWindows())
        list += "\"" + Utf8(Text(window)) + "\" ";
    return list.empty() ? "none" : list;
}

HWND Wizard::WaitForWindow(const char* caption, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows()) {
                if (Text(window) == caption) {
                    found = window;
                    return true;
                }
            }
            return HasExited();
        },
        timeoutMs);
    if (!found) {
        ADD_FAILURE() << "expected a window \"" << Utf8(caption) << "\", saw " << VisibleWindows()
                      << (HasExited() ? " (the wizard has exited)" : "");
    }
    return found;
}

bool Wizard::WaitForWindowGone(HWND window, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

bool Wizard::StaysOpen(HWND window, DWORD forMs) {
    return !WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window) || HasExited(); },
                      forMs);
}

bool Wizard::WaitForExit(DWORD timeoutMs) {
    return WaitUntil([this] { return HasExited(); }, timeoutMs);
}
bool Wizard::HasExited() {
    return InterlockedCompareExchange(&m_exited, 0, 0) != 0;
}
DWORD Wizard::ExitCode() {
    return m_exitCode;
}
bool Wizard::Crashed() {
    return InterlockedCompareExchange(&m_crashed, 0, 0) != 0;
}

std::vector<std::string> Wizard::DebugOutput() {
    Lock lock(m_lock);
    return m_debugOutput;
}

std::vector<std::string> Wizard::LoadedModules() {
    Lock lock(m_lock);
    return m_modules;
}

void Click(HWND dialog, int controlId) {
    PostMessageA(Item(dialog, controlId), BM_CLICK, 0, 0);
}

HWND FocusedControl(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus ? info.hwndFocus : dialog;
}

void PressKey(HWND dialog, WPARAM key) {
    HWND target = FocusedControl(dialog);
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), 0);
    PostMessageA(target, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, key, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

void PressEnter(HWND dialog) {
    PressKey(dialog, VK_RETURN);
}
void PressEsc(HWND dialog) {
    PressKey(dialog, VK_ESCAPE);
}

void PressAltF4(HWND dialog) {
    HWND target = FocusedControl(dialog);
    const UINT scan = MapVirtualKeyA(VK_F4, 0);
    const LPARAM alt = 1u << 29;
    PostMessageA(target, WM_SYSKEYDOWN, VK_F4, 1 | (scan << 16) | alt);
    PostMessageA(target, WM_SYSKEYUP, VK_F4, 1 | (scan << 16) | alt | (1u << 30) | (1u << 31));
}

void CloseBox(HWND window) {
    SystemCommand(window, SC_CLOSE);
}
void SystemCommand(HWND window, WPARAM command) {
    PostMessageA(window, WM_SYSCOMMAND, command, 0);
}

std::string Text(HWND window) {
    char buffer[1024] = {};
    const LRESULT length =
        SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return std::string(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

std::string ItemText(HWND dialog, int controlId) {
    return Text(Item(dialog, controlId));
}
bool IsChecked(HWND dialog, int controlId) {
    return SendMessageA(Item(dialog, controlId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
bool IsEnabled(HWND dialog, int controlId) {
    return IsWindowEnabled(Item(dialog, controlId));
}
bool IsVisible(HWND dialog, int controlId) {
    return IsWindowVisible(Item(dialog, controlId));
}

int ComboCount(HWND dialog, int controlId) {
    return static_cast<int>(SendMessageA(Item(dialog, controlId), CB_GETCOUNT, 0, 0));
}
int ComboSelection(HWND dialog, int controlId) {
    return static_cast<int>(SendMessageA(Item(dialog, controlId), CB_GETCURSEL, 0, 0));
}
std::string ComboItem(HWND dialog, int controlId, int index) {
    HWND combo = Item(dialog, controlId);
    // Wine 8.0 answers CB_GETLBTEXTA from another process with the item's
    // UTF-16 text, unconverted and longer than CB_GETLBTEXTLEN said; so the
    // item is read in UTF-16 and converted to code page 936 here.
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return "<no item>";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    if (copied <= 0)
        return {};
    const int wide = static_cast<int>(copied < length ? copied : length);
    const int bytes = WideCharToMultiByte(936, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string item(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(936, 0, text.data(), wide, item.data(), bytes, nullptr, nullptr);
    return item;
}
std::vector<std::string> ComboItems(HWND dialog, int controlId) {
    std::vector<std::string> items;
    for (int i = 0; i < ComboCount(dialog, controlId); ++i)
        items.push_back(ComboItem(dialog, controlId, i));
    return items;
}
void ChooseComboItem(HWND dialog, int controlId, int index) {
    HWND combo = Item(dialog, controlId);
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(controlId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

int ListCount(HWND dialog, int controlId) {
    return static_cast<int>(SendMessageA(Item(dialog, controlId), LVM_GETITEMCOUNT, 0, 0));
}
std::string ListText(HWND dialog, int controlId, int row, int column) {
    HWND list = Item(dialog, controlId);
    RemoteBuffer remote(list, 4096);
    if (!remote.Address())
        return "<no remote buffer>";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = remote.Address() + sizeof(LVITEMA);
    item.cchTextMax = static_cast<int>(remote.Size() - sizeof(LVITEMA));
    remote.Write(0, &item, sizeof item);
    const LRESULT length =
        SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote.Address()));
    std::string text(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        remote.Read(sizeof(LVITEMA), text.data(), text.size());
    return text;
}
std::vector<std::string> ListColumnTexts(HWND dialog, int controlId, int column) {
    std::vector<std::string> texts;
    const int rows = ListCount(dialog, controlId);
    for (int row = 0; row < rows; ++row)
        texts.push_back(ListText(dialog, controlId, row, column));
    return texts;
}
UINT ListItemState(HWND dialog, int controlId, int row, UINT mask) {
    return static_cast<UINT>(SendMessageA(Item(dialog, controlId), LVM_GETITEMSTATE, row, mask));
}
int ListSelectedRow(HWND dialog, int controlId) {
    return static_cast<int>(SendMessageA(Item(dialog, controlId), LVM_GETNEXTITEM,
                                         static_cast<WPARAM>(-1), LVNI_SELECTED));
}
int ListColumnWidth(HWND dialog, int controlId, int column) {
    return static_cast<int>(SendMessageA(Item(dialog, controlId), LVM_GETCOLUMNWIDTH, column, 0));
}
DWORD ListExtendedStyle(HWND dialog, int controlId) {
    return static_cast<DWORD>(
        SendMessageA(Item(dialog, controlId), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}
int ListColumnCount(HWND dialog, int controlId) {
    HWND header =
        reinterpret_cast<HWND>(SendMessageA(Item(dialog, controlId), LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}
std::string ListColumnHeading(HWND dialog, int controlId, int column) {
    HWND list = Item(dialog, controlId);
    RemoteBuffer remote(list, 1024);
    if (!remote.Address())
        return "<no remote buffer>";
    LVCOLUMNA heading{};
    heading.mask = LVCF_TEXT;
    heading.pszText = remote.Address() + sizeof(LVCOLUMNA);
    heading.cchTextMax = static_cast<int>(remote.Size() - sizeof(LVCOLUMNA));
    remote.Write(0, &heading, sizeof heading);
    if (!SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(remote.Address()))) {
        return "<no column>";
    }
    std::string text(static_cast<size_t>(heading.cchTextMax), '\0');
    remote.Read(sizeof(LVCOLUMNA), text.data(), text.size());
    text.resize(strnlen(text.data(), text.size()));
    return text;
}
void SelectListRow(HWND dialog, int controlId, int row) {
    HWND list = Item(dialog, controlId);
    RemoteBuffer remote(list, sizeof(LVITEMA));
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = row >= 0 ? LVIS_SELECTED : 0;
    remote.Write(0, &item, sizeof item);
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(remote.Address()));
}
int ProgressPos(HWND dialog, int controlId) {
    return static_cast<int>(SendMessageA(Item(dialog, controlId), PBM_GETPOS, 0, 0));
}

MessageBoxView WaitForMessageBox(Wizard& wizard, DWORD timeoutMs) {
    MessageBoxView view;
    view.window = wizard.WaitForWindow(kMessageBoxCaption, timeoutMs);
    if (!view.window)
        return view;
    view.owner = GetWindow(view.window, GW_OWNER);
    view.text = Text(GetDlgItem(view.window, 0xFFFF));  // the message's static
    // Icons cannot be read across processes under Wine, so compare what the
    // screen shows in the icon's place with this process's own drawing of
    // the system's exclamation icon on the same background.
    HWND icon = GetDlgItem(view.window, 0x0440);
    RECT rect{};
    if (icon && IsWindowVisible(icon) && GetWindowRect(icon, &rect)) {
        const int width = GetSystemMetrics(SM_CXICON), height = GetSystemMetrics(SM_CYICON);
        HDC screen = GetDC(nullptr);
        HDC shown = CreateCompatibleDC(screen), drawn = CreateCompatibleDC(screen);
        HBITMAP shownBits = CreateCompatibleBitmap(screen, width, height);
        HBITMAP drawnBits = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ oldShown = SelectObject(shown, shownBits),
                oldDrawn = SelectObject(drawn, drawnBits);
        BitBlt(shown, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        HBRUSH background = CreateSolidBrush(GetPixel(shown, 0, 0));
        RECT all{0, 0, width, height};
        FillRect(drawn, &all, background);
        DrawIconEx(drawn, 0, 0, LoadIconA(nullptr, IDI_EXCLAMATION), width, height, 0, nullptr,
                   DI_NORMAL);
        int same = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                same += GetPixel(shown, x, y) == GetPixel(drawn, x, y);
        }
        view.exclamationIcon = same >= width * height * 9 / 10;
        SelectObject(shown, oldShown);
        SelectObject(drawn, oldDrawn);
        DeleteObject(shownBits);
        DeleteObject(drawnBits);
        DeleteObject(background);
        DeleteDC(shown);
        DeleteDC(drawn);
        ReleaseDC(nullptr, screen);
    }
    return view;
}

void DismissMessageBox(const MessageBoxView& box) {
    if (box.window)
        PostMessageA(box.window, WM_COMMAND, IDOK, 0);
}

std::string MediumRoot() {
    return "C:\\medium";
}

void SetRegistryString(HKEY root, const char* key, const char* name, const char* value) {
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr),
              ERROR_SUCCESS)
        << key;
    RegSetValueExA(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>(strlen(value) + 1));
    RegCloseKey(opened);
}

bool ReadRegistryString(HKEY root, const char* key, const char* name, std::string& value) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = 0;
    LONG status = RegQueryValueExA(opened, name, nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        value.assign(size, '\0');
        status = RegQueryValueExA(opened, name, nullptr, &type,
                                  reinterpret_cast<BYTE*>(value.data()), &size);
        value.resize(size);
        if (!value.empty() && value.back() == '\0')
            value.pop_back();
    }
    RegCloseKey(opened);
    return status == ERROR_SUCCESS;
}

void SetWineVersion(const char* version) {
    SetRegistryString(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\OstrelSetup.exe", "Version",
                      version);
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    return WaitUntil(condition, timeoutMs);
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string data(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &read, nullptr);
    data.resize(read);
    CloseHandle(file);
    return data;
}

}  // namespace wine_test
