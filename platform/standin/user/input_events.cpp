// The event API: what a driver reports becomes the Win32 messages Windows
// would give. Keys and buttons become input messages; focus, moves and sizes
// are delivered as sent messages at the next look at the queue; a close
// request is posted as WM_SYSCOMMAND SC_CLOSE, which DefWindowProcA turns into
// WM_CLOSE (the route Wine takes for the window manager's close).
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/standin/drivers/events.h"
#include "platform/standin/user/user_state.h"
#include "platform/win32.h"

bool event_input_has_room()
{
    return user_state.input_count < INPUT_CAPACITY;
}

bool event_key(HWND window, int virtual_key, int character, bool down)
{
    if (!is_live_window(window) || virtual_key <= 0 || virtual_key > 255 || !event_input_has_room())
        return false;
    bool was_down = key_is_down_now(virtual_key);
    note_key_now(virtual_key, down);
    bool alt = key_is_down_now(VK_MENU);
    // Alt without Control (which would be AltGr) and F10 make system keys.
    bool system = (alt && !key_is_down_now(VK_CONTROL)) || virtual_key == VK_F10 || virtual_key == VK_MENU;
    UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lParam = 1;
    if (alt) lParam |= KEY_ALT_HELD;
    if (was_down || !down) lParam |= KEY_WAS_DOWN;
    if (!down) lParam |= KEY_RELEASED;
    return queue_input(window, message, static_cast<WPARAM>(virtual_key), lParam, down ? character : 0);
}

// While another window holds the capture, mouse input goes to it, in its own
// client coordinates.
static HWND mouse_target(HWND window, int* x, int* y)
{
    HWND captured = capture_window();
    if (captured == nullptr || captured == window) return window;
    const WindowRecord* from = window_record(window);
    const WindowRecord* to = window_record(captured);
    *x += from->client_rect.left - to->client_rect.left;
    *y += from->client_rect.top - to->client_rect.top;
    return captured;
}

// Mouse input tells where the pointer is: the position queued messages carry.
// True when that is a change: another place, or another window under it.
static bool note_cursor(HWND window, int x, int y)
{
    const WindowRecord* record = window_record(window);
    POINT now = {record->client_rect.left + x, record->client_rect.top + y};
    bool changed =
        window != user_state.cursor_window || now.x != user_state.cursor.x || now.y != user_state.cursor.y;
    user_state.cursor = now;
    user_state.cursor_window = window;
    return changed;
}

static LPARAM position_word(int x, int y)
{
    return MAKELPARAM(static_cast<SHORT>(x), static_cast<SHORT>(y));
}

struct ButtonMessages {
    int virtual_key;
    UINT up;
    UINT down;
};

// By MouseButton.
static const ButtonMessages BUTTONS[] = {
    {VK_LBUTTON, WM_LBUTTONUP, WM_LBUTTONDOWN},
    {VK_RBUTTON, WM_RBUTTONUP, WM_RBUTTONDOWN},
    {VK_MBUTTON, WM_MBUTTONUP, WM_MBUTTONDOWN},
};

bool event_button(HWND window, MouseButton button, bool down, int x, int y)
{
    if (!is_live_window(window) || button < BUTTON_LEFT || button > BUTTON_MIDDLE || !event_input_has_room())
        return false;
    x = bounded_coordinate(x);
    y = bounded_coordinate(y);
    const ButtonMessages& messages = BUTTONS[button];
    note_key_now(messages.virtual_key, down);
    note_cursor(window, x, y);
    HWND target = mouse_target(window, &x, &y);
    return queue_input(
        target, down ? messages.down : messages.up, mouse_key_flags_now(), position_word(x, y), 0);
}

bool event_motion(HWND window, int x, int y)
{
    if (!is_live_window(window)) return false;
    x = bounded_coordinate(x);
    y = bounded_coordinate(y);
    // A report of the place the pointer already has is no move.
    if (!note_cursor(window, x, y)) return true;
    HWND target = mouse_target(window, &x, &y);
    return queue_input(target, WM_MOUSEMOVE, mouse_key_flags_now(), position_word(x, y), 0);
}

void event_window_gone(HWND window)
{
    if (is_live_window(window)) queue_sent(window, STANDIN_WINDOW_GONE, 0, 0);
}

void event_focus(HWND window, bool focused)
{
    if (is_live_window(window)) queue_sent(window, STANDIN_FOCUS_CHANGE, focused ? 1 : 0, 0);
}

void event_close_request(HWND window)
{
    if (is_live_window(window)) post_message(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void event_moved(HWND window, int screen_x, int screen_y)
{
    WindowRecord* record = window_record(window);
    if (record == nullptr) return;
    screen_x = bounded_coordinate(screen_x);
    screen_y = bounded_coordinate(screen_y);
    if (record->minimised) {
        record->restored_origin = POINT{screen_x, screen_y};
        return;
    }
    if (record->client_rect.left == screen_x && record->client_rect.top == screen_y) return;
    set_client_rect(record, screen_x, screen_y, record->client_rect.right - record->client_rect.left,
        record->client_rect.bottom - record->client_rect.top);
    if (record->placed) queue_sent(window, WM_MOVE, 0, position_word(screen_x, screen_y));
}

void event_resized(HWND window, int width, int height, bool minimised)
{
    WindowRecord* record = window_record(window);
    if (record == nullptr) return;
    width = bounded_size(width);
    height = bounded_size(height);
    RECT client = record->client_rect;
    if (minimised) {
        // Parked where no screen reaches, as Windows parks an icon, until restored.
        if (record->minimised) return;
        record->minimised = true;
        record->restored_origin = POINT{client.left, client.top};
        set_client_rect(record, MINIMISED_ORIGIN, MINIMISED_ORIGIN, 0, 0);
        if (!record->placed) return;
        queue_sent(window, WM_MOVE, 0, position_word(MINIMISED_ORIGIN, MINIMISED_ORIGIN));
        queue_sent(window, WM_SIZE, SIZE_MINIMIZED, 0);
        return;
    }
    int old_width = client.right - client.left;
    int old_height = client.bottom - client.top;
    bool restored = record->minimised;
    if (!restored && old_width == width && old_height == height) return;
    record->minimised = false;
    POINT origin = restored ? record->restored_origin : POINT{client.left, client.top};
    set_client_rect(record, origin.x, origin.y, width, height);
    if (!record->placed) return;
    if (restored) queue_sent(window, WM_MOVE, 0, position_word(origin.x, origin.y));
    queue_sent(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
    // The redraw styles repaint everything; otherwise only what is new.
    if ((record->class_style & (CS_HREDRAW | CS_VREDRAW)) != 0 || width > old_width || height > old_height)
        invalidate_window(record, nullptr, true);
}

void event_exposed(HWND window)
{
    invalidate_window(window_record(window), nullptr, true);
}

void event_display_lost(const char* cause)
{
    std::fprintf(stderr, "%s: lost the display: %s\n", program_invocation_short_name,
        cause == nullptr ? "unknown cause" : cause);
    std::fflush(stderr);
    _exit(1);
}
