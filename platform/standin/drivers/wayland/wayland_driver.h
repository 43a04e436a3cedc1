// What the wayland driver's files share: its state in one record (the
// connection and its globals, the formats, contexts, windows, keyboard,
// pointer and message boxes) and the functions one file offers another.
// Only the wayland driver's own files include this header.
#pragma once

#include <EGL/egl.h>
#include <wayland-client.h>
#include <wayland-egl.h>
#include <xkbcommon/xkbcommon.h>

#include "platform/standin/drivers/driver.h"
#include "platform/standin/drivers/events.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

struct libdecor;
struct wl_cursor_theme;
struct libdecor_frame;

// What a toplevel's owner (a window or a message box) hears from the
// compositor: a new size (0 when the compositor leaves it to the client),
// whether it is the active toplevel, and the close request.
struct WaylandToplevelHooks {
    void (*configured)(void* owner, int width, int height, bool activated);
    void (*close_requested)(void* owner);
};

// A toplevel surface with its title bar: drawn by the compositor where it
// offers server-side decorations, else by libdecor around the surface.
struct WaylandToplevel {
    void* owner;
    const WaylandToplevelHooks* hooks;
    wl_surface* surface;
    xdg_surface* xdg;
    xdg_toplevel* toplevel;
    zxdg_toplevel_decoration_v1* decoration;
    libdecor_frame* frame;
    bool configured; // the first configure was acknowledged: it may be shown
    int width;       // the content size
    int height;
    int pending_width; // xdg_toplevel's configure, until xdg_surface's ends it
    int pending_height;
    bool pending_activated;
};

// Format n is formats[n - 1], listed once when EGL starts.
struct WaylandFormat {
    EGLConfig config;
    PIXELFORMATDESCRIPTOR description;
};

struct WaylandContext {
    bool in_use;
    EGLContext context;
    int format;
};

// A top-level window: its surface, shown once the compositor has configured
// it; GL draws into it through a wl_egl_window once the pixel format is set.
struct WaylandWindow {
    bool in_use;
    HWND handle;
    wl_surface* surface;
    WaylandToplevel toplevel;
    wl_egl_window* egl_window;
    EGLSurface egl_surface;
    int format;
    int width; // the client size as last known to the stand-in
    int height;
    PixelSize surface_size; // the wl_egl_window's: the client's, as far as GL draws
    int screen_x;           // where the stand-in placed the client area on its own screen
    int screen_y;
    bool shown;   // ShowWindow was called: its buffers are committed
    bool exposed; // painted again once shown and configured
    bool activated;
};

// The key the driver repeats while it is held, and when it next repeats.
struct WaylandKeyboard {
    wl_keyboard* keyboard;
    xkb_context* context;
    xkb_keymap* keymap;
    xkb_state* state;
    wl_surface* focus;       // the surface keys go to, or null
    int repeat_rate;         // repeats a second; 0: keys do not repeat
    int repeat_delay;        // milliseconds before the first repeat
    xkb_keycode_t repeating; // 0: none
    long long next_repeat;   // on the monotonic clock, in milliseconds
};

// Where the pointer is, in surface coordinates of the surface it is over or
// whose button is held (Wayland's implicit grab keeps reporting there).
struct WaylandPointer {
    wl_pointer* pointer;
    wl_cursor_theme* cursor_theme; // loaded when the pointer first enters
    wl_surface* cursor_surface;
    wl_surface* over; // null: outside every surface of ours
    int buttons_held;
    double x;
    double y;
    int screen_x; // the last place known on the stand-in's screen
    int screen_y;
};

// What a message box paints with: the text on the window colour above; below,
// a strip of the button face colour with the button's frame and label.
enum BoxColour { BOX_WINDOW, BOX_TEXT, BOX_FACE, BOX_FRAME, BOX_LABEL, BOX_COLOURS };

const int WAYLAND_MAX_BOX_TEXT = 4096;

struct WaylandMessageBox {
    bool in_use;
    bool open;
    WaylandWindow* owner; // or null
    wl_surface* surface;
    WaylandToplevel toplevel;
    wl_buffer* buffer;
    void* pixels; // the buffer's memory, mapped
    int pixels_size;
    int width;
    int height;
    int button_x;
    int button_y;
    bool button_held;
    char text[WAYLAND_MAX_BOX_TEXT]; // UTF-8
    COLORREF colours[BOX_COLOURS];   // as painted
};

// An input report the input queue had no room for (wayland_input.cpp).
enum ReportKind { REPORT_KEY, REPORT_BUTTON, REPORT_MOTION };
struct WaylandReport {
    ReportKind kind;
    HWND window;
    int code; // the virtual key, or the MouseButton
    int character;
    bool down;
    int x;
    int y;
};

const int WAYLAND_MAX_BACKLOG = 1024;

// Reports waiting, in order, from reports[first] on (a ring).
struct WaylandBacklog {
    WaylandReport reports[WAYLAND_MAX_BACKLOG];
    int first;
    int count;
};

const int WAYLAND_MAX_FORMATS = 64;
const int WAYLAND_MAX_CONTEXTS = 32;
const int WAYLAND_MAX_BOXES = 8;

// The driver's state: the connection and its globals, then each concern's
// records. terminate returns all of it to the start.
struct WaylandState {
    wl_display* display;
    wl_registry* registry;
    wl_compositor* compositor;
    wl_shm* shm;
    wl_seat* seat;
    wl_output* output; // the first: its mode is the stand-in's screen
    xdg_wm_base* wm_base;
    zxdg_decoration_manager_v1* decoration_manager;
    libdecor* decor;  // where the compositor draws no title bars
    int screen_width; // the first output's mode: the stand-in's screen
    int screen_height;

