#pragma once

// Thin wrappers over the common controls the pages use: one inline method per
// message, results as the control returns them.

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "framework/wnd.h"

class CProgressCtrl : public CWnd {
  public:
    void SetRange(short lower, short upper) {
        SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper));
    }
    int SetPos(int pos) { return static_cast<int>(SendMessage(PBM_SETPOS, pos, 0)); }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS, 0, 0)); }
};

class CListCtrl : public CWnd {
  public:
    // A column with a format and a heading; width -1 leaves the width unset.
    int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1) {
        LVCOLUMNA col{};
        col.mask = LVCF_FMT | LVCF_TEXT;
        col.fmt = format;
        col.pszText = const_cast<char*>(heading);
        if (width != -1) {
            col.mask |= LVCF_WIDTH;
            col.cx = width;
        }
        return static_cast<int>(
            SendMessage(LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&col)));
    }
    BOOL SetColumnWidth(int column, int width) {
        return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)));
    }
    DWORD GetExtendedStyle() const {
        return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
    }
    // Mask 0: every bit of `style` is written.
    DWORD SetExtendedStyle(DWORD style) {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style));
    }
    // A row with text only (no image, no item data); -1 on failure.
    int InsertItem(int item, const char* text) {
        LVITEMA row{};
        row.mask = LVIF_TEXT;
        row.iItem = item;
        row.pszText = const_cast<char*>(text);
        return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
    }
    BOOL SetItemText(int item, int subItem, const char* text) {
        LVITEMA row{};
        row.iSubItem = subItem;
        row.pszText = const_cast<char*>(text);
        return static_cast<BOOL>(
            SendMessage(LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&row)));
    }
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    UINT GetItemState(int item, UINT mask) const {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, item, mask));
    }
    BOOL SetItemState(int item, UINT state, UINT mask) {
        LVITEMA row{};
        row.state = state;
        row.stateMask = mask;
        return static_cast<BOOL>(
            SendMessage(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&row)));
    }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }

    // The row's text in a column, whole whatever its length.
    std::string GetItemText(int item, int subItem) const;
    // The first selected row, scanning from row 0 and asking the row count
    // afresh at each step; -1 when no row is selected.
    int FindSelectedItem() const;
};
