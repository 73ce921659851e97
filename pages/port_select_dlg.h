#pragma once

#include <string>

#include "framework/controls.h"
#include "framework/dialog.h"

// The third page: the spooler's ports with a likely one preselected, port
// creation and configuration, and the install button with its progress bar.
class CPortSelectDlg : public CDialog {
  public:
    explicit CPortSelectDlg(CWnd* parent = nullptr);
    ~CPortSelectDlg() override = default;

    BOOL OnInitDialog() override;
    void OnCancel() override;

    // Moves the progress bar (0 to 100); the installation engine calls it.
    void ReportProgress(int percent);

    // The port chosen by the install button; empty until then.
    std::string m_portName;

  protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;

    void FillPortList();
    void OnCreatePort();
    void OnConfigurePort();
    void OnInstall();
    void OnEnterKey();
    void OnBack();

    CProgressCtrl m_progress;
    CListCtrl m_portList;
};
