#include "pages/create_port_dlg.h"

#include <string>

#include "pages/list_styles.h"
#include "platform/spooler.h"
#include "res/resource.h"

CCreatePortDlg::CCreatePortDlg(CWnd* parent) : CDialog(IDD_CREATE_PORT, parent) {}

const MessageMap* CCreatePortDlg::GetMessageMap() const {
    static constexpr MessageMapEntry kEntries[] = {
        OnClicked<&CCreatePortDlg::OnNewPort>(IDC_CREATE_PORT_NEW),
        OnClicked<&CDialog::OnCancel>(IDC_CREATE_PORT_CLOSE),
    };
    static const MessageMap map{CDialog::GetMessageMap(), kEntries};
    return &map;
}

void CCreatePortDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_CREATE_PORT_MONITORS, m_monitorList);
}

BOOL CCreatePortDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const MonitorList monitors = SystemSpooler().EnumMonitors();
    ApplyPortListStyle(m_monitorList);
    m_monitorList.InsertColumn(0, "可用端口类型", LVCFMT_LEFT);
    m_monitorList.SetColumnWidth(0, 340);
    int row = 0;
    std::string debugLine;
    for (const char* name : monitors.entries) {
        if (!name)
            continue;
        debugLine.assign(name).push_back('\n');
        OutputDebugStringA(debugLine.c_str());
        m_monitorList.InsertItem(row++, name);
    }
    SelectRowWithoutFocus(m_monitorList, 0);
    return TRUE;  // the focus goes to the list
}

void CCreatePortDlg::OnNewPort() {
    const int row = m_monitorList.FindSelectedItem();
    if (row < 0)
        return;
    const std::string monitor = m_monitorList.GetItemText(row, 0);
    SystemSpooler().AddPort(m_hWnd, monitor.c_str());
}
