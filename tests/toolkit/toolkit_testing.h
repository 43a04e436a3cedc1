// Shared by the toolkit tests: hooks that record their calls, a window on the
// null driver, and its queue run by hand.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/standin/testing.h"
#include "tests/support/message_pump.h"
#include "toolkit/toolkit.h"

using Calls = std::vector<std::string>;
inline Calls calls;
inline int32_t hook_result = 0; // what the key and mouse hooks answer

inline int32_t record(std::string call, std::initializer_list<int32_t> values = {})
{
    for (int32_t value : values) {
        call += ' ';
        call += std::to_string(value);
    }
    calls.push_back(call);
    return hook_result;
}

inline void record_every_hook()
{
    set_reshape_hook([](int32_t w, int32_t h) { record("reshape", {w, h}); });
    set_display_hook([] { record("paint"); });
    set_key_down_hook([](int32_t key, int32_t modifiers) { return record("key", {key, modifiers}); });
    set_mouse_down_hook([](int32_t x, int32_t y, int32_t b) { return record("down", {x, y, b}); });
    set_mouse_up_hook([](int32_t x, int32_t y, int32_t b) { return record("up", {x, y, b}); });
    set_mouse_move_hook([](int32_t x, int32_t y, int32_t b) { return record("move", {x, y, b}); });
    set_idle_hook([] { record("idle"); });
}

// A double-buffered window whose outer corner is near (100, 100), client 600 x 500.
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
