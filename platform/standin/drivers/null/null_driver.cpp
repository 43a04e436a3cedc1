// The null display driver: no window system. Windows are records with an EGL
// pbuffer; input, focus and close requests are injected through the event API
// by the testing controls; message boxes are answered at once.
#include "platform/standin/drivers/null/null_driver.h"

#include <algorithm>
#include <iterator>

NullState null;

static const int SCREEN_WIDTH = 1920;
static const int SCREEN_HEIGHT = 1080;

static void null_terminate()
{
    for (NullWindow& window : null.windows)
        if (window.in_use) null_egl_destroy_surface(&window);
    std::fill(std::begin(null.windows), std::end(null.windows), NullWindow{});
    null_egl_stop();
}

// Nothing is reported here: the window gets exactly the position and size asked.
static DriverWindow* null_create_window(HWND handle, const char*, int, int, int width, int height)
{
    NullWindow* slot = free_slot(null.windows);
    if (slot == nullptr) return nullptr;
    *slot = NullWindow{true, handle, EGL_NO_SURFACE, std::max(width, 1), std::max(height, 1), {}, 0, nullptr};
    return driver_window(slot);
}

static void null_destroy_window(DriverWindow* window)
{
    if (window == nullptr) return;
    null_egl_destroy_surface(null_window(window));
    *null_window(window) = NullWindow{};
}

static void null_show_window(DriverWindow*) { }

// Events are injected; there is never anything to fetch. A thread blocked in
// GetMessage sleeps until something arrives: with nothing that can arrive, it
// naps a moment instead of spinning.
static void null_poll_events() { }
static void null_wait_events(int timeout)
{
    if (timeout != 0) nap_a_moment();
}

// The testing controls put the pointer where a test says.
static void null_set_cursor_pos(int screen_x, int screen_y)
{
    null.cursor_x = screen_x;
    null.cursor_y = screen_y;
}

// A new client size takes a new pbuffer before the size is reported. A size
// of 0 (minimised) keeps the buffer as it is.
static void null_resize_window(DriverWindow* window, int width, int height)
{
    if (width > 0 && height > 0) null_egl_resize_surface(null_window(window), width, height);
}

static bool null_get_cursor_pos(int* screen_x, int* screen_y)
{
    *screen_x = null.cursor_x;
    *screen_y = null.cursor_y;
    return true;
}

static void null_get_screen_size(int* width, int* height)
{
    *width = SCREEN_WIDTH;
    *height = SCREEN_HEIGHT;
}

// One box stands for all: the stand-in records the text, and the box is
// already closed when it is opened, as if OK had been pressed.
static DriverMessageBox* null_open_message_box(DriverWindow*, const char*, const char*)
{
    return reinterpret_cast<DriverMessageBox*>(&null.answered_box);
}

static bool null_message_box_is_open(DriverMessageBox*)
{
    return false;
}

static void null_close_message_box(DriverMessageBox*) { }

static const DisplayDriver NULL_DRIVER = {
    .name = "null",
    .terminate = null_terminate,
    .create_window = null_create_window,
    .destroy_window = null_destroy_window,
    .show_window = null_show_window,
    .poll_events = null_poll_events,
    .wait_events = null_wait_events,
    .get_cursor_pos = null_get_cursor_pos,
    .get_screen_size = null_get_screen_size,
    .pixel_format_count = null_pixel_format_count,
    .describe_pixel_format = null_describe_pixel_format,
    .set_pixel_format = null_set_pixel_format,
    .create_context = null_create_context,
    .make_current = null_make_current,
    .delete_context = null_delete_context,
    .swap_buffers = null_swap_buffers,
    .read_pixels = null_read_pixels,
    .open_message_box = null_open_message_box,
    .message_box_is_open = null_message_box_is_open,
    .close_message_box = null_close_message_box,
    .set_cursor_pos = null_set_cursor_pos,
    .resize_window = null_resize_window,
};

const DisplayDriver* null_driver_init(const char** failure)
{
    if (!null_egl_start()) {
        *failure = "the headless driver cannot start (no EGL on Mesa's surfaceless platform)";
        return nullptr;
    }
    null.cursor_x = 0;
    null.cursor_y = 0;
    return &NULL_DRIVER;
}
