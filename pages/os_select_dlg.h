#pragma once

#include "framework/dialog.h"

// The first page: shows the detected Windows version by ticking its radio
// button, leads on to the settings page, and starts the USB virtual-serial-
// port driver installer that lies on the medium.
class COsSelectDlg : public CDialog {
  public:
    COsSelectDlg();
    ~COsSelectDlg() override = default;

    BOOL OnInitDialog() override;
    void OnCancel() override;

  protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnBack();
    void OnPaint();
    void LaunchUsbDriverInstaller();
};
