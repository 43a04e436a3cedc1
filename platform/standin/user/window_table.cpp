// The window table. Handles are small numbers, as Windows' user handles are: the
// low word indexes the table and the high word counts the slot's reuses, so the
// handle of a destroyed window never comes back to life.
#include "platform/standin/user/user_state.h"

static const ULONG_PTR FIRST_INDEX = 0x0020;

WindowRecord* window_record(HWND window)
{
    ULONG_PTR value = reinterpret_cast<ULONG_PTR>(window);
    ULONG_PTR index = value & 0xffff;
    if (index < FIRST_INDEX || (index - FIRST_INDEX) % 2 != 0) return nullptr;
    ULONG_PTR slot = (index - FIRST_INDEX) / 2;
    if (slot >= MAX_WINDOWS) return nullptr;
    WindowSlot& found = user_state.windows[slot];
    if (!found.used || found.record.handle != window) return nullptr;
    return &found.record;
}

WindowRecord* new_window_record()
{
    for (int i = 0; i < MAX_WINDOWS; i++) {
        WindowSlot& slot = user_state.windows[i];
        if (slot.used) continue;
        slot.generation = slot.generation % 0x7fff + 1;
        slot.used = true;
        slot.record = WindowRecord{};
        ULONG_PTR value = (slot.generation << 16) | (FIRST_INDEX + 2 * static_cast<ULONG_PTR>(i));
        slot.record.handle = reinterpret_cast<HWND>(value);
        return &slot.record;
    }
    return nullptr;
}

void free_window_record(WindowRecord* record)
{
    for (WindowSlot& slot : user_state.windows)
        if (slot.used && &slot.record == record) {
            slot.used = false;
            slot.record = WindowRecord{};
        }
}

WindowRecord* window_record_at(int index)
{
    for (WindowSlot& slot : user_state.windows)
        if (slot.used && index-- == 0) return &slot.record;
    return nullptr;
}

bool is_live_window(HWND window)
{
    return window_record(window) != nullptr;
}

DriverWindow* driver_window_of(HWND window)
{
    WindowRecord* record = window_record(window);
    return record == nullptr ? nullptr : record->driver_window;
}

WNDPROC window_procedure_of(HWND window)
{
    WindowRecord* record = window_record(window);
    return record == nullptr ? nullptr : record->procedure;
}

LRESULT send_message(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC procedure = window_procedure_of(window);
    if (procedure == nullptr) return 0;
    return procedure(window, message, wParam, lParam);
}

// A window destroyed by an earlier procedure call is skipped.
void send_to_all_windows(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND targets[MAX_WINDOWS];
    int count = 0;
    for (WindowSlot& slot : user_state.windows)
        if (slot.used && !slot.record.destroying) targets[count++] = slot.record.handle;
    for (int i = 0; i < count; i++) send_message(targets[i], message, wParam, lParam);
}

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!platform_call("SendMessageA")) return 0;
    if (window == HWND_BROADCAST) {
        send_to_all_windows(message, wParam, lParam);
        return 0;
    }
    return send_message(window, message, wParam, lParam);
}

BOOL WINAPI IsWindow(HWND window)
{
    if (!platform_call("IsWindow")) return FALSE;
    return is_live_window(window) ? TRUE : FALSE;
}
