// Toplevel surfaces with a title bar and a close box everywhere: the
// compositor draws them where it offers server-side decorations, libdecor
// draws them around the surface where it does not. Either way the owner hears
// the same: configured (size, activation) and the close request.
#include <cerrno>
#include <cstdio>

#include <libdecor.h>

#include "platform/standin/drivers/wayland/wayland_driver.h"

// Titles come as Latin-1 (the ANSI code page); Wayland wants UTF-8.
static void utf8_of_latin1(const char* latin1, char* utf8, int size)
{
    int length = 0;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(latin1); *c && length < size - 2;
         c++) {
        if (*c < 0x80) {
            utf8[length++] = static_cast<char>(*c);
        } else {
            utf8[length++] = static_cast<char>(0xC0 | (*c >> 6));
            utf8[length++] = static_cast<char>(0x80 | (*c & 0x3F));
        }
    }
    utf8[length] = '\0';
}

static void configured(WaylandToplevel* t, int width, int height, bool activated)
{
    t->configured = true;
    t->hooks->configured(t->owner, width, height, activated);
}

// --- Server-side: xdg-shell with xdg-decoration -----------------------------

// xdg_toplevel's configure comes first and is applied when xdg_surface's ends it.
static void on_toplevel_configure(void* data, xdg_toplevel*, int32_t width, int32_t height, wl_array* states)
{
    auto t = static_cast<WaylandToplevel*>(data);
    t->pending_width = width;
    t->pending_height = height;
    t->pending_activated = false;
    const uint32_t* state = static_cast<const uint32_t*>(states->data);
    for (size_t i = 0; i < states->size / sizeof *state; i++)
        if (state[i] == XDG_TOPLEVEL_STATE_ACTIVATED) t->pending_activated = true;
}

static void on_toplevel_close(void* data, xdg_toplevel*)
{
    auto t = static_cast<WaylandToplevel*>(data);
    t->hooks->close_requested(t->owner);
}

// Bounds and capabilities only advise; the window keeps its own size.
static void on_toplevel_bounds(void*, xdg_toplevel*, int32_t, int32_t) { }
static void on_toplevel_capabilities(void*, xdg_toplevel*, wl_array*) { }

static const xdg_toplevel_listener TOPLEVEL_LISTENER = {
    .configure = on_toplevel_configure,
    .close = on_toplevel_close,
    .configure_bounds = on_toplevel_bounds,
    .wm_capabilities = on_toplevel_capabilities,
};

static void on_surface_configure(void* data, xdg_surface* xdg, uint32_t serial)
{
    auto t = static_cast<WaylandToplevel*>(data);
    xdg_surface_ack_configure(xdg, serial);
    configured(t, t->pending_width, t->pending_height, t->pending_activated);
}

static const xdg_surface_listener SURFACE_LISTENER = {.configure = on_surface_configure};

static void create_with_xdg(WaylandToplevel* t, wl_surface* surface, const char* title,
    WaylandToplevel* parent, int width, int height, bool fixed_size)
{
    t->xdg = xdg_wm_base_get_xdg_surface(wayland.wm_base, surface);
    xdg_surface_add_listener(t->xdg, &SURFACE_LISTENER, t);
    t->toplevel = xdg_surface_get_toplevel(t->xdg);
    xdg_toplevel_add_listener(t->toplevel, &TOPLEVEL_LISTENER, t);
    xdg_toplevel_set_title(t->toplevel, title);
    xdg_toplevel_set_app_id(t->toplevel, program_invocation_short_name);
    if (parent && parent->toplevel) xdg_toplevel_set_parent(t->toplevel, parent->toplevel);
    if (fixed_size) {
        xdg_toplevel_set_min_size(t->toplevel, width, height);
        xdg_toplevel_set_max_size(t->toplevel, width, height);
    }
    t->decoration =
        zxdg_decoration_manager_v1_get_toplevel_decoration(wayland.decoration_manager, t->toplevel);
    zxdg_toplevel_decoration_v1_set_mode(t->decoration, ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE);
    wl_surface_commit(surface); // asks for the first configure
}

// --- Client-side: libdecor ---------------------------------------------------

