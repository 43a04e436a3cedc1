// Pixel formats from the EGL configurations that draw desktop OpenGL into a
// window, rendering contexts on wl_egl_window surfaces, swaps that never wait
// for the compositor, and read-back.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <algorithm>

#include "platform/standin/drivers/egl_configs.h"
#include "platform/standin/drivers/wayland/wayland_driver.h"
#include "platform/standin/win32_gdi.h"

static WaylandContext* context_of(DriverContext* context)
{
    return reinterpret_cast<WaylandContext*>(context);
}

static void release_current()
{
    eglMakeCurrent(wayland.egl_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    wayland.current_context = nullptr;
    wayland.current_window = nullptr;
}

// Without alpha first: the compositor blends a surface whose alpha is below
// one with what lies behind, which a Win32 window never shows.
static EGLint order_of(EGLConfig config)
{
    auto value = [config](
                     EGLint attribute) { return egl_config_value(wayland.egl_display, config, attribute); };
    return value(EGL_ALPHA_SIZE) * 10000 + value(EGL_DEPTH_SIZE) * 100 + value(EGL_STENCIL_SIZE);
}

// Window surfaces are double-buffered: the compositor shows one buffer while
// GL draws the next.
static void list_formats()
{
    EGLConfig wanted[WAYLAND_MAX_FORMATS];
    int wanted_count = wanted_egl_configs(wayland.egl_display, EGL_WINDOW_BIT, wanted, WAYLAND_MAX_FORMATS);
    std::stable_sort(
        wanted, wanted + wanted_count, [](EGLConfig a, EGLConfig b) { return order_of(a) < order_of(b); });
    wayland.format_count = 0;
    for (int i = 0; i < wanted_count; i++)
        wayland.formats[wayland.format_count++] =
            WaylandFormat{wanted[i], egl_pixel_format(wayland.egl_display, wanted[i], PFD_DOUBLEBUFFER)};
}

bool wayland_egl_start()
{
    auto get_platform_display =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (get_platform_display == nullptr) return false;
    EGLDisplay display = get_platform_display(EGL_PLATFORM_WAYLAND_KHR, wayland.display, nullptr);
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) return false;
    wayland.egl_display = display;
    if (!eglBindAPI(EGL_OPENGL_API)) return false;
    list_formats();
    return wayland.format_count > 0;
}

// EGL's display belongs to the connection: it ends before the connection does.
void wayland_egl_stop()
{
    if (wayland.egl_display == EGL_NO_DISPLAY) return;
    release_current();
    for (WaylandContext& c : wayland.contexts)
        if (c.in_use) eglDestroyContext(wayland.egl_display, c.context);
    eglTerminate(wayland.egl_display);
    wayland.egl_display = EGL_NO_DISPLAY;
}

int wayland_pixel_format_count()
{
    return wayland.format_count;
}

bool wayland_describe_pixel_format(int format, PIXELFORMATDESCRIPTOR* description)
{
    if (format < 1 || format > wayland.format_count) return false;
    *description = wayland.formats[format - 1].description;
    return true;
}

bool wayland_set_pixel_format(DriverWindow* window, int format)
{
    WaylandWindow* w = wayland_window(window);
    if (format < 1 || format > wayland.format_count || w->egl_window) return false;
    PixelSize size = surface_size(w->width, w->height, wayland.largest_surface);
    wl_egl_window* egl_window = wl_egl_window_create(w->surface, size.width, size.height);
    if (!egl_window) return false;
    EGLSurface surface = eglCreatePlatformWindowSurface(
        wayland.egl_display, wayland.formats[format - 1].config, egl_window, nullptr);
    if (surface == EGL_NO_SURFACE) {
        wl_egl_window_destroy(egl_window);
        return false;
    }
    w->egl_window = egl_window;
    w->egl_surface = surface;
    w->surface_size = size;
    w->format = format;
    return true;
}

DriverContext* wayland_create_context(DriverWindow* window, int format)
{
    WaylandWindow* w = wayland_window(window);
    if (format < 1 || format > wayland.format_count || w->format != format) return nullptr;
    WaylandContext* c = free_slot(wayland.contexts);
    if (!c) return nullptr;
    const EGLint attributes[] = {
        EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context =
        eglCreateContext(wayland.egl_display, wayland.formats[format - 1].config, EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT) return nullptr;
    *c = WaylandContext{true, context, format};
    return reinterpret_cast<DriverContext*>(c);
}

bool wayland_make_current(DriverWindow* window, DriverContext* context)
{
    WaylandWindow* w = wayland_window(window);
    WaylandContext* c = context_of(context);
    if (!c) {
        release_current();
        return true;
    }
    // As with WGL, a context only goes with windows of its own pixel format.
    if (!w || !w->egl_surface || w->format != c->format) return false;
    if (!eglMakeCurrent(wayland.egl_display, w->egl_surface, w->egl_surface, c->context)) return false;
    wayland.current_context = c;
    wayland.current_window = w;
    // A swap waits for no frame callback: a hidden window never gets one,
    // and the message loop must go on.
    eglSwapInterval(wayland.egl_display, 0);
    // Until a context is current GL cannot say how large it draws; nothing
    // has been drawn before, so the surfaces are bounded now.
    if (wayland.largest_surface.width == 0) {
        wayland.largest_surface = largest_viewport();
        wayland_fit_all_surfaces();
    }
    return true;
}

void wayland_delete_context(DriverContext* context)
{
    WaylandContext* c = context_of(context);
    if (!c || !c->in_use) return;
    if (c == wayland.current_context) release_current();
    eglDestroyContext(wayland.egl_display, c->context);
    *c = WaylandContext{};
}

void wayland_egl_forget_window(WaylandWindow* w)
{
    if (w == wayland.current_window) release_current();
    if (w->egl_surface) eglDestroySurface(wayland.egl_display, w->egl_surface);
    if (w->egl_window) wl_egl_window_destroy(w->egl_window);
    w->egl_surface = EGL_NO_SURFACE;
    w->egl_window = nullptr;
}

// Until the window is shown and configured, a buffer would map it (or break
// the protocol): the frame is only finished.
bool wayland_swap_buffers(DriverWindow* window)
{
    WaylandWindow* w = wayland_window(window);
    if (!w || !w->egl_surface) return false;
    if (!w->shown || !w->toplevel.configured) {
        if (w == wayland.current_window) glFinish();
        return true;
    }
    if (!eglSwapBuffers(wayland.egl_display, w->egl_surface)) {
        if (wl_display_get_error(wayland.display) != 0) wayland_connection_lost();
        return false;
    }
    wayland_flush();
    return true;
}

// From the buffer being drawn: after a swap its contents are undefined until
// drawn again.
bool wayland_read_pixels(DriverWindow* window, int x, int y, int width, int height, unsigned char* rgba)
{
    WaylandWindow* w = wayland_window(window);
    if (!w || w != wayland.current_window || width < 0 || height < 0) return false;
    return read_current_pixels(false, x, y, width, height, rgba);
}
