// Shared by the toolkit tests: open the toolkit window on the null driver and
// run its queue by hand.
#pragma once

#include <gtest/gtest.h>

#include "platform/standin/testing.h"
#include "toolkit/toolkit.h"

// Dispatches every waiting message as the loop would; false once the quit
// message has been taken.
inline bool pump_messages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

// A double-buffered RGBA window at (100, 100) with a 600 x 500 client area.
inline HWND open_test_window()
{
    toolkit_set_position(100, 100, 600, 500);
    toolkit_set_display_mode(DISPLAY_DOUBLE | DISPLAY_DEPTH16);
    EXPECT_EQ(toolkit_open_window("toolkit test"), 1);
    pump_messages();
    return toolkit_state.toolkit_window;
}

inline bool quit_waiting()
{
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

inline bool all_hooks_empty()
{
    const ToolkitState& s = toolkit_state;
    return !s.reshape_hook && !s.display_hook && !s.key_down_hook && !s.mouse_down_hook && !s.mouse_up_hook &&
        !s.mouse_move_hook && !s.idle_hook;
}
