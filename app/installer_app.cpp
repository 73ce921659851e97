#include "app/installer_app.h"

#include "app/wizard_state.h"
#include "pages/os_select_dlg.h"
#include "pages/port_select_dlg.h"
#include "pages/printer_settings_dlg.h"

OsClass g_osClass = OS_UNKNOWN;
CPrinterSettingsDlg* g_pSettingsDlg = nullptr;
CPortSelectDlg* g_pPortDlg = nullptr;
std::string g_portName;

CInstallerApp theApp;

const MessageMap* CInstallerApp::GetMessageMap() const {
    static constexpr MessageMapEntry kEntries[] = {
        OnCommand<&CWinApp::OnHelp>(0, ID_HELP),
    };
    static const MessageMap map{CWinApp::GetMessageMap(), kEntries};
    return &map;
}

BOOL CInstallerApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControlsStatic();

    // One operating-system page object serves every showing; each showing
    // creates its window afresh, so detection runs again each time. Every
    // visit of the settings page is a new object in its initial state.
    COsSelectDlg osPage;
    while (osPage.DoModal() == IDOK) {
        CPrinterSettingsDlg settingsPage;
        if (settingsPage.DoModal() != IDCANCEL)
            break;
    }
    return FALSE;
}

// The settings page's next button: the port page runs nested in this page.
// It ends with IDOK only after a completed installation, which finishes the
// wizard. Leaving it with IDCANCEL, or a port page that could not be created
// (-1), returns here with the page unchanged: nothing was installed.
void CPrinterSettingsDlg::OnNext() {
    CPortSelectDlg portPage;
    g_pPortDlg = &portPage;
    const INT_PTR result = portPage.DoModal();
    g_pPortDlg = nullptr;
    if (result != IDOK)
        return;
    if (g_osClass >= OS_NT4 && g_osClass <= OS_WIN8)
        AfxMessageBox("驱动安装完成", MB_OK);
    CDialog::OnOK();
}
