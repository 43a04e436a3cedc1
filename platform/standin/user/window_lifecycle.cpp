// Creating, showing and destroying windows. Each sends its messages through the
// window procedure before it returns, in the order Wine shows for Windows:
// creation WM_NCCREATE, WM_CREATE; first show WM_SHOWWINDOW, activation
// (WM_QUERYNEWPALETTE, WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS),
// then WM_SIZE and WM_MOVE of the client area; destruction deactivation
// (WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS), WM_DESTROY,
// WM_NCDESTROY.
#include "platform/standin/internal.h"
#include "platform/win32.h"

static bool alive(HWND window)
{
    WindowRecord* record = window_record(window);
    return record != nullptr && !record->destroying;
}

// Frees the window after its last messages; the handle is dead afterwards.
static void finish_destruction(HWND window)
{
    drop_window_messages(window);
    forget_window_timers(window);
    forget_window_dcs(window);
    WindowRecord* record = window_record(window);
    if (record == nullptr) return;
    const DisplayDriver* driver = chosen_driver();
    if (driver != nullptr && record->driver_window != nullptr) driver->destroy_window(record->driver_window);
    free_window_record(record);
}

bool destroy_window(HWND window)
{
    WindowRecord* record = window_record(window);
    if (record == nullptr || record->destroying) return false;
    record->destroying = true;
    record->visible = false;
    if (active_window() == window) deactivate_window(window);
    forget_capture(window);
    send_message(window, WM_DESTROY, 0, 0);
    send_message(window, WM_NCDESTROY, 0, 0);
    finish_destruction(window);
    return true;
}

HWND WINAPI CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR title, DWORD style, int x, int y,
    int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter)
{
    if (!platform_call("CreateWindowExA")) return nullptr;
    const WNDCLASSA* window_class = find_window_class(class_name);
    if (window_class == nullptr || (style & WS_CHILD) != 0) return nullptr;
    const DisplayDriver* driver = current_driver();
    if (driver == nullptr) return nullptr;

    int screen_width = 0;
    int screen_height = 0;
    driver->get_screen_size(&screen_width, &screen_height);
    // A system-placed window goes to the screen's corner, as Wine places it;
    // a system-sized one gets three quarters of the screen.
    if (x == CW_USEDEFAULT) {
        x = 0;
        y = 0;
    }
    if (width == CW_USEDEFAULT) {
        width = screen_width * 3 / 4;
        height = screen_height * 3 / 4;
    }
    RECT frame;
    frame_of_style(style, &frame);
    int client_width = width - frame.left - frame.right;
    int client_height = height - frame.top - frame.bottom;
    if (client_width < 0) client_width = 0;
    if (client_height < 0) client_height = 0;

    WindowRecord* record = new_window_record();
    if (record == nullptr) return nullptr;
    HWND window = record->handle;
    record->procedure = window_class->lpfnWndProc;
    record->class_style = window_class->style;
    record->style = style & ~static_cast<DWORD>(WS_VISIBLE);
    set_client_rect(record, x + frame.left, y + frame.top, client_width, client_height);
    // The driver's surface is never empty, even for an empty client area.
    record->driver_window = driver->create_window(window, title == nullptr ? "" : title, x + frame.left,
        y + frame.top, client_width > 0 ? client_width : 1, client_height > 0 ? client_height : 1);
    if (record->driver_window == nullptr) {
        free_window_record(record);
        return nullptr;
    }

    CREATESTRUCTA creation = {parameter, instance, menu, parent, height, width, y, x,
        static_cast<LONG>(style), title, class_name, ex_style};
    LPARAM creation_word = reinterpret_cast<LPARAM>(&creation);
    if (send_message(window, WM_NCCREATE, 0, creation_word) == 0) {
        if (window_record(window) != nullptr) {
            window_record(window)->destroying = true;
            send_message(window, WM_NCDESTROY, 0, 0);
            finish_destruction(window);
        }
        return nullptr;
    }
    if (!alive(window)) return nullptr;
    if (send_message(window, WM_CREATE, 0, creation_word) == -1) {
        destroy_window(window);
        return nullptr;
    }
    if (!alive(window)) return nullptr;
    if (style & WS_VISIBLE) ShowWindow(window, SW_SHOW);
    return alive(window) ? window : nullptr;
}

// Minimising and maximising commands show the window normally: no caller
// here asks for them, and the drivers place windows as they are told.
BOOL WINAPI ShowWindow(HWND window, int command)
{
    if (!platform_call("ShowWindow")) return FALSE;
    WindowRecord* record = window_record(window);
    if (record == nullptr || record->destroying) return FALSE;
    bool was_visible = record->visible;
    if (command == SW_HIDE) {
        if (!was_visible) return FALSE;
        send_message(window, WM_SHOWWINDOW, FALSE, 0);
        if ((record = window_record(window)) != nullptr) record->visible = false;
        deactivate_window(window);
        return TRUE;
    }
    if (was_visible) return TRUE;

    send_message(window, WM_SHOWWINDOW, TRUE, 0);
    if (!alive(window)) return FALSE;
    record = window_record(window);
    record->visible = true;
    record->style |= WS_VISIBLE;
    chosen_driver()->show_window(record->driver_window);
    bool activate = command != SW_SHOWNOACTIVATE && command != SW_SHOWNA && command != SW_SHOWMINNOACTIVE;
    if (activate) activate_window(window);
    if (!alive(window)) return FALSE;
    record = window_record(window);
    if (!record->placed) {
        record->placed = true;
        RECT client = record->client_rect;
        send_message(window, WM_SIZE, SIZE_RESTORED,
            MAKELPARAM(client.right - client.left, client.bottom - client.top));
        if (alive(window)) send_message(window, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
    }
    if (alive(window)) invalidate_window(window_record(window), nullptr, true);
    return FALSE;
}

BOOL WINAPI DestroyWindow(HWND window)
{
    if (!platform_call("DestroyWindow")) return FALSE;
    return destroy_window(window) ? TRUE : FALSE;
}