static void on_frame_configure(libdecor_frame* frame, libdecor_configuration* configuration, void* data)
{
    auto t = static_cast<WaylandToplevel*>(data);
    int width = 0, height = 0;
    if (!libdecor_configuration_get_content_size(configuration, frame, &width, &height)) width = height = 0;
    libdecor_window_state state = LIBDECOR_WINDOW_STATE_NONE;
    libdecor_configuration_get_window_state(configuration, &state);
    if (width > 0 && height > 0) {
        t->width = width;
        t->height = height;
    }
    libdecor_state* content = libdecor_state_new(t->width, t->height);
    libdecor_frame_commit(frame, content, configuration);
    libdecor_state_free(content);
    configured(t, width, height, (state & LIBDECOR_WINDOW_STATE_ACTIVE) != 0);
}

static void on_frame_close(libdecor_frame*, void* data)
{
    auto t = static_cast<WaylandToplevel*>(data);
    t->hooks->close_requested(t->owner);
}

// libdecor asks for the surface's state to be committed with its own.
static void on_frame_commit(libdecor_frame*, void* data)
{
    auto t = static_cast<WaylandToplevel*>(data);
    wl_surface_commit(t->surface);
}

static void on_dismiss_popup(libdecor_frame*, const char*, void*) { }

static libdecor_frame_interface FRAME_INTERFACE = {
    .configure = on_frame_configure,
    .close = on_frame_close,
    .commit = on_frame_commit,
    .dismiss_popup = on_dismiss_popup,
    .reserved0 = nullptr,
    .reserved1 = nullptr,
    .reserved2 = nullptr,
    .reserved3 = nullptr,
    .reserved4 = nullptr,
    .reserved5 = nullptr,
    .reserved6 = nullptr,
    .reserved7 = nullptr,
    .reserved8 = nullptr,
    .reserved9 = nullptr,
};

static void create_with_libdecor(WaylandToplevel* t, wl_surface* surface, const char* title,
    WaylandToplevel* parent, int width, int height, bool fixed_size)
{
    t->frame = libdecor_decorate(wayland.decor, surface, &FRAME_INTERFACE, t);
    libdecor_frame_set_title(t->frame, title);
    libdecor_frame_set_app_id(t->frame, program_invocation_short_name);
    if (parent && parent->frame) libdecor_frame_set_parent(t->frame, parent->frame);
    if (fixed_size) {
        libdecor_frame_set_min_content_size(t->frame, width, height);
        libdecor_frame_set_max_content_size(t->frame, width, height);
        libdecor_frame_unset_capabilities(t->frame, LIBDECOR_ACTION_RESIZE);
    }
    libdecor_frame_map(t->frame);
}

// An error of libdecor's is the connection's: nothing more can be shown.
static void on_decor_error(libdecor*, libdecor_error, const char* message)
{
    std::fprintf(stderr, "%s: libdecor: %s\n", program_invocation_short_name, message);
    wayland_connection_lost();
}

static libdecor_interface DECOR_INTERFACE = {
    .error = on_decor_error,
    .reserved0 = nullptr,
    .reserved1 = nullptr,
    .reserved2 = nullptr,
    .reserved3 = nullptr,
    .reserved4 = nullptr,
    .reserved5 = nullptr,
    .reserved6 = nullptr,
    .reserved7 = nullptr,
    .reserved8 = nullptr,
    .reserved9 = nullptr,
};

// --- Either ------------------------------------------------------------------

bool wayland_decorations_start()
{
    if (wayland.decoration_manager) return true;
    wayland.decor = libdecor_new(wayland.display, &DECOR_INTERFACE);
    return wayland.decor != nullptr;
}

void wayland_decorations_stop()
{
    if (wayland.decor) libdecor_unref(wayland.decor);
    wayland.decor = nullptr;
}

void wayland_toplevel_create(WaylandToplevel* t, wl_surface* surface, const char* title,
    WaylandToplevel* parent, int width, int height, bool fixed_size, void* owner,
    const WaylandToplevelHooks* hooks)
{
    *t = WaylandToplevel{};
    t->owner = owner;
    t->hooks = hooks;
    t->surface = surface;
    t->width = width;
    t->height = height;
    char utf8[1024];
    utf8_of_latin1(title ? title : "", utf8, sizeof utf8);
    if (wayland.decoration_manager)
        create_with_xdg(t, surface, utf8, parent, width, height, fixed_size);
    else
        create_with_libdecor(t, surface, utf8, parent, width, height, fixed_size);
}

void wayland_toplevel_destroy(WaylandToplevel* t)
{
    if (t->frame) libdecor_frame_unref(t->frame);
    if (t->decoration) zxdg_toplevel_decoration_v1_destroy(t->decoration);
    if (t->toplevel) xdg_toplevel_destroy(t->toplevel);
    if (t->xdg) xdg_surface_destroy(t->xdg);
    *t = WaylandToplevel{};
}
