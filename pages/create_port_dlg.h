#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"

// Lists the spooler's port monitors and starts the selected monitor's own
// add-port dialog. The port page rebuilds its list when this closes.
class CCreatePortDlg : public CDialog {
  public:
    explicit CCreatePortDlg(CWnd* parent = nullptr);
    ~CCreatePortDlg() override = default;

    BOOL OnInitDialog() override;

  protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnNewPort();

    CListCtrl m_monitorList;
};
