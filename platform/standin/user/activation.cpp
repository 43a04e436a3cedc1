// Activation and keyboard focus: which top-level window is active, and the
// messages that go with a change, in the order Windows (and Wine) sends them.
#include "platform/standin/user/user_state.h"

static WPARAM activate_word(HWND window, WORD state)
{
    WindowRecord* record = window_record(window);
    bool minimised = record != nullptr && record->minimised;
    return MAKEWPARAM(state, minimised ? 1 : 0);
}

static void set_focus(HWND window)
{
    HWND previous = user_state.focus;
    if (previous == window) return;
    user_state.focus = window;
    if (previous != nullptr) send_message(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    if (window != nullptr && user_state.focus == window)
        send_message(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
}

void activate_window(HWND window)
{
    if (!is_live_window(window)) return;
    if (user_state.active == window) {
        set_focus(window);
        return;
    }
    HWND previous = user_state.active;
    if (previous != nullptr) deactivate_window(previous);
    user_state.active = window;
    send_message(window, WM_QUERYNEWPALETTE, 0, 0);
    send_message(window, WM_ACTIVATEAPP, TRUE, 0);
    send_message(window, WM_NCACTIVATE, TRUE, 0);
    send_message(window, WM_ACTIVATE, activate_word(window, WA_ACTIVE), reinterpret_cast<LPARAM>(previous));
    // The procedure may have destroyed the window or moved activation on.
    if (user_state.active == window && is_live_window(window)) set_focus(window);
}

void deactivate_window(HWND window)
{
    if (user_state.active != window || window == nullptr) return;
    user_state.active = nullptr;
    send_message(window, WM_NCACTIVATE, FALSE, 0);
    send_message(window, WM_ACTIVATE, activate_word(window, WA_INACTIVE), 0);
    send_message(window, WM_ACTIVATEAPP, FALSE, 0);
    if (user_state.focus == window) set_focus(nullptr);
}

HWND active_window()
{
    return is_live_window(user_state.active) ? user_state.active : nullptr;
}

HWND WINAPI GetFocus()
{
    if (!platform_call("GetFocus")) return nullptr;
    return is_live_window(user_state.focus) ? user_state.focus : nullptr;
}

HWND WINAPI GetActiveWindow()
{
    if (!platform_call("GetActiveWindow")) return nullptr;
    return active_window();
}
