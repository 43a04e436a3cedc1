// Hooks that record their calls as text, the journal's counts as text, and the
// thread's queue run by hand.
#pragma once

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "platform/standin/testing.h"
#include "toolkit/toolkit.h"

using Calls = std::vector<std::string>;
inline Calls calls;
inline int32_t hook_result = 0; // what the key and mouse hooks answer

// A call as recorded: its name, then its values, as "key 68 1".
inline std::string said(std::string call, std::initializer_list<int32_t> values = {})
{
    for (int32_t value : values) call += ' ' + std::to_string(value);
    return call;
}

inline int32_t record(const std::string& call, std::initializer_list<int32_t> values = {})
{
    calls.push_back(said(call, values));
    return hook_result;
}

// Each named operation's count in the stand-in's journal, as "2 0 1".
inline std::string journal_counts(const char* operations)
{
    std::istringstream names(operations);
    std::string name, found;
    while (names >> name) found += std::to_string(standin_journal_count(name.c_str())) + " ";
    return found.substr(0, found.size() - 1);
}

inline void record_every_hook()
{
    calls.clear();
    hook_result = 0;
    set_reshape_hook([](int32_t w, int32_t h) { record("reshape", {w, h}); });
    set_display_hook([] { record("paint"); });
    set_key_down_hook([](int32_t key, int32_t modifiers) { return record("key", {key, modifiers}); });
    set_mouse_down_hook([](int32_t x, int32_t y, int32_t b) { return record("down", {x, y, b}); });
    set_mouse_up_hook([](int32_t x, int32_t y, int32_t b) { return record("up", {x, y, b}); });
    set_mouse_move_hook([](int32_t x, int32_t y, int32_t b) { return record("move", {x, y, b}); });
    set_idle_hook([] { record("idle"); });
}

// Dispatches every waiting message, as the message loop would; false once the
// quit message has been taken.
inline bool pump_messages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) return false;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

// Takes the waiting messages of one kind (broadcasts included) and counts them.
inline int take_waiting(UINT message)
{
    int count = 0;
    MSG waiting;
    while (PeekMessageA(&waiting, nullptr, message, message, PM_REMOVE)) count++;
    return count;
}

inline bool message_waiting(HWND window, UINT message)
{
    MSG waiting;
    return PeekMessageA(&waiting, window, message, message, PM_NOREMOVE) != 0;
}
