// The x11 driver's connection: opening the display, the error handlers, the
// atoms, the driver table, and the queries that need nothing but the display.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <X11/XKBlib.h>

#include "platform/standin/drivers/events.h"
#include "platform/standin/drivers/x11/x11_driver.h"

X11State x11;

// Protocol errors are answers to requests (a window already gone, a visual the
// server refuses); none of them is a reason to end the process.
static int on_protocol_error(Display*, XErrorEvent* error)
{
    if (x11.trapping_errors && x11.trapped_error == 0) x11.trapped_error = error->error_code;
    return 0;
}

// The connection broke: the server went away or killed this client. Nothing
// more may be sent on it, and GL must not be touched either.
[[noreturn]] static void connection_lost(Display* display)
{
    int error = errno;
    char cause[256];
    if (error == 0 || error == EPIPE || error == ECONNRESET || error == EAGAIN)
        std::snprintf(cause, sizeof cause,
            "the X server at %s closed the connection (server ended or client killed)",
            DisplayString(display));
    else
        std::snprintf(cause, sizeof cause, "the connection to the X server at %s failed: %s",
            DisplayString(display), std::strerror(error));
    event_display_lost(cause);
}

static int on_io_error(Display* display)
{
    connection_lost(display);
}
static void on_io_error_exit(Display* display, void*)
{
    connection_lost(display);
}

void x11_trap_errors()
{
    XSync(x11.display, False);
    x11.trapped_error = 0;
    x11.trapping_errors = true;
}

int x11_untrap_errors()
{
    XSync(x11.display, False);
    x11.trapping_errors = false;
    return x11.trapped_error;
}

static void intern_atoms()
{
    struct Name {
        const char* name;
        Atom* atom;
    };
    const Name names[] = {
        {"WM_PROTOCOLS", &x11.wm_protocols},
        {"WM_DELETE_WINDOW", &x11.wm_delete_window},
        {"WM_STATE", &x11.wm_state},
        {"_NET_WM_PING", &x11.net_wm_ping},
        {"_NET_WM_NAME", &x11.net_wm_name},
        {"_NET_WM_PID", &x11.net_wm_pid},
        {"_NET_WM_WINDOW_TYPE", &x11.net_wm_window_type},
        {"_NET_WM_WINDOW_TYPE_DIALOG", &x11.net_wm_window_type_dialog},
        {"UTF8_STRING", &x11.utf8_string},
    };
    constexpr int count = sizeof names / sizeof names[0];
    char* strings[count];
    Atom atoms[count];
    for (int i = 0; i < count; i++) strings[i] = const_cast<char*>(names[i].name);
    XInternAtoms(x11.display, strings, count, False, atoms);
    for (int i = 0; i < count; i++) *names[i].atom = atoms[i];
}

static void x11_terminate()
{
    if (!x11.display) return;
    x11_close_all_message_boxes();
    x11_destroy_all_windows();
    x11_glx_terminate();
    XCloseDisplay(x11.display);
    x11 = X11State{};
}

static void x11_get_screen_size(int* width, int* height)
{
    *width = DisplayWidth(x11.display, x11.screen);
    *height = DisplayHeight(x11.display, x11.screen);
}

static const DisplayDriver X11_DRIVER = {
    .name = "x11",
    .terminate = x11_terminate,
    .create_window = x11_create_window,
    .destroy_window = x11_destroy_window,
    .show_window = x11_show_window,
    .poll_events = x11_poll_events,
    .wait_events = x11_wait_events,
    .get_cursor_pos = x11_get_cursor_pos,
    .get_screen_size = x11_get_screen_size,
    .pixel_format_count = x11_pixel_format_count,
    .describe_pixel_format = x11_describe_pixel_format,
    .set_pixel_format = x11_set_pixel_format,
    .create_context = x11_create_context,
    .make_current = x11_make_current,
    .delete_context = x11_delete_context,
    .swap_buffers = x11_swap_buffers,
    .read_pixels = x11_read_pixels,
    .open_message_box = x11_open_message_box,
    .message_box_is_open = x11_message_box_is_open,
    .close_message_box = x11_close_message_box,
    .set_cursor_pos = nullptr, // the X server owns the pointer and the window sizes
    .resize_window = nullptr,
};

// Why the driver cannot start, for the user: the name of the display in it.
static const char* explained(const char* format, const char* display_name)
{
    static char text[256];
    std::snprintf(text, sizeof text, format, display_name);
    return text;
}

const DisplayDriver* x11_driver_init(const char** failure)
{
    if (x11.display) { // one connection per process
        *failure = "the X display is already in use by this process";
        return nullptr;
    }
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || name[0] == '\0') {
        *failure = "no X display: DISPLAY is not set (ROLLBOX_DRIVER=null selects the headless driver)";
        return nullptr;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        *failure = explained("cannot open the X display \"%s\"", name);
        return nullptr;
    }
    x11.display = display;
    x11.screen = DefaultScreen(display);
    x11.root = RootWindow(display, x11.screen);
    XSetErrorHandler(on_protocol_error);
    XSetIOErrorHandler(on_io_error);
    XSetIOErrorExitHandler(display, on_io_error_exit, nullptr);
    intern_atoms();
    // A held key repeats its press without the releases X would put between.
    Bool supported = False;
    XkbSetDetectableAutoRepeat(display, True, &supported);
    if (!x11_glx_init()) {
        *failure = explained("the X display \"%s\" opened, but it offers no OpenGL (GLX 1.3)", name);
        XCloseDisplay(display);
        x11 = X11State{};
        return nullptr;
    }
    return &X11_DRIVER;
}
