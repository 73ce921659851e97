#pragma once

// CDialog: a modal dialog built from a template of this program's resources.
//
// DoModal runs the dialog with DialogBoxParamA. One static dialog procedure
// stores `this` on WM_INITDIALOG and hands every later message to Dispatch,
// which looks it up in the class's message map. IDOK and IDCANCEL reach the
// virtual OnOK and OnCancel through CDialog's own map.

#include <deque>

#include "framework/wnd.h"

class CDialog;

class CDataExchange {
  public:
    CDialog* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Binds a wrapper to the dialog's control `id`. A missing control is a
// mistake in the template or the id, and stops a debug build.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

class CDialog : public CWnd {
  public:
    // Every dialog is made without a parent: DoModal takes the active window
    // as the owner.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // IDOK, IDCANCEL, or -1 when the dialog cannot be created. The owner is
    // disabled while the dialog runs.
    INT_PTR DoModal();

    virtual BOOL OnInitDialog();
    // Exchanges data (UpdateData) and, when that succeeds, ends with IDOK.
    virtual void OnOK();
    // Ends with IDCANCEL.
    virtual void OnCancel();

    void EndDialog(int result);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // A wrapper for the child control `id`, valid while this dialog's window
    // exists; null when there is no such control.
    CWnd* GetDlgItem(int id);

  protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    const MessageMap* GetMessageMap() const override;

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs the handler of a message; false when there is none or the handler
    // asked for default processing.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void CenterWindow();
    void ExecuteDialogInit();

    UINT m_templateId;
    CWnd* m_pParent;
    std::deque<CWnd> m_childWindows;
};
