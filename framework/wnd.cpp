#include "framework/wnd.h"

#include "framework/controls.h"
#include "framework/win_app.h"

std::string GetWindowTextString(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

std::string LoadResourceString(UINT id) {
    // With a zero length LoadStringW hands out a pointer into the resource
    // itself, which carries the whole text whatever its length.
    const wchar_t* resource = nullptr;
    const int length =
        LoadStringW(AfxGetInstanceHandle(), id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || !resource)
        return {};
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, resource, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, resource, length, text.data(), bytes, nullptr, nullptr);
    return text;
}

std::string CListCtrl::GetItemText(int item, int subItem) const {
    // LVM_GETITEMTEXT reports how much it copied; grow until the text fits.
    std::string text(64, '\0');
    for (;;) {
        LVITEMA row{};
        row.iSubItem = subItem;
        row.pszText = text.data();
        row.cchTextMax = static_cast<int>(text.size());
        const auto copied = static_cast<std::size_t>(
            SendMessage(LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&row)));
        if (copied + 1 < text.size()) {
            text.resize(copied);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

int CListCtrl::FindSelectedItem() const {
    for (int row = 0; row < GetItemCount(); ++row) {
        if (GetItemState(row, LVIS_SELECTED) == LVIS_SELECTED)
            return row;
    }
    return -1;
}
