#pragma once

// The application object. The program defines one global object of a class
// derived from CWinApp; the entry point calls its InitInstance and, when that
// returns FALSE, lets the process end without a message loop.

#include <string>

#include "framework/message_map.h"
#include "framework/wnd.h"

// The framework's help command; nothing in the wizard sends it.
constexpr UINT ID_HELP = 0xE146;

class CWinApp : public CCmdTarget {
  public:
    // No name given: the title is the executable's file name without its
    // extension, which every message box shows as its caption.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    // Routes a command that no window handled: the application's message map.
    bool OnCmdMsg(UINT code, UINT id);

    void OnHelp();

    // Set by the entry point before InitInstance runs.
    HINSTANCE m_hInstance = nullptr;
    std::string m_appTitle;
    CWnd* m_pMainWnd = nullptr;

  protected:
    const MessageMap* GetMessageMap() const override;

  private:
    friend int RunApplication(HINSTANCE instance);
    const char* m_pszAppName;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();

// Start-up calls kept for the page loop's shape. No page holds an ActiveX
// control and every supported system draws 3-D controls itself, so both have
// nothing to do.
inline void AfxEnableControlContainer() {}
inline void Enable3dControlsStatic() {}

// A message box owned by the active window, with the application title as
// caption; MB_ICONEXCLAMATION is added when `type` names no icon.
int AfxMessageBox(const char* text, UINT type = MB_OK);
