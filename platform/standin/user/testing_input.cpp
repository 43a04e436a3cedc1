// Testing controls that inject input through the event API, as a driver would
// report it, and read a window's pixels back.
#include "platform/standin/drivers/events.h"
#include "platform/standin/internal.h"
#include "platform/standin/testing.h"
#include "platform/win32.h"

bool standin_key(HWND window, int virtual_key, bool down)
{
    int character = 0;
    if (down) {
        // Caps Lock's own press toggles before it could type anything.
        character = us_layout_character(virtual_key, key_is_down_now(VK_SHIFT),
            key_is_toggled_now(VK_CAPITAL), key_is_down_now(VK_CONTROL));
    }
    return event_key(window, virtual_key, character, down);
}

bool standin_key_press(HWND window, int virtual_key)
{
    return standin_key(window, virtual_key, true) && standin_key(window, virtual_key, false);
}

bool standin_key_with_character(HWND window, int virtual_key, int character, bool down)
{
    return event_key(window, virtual_key, character, down);
}

bool standin_button(HWND window, MouseButton button, bool down, int x, int y)
{
    return event_button(window, button, down, x, y);
}

bool standin_motion(HWND window, int x, int y)
{
    return event_motion(window, x, y);
}

void standin_focus(HWND window, bool focused)
{
    event_focus(window, focused);
}

void standin_window_gone(HWND window)
{
    event_window_gone(window);
}

void standin_close_request(HWND window)
{
    event_close_request(window);
}

void standin_move(HWND window, int screen_x, int screen_y)
{
    event_moved(window, screen_x, screen_y);
}

// A driver whose sizes are injected gives the window's buffer the new size
// before the size is reported.
void standin_resize(HWND window, int width, int height, bool minimised)
{
    const DisplayDriver* driver = current_driver();
    DriverWindow* driver_window = driver_window_of(window);
    if (!minimised && driver != nullptr && driver->resize_window != nullptr && driver_window != nullptr)
        driver->resize_window(driver_window, bounded_size(width), bounded_size(height));
    event_resized(window, width, height, minimised);
}

void standin_expose(HWND window)
{
    event_exposed(window);
}

void standin_set_cursor(int screen_x, int screen_y)
{
    const DisplayDriver* driver = current_driver();
    if (driver != nullptr && driver->set_cursor_pos != nullptr)
        driver->set_cursor_pos(bounded_coordinate(screen_x), bounded_coordinate(screen_y));
}

bool standin_read_pixels(HWND window, int x, int y, int width, int height, unsigned char* rgba)
{
    const DisplayDriver* driver = chosen_driver();
    DriverWindow* driver_window = driver_window_of(window);
    if (driver == nullptr || driver_window == nullptr || rgba == nullptr || width <= 0 || height <= 0)
        return false;
    return driver->read_pixels(driver_window, x, y, width, height, rgba);
}
