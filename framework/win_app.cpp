#include "framework/win_app.h"

#include <commctrl.h>

namespace {
CWinApp* g_app = nullptr;

// The executable's file name without folder and extension.
std::string ExecutableBaseName(HINSTANCE instance) {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(instance, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // truncated: a longer path than MAX_PATH
    }
    const std::size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot != 0)
        name.resize(dot);
    return name;
}
}  // namespace

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

void CWinApp::OnHelp() {
    // The wizard ships no help file, so there is nothing to open.
}

bool CWinApp::OnCmdMsg(UINT code, UINT id) {
    const MessageMapEntry* entry = FindEntry(WM_COMMAND, code, id);
    if (!entry)
        return false;
    entry->invoke(*this, MAKEWPARAM(id, code), 0);
    return true;
}

const MessageMap* CWinApp::GetMessageMap() const {
    static const MessageMap map{CCmdTarget::GetMessageMap(), {}};
    return &map;
}

CWinApp* AfxGetApp() {
    return g_app;
}

HINSTANCE AfxGetInstanceHandle() {
    return g_app ? g_app->m_hInstance : GetModuleHandleA(nullptr);
}

int AfxMessageBox(const char* text, UINT type) {
    if ((type & MB_ICONMASK) == 0)
        type |= MB_ICONEXCLAMATION;
    const char* caption = g_app ? g_app->m_appTitle.c_str() : nullptr;
    return MessageBoxA(GetActiveWindow(), text, caption, type);
}

int RunApplication(HINSTANCE instance) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->m_hInstance = instance;
    app->m_appTitle = app->m_pszAppName ? app->m_pszAppName : ExecutableBaseName(instance);

    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    // The wizard runs as nested modal dialogs inside InitInstance; a FALSE
    // result means there is no message loop to run and the process ends.
    if (!app->InitInstance())
        return 0;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return RunApplication(instance);
}