    // wayland_egl.cpp
    EGLDisplay egl_display;
    WaylandFormat formats[WAYLAND_MAX_FORMATS];
    int format_count;
    WaylandContext contexts[WAYLAND_MAX_CONTEXTS];
    WaylandContext* current_context;
    WaylandWindow* current_window;
    PixelSize largest_surface; // learned from the first context made current

    WaylandWindow windows[MAX_WINDOWS];         // wayland_window.cpp
    WaylandKeyboard keys;                       // wayland_keys.cpp
    WaylandPointer pointer;                     // wayland_pointer.cpp
    WaylandMessageBox boxes[WAYLAND_MAX_BOXES]; // wayland_message_box.cpp
    WaylandBacklog backlog;                     // wayland_input.cpp
};
extern WaylandState wayland;

inline WaylandWindow* wayland_window(DriverWindow* window)
{
    return reinterpret_cast<WaylandWindow*>(window);
}
inline DriverWindow* driver_window(WaylandWindow* window)
{
    return reinterpret_cast<DriverWindow*>(window);
}

// wayland_display.cpp: the connection broke; one line and the end.
[[noreturn]] void wayland_connection_lost();
// Sends what is buffered, without blocking for long; a broken connection ends the program.
void wayland_flush();

// wayland_toplevel.cpp: the toplevel role of a surface, with its title bar.
void wayland_toplevel_create(WaylandToplevel* toplevel, wl_surface* surface, const char* title,
    WaylandToplevel* parent, int width, int height, bool fixed_size, void* owner,
    const WaylandToplevelHooks* hooks);
void wayland_toplevel_destroy(WaylandToplevel* toplevel);
bool wayland_decorations_start();
void wayland_decorations_stop();

// wayland_window.cpp
DriverWindow* wayland_create_window(HWND handle, const char* title, int x, int y, int width, int height);
void wayland_destroy_window(DriverWindow* window);
void wayland_show_window(DriverWindow* window);
void wayland_destroy_all_windows();
WaylandWindow* wayland_find_window(wl_surface* surface);
// Keeps the wl_egl_window the size of the client area, as far as GL can draw.
void wayland_fit_surface(WaylandWindow* window);
void wayland_fit_all_surfaces();

// wayland_events.cpp
void wayland_poll_events();
void wayland_wait_events(int timeout);
long long wayland_now(); // the monotonic clock, in milliseconds

// wayland_input.cpp: input reports through the event API, kept in order
// while the input queue is full. Delivering the backlog returns true once
// none waits.
void wayland_report_key(HWND window, int virtual_key, int character, bool down);
void wayland_report_button(HWND window, MouseButton button, bool down, int x, int y);
void wayland_report_motion(HWND window, int x, int y);
bool wayland_deliver_backlog();

// wayland_seat.cpp: the keyboard and pointer come and go with the seat's capabilities.
void wayland_seat_start(wl_seat* seat);
void wayland_seat_stop();

// wayland_keys.cpp: keys through xkbcommon, repeated by the driver.
extern const wl_keyboard_listener WAYLAND_KEYBOARD_LISTENER;
void wayland_keys_stop();
// Repeats the held key if its time has come; returns the milliseconds until
// it next will (-1: nothing repeats).
int wayland_repeat_keys();
void wayland_forget_key_focus(wl_surface* surface);
bool wayland_is_confirm_or_cancel_key(xkb_keycode_t key);

// wayland_pointer.cpp
extern const wl_pointer_listener WAYLAND_POINTER_LISTENER;
void wayland_forget_pointer_surface(wl_surface* surface);
void wayland_pointer_release();
void wayland_pointer_stop();
bool wayland_get_cursor_pos(int* screen_x, int* screen_y);

// wayland_egl.cpp
bool wayland_egl_start();
void wayland_egl_stop();
int wayland_pixel_format_count();
bool wayland_describe_pixel_format(int format, PIXELFORMATDESCRIPTOR* description);
bool wayland_set_pixel_format(DriverWindow* window, int format);
DriverContext* wayland_create_context(DriverWindow* window, int format);
bool wayland_make_current(DriverWindow* window, DriverContext* context);
void wayland_delete_context(DriverContext* context);
bool wayland_swap_buffers(DriverWindow* window);
bool wayland_read_pixels(DriverWindow* window, int x, int y, int width, int height, unsigned char* rgba);
// Before a window's surface goes: releases it if current, and the EGL surface.
void wayland_egl_forget_window(WaylandWindow* window);

// wayland_message_box.cpp
DriverMessageBox* wayland_open_message_box(DriverWindow* owner, const char* text, const char* caption);
bool wayland_message_box_is_open(DriverMessageBox* box);
void wayland_close_message_box(DriverMessageBox* box);
void wayland_close_all_message_boxes();
WaylandMessageBox* wayland_find_message_box(wl_surface* surface);
// A window owning an open box takes no new input, as a disabled owner on Windows.
bool wayland_has_open_message_box(WaylandWindow* owner);
// What the keyboard and pointer do to a box.
void wayland_message_box_key(WaylandMessageBox* box, xkb_keycode_t key);
void wayland_message_box_button(WaylandMessageBox* box, bool down, int x, int y);
