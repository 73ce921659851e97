#pragma once

#include "framework/dialog.h"

// The about box, opened from the settings page's system menu.
class CAboutDlg : public CDialog {
  public:
    CAboutDlg();
    ~CAboutDlg() override = default;

  protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
};
