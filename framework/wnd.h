#pragma once

// CWnd: a window handle with the few operations the pages use. A CWnd does
// not own its window; it only names it.

#include <windows.h>

#include <string>

#include "framework/message_map.h"

class CMenu {
  public:
    HMENU m_hMenu = nullptr;

    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr) {
        return ::AppendMenuA(m_hMenu, flags, id, text);
    }
};

class CWnd : public CCmdTarget {
  public:
    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text); }
    // The window's system menu (revert FALSE: the current one); m_hMenu is
    // null when the window has none.
    CMenu GetSystemMenu(BOOL revert) const { return CMenu{::GetSystemMenu(m_hWnd, revert)}; }

  protected:
    // Called from a message handler: let the dialog manager do its default
    // processing of the message being handled, once the handler returns.
    void Default() { m_defaultRequested = true; }

    bool m_defaultRequested = false;
};

// The window's text, whole whatever its length.
std::string GetWindowTextString(HWND window);
// A string resource of this program, in the ANSI code page, whole.
std::string LoadResourceString(UINT id);
