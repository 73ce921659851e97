#pragma once

#include "framework/wnd.h"

// A paint context for the span of a WM_PAINT handler: BeginPaint when made,
// EndPaint when it goes.
class CPaintDC {
  public:
    explicit CPaintDC(CWnd* window) : m_window(window->m_hWnd) {
        m_hDC = BeginPaint(m_window, &m_ps);
    }
    ~CPaintDC() { EndPaint(m_window, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }

    HDC m_hDC;
    PAINTSTRUCT m_ps;

  private:
    HWND m_window;
};
