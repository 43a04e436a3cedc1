// Top-level windows: a surface with the toplevel role, shown by its first
// buffer once the compositor has configured it. The compositor tells no
// positions, so a window stays on the stand-in's own screen where it was
// placed; sizes and activation come from the compositor's configure.
#include "platform/standin/drivers/events.h"
#include "platform/standin/drivers/wayland/wayland_driver.h"

WaylandWindow* wayland_find_window(wl_surface* surface)
{
    if (!surface) return nullptr;
    for (WaylandWindow& w : wayland.windows)
        if (w.in_use && w.surface == surface) return &w;
    return nullptr;
}

// What was drawn before the window was shown and configured never reached
// the screen: once it can, it is painted again.
static void expose_when_showable(WaylandWindow* w)
{
    if (!w->shown || !w->toplevel.configured || w->exposed) return;
    w->exposed = true;
    event_exposed(w->handle);
}

// A size of 0 leaves the size to the window; a new one is WM_SIZE.
static void on_configured(void* owner, int width, int height, bool activated)
{
    auto w = static_cast<WaylandWindow*>(owner);
    expose_when_showable(w);
    HWND handle = w->handle;
    bool resized = width > 0 && height > 0 && (width != w->width || height != w->height);
    bool activation_changed = activated != w->activated;
    w->activated = activated;
    if (resized) {
        w->width = width;
        w->height = height;
        wayland_fit_surface(w);
    }
    // The window procedure may destroy the window: nothing touches it after.
    if (resized) event_resized(handle, width, height, false);
    if (activation_changed) event_focus(handle, activated);
}

static void on_close_requested(void* owner)
{
    event_close_request(static_cast<WaylandWindow*>(owner)->handle);
}

static const WaylandToplevelHooks WINDOW_HOOKS = {
    .configured = on_configured,
    .close_requested = on_close_requested,
};

DriverWindow* wayland_create_window(HWND handle, const char* title, int x, int y, int width, int height)
{
    WaylandWindow* w = free_slot(wayland.windows);
    if (!w) return nullptr;
    *w = WaylandWindow{};
    w->surface = wl_compositor_create_surface(wayland.compositor);
    if (!w->surface) return nullptr;
    w->in_use = true;
    w->handle = handle;
    // Wayland has no empty surfaces: a zero size becomes one pixel.
    w->width = width > 0 ? width : 1;
    w->height = height > 0 ? height : 1;
    w->screen_x = x;
    w->screen_y = y;
    wayland_toplevel_create(
        &w->toplevel, w->surface, title, nullptr, w->width, w->height, false, w, &WINDOW_HOOKS);
    wayland_flush();
    return driver_window(w);
}

// The surface appears with its next buffer, once configured.
void wayland_show_window(DriverWindow* window)
{
    WaylandWindow* w = wayland_window(window);
    w->shown = true;
    expose_when_showable(w);
}

void wayland_destroy_window(DriverWindow* window)
{
    WaylandWindow* w = wayland_window(window);
    if (!w || !w->in_use) return;
    wayland_egl_forget_window(w);
    wayland_forget_pointer_surface(w->surface);
    wayland_forget_key_focus(w->surface);
    wayland_toplevel_destroy(&w->toplevel);
    wl_surface_destroy(w->surface);
    wayland_flush();
    *w = WaylandWindow{};
}

void wayland_destroy_all_windows()
{
    for (WaylandWindow& w : wayland.windows)
        if (w.in_use) wayland_destroy_window(driver_window(&w));
}

void wayland_fit_surface(WaylandWindow* w)
{
    if (!w->egl_window) return;
    PixelSize size = surface_size(w->width, w->height, wayland.largest_surface);
    if (size.width == w->surface_size.width && size.height == w->surface_size.height) return;
    wl_egl_window_resize(w->egl_window, size.width, size.height, 0, 0);
    w->surface_size = size;
}

void wayland_fit_all_surfaces()
{
    for (WaylandWindow& w : wayland.windows)
        if (w.in_use) wayland_fit_surface(&w);
}
