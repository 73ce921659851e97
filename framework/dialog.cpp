#include "framework/dialog.h"

#include <cassert>
#include <cstring>

#include "framework/win_app.h"

namespace {
// Dialog-init data (resource type 240, named like the dialog template): a
// list of records {WORD control id, WORD message, DWORD size, size bytes},
// closed by a zero id. Each record sends its bytes as the message's text.
constexpr WORD kDialogInitType = 240;
}  // namespace

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    HWND child = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id);
    assert(child && "DDX_Control: the template has no such control");
    control.m_hWnd = child;
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParent(parent) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    HWND owner = m_pParent ? m_pParent->m_hWnd : nullptr;
    if (!owner) {
        owner = GetActiveWindow();
        if (owner)
            owner = GetAncestor(owner, GA_ROOT);
    }
    return DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_templateId), owner,
                           &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::OnInitDialog() {
    CenterWindow();
    ExecuteDialogInit();
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result) {
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx{this, saveAndValidate};
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

CWnd* CDialog::GetDlgItem(int id) {
    HWND child = ::GetDlgItem(m_hWnd, id);
    if (!child)
        return nullptr;
    for (CWnd& known : m_childWindows) {
        if (known.m_hWnd == child)
            return &known;
    }
    CWnd& added = m_childWindows.emplace_back();
    added.m_hWnd = child;
    return &added;
}

const MessageMap* CDialog::GetMessageMap() const {
    static constexpr MessageMapEntry kEntries[] = {
        OnClicked<&CDialog::OnOK>(IDOK),
        OnClicked<&CDialog::OnCancel>(IDCANCEL),
    };
    static const MessageMap map{CCmdTarget::GetMessageMap(), kEntries};
    return &map;
}

void CDialog::CenterWindow() {
    // Over the owner when there is a visible one, else on the screen's work
    // area; kept inside the work area either way.
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT around = work;
    HWND owner = GetWindow(m_hWnd, GW_OWNER);
    if (owner && IsWindowVisible(owner) && !::IsIconic(owner))
        GetWindowRect(owner, &around);
    RECT self;
    GetWindowRect(m_hWnd, &self);
    const LONG width = self.right - self.left;
    const LONG height = self.bottom - self.top;
    LONG left = around.left + (around.right - around.left - width) / 2;
    LONG top = around.top + (around.bottom - around.top - height) / 2;
    if (left + width > work.right)
        left = work.right - width;
    if (top + height > work.bottom)
        top = work.bottom - height;
    if (left < work.left)
        left = work.left;
    if (top < work.top)
        top = work.top;
    SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::ExecuteDialogInit() {
    HINSTANCE instance = AfxGetInstanceHandle();
    HRSRC found =
        FindResourceA(instance, MAKEINTRESOURCEA(m_templateId), MAKEINTRESOURCEA(kDialogInitType));
    if (!found)
        return;
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
    const DWORD size = SizeofResource(instance, found);
    DWORD offset = 0;
    while (data && offset + 2 <= size) {
        WORD id;
        std::memcpy(&id, data + offset, sizeof id);
        if (id == 0 || offset + 8 > size)
            break;
        WORD message;
        DWORD length;
        std::memcpy(&message, data + offset + 2, sizeof message);
        std::memcpy(&length, data + offset + 4, sizeof length);
        offset += 8;
        if (length > size - offset)
            break;
        SendDlgItemMessageA(m_hWnd, id, message, 0, reinterpret_cast<LPARAM>(data + offset));
        offset += length;
    }
}

bool CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const UINT code = HIWORD(wParam);
    const UINT id = LOWORD(wParam);
    const MessageMapEntry* entry = FindEntry(message, code, id);
    if (!entry) {
        // Commands no window handles go on to the application, as in any
        // command routing; everything else gets the dialog manager's default.
        if (message == WM_COMMAND && AfxGetApp())
            return AfxGetApp()->OnCmdMsg(code, id);
        return false;
    }
    m_defaultRequested = false;
    result = entry->invoke(*this, wParam, lParam);
    const bool handled = !m_defaultRequested;
    m_defaultRequested = false;
    return handled;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->m_hWnd = window;
        return dialog->OnInitDialog();
    }
    auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!dialog)
        return FALSE;  // messages that come before WM_INITDIALOG
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        dialog->m_hWnd = nullptr;
        dialog->m_childWindows.clear();
        return FALSE;
    }
    LRESULT result = 0;
    if (!dialog->Dispatch(message, wParam, lParam, result))
        return FALSE;
    // A handful of messages return their result straight from the dialog
    // procedure; WM_QUERYDRAGICON is the one the pages handle.
    if (message == WM_QUERYDRAGICON)
        return static_cast<INT_PTR>(result);
    return TRUE;
}
