// The wayland driver's connection: connecting to the compositor, the globals
// it offers, the driver table, and the loss of the connection.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/standin/drivers/events.h"
#include "platform/standin/drivers/wayland/wayland_driver.h"

WaylandState wayland;

// Stands for the stand-in's screen when no output says its size.
static constexpr int DEFAULT_SCREEN_WIDTH = 1920;
static constexpr int DEFAULT_SCREEN_HEIGHT = 1080;

// Why the driver cannot start, or the connection ended: with the socket's name.
static const char* explained(const char* format)
{
    static char text[256];
    const char* name = std::getenv("WAYLAND_DISPLAY");
    std::snprintf(text, sizeof text, format, name ? name : "");
    return text;
}

// The compositor went away, closed the connection or refused a request:
// nothing more may be sent, and GL must not be touched either.
void wayland_connection_lost()
{
    int error = wl_display_get_error(wayland.display);
    if (error == 0 || error == EPIPE || error == ECONNRESET)
        event_display_lost(explained(
            "the Wayland compositor at %s closed the connection (compositor ended or client killed)"));
    if (error == EPROTO)
        event_display_lost(explained("the Wayland compositor at %s refused a request (protocol error)"));
    char cause[320];
    std::snprintf(cause, sizeof cause, "%s: %s",
        explained("the connection to the Wayland compositor at %s failed"), std::strerror(error));
    event_display_lost(cause);
}

// A full socket (a compositor busy elsewhere) keeps the rest for the next
// flush rather than waiting for room.
void wayland_flush()
{
    if (wl_display_flush(wayland.display) < 0 && errno != EAGAIN) wayland_connection_lost();
}

static void on_ping(void*, xdg_wm_base* wm_base, uint32_t serial)
{
    xdg_wm_base_pong(wm_base, serial);
}
static const xdg_wm_base_listener WM_BASE_LISTENER = {.ping = on_ping};

// The first output's current mode is the stand-in's screen.
static void on_output_mode(void*, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t)
{
    if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
    wayland.screen_width = width;
    wayland.screen_height = height;
}
static void on_output_geometry(
    void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*, int32_t)
{
}
static void on_output_done(void*, wl_output*) { }
static void on_output_scale(void*, wl_output*, int32_t) { }
static void on_output_name(void*, wl_output*, const char*) { }
static const wl_output_listener OUTPUT_LISTENER = {
    .geometry = on_output_geometry,
    .mode = on_output_mode,
    .done = on_output_done,
    .scale = on_output_scale,
    .name = on_output_name,
    .description = on_output_name,
};

// Each global the driver uses, bound at the version it needs at most.
static void* bind_global(uint32_t name, const wl_interface* interface, uint32_t offered, uint32_t wanted)
{
    return wl_registry_bind(wayland.registry, name, interface, offered < wanted ? offered : wanted);
}

static void on_global(void*, wl_registry*, uint32_t name, const char* interface, uint32_t version)
{
    if (std::strcmp(interface, wl_compositor_interface.name) == 0 && !wayland.compositor) {
        wayland.compositor =
            static_cast<wl_compositor*>(bind_global(name, &wl_compositor_interface, version, 4));
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0 && !wayland.shm) {
        wayland.shm = static_cast<wl_shm*>(bind_global(name, &wl_shm_interface, version, 1));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !wayland.seat) {
        wayland.seat = static_cast<wl_seat*>(bind_global(name, &wl_seat_interface, version, 5));
        wayland_seat_start(wayland.seat);
    } else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0 && !wayland.wm_base) {
        wayland.wm_base = static_cast<xdg_wm_base*>(bind_global(name, &xdg_wm_base_interface, version, 2));
        xdg_wm_base_add_listener(wayland.wm_base, &WM_BASE_LISTENER, nullptr);
    } else if (std::strcmp(interface, zxdg_decoration_manager_v1_interface.name) == 0) {
        wayland.decoration_manager = static_cast<zxdg_decoration_manager_v1*>(
            bind_global(name, &zxdg_decoration_manager_v1_interface, version, 1));
    } else if (std::strcmp(interface, wl_output_interface.name) == 0 && !wayland.output) {
        wayland.output = static_cast<wl_output*>(bind_global(name, &wl_output_interface, version, 2));
        wl_output_add_listener(wayland.output, &OUTPUT_LISTENER, nullptr);
    }
}
static void on_global_remove(void*, wl_registry*, uint32_t) { }
static const wl_registry_listener REGISTRY_LISTENER = {
    .global = on_global, .global_remove = on_global_remove};

