// The display driver interface of the Win32 stand-in: the table of functions
// the stand-in calls on a driver, and the events a driver reports back
// (declared in events.h). Only platform/standin/ sees this header.
#pragma once

#include "platform/standin/win32_types.h"

// The most windows that exist at once, in the stand-in's table and in each
// driver's.
const int MAX_WINDOWS = 64;

// A driver's own records, opaque to the rest of the stand-in.
struct DriverWindow;
struct DriverContext;
struct DriverMessageBox;

// A driver's functions, one constant table each. The function behind a field
// is named for the driver and the field (x11_swap_buffers, null_swap_buffers).
struct DisplayDriver {
    const char* name; // as ROLLBOX_DRIVER names it
    void (*terminate)();

    // A top-level window, not yet visible. (x, y) is the screen position of the
    // client area's top-left corner and (width, height) its size; the driver
    // reports the position and size it really gets through the event API.
    DriverWindow* (*create_window)(HWND window, const char* title, int x, int y, int width, int height);
    void (*destroy_window)(DriverWindow* window);
    void (*show_window)(DriverWindow* window);

    // Report every pending event through the event API; never blocks.
    void (*poll_events)();
    // Block until at least one event has been reported or `timeout`
    // milliseconds have passed (-1: no limit); a driver whose events are
    // injected naps a moment instead, as a thread blocked in GetMessage does.
    void (*wait_events)(int timeout);

    bool (*get_cursor_pos)(int* screen_x, int* screen_y);
    void (*get_screen_size)(int* width, int* height);

    // Pixel formats, numbered from 1 as Win32 numbers them.
    int (*pixel_format_count)();
    bool (*describe_pixel_format)(int format, PIXELFORMATDESCRIPTOR* description);
    bool (*set_pixel_format)(DriverWindow* window, int format);

    // Rendering contexts on a window whose pixel format is set.
    DriverContext* (*create_context)(DriverWindow* window, int format);
    bool (*make_current)(DriverWindow* window, DriverContext* context); // (null, null) releases
    void (*delete_context)(DriverContext* context);
    bool (*swap_buffers)(DriverWindow* window);
    // Rows bottom to top, 4 bytes per pixel (RGBA), from the window's buffer
    // that was last drawn or shown, through the window's context: the one
    // current on it (x11 reads nothing otherwise) or, where the driver can,
    // the last one made current there (null).
    bool (*read_pixels)(DriverWindow* window, int x, int y, int width, int height, unsigned char* rgba);

    // A message box with one OK button. It is modal: the stand-in keeps
    // dispatching messages while it asks message_box_is_open.
    DriverMessageBox* (*open_message_box)(DriverWindow* owner, const char* text, const char* caption);
    bool (*message_box_is_open)(DriverMessageBox* box);
    void (*close_message_box)(DriverMessageBox* box);

    // What a driver whose events are injected offers the testing controls
    // (null where the window system decides): the pointer put where a test
    // says, and a window's buffer given a new client size before it is reported.
    void (*set_cursor_pos)(int screen_x, int screen_y);
    void (*resize_window)(DriverWindow* window, int width, int height);
};

// Shared by the drivers: the first record not in use of a fixed table of
// records (each with a bool in_use), or null when all are taken.
template <typename Record, int N> Record* free_slot(Record (&table)[N])
{
    for (Record& slot : table)
        if (!slot.in_use) return &slot;
    return nullptr;
}

// Shared by the drivers: a size or count as a PIXELFORMATDESCRIPTOR byte.
inline BYTE clamped_byte(int value)
{
    return static_cast<BYTE>(value < 0 ? 0 : value > 255 ? 255 : value);
}

// Shared by the waits: a thread with nothing that could wake it sleeps a
// millisecond, as one blocked in GetMessage would, instead of spinning.
void nap_a_moment();

// Shared by the drivers and the palette display: what GL draws into. A window
// may be given any size up to 32767 x 32767; GL draws into no more than its
// largest viewport, so the surface behind a client area is bounded by that,
// the rest of the window left cleared. The client size stays the window's.
struct PixelSize {
    int width;
    int height;
};
// The current context's largest viewport.
PixelSize largest_viewport();
// A client size as a surface: each side at least 1 and at most `largest`'s
// (where that is known, not 0).
PixelSize surface_size(int width, int height, PixelSize largest);

// Shared by the drivers: RGBA rows from the current context, out of the front
// buffer or else the buffer it draws into, leaving its read buffer and pixel
// packing as they were.
bool read_current_pixels(bool front, int x, int y, int width, int height, unsigned char* rgba);

// Shared by the drivers whose keyboards speak keysyms (X and xkbcommon number
// them alike): the virtual-key code of a key from its keysym without
// modifiers and the keysym it typed (0 for none).
int keysym_virtual_key(unsigned long base, unsigned long typed);

// The stand-in's answer to a driver: a system colour (COLOR_WINDOW, ...) as
// it is now, without the journal, for what a driver paints itself.
COLORREF system_colour(int index);

// Each starts its driver and returns its table, or null when it cannot start,
// with *failure saying why for the user (no display, no OpenGL on it, no EGL).
const DisplayDriver* wayland_driver_init(const char** failure);
const DisplayDriver* x11_driver_init(const char** failure);
const DisplayDriver* null_driver_init(const char** failure);
const DisplayDriver* web_driver_init(const char** failure);
