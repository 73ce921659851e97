#pragma once

#include "framework/dialog.h"
#include "platform/os_version.h"

// The second page: the model to install (by display name), whether the new
// printer becomes the default printer, and, in a hidden group, the port and
// serial-line selections that the installation engine reads.
class CPrinterSettingsDlg : public CDialog {
  public:
    explicit CPrinterSettingsDlg(CWnd* parent = nullptr);
    ~CPrinterSettingsDlg() override = default;

    BOOL OnInitDialog() override;
    // Exit, Esc, Alt+F4 and the close box end the whole wizard: IDOK.
    void OnCancel() override;

    // Installs the selected model on the port page's chosen port, moving
    // that page's progress bar. True when the installation completed; on a
    // failure it has told the user what failed.
    bool InstallPrinter(Architecture architecture);

  protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnBack();
    void OnNext();
    void OnSelChangeDriver();
    void OnSelChangePort();
    void OnDefaultPrinterClicked();

    CWnd* m_pDriverCombo = nullptr;
    CWnd* m_pPortCombo = nullptr;
    CWnd* m_pBaudCombo = nullptr;
    CWnd* m_pDataBitsCombo = nullptr;
    CWnd* m_pStopBitsCombo = nullptr;
    CWnd* m_pParityCombo = nullptr;
    CWnd* m_pFlowCombo = nullptr;
    CWnd* m_pDefaultPrinterCheck = nullptr;
    HICON m_hIcon;

  private:
    void EnableSerialCombos(BOOL enable);
};
