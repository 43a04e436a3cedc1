// What the x11 driver's files share: the connection, its atoms, the window,
// context and message box records, and the functions one file offers another.
// Only the x11 driver's own files include this header: Xlib's names (Window,
// Bool, None, Status) must not reach the rest of the tree.
#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "platform/standin/drivers/driver.h"

struct X11Connection {
    Display* display;
    int screen;
    ::Window root;
    Atom wm_protocols;
    Atom wm_delete_window;
    Atom wm_state;
    Atom net_wm_ping;
    Atom net_wm_name;
    Atom net_wm_pid;
    Atom net_wm_window_type;
    Atom net_wm_window_type_dialog;
    Atom utf8_string;
};
extern X11Connection x11;

// A top-level window. `frame` is created with the window and takes the input;
// `surface` is the child GL renders into, created when the pixel format is set
// (with that format's visual) and kept the size of the client area.
struct X11Window {
    bool in_use;
    HWND handle;
    ::Window frame;
    ::Window surface;
    Colormap surface_colormap;
    GLXWindow glx_surface;
    int format;
    int width; // client size and position as last known to the stand-in
    int height;
    int screen_x;
    int screen_y;
    bool minimised;
    bool gone; // destroyed by another client: frame and surface no longer exist
    bool focused;
    bool swap_interval_set;
    bool shown_since_drawn; // a swap happened since the context was made current
};

// The stand-in only ever holds DriverWindow pointers; behind them are these.
inline X11Window* x11_window(DriverWindow* window)
{
    return reinterpret_cast<X11Window*>(window);
}
inline DriverWindow* driver_window(X11Window* window)
{
    return reinterpret_cast<DriverWindow*>(window);
}

// x11_display.cpp: protocol errors are recorded, never fatal. Between trap and
// untrap, the first error's code is kept and returned (0: none).
void x11_trap_errors();
int x11_untrap_errors();

// x11_wm.cpp: window manager conventions.
void x11_set_title(::Window window, const char* title);
void x11_set_protocols(::Window window);
void x11_set_normal_hints(::Window window, int x, int y, int width, int height, bool fixed_size);
void x11_set_owner_properties(::Window window);
bool x11_is_delete_request(const XClientMessageEvent* event);
// Answers _NET_WM_PING; true when the message was one.
bool x11_answer_ping(const XClientMessageEvent* event);
bool x11_is_iconic(::Window window);
// Without a window manager nobody gives a new window the focus; this does,
// as showing a window activates it on Windows.
void x11_focus_if_unmanaged(::Window window);

// x11_window.cpp
DriverWindow* x11_create_window(HWND handle, const char* title, int x, int y, int width, int height);
void x11_destroy_window(DriverWindow* window);
void x11_show_window(DriverWindow* window);
void x11_destroy_all_windows();
X11Window* x11_find_window(::Window window); // by frame or surface
bool x11_attach_surface(X11Window* window, XVisualInfo* visual);
void x11_fit_surface(X11Window* window);

// x11_events.cpp
void x11_poll_events();
void x11_wait_events(int timeout);

// x11_pointer.cpp: the pointer's place, followed through the windows' events.
void x11_note_pointer(X11Window* window, const XEvent* event);
void x11_forget_pointer_window(X11Window* window);
bool x11_get_cursor_pos(int* screen_x, int* screen_y);

// x11_keys.cpp: the virtual-key code of a key event (0 for none) and the
// Latin-1 character it types with the current Shift and Caps Lock (0 for none).
void x11_translate_key(XKeyEvent* event, int* virtual_key, int* character);
bool x11_is_confirm_or_cancel_key(XKeyEvent* event);

// x11_glx.cpp
bool x11_glx_init();
void x11_glx_terminate();
int x11_pixel_format_count();
bool x11_describe_pixel_format(int format, PIXELFORMATDESCRIPTOR* description);
bool x11_set_pixel_format(DriverWindow* window, int format);
DriverContext* x11_create_context(DriverWindow* window, int format);
bool x11_make_current(DriverWindow* window, DriverContext* context);
void x11_delete_context(DriverContext* context);
bool x11_swap_buffers(DriverWindow* window);
bool x11_read_pixels(DriverWindow* window, int x, int y, int width, int height, unsigned char* rgba);
// Before a window's surface goes: releases it if current.
void x11_glx_forget_window(X11Window* window);

// x11_message_box.cpp
DriverMessageBox* x11_open_message_box(DriverWindow* owner, const char* text, const char* caption);
bool x11_message_box_is_open(DriverMessageBox* box);
void x11_close_message_box(DriverMessageBox* box);
void x11_close_all_message_boxes();
// True when the event belonged to a message box (and was handled there).
bool x11_message_box_event(XEvent* event);
// A window owning an open box takes no new input, as a disabled owner on Windows.
bool x11_has_open_message_box(X11Window* owner);
