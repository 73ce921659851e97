#include "pages/port_select_dlg.h"

#include <vector>

#include "app/wizard_state.h"
#include "framework/win_app.h"
#include "pages/create_port_dlg.h"
#include "pages/list_styles.h"
#include "pages/port_preselection.h"
#include "pages/printer_settings_dlg.h"
#include "platform/spooler.h"
#include "res/resource.h"

CPortSelectDlg::CPortSelectDlg(CWnd* parent) : CDialog(IDD_PORT_SELECT, parent) {}

const MessageMap* CPortSelectDlg::GetMessageMap() const {
    static constexpr MessageMapEntry kEntries[] = {
        OnClicked<&CPortSelectDlg::OnCreatePort>(IDC_PORT_CREATE),
        OnClicked<&CPortSelectDlg::OnConfigurePort>(IDC_PORT_CONFIGURE),
        OnClicked<&CPortSelectDlg::OnBack>(IDC_PORT_BACK),
        OnClicked<&CPortSelectDlg::OnInstall>(IDC_PORT_INSTALL),
        OnClicked<&CPortSelectDlg::OnCancel>(IDC_PORT_CANCEL),
        OnClicked<&CPortSelectDlg::OnEnterKey>(IDOK),
    };
    static const MessageMap map{CDialog::GetMessageMap(), kEntries};
    return &map;
}

void CPortSelectDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_PORT_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_PORT_LIST, m_portList);
}

BOOL CPortSelectDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_portList.InsertColumn(0, "端口", LVCFMT_LEFT);
    m_portList.InsertColumn(1, "类型", LVCFMT_LEFT);
    m_portList.SetColumnWidth(0, 150);
    m_portList.SetColumnWidth(1, 280);
    FillPortList();
    m_progress.SetRange(0, 100);
    m_progress.SetPos(0);
    return TRUE;  // the focus goes to the list
}

void CPortSelectDlg::OnCancel() {
    CDialog::OnCancel();
}

void CPortSelectDlg::OnBack() {
    CDialog::OnCancel();
}

// Enter in the list sends IDOK. Only the install button ends this page with
// IDOK, since the settings page takes that result for a completed
// installation; so Enter does nothing here.
void CPortSelectDlg::OnEnterKey() {}

void CPortSelectDlg::ReportProgress(int percent) {
    m_progress.SetPos(percent);
}

void CPortSelectDlg::FillPortList() {
    const PortList ports = SystemSpooler().EnumPorts();
    ApplyPortListStyle(m_portList);

    const std::size_t rows =
        ports.entries.size() < kMaxPortRows ? ports.entries.size() : kMaxPortRows;
    std::vector<const char*> names(rows);
    std::string debugLine;
    for (std::size_t i = 0; i < rows; ++i) {
        const PortEntry& port = ports.entries[i];
        const char* name = port.name ? port.name : "";
        const int row = static_cast<int>(i);
        m_portList.InsertItem(row, name);
        m_portList.SetItemText(row, 1, port.description ? port.description : "");
        debugLine.assign(name).push_back('\n');
        OutputDebugStringA(debugLine.c_str());
        names[i] = port.name;
    }
    const int preselected = PreselectedPortRow(names.data(), names.size());
    if (preselected >= 0)
        SelectRowWithoutFocus(m_portList, preselected);
}

void CPortSelectDlg::OnCreatePort() {
    CCreatePortDlg createPort;
    createPort.DoModal();
    m_portList.DeleteAllItems();
    FillPortList();
}

void CPortSelectDlg::OnConfigurePort() {
    const int row = m_portList.FindSelectedItem();
    if (row < 0)
        return;
    const std::string port = m_portList.GetItemText(row, 0);
    SystemSpooler().ConfigurePort(m_hWnd, port.c_str());
}

void CPortSelectDlg::OnInstall() {
    const int row = m_portList.FindSelectedItem();
    const std::string port = row >= 0 ? m_portList.GetItemText(row, 0) : std::string();
    if (port.empty()) {
        // A printer needs a port: without one the spooler would be asked for
        // a printer on no port and the default printer would name none.
        AfxMessageBox("请先在列表中选择打印机所连接的端口，然后再按“安装”。", MB_OK);
        return;
    }
    m_portName = port;
    if (!g_pSettingsDlg->InstallPrinter(CurrentArchitecture()))
        return;  // the user was told why
    CDialog::OnOK();
}
