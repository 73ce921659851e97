#include "pages/os_select_dlg.h"

#include <shellapi.h>

#include <iterator>
#include <string>

#include "app/wizard_state.h"
#include "framework/paint_dc.h"
#include "res/resource.h"

namespace {
// The radio button of each OsClass; 0 for a class without one.
constexpr int kRadioOfClass[] = {
    0,             // OS_UNKNOWN
    IDC_OS_WIN95,  // hidden
    IDC_OS_WIN98,  // hidden
    IDC_OS_NT4,    // hidden
    IDC_OS_WIN2000,
    IDC_OS_WINXP,
    IDC_OS_WIN2003,
    IDC_OS_VISTA,
    IDC_OS_WIN7,
    IDC_OS_WIN8,  // labelled Windows 8, 10 and 11
};

const char* UsbInstallerPath(Architecture architecture) {
    return architecture == ARCH_X64 ? "USB Driver\\x64\\dpinstx64.exe"
                                    : "USB Driver\\x86\\dpinstx86.exe";
}

// The process's current directory, whole whatever its length.
std::string CurrentDirectory() {
    std::string directory(MAX_PATH, '\0');
    DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(directory.size()), directory.data());
    if (length >= directory.size()) {  // too small: length is the size it needs
        directory.resize(length);
        length = GetCurrentDirectoryA(static_cast<DWORD>(directory.size()), directory.data());
        if (length >= directory.size())
            length = 0;  // changed meanwhile: use none
    }
    directory.resize(length);
    return directory;
}
}  // namespace

COsSelectDlg::COsSelectDlg() : CDialog(IDD_OS_SELECT) {}

const MessageMap* COsSelectDlg::GetMessageMap() const {
    static constexpr MessageMapEntry kEntries[] = {
        OnClicked<&COsSelectDlg::OnBack>(IDC_OS_BACK),
        OnClicked<&CDialog::OnOK>(IDC_OS_INSTALL_DRIVER),
        OnMessage<&COsSelectDlg::OnPaint>(WM_PAINT),
        OnClicked<&COsSelectDlg::OnCancel>(IDC_OS_EXIT),
        OnClicked<&COsSelectDlg::LaunchUsbDriverInstaller>(IDC_OS_INSTALL_USB),
    };
    static const MessageMap map{CDialog::GetMessageMap(), kEntries};
    return &map;
}

void COsSelectDlg::DoDataExchange(CDataExchange*) {}

BOOL COsSelectDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    DetectOsClass();
    if (g_osClass >= 0 && g_osClass < static_cast<int>(std::size(kRadioOfClass))) {
        if (const int radio = kRadioOfClass[g_osClass]) {
            SendDlgItemMessageA(m_hWnd, radio, BM_SETCHECK, BST_CHECKED, 0);
        }
    }
    // Ticking a radio button gives it the tab-stop style, so the dialog
    // manager's first tab stop would be the ticked Windows 2000 to Vista
    // button, which stand before the install button. The page starts on the
    // install-printer-driver button whatever was detected.
    ::SetFocus(::GetDlgItem(m_hWnd, IDC_OS_INSTALL_DRIVER));
    return FALSE;
}

void COsSelectDlg::OnCancel() {
    CDialog::OnCancel();
}

// The "< &Back" button is hidden and disabled: there is no page before this.
void COsSelectDlg::OnBack() {}

void COsSelectDlg::OnPaint() {
    CPaintDC dc(this);
}

void COsSelectDlg::LaunchUsbDriverInstaller() {
    // Relative to the current directory, the medium's root. A drive root
    // already ends in a backslash; the path is passed on as formed.
    // When the directory cannot be read the relative path alone says the same.
    std::string path = CurrentDirectory();
    if (!path.empty())
        path += '\\';
    path += UsbInstallerPath(CurrentArchitecture());
    ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
