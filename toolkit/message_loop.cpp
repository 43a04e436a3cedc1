// The message loop: idle polling while an idle hook is set, blocking otherwise,
// and the pointer position in client coordinates.
#include "toolkit/toolkit.h"

// Takes the next message, waiting for it; false when it was the quit message.
static bool take_and_dispatch()
{
    MSG message;
    BOOL taken = GetMessageA(&message, nullptr, 0, 0);
    if (taken == 0) {
        return false;
    }
    if (taken > 0) { // -1: nothing was taken, nothing to dispatch
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

static bool message_waiting()
{
    MSG message;
    return PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) != 0;
}

void run_message_loop()
{
    // After a failed opening there is no client area to report.
    if (toolkit_state.reshape_hook != nullptr && toolkit_state.toolkit_window != nullptr) {
        RECT client = {};
        GetClientRect(toolkit_state.toolkit_window, &client);
        toolkit_state.reshape_hook(client.right, client.bottom);
    }
    for (;;) {
        if (toolkit_state.idle_hook != nullptr) {
            // Never wait: empty the queue, then one idle call.
            while (message_waiting()) {
                if (!take_and_dispatch()) {
                    return;
                }
            }
            if (toolkit_state.idle_hook != nullptr) {
                toolkit_state.idle_hook();
            }
        } else if (!take_and_dispatch()) {
            return;
        }
    }
}

void toolkit_get_mouse_location(int32_t* x, int32_t* y)
{
    *x = 0;
    *y = 0;
    POINT cursor = {};
    GetCursorPos(&cursor);
    *x = cursor.x - toolkit_settings.window_x;
    *y = cursor.y - toolkit_settings.window_y;
}
