#pragma once

// Message maps: each class lists, as plain data, which message or which
// notification from which control reaches which member handler. A dialog
// looks its own table up first, then its base class's.
//
//   static constexpr MessageMapEntry kEntries[] = {
//       OnClicked<&CPortSelectDlg::OnInstall>(IDC_INSTALL),
//       OnMessage<&CPrinterSettingsDlg::OnPaint>(WM_PAINT),
//   };
//
// The template argument is the handler; the entry holds a small generated
// function that casts the target back to the handler's class and calls it.

#include <windows.h>

#include <span>
#include <type_traits>

class CCmdTarget;

struct MessageMapEntry {
    UINT message;  // WM_COMMAND for command entries
    UINT code;     // notification code (command entries only)
    UINT id;       // control or command id (command entries only)
    LRESULT (*invoke)(CCmdTarget& target, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
    const MessageMap* base;
    std::span<const MessageMapEntry> entries;
};

namespace message_map_detail {
template <class>
struct HandlerClass;
template <class T, class R, class... A>
struct HandlerClass<R (T::*)(A...)> {
    using type = T;
};
template <auto Handler>
using ClassOf = typename HandlerClass<decltype(Handler)>::type;
}  // namespace message_map_detail

// A command from a control: void Handler().
template <auto Handler>
constexpr MessageMapEntry OnCommand(UINT code, UINT id) {
    return {WM_COMMAND, code, id, [](CCmdTarget& target, WPARAM, LPARAM) -> LRESULT {
                using T = message_map_detail::ClassOf<Handler>;
                (static_cast<T&>(target).*Handler)();
                return 0;
            }};
}

template <auto Handler>
constexpr MessageMapEntry OnClicked(UINT id) {
    return OnCommand<Handler>(BN_CLICKED, id);
}

template <auto Handler>
constexpr MessageMapEntry OnSelChange(UINT id) {
    return OnCommand<Handler>(CBN_SELCHANGE, id);
}

// A window message. Handlers take one of three forms:
//   void Handler()                       (WM_PAINT)
//   void Handler(UINT nID, LPARAM)       (WM_SYSCOMMAND)
//   HANDLE-like Handler()                (WM_QUERYDRAGICON: the result is returned)
template <auto Handler>
constexpr MessageMapEntry OnMessage(UINT message) {
    return {message, 0, 0, [](CCmdTarget& target, WPARAM wParam, LPARAM lParam) -> LRESULT {
                using T = message_map_detail::ClassOf<Handler>;
                T& self = static_cast<T&>(target);
                if constexpr (std::is_invocable_v<decltype(Handler), T&, UINT, LPARAM>) {
                    (self.*Handler)(static_cast<UINT>(wParam), lParam);
                    return 0;
                } else if constexpr (std::is_void_v<std::invoke_result_t<decltype(Handler), T&>>) {
                    (void)wParam;
                    (void)lParam;
                    (self.*Handler)();
                    return 0;
                } else {
                    (void)wParam;
                    (void)lParam;
                    return reinterpret_cast<LRESULT>((self.*Handler)());
                }
            }};
}

// Anything that has a message map: windows and the application object.
class CCmdTarget {
  public:
    virtual ~CCmdTarget() = default;

    // Looks the entry for a message (and, for WM_COMMAND, its notification
    // code and id) up in this class's map and its bases'.
    const MessageMapEntry* FindEntry(UINT message, UINT code, UINT id) const;

  protected:
    virtual const MessageMap* GetMessageMap() const;
};
