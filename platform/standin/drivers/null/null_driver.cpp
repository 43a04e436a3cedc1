// The null display driver: no window system. Windows are records with an EGL
// pbuffer; input, focus and close requests are injected through the event API
// by the testing controls; message boxes are answered at once.
#include "platform/standin/drivers/null/null_driver.h"

#include "platform/standin/internal.h"

struct DriverWindow {
    HWND window;
    NullSurface* surface;
};

// One box stands for all: the stand-in records the text, and the box is
// already closed when it is opened, as if OK had been pressed.
struct DriverMessageBox {
    int unused;
};

static DriverMessageBox answered_box;
static int cursor_x;
static int cursor_y;

static const int SCREEN_WIDTH = 1920;
static const int SCREEN_HEIGHT = 1080;

void null_driver_set_cursor(int screen_x, int screen_y)
{
    cursor_x = screen_x;
    cursor_y = screen_y;
}

void null_driver_resize(HWND window, int width, int height)
{
    DriverWindow* record = driver_window_of(window);
    if (record == nullptr || width <= 0 || height <= 0) return;
    null_egl_resize_surface(record->surface, width, height);
}

static void terminate()
{
    null_egl_stop();
}

// Nothing is reported here: the window gets exactly the position and size asked.
static DriverWindow* create_window(HWND window, const char*, int, int, int width, int height)
{
    NullSurface* surface = null_egl_create_surface(width, height);
    if (surface == nullptr) return nullptr;
    DriverWindow* record = new DriverWindow{window, surface};
    return record;
}

static void destroy_window(DriverWindow* window)
{
    if (window == nullptr) return;
    null_egl_destroy_surface(window->surface);
    delete window;
}

static void show_window(DriverWindow*) { }

// Events are injected; there is never anything to fetch or wait for.
static void poll_events() { }
static void wait_events() { }

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

static bool set_pixel_format(DriverWindow* window, int format)
{
    return null_egl_set_format(window->surface, format);
}

static DriverContext* create_context(DriverWindow* window, int format)
{
    return null_egl_create_context(window->surface, format);
}

static bool make_current(DriverWindow* window, DriverContext* context)
{
    return null_egl_make_current(window == nullptr ? nullptr : window->surface, context);
}

static bool swap_buffers(DriverWindow* window)
{
    return null_egl_swap(window->surface);
}

static bool read_pixels(DriverWindow* window, int x, int y, int width, int height, unsigned char* rgba)
{
    return null_egl_read_pixels(window->surface, x, y, width, height, rgba);
}

static DriverMessageBox* open_message_box(DriverWindow*, const char*, const char*)
{
    return &answered_box;
}

static bool message_box_is_open(DriverMessageBox*)
{
    return false;
}

static void close_message_box(DriverMessageBox*) { }

bool null_driver_init(DisplayDriver* driver)
{
    if (!null_egl_start()) return false;
    cursor_x = 0;
    cursor_y = 0;
    driver->name = "null";
    driver->terminate = terminate;
    driver->create_window = create_window;
    driver->destroy_window = destroy_window;
    driver->show_window = show_window;
    driver->poll_events = poll_events;
    driver->wait_events = wait_events;
    driver->get_cursor_pos = get_cursor_pos;
    driver->get_screen_size = get_screen_size;
    driver->pixel_format_count = null_egl_format_count;
    driver->describe_pixel_format = null_egl_describe;
    driver->set_pixel_format = set_pixel_format;
    driver->create_context = create_context;
    driver->make_current = make_current;
    driver->delete_context = null_egl_delete_context;
    driver->swap_buffers = swap_buffers;
    driver->read_pixels = read_pixels;
    driver->open_message_box = open_message_box;
    driver->message_box_is_open = message_box_is_open;
    driver->close_message_box = close_message_box;
    return true;
}
