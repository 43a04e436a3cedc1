// The web driver: a canvas in a page, with a WebGL context, the page's
// events and its dialogs. The driver table, its start and end, and the
// queries that need nothing else.
#include <emscripten/emscripten.h>

#include "platform/standin/drivers/web/web_driver.h"

WebState web;

static void web_terminate()
{
    web_listen(false);
    web_close_all_message_boxes();
    web_destroy_all_windows();
    web_webgl_terminate();
    web = WebState{};
}

static void web_get_screen_size(int* width, int* height)
{
    int size[2] = {};
    web_page_screen_size(size);
    *width = size[0];
    *height = size[1];
}

static const DisplayDriver WEB_DRIVER = {
    .name = "web",
    .terminate = web_terminate,
    .create_window = web_create_window,
    .destroy_window = web_destroy_window,
    .show_window = web_show_window,
    .poll_events = web_poll_events,
    .wait_events = web_wait_events,
    .get_cursor_pos = web_get_cursor_pos,
    .get_screen_size = web_get_screen_size,
    .pixel_format_count = web_pixel_format_count,
    .describe_pixel_format = web_describe_pixel_format,
    .set_pixel_format = web_set_pixel_format,
    .create_context = web_create_context,
    .make_current = web_make_current,
    .delete_context = web_delete_context,
    .swap_buffers = web_swap_buffers,
    .read_pixels = web_read_pixels,
    .open_message_box = web_open_message_box,
    .message_box_is_open = web_message_box_is_open,
    .close_message_box = web_close_message_box,
    .set_cursor_pos = nullptr, // the browser owns the pointer and the canvas's size
    .resize_window = nullptr,
};

// The page stops a program for good when it starts another: the stopped one
// takes no more of the page's events, so nothing keeps it.
extern "C" EMSCRIPTEN_KEEPALIVE void web_page_stopped()
{
    web_listen(false);
}

const DisplayDriver* web_driver_init(const char** failure)
{
    if (!web_page_has_canvas()) {
        *failure = "the page has no canvas for the program";
        return nullptr;
    }
    web_webgl_start();
    web_listen(true);
    return &WEB_DRIVER;
}
