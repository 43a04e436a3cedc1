// The pointer: enter, motion and buttons in surface coordinates, which are
// the client coordinates. While a button is held the compositor keeps
// reporting to the surface pressed in, with coordinates that may lie outside
// it: the same as a captured mouse on Windows. The pointer's screen position
// is the surface position from the window's place on the stand-in's screen.
#include <linux/input-event-codes.h>
#include <wayland-cursor.h>

#include <cmath>

#include "platform/standin/drivers/events.h"
#include "platform/standin/drivers/wayland/wayland_driver.h"

static constexpr int CURSOR_SIZE = 24;

// The arrow, as a window class's default cursor on Windows.
static void show_arrow(uint32_t serial)
{
    WaylandPointer& p = wayland.pointer;
    if (!p.cursor_theme) p.cursor_theme = wl_cursor_theme_load(nullptr, CURSOR_SIZE, wayland.shm);
    wl_cursor* arrow = p.cursor_theme ? wl_cursor_theme_get_cursor(p.cursor_theme, "left_ptr") : nullptr;
    if (!arrow || arrow->image_count < 1) return;
    wl_cursor_image* image = arrow->images[0];
    wl_buffer* buffer = wl_cursor_image_get_buffer(image);
    if (!buffer) return;
    if (!p.cursor_surface) p.cursor_surface = wl_compositor_create_surface(wayland.compositor);
    wl_surface_attach(p.cursor_surface, buffer, 0, 0);
    wl_surface_damage(
        p.cursor_surface, 0, 0, static_cast<int32_t>(image->width), static_cast<int32_t>(image->height));
    wl_surface_commit(p.cursor_surface);
    wl_pointer_set_cursor(p.pointer, serial, p.cursor_surface, static_cast<int32_t>(image->hotspot_x),
        static_cast<int32_t>(image->hotspot_y));
}

// Notes the place; the window under the pointer, if it takes input now.
static WaylandWindow* place(wl_fixed_t x, wl_fixed_t y)
{
    WaylandPointer& p = wayland.pointer;
    p.x = wl_fixed_to_double(x);
    p.y = wl_fixed_to_double(y);
    WaylandWindow* w = wayland_find_window(p.over);
    if (!w) return nullptr;
    p.screen_x = w->screen_x + static_cast<int>(std::floor(p.x));
    p.screen_y = w->screen_y + static_cast<int>(std::floor(p.y));
    return wayland_has_open_message_box(w) ? nullptr : w;
}

// The window under the pointer changed: Windows reports a move.
static void on_enter(void*, wl_pointer*, uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y)
{
    if (!wayland_find_window(surface) && !wayland_find_message_box(surface)) return; // a title bar's
    wayland.pointer.over = surface;
    show_arrow(serial);
    if (WaylandWindow* w = place(x, y))
        wayland_report_motion(w->handle, static_cast<int>(std::floor(wayland.pointer.x)),
            static_cast<int>(std::floor(wayland.pointer.y)));
}

static void on_leave(void*, wl_pointer*, uint32_t, wl_surface* surface)
{
    if (wayland.pointer.over == surface) wayland.pointer.over = nullptr;
}

static void on_motion(void*, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y)
{
    if (WaylandWindow* w = place(x, y))
        wayland_report_motion(w->handle, static_cast<int>(std::floor(wayland.pointer.x)),
            static_cast<int>(std::floor(wayland.pointer.y)));
}

// Linux's buttons by their codes; others (side buttons) are not Win32's three.
static bool button_of(uint32_t code, MouseButton* button)
{
    switch (code) {
    case BTN_LEFT:
        *button = BUTTON_LEFT;
        return true;
    case BTN_RIGHT:
        *button = BUTTON_RIGHT;
        return true;
    case BTN_MIDDLE:
        *button = BUTTON_MIDDLE;
        return true;
    default:
        return false;
    }
}

static void on_button(void*, wl_pointer*, uint32_t, uint32_t, uint32_t code, uint32_t state)
{
    WaylandPointer& p = wayland.pointer;
    bool down = state == WL_POINTER_BUTTON_STATE_PRESSED;
    p.buttons_held += down ? 1 : p.buttons_held > 0 ? -1 : 0;
    int x = static_cast<int>(std::floor(p.x)), y = static_cast<int>(std::floor(p.y));
    if (WaylandMessageBox* box = wayland_find_message_box(p.over)) {
        if (code == BTN_LEFT) wayland_message_box_button(box, down, x, y);
        return;
    }
    WaylandWindow* w = wayland_find_window(p.over);
    MouseButton button;
    if (!w || !button_of(code, &button)) return;
    // Releases still arrive while a message box is up, so no button stays held.
    if (down && wayland_has_open_message_box(w)) return;
    wayland_report_button(w->handle, button, down, x, y);
}

static void on_axis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) { }
static void on_frame(void*, wl_pointer*) { }
static void on_axis_source(void*, wl_pointer*, uint32_t) { }
static void on_axis_stop(void*, wl_pointer*, uint32_t, uint32_t) { }
static void on_axis_discrete(void*, wl_pointer*, uint32_t, int32_t) { }

const wl_pointer_listener WAYLAND_POINTER_LISTENER = {
    .enter = on_enter,
    .leave = on_leave,
    .motion = on_motion,
    .button = on_button,
    .axis = on_axis,
    .frame = on_frame,
    .axis_source = on_axis_source,
    .axis_stop = on_axis_stop,
    .axis_discrete = on_axis_discrete,
    .axis_value120 = on_axis_discrete,
};

void wayland_forget_pointer_surface(wl_surface* surface)
{
    if (wayland.pointer.over == surface) wayland.pointer.over = nullptr;
}

// Outside every window the last place known stands: Wayland tells no other.
bool wayland_get_cursor_pos(int* screen_x, int* screen_y)
{
    *screen_x = wayland.pointer.screen_x;
    *screen_y = wayland.pointer.screen_y;
    return true;
}

// The pointer device went; its last place stays what GetCursorPos tells.
void wayland_pointer_release()
{
    WaylandPointer& p = wayland.pointer;
    wl_pointer_release(p.pointer);
    p.pointer = nullptr;
    p.over = nullptr;
    p.buttons_held = 0;
}

void wayland_pointer_stop()
{
    WaylandPointer& p = wayland.pointer;
    if (p.pointer) wl_pointer_release(p.pointer);
    if (p.cursor_surface) wl_surface_destroy(p.cursor_surface);
    if (p.cursor_theme) wl_cursor_theme_destroy(p.cursor_theme);
    p = WaylandPointer{};
}
