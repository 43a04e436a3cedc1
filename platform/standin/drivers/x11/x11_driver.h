// What the x11 driver's files share: its state in one record (the connection,
// its atoms, the formats, contexts, windows, pointer and message boxes) and the
// functions one file offers another.
// Only the x11 driver's own files include this header: Xlib's names (Window,
// Bool, None, Status) must not reach the rest of the tree.
#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "platform/standin/drivers/driver.h"

// Format n is formats[n - 1], described once when the driver starts.
struct X11Format {
    GLXFBConfig config;
    PIXELFORMATDESCRIPTOR description;
};

struct X11Context {
    bool in_use;
    GLXContext context;
    int format;
};

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
    bool gone;         // destroyed by another client: frame and surface no longer exist
    bool surface_gone; // the surface alone destroyed by another client
    bool focused;
    bool swap_interval_set;
    bool shown_since_drawn; // a swap happened since the context was made current
};

// What a message box paints with: the text on the window colour above; below,
// a strip of the button face colour with the button's frame and label.
enum BoxColour { BOX_WINDOW, BOX_TEXT, BOX_FACE, BOX_FRAME, BOX_LABEL, BOX_COLOURS };

const int X11_MAX_BOX_TEXT = 4096;
const int X11_MAX_BOX_LINES = 64;

struct X11MessageBox {
    bool in_use;
    bool open;
    ::Window window;
    ::Window owner; // the owner's frame, or 0
    GC gc;
    char text[X11_MAX_BOX_TEXT]; // lines separated by '\0'
    int line_start[X11_MAX_BOX_LINES];
    int line_count;
    int ascent;
    int line_height;
    int width;
    int height;
    int button_x;
    int button_y;
    bool button_held;
    bool gone;                     // its window destroyed by another client
    COLORREF colours[BOX_COLOURS]; // as painted
    unsigned long pixels[BOX_COLOURS];
};

// Where the pointer is, as the windows' events tell it (x11_pointer.cpp).
struct X11Pointer {
    X11Window* over; // the window the pointer is in, or null
    bool held;       // a button is down: the press's window gets every move
    int screen_x;
    int screen_y;
};

typedef void (*X11SwapIntervalExt)(Display*, GLXDrawable, int);
typedef int (*X11SwapIntervalMesa)(unsigned int);

const int X11_MAX_FORMATS = 512;
const int X11_MAX_CONTEXTS = 32;
const int X11_MAX_BOXES = 8;

// The driver's state: the connection and its atoms, then each concern's
// records. terminate returns all of it to the start.
struct X11State {
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

    // x11_display.cpp: protocol errors caught between trap and untrap.
    bool trapping_errors;
    int trapped_error;

    // x11_glx.cpp
    GLXFBConfig* all_configs;
    X11Format formats[X11_MAX_FORMATS];
    int format_count;
    X11Context contexts[X11_MAX_CONTEXTS];
    X11Context* current_context;
    X11Window* current_window;
    X11SwapIntervalExt swap_interval_ext;
    X11SwapIntervalMesa swap_interval_mesa;
    PixelSize largest_surface; // learned from the first context made current

    X11Window windows[MAX_WINDOWS];     // x11_window.cpp
    X11Pointer pointer;                 // x11_pointer.cpp
    X11MessageBox boxes[X11_MAX_BOXES]; // x11_message_box.cpp
};
extern X11State x11;

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
// Keeps the surface the size of the client area, as far as GL can draw.
void x11_fit_surface(X11Window* window);
void x11_fit_all_surfaces();

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
