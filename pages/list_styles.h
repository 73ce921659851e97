#pragma once

#include "framework/controls.h"

// Both port lists show grid lines and select whole rows, and do not select
// a row merely because the mouse rests on it.
inline void ApplyPortListStyle(CListCtrl& list) {
    const DWORD style = list.GetExtendedStyle();
    list.SetExtendedStyle((style & ~DWORD{LVS_EX_TRACKSELECT}) | LVS_EX_GRIDLINES |
                          LVS_EX_FULLROWSELECT);
}

// Selects a row without giving it the focus state; the list is not scrolled.
inline void SelectRowWithoutFocus(CListCtrl& list, int row) {
    list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED);
}
