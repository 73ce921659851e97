#include "pages/about_dlg.h"

#include "res/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

// Nothing of its own: "确定" and Esc take the dialog's OnOK and OnCancel.
const MessageMap* CAboutDlg::GetMessageMap() const {
    static const MessageMap map{CDialog::GetMessageMap(), {}};
    return &map;
}

void CAboutDlg::DoDataExchange(CDataExchange*) {}