static void wayland_terminate()
{
    if (!wayland.display) return;
    wayland_close_all_message_boxes();
    wayland_destroy_all_windows();
    wayland_egl_stop();
    wayland_seat_stop();
    wayland_decorations_stop();
    if (wayland.output) wl_output_destroy(wayland.output);
    if (wayland.decoration_manager) zxdg_decoration_manager_v1_destroy(wayland.decoration_manager);
    if (wayland.wm_base) xdg_wm_base_destroy(wayland.wm_base);
    if (wayland.shm) wl_shm_destroy(wayland.shm);
    if (wayland.compositor) wl_compositor_destroy(wayland.compositor);
    wl_registry_destroy(wayland.registry);
    wl_display_disconnect(wayland.display);
    wayland = WaylandState{};
}

static void wayland_get_screen_size(int* width, int* height)
{
    *width = wayland.screen_width;
    *height = wayland.screen_height;
}

static const DisplayDriver WAYLAND_DRIVER = {
    .name = "wayland",
    .terminate = wayland_terminate,
    .create_window = wayland_create_window,
    .destroy_window = wayland_destroy_window,
    .show_window = wayland_show_window,
    .poll_events = wayland_poll_events,
    .wait_events = wayland_wait_events,
    .get_cursor_pos = wayland_get_cursor_pos,
    .get_screen_size = wayland_get_screen_size,
    .pixel_format_count = wayland_pixel_format_count,
    .describe_pixel_format = wayland_describe_pixel_format,
    .set_pixel_format = wayland_set_pixel_format,
    .create_context = wayland_create_context,
    .make_current = wayland_make_current,
    .delete_context = wayland_delete_context,
    .swap_buffers = wayland_swap_buffers,
    .read_pixels = wayland_read_pixels,
    .open_message_box = wayland_open_message_box,
    .message_box_is_open = wayland_message_box_is_open,
    .close_message_box = wayland_close_message_box,
    .set_cursor_pos = nullptr, // the compositor owns the pointer and the window sizes
    .resize_window = nullptr,
};

static const DisplayDriver* refuse(const char* why, const char** failure)
{
    *failure = explained(why);
    wayland_terminate();
    return nullptr;
}

const DisplayDriver* wayland_driver_init(const char** failure)
{
    if (wayland.display) { // one connection per process
        *failure = "the Wayland compositor is already in use by this process";
        return nullptr;
    }
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (name == nullptr || name[0] == '\0') {
        *failure = "no Wayland compositor: WAYLAND_DISPLAY is not set";
        return nullptr;
    }
    wayland.display = wl_display_connect(nullptr);
    if (!wayland.display) {
        *failure = explained("cannot connect to the Wayland compositor at \"%s\"");
        return nullptr;
    }
    wayland.registry = wl_display_get_registry(wayland.display);
    wl_registry_add_listener(wayland.registry, &REGISTRY_LISTENER, nullptr);
    // The globals, then what they say of themselves (outputs' modes, the seat).
    if (wl_display_roundtrip(wayland.display) < 0 || wl_display_roundtrip(wayland.display) < 0)
        return refuse("the Wayland compositor at \"%s\" closed the connection at once", failure);
    if (!wayland.compositor || !wayland.wm_base || !wayland.shm)
        return refuse("the Wayland compositor at \"%s\" offers no xdg-shell windows", failure);
    if (wayland.screen_width <= 0 || wayland.screen_height <= 0) {
        wayland.screen_width = DEFAULT_SCREEN_WIDTH;
        wayland.screen_height = DEFAULT_SCREEN_HEIGHT;
    }
    if (!wayland_decorations_start())
        return refuse("the Wayland compositor at \"%s\" draws no title bars and libdecor cannot", failure);
    if (!wayland_egl_start())
        return refuse("the Wayland compositor at \"%s\" answered, but EGL offers no OpenGL on it", failure);
    return &WAYLAND_DRIVER;
}
