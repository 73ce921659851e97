#include "pages/printer_settings_dlg.h"

#include "app/wizard_state.h"
#include "catalogue/models.h"
#include "framework/paint_dc.h"
#include "framework/win_app.h"
#include "pages/about_dlg.h"
#include "pages/minimised_icon.h"
#include "res/resource.h"

CPrinterSettingsDlg::CPrinterSettingsDlg(CWnd* parent)
    : CDialog(IDD_PRINTER_SETTINGS, parent),
      m_hIcon(LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

const MessageMap* CPrinterSettingsDlg::GetMessageMap() const {
    static constexpr MessageMapEntry kEntries[] = {
        OnMessage<&CPrinterSettingsDlg::OnSysCommand>(WM_SYSCOMMAND),
        OnMessage<&CPrinterSettingsDlg::OnPaint>(WM_PAINT),
        OnMessage<&CPrinterSettingsDlg::OnQueryDragIcon>(WM_QUERYDRAGICON),
        OnClicked<&CPrinterSettingsDlg::OnBack>(IDC_SETTINGS_BACK),
        OnClicked<&CPrinterSettingsDlg::OnNext>(IDC_SETTINGS_NEXT),
        OnSelChange<&CPrinterSettingsDlg::OnSelChangeDriver>(IDC_SETTINGS_DRIVER),
        OnSelChange<&CPrinterSettingsDlg::OnSelChangePort>(IDC_SETTINGS_PORT),
        OnClicked<&CPrinterSettingsDlg::OnCancel>(IDC_SETTINGS_EXIT),
        OnClicked<&CPrinterSettingsDlg::OnDefaultPrinterClicked>(IDC_SETTINGS_DEFAULT_PRINTER),
    };
    static const MessageMap map{CDialog::GetMessageMap(), kEntries};
    return &map;
}

void CPrinterSettingsDlg::DoDataExchange(CDataExchange*) {}

BOOL CPrinterSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();  // adds the port and serial lists of the template

    CMenu systemMenu = GetSystemMenu(FALSE);
    if (systemMenu.m_hMenu) {
        const std::string aboutItem = LoadResourceString(IDS_ABOUTBOX);
        if (!aboutItem.empty()) {
            systemMenu.AppendMenu(MF_SEPARATOR);
            systemMenu.AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutItem.c_str());
        }
    }

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    CWnd* driverCombo = GetDlgItem(IDC_SETTINGS_DRIVER);
    driverCombo->SendMessage(CB_RESETCONTENT);
    for (ModelIndex model = 0; model < kModelCount; ++model) {
        const std::string name = DecodeDisplayName(g_displayNameCodes[model], kDisplayNameKey);
        driverCombo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    m_pDriverCombo = driverCombo;
    m_pDriverCombo->SendMessage(CB_SETCURSEL, 0);

    SendDlgItemMessageA(m_hWnd, IDC_SETTINGS_DEFAULT_PRINTER, BM_SETCHECK, BST_CHECKED, 0);
    SetDlgItemText(IDC_SETTINGS_PRINTER_NAME,
                   DecodeDisplayName(g_displayNameCodes[0], kDisplayNameKey).c_str());

    m_pPortCombo = GetDlgItem(IDC_SETTINGS_PORT);
    m_pBaudCombo = GetDlgItem(IDC_SETTINGS_BAUD);
    m_pDataBitsCombo = GetDlgItem(IDC_SETTINGS_DATA_BITS);
    m_pStopBitsCombo = GetDlgItem(IDC_SETTINGS_STOP_BITS);
    m_pParityCombo = GetDlgItem(IDC_SETTINGS_PARITY);
    m_pFlowCombo = GetDlgItem(IDC_SETTINGS_FLOW);

    // LPT1, 19200 baud, 8 data bits, 1 stop bit, no parity, hardware flow.
    m_pPortCombo->SendMessage(CB_SETCURSEL, 0);
    m_pBaudCombo->SendMessage(CB_SETCURSEL, 5);
    m_pDataBitsCombo->SendMessage(CB_SETCURSEL, 3);
    m_pStopBitsCombo->SendMessage(CB_SETCURSEL, 0);
    m_pParityCombo->SendMessage(CB_SETCURSEL, 2);
    m_pFlowCombo->SendMessage(CB_SETCURSEL, 2);
    EnableSerialCombos(FALSE);

    g_pSettingsDlg = this;
    return TRUE;  // the focus goes to the driver combo box
}

void CPrinterSettingsDlg::OnCancel() {
    CDialog::OnOK();
}

// Back bypasses this page's OnCancel, which would end the wizard.
void CPrinterSettingsDlg::OnBack() {
    CDialog::OnCancel();
}

void CPrinterSettingsDlg::OnSysCommand(UINT nID, LPARAM) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        Default();
    }
}

void CPrinterSettingsDlg::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(&client);
    DrawIcon(dc.GetSafeHdc(), MinimisedIconOffset(client.right - client.left, iconWidth),
             MinimisedIconOffset(client.bottom - client.top, iconHeight), m_hIcon);
}

HCURSOR CPrinterSettingsDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

void CPrinterSettingsDlg::OnSelChangeDriver() {
    const auto model = static_cast<int>(m_pDriverCombo->SendMessage(CB_GETCURSEL));
    if (model < 0 || model >= kModelCount)
        return;
    SetDlgItemText(IDC_SETTINGS_PRINTER_NAME,
                   DecodeDisplayName(g_displayNameCodes[model], kDisplayNameKey).c_str());
}

void CPrinterSettingsDlg::OnSelChangePort() {
    // Indexes 3 to 6 are COM1 to COM4; the LPT ports and no selection (-1)
    // have no line settings.
    const auto port = static_cast<int>(m_pPortCombo->SendMessage(CB_GETCURSEL));
    EnableSerialCombos(port > 2 ? TRUE : FALSE);
}

// The box's state is read when the installation runs.
void CPrinterSettingsDlg::OnDefaultPrinterClicked() {}

void CPrinterSettingsDlg::EnableSerialCombos(BOOL enable) {
    for (CWnd* combo :
         {m_pBaudCombo, m_pDataBitsCombo, m_pStopBitsCombo, m_pParityCombo, m_pFlowCombo}) {
        combo->EnableWindow(enable);
    }
}
