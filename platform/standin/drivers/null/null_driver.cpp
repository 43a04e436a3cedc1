// The null display driver: no window system. Windows are records with an EGL
// pbuffer; input, focus and close requests are injected through the event API
// by the testing controls; message boxes are answered at once.
#include "platform/standin/drivers/null/null_driver.h"

#include <unistd.h>

#include <algorithm>
#include <iterator>

static const int MAX_WINDOWS = 32;
static NullWindow windows[MAX_WINDOWS];

// One box stands for all: the stand-in records the text, and the box is
// already closed when it is opened, as if OK had been pressed.
static int answered_box;
static int cursor_x;
static int cursor_y;

static const int SCREEN_WIDTH = 1920;
static const int SCREEN_HEIGHT = 1080;

static void terminate()
{
    for (NullWindow& window : windows)
        if (window.in_use) null_egl_destroy_surface(&window);
    std::fill(std::begin(windows), std::end(windows), NullWindow{});
    null_egl_stop();
}

// Nothing is reported here: the window gets exactly the position and size asked.
static DriverWindow* create_window(HWND handle, const char*, int, int, int width, int height)
{
    NullWindow* slot = free_slot(windows);
    if (slot == nullptr) return nullptr;
    *slot = NullWindow{true, handle, EGL_NO_SURFACE, std::max(width, 1), std::max(height, 1), 0, nullptr};
    return driver_window(slot);
}

static void destroy_window(DriverWindow* window)
{
    if (window == nullptr) return;
    null_egl_destroy_surface(null_window(window));
    *null_window(window) = NullWindow{};
}

static void show_window(DriverWindow*) { }

// Events are injected; there is never anything to fetch. A thread blocked in
// GetMessage sleeps until something arrives: with nothing that can arrive, it
// naps a moment instead of spinning.
static void poll_events() { }
static void wait_events(int timeout)
{
    if (timeout != 0) usleep(1000);
}

// The testing controls put the pointer where a test says.
static void set_cursor_pos(int screen_x, int screen_y)
{
    cursor_x = screen_x;
    cursor_y = screen_y;
}

// A new client size takes a new pbuffer before the size is reported. A size
// of 0 (minimised) keeps the buffer as it is.
static void resize_window(DriverWindow* window, int width, int height)
{
    if (width > 0 && height > 0) null_egl_resize_surface(null_window(window), width, height);
}

static bool get_cursor_pos(int* screen_x, int* screen_y)
{
    *screen_x = cursor_x;
    *screen_y = cursor_y;
    return true;
}

static void get_screen_size(int* width, int* height)
{
    *width = SCREEN_WIDTH;
    *height = SCREEN_HEIGHT;
}

static DriverMessageBox* open_message_box(DriverWindow*, const char*, const char*)
{
    return reinterpret_cast<DriverMessageBox*>(&answered_box);
}

static bool message_box_is_open(DriverMessageBox*)
{
    return false;
}

static void close_message_box(DriverMessageBox*) { }

static const DisplayDriver NULL_DRIVER = {
    .name = "null",
    .terminate = terminate,
    .create_window = create_window,
    .destroy_window = destroy_window,
    .show_window = show_window,
    .poll_events = poll_events,
    .wait_events = wait_events,
    .get_cursor_pos = get_cursor_pos,
    .get_screen_size = get_screen_size,
    .pixel_format_count = null_egl_format_count,
    .describe_pixel_format = null_egl_describe,
    .set_pixel_format = null_egl_set_format,
    .create_context = null_egl_create_context,
    .make_current = null_egl_make_current,
    .delete_context = null_egl_delete_context,
    .swap_buffers = null_egl_swap,
    .read_pixels = null_egl_read_pixels,
    .open_message_box = open_message_box,
    .message_box_is_open = message_box_is_open,
    .close_message_box = close_message_box,
    .set_cursor_pos = set_cursor_pos,
    .resize_window = resize_window,
};

const DisplayDriver* null_driver_init(const char** failure)
{
    if (!null_egl_start()) {
        *failure = "the headless driver cannot start (no EGL on Mesa's surfaceless platform)";
        return nullptr;
    }
    cursor_x = 0;
    cursor_y = 0;
    return &NULL_DRIVER;
}
