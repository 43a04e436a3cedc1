// The null driver's GL side: desktop OpenGL (compatibility profile) through EGL
// on Mesa's surfaceless platform, so it needs no display. Each window renders
// into a pbuffer the size of its client area; a pbuffer has only a back buffer,
// which stands for the front buffer too when the format is single-buffered.
#include "platform/standin/drivers/egl_configs.h"
#include "platform/standin/drivers/null/null_driver.h"
#include "platform/standin/win32_gdi.h"

#include <EGL/eglext.h>
#include <GL/gl.h>

#include <algorithm>

static NullContext* null_context(DriverContext* context)
{
    return reinterpret_cast<NullContext*>(context);
}

static bool release_current()
{
    if (!eglMakeCurrent(null.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT)) return false;
    null.current_window = nullptr;
    null.current_context = nullptr;
    return true;
}

// Alpha first, then by depth and stencil, so the list reads like a driver's.
static EGLint order_of(EGLConfig config)
{
    auto value = [config](EGLint attribute) { return egl_config_value(null.display, config, attribute); };
    return -value(EGL_ALPHA_SIZE) * 10000 + value(EGL_DEPTH_SIZE) * 100 + value(EGL_STENCIL_SIZE);
}

// Each config double- and single-buffered (GDI draws only into the latter),
// double-buffered ones first as a hardware driver lists them.
static void list_formats()
{
    EGLConfig wanted[NULL_MAX_FORMATS / 2];
    int wanted_count = wanted_egl_configs(null.display, EGL_PBUFFER_BIT, wanted, NULL_MAX_FORMATS / 2);
    std::stable_sort(
        wanted, wanted + wanted_count, [](EGLConfig a, EGLConfig b) { return order_of(a) < order_of(b); });
    null.format_count = 0;
    for (DWORD buffering : {PFD_DOUBLEBUFFER, PFD_SUPPORT_GDI})
        for (int i = 0; i < wanted_count; i++)
            null.formats[null.format_count++] =
                NullFormat{wanted[i], egl_pixel_format(null.display, wanted[i], buffering)};
}

// EGL stays initialised for the life of the process once it has started:
// ending it would have Mesa unload its driver, only to load it again at the
// next start (the tests start the driver afresh for every case).
bool null_egl_start()
{
    if (null.display != EGL_NO_DISPLAY) return null.format_count > 0;
    auto get_platform_display =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (get_platform_display == nullptr) return false;
    EGLDisplay candidate = get_platform_display(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0;
    EGLint minor = 0;
    if (candidate == EGL_NO_DISPLAY || !eglInitialize(candidate, &major, &minor) ||
        !eglBindAPI(EGL_OPENGL_API))
        return false;
    null.display = candidate;
    list_formats();
    return null.format_count > 0;
}

void null_egl_stop()
{
    if (null.display == EGL_NO_DISPLAY) return;
    release_current();
}

int null_pixel_format_count()
{
    return null.format_count;
}

bool null_describe_pixel_format(int format, PIXELFORMATDESCRIPTOR* description)
{
    if (format < 1 || format > null.format_count) return false;
    *description = null.formats[format - 1].description;
    return true;
}

// The pbuffer is made when the format is set, since its config comes from the
// format; until then the window only remembers its size.
static EGLSurface make_pbuffer(int format, PixelSize size)
{
    const EGLint attributes[] = {EGL_WIDTH, size.width, EGL_HEIGHT, size.height, EGL_NONE};
    return eglCreatePbufferSurface(null.display, null.formats[format - 1].config, attributes);
}

void null_egl_destroy_surface(NullWindow* window)
{
    if (window == null.current_window) release_current();
    if (window->pbuffer != EGL_NO_SURFACE) eglDestroySurface(null.display, window->pbuffer);
    window->pbuffer = EGL_NO_SURFACE;
}

// Pbuffers cannot change size: one of the window's size as far as GL draws
// replaces the old, and the context current on it moves along.
static void fit_pbuffer(NullWindow* window)
{
    PixelSize size = surface_size(window->width, window->height, null.largest_surface);
    if (window->pbuffer == EGL_NO_SURFACE ||
        (size.width == window->surface.width && size.height == window->surface.height))
        return;
    EGLSurface replacement = make_pbuffer(window->format, size);
    if (replacement == EGL_NO_SURFACE) return;
    if (window == null.current_window)
        eglMakeCurrent(null.display, replacement, replacement, null.current_context->context);
    eglDestroySurface(null.display, window->pbuffer);
    window->pbuffer = replacement;
    window->surface = size;
}

void null_egl_resize_surface(NullWindow* window, int width, int height)
{
    window->width = width;
    window->height = height;
    fit_pbuffer(window);
}

bool null_set_pixel_format(DriverWindow* driver_window, int format)
{
    NullWindow* window = null_window(driver_window);
    if (format < 1 || format > null.format_count || window->format != 0) return false;
    PixelSize size = surface_size(window->width, window->height, null.largest_surface);
    EGLSurface pbuffer = make_pbuffer(format, size);
    if (pbuffer == EGL_NO_SURFACE) return false;
    window->pbuffer = pbuffer;
    window->surface = size;
    window->format = format;
    return true;
}

DriverContext* null_create_context(DriverWindow* driver_window, int format)
{
    NullWindow* window = null_window(driver_window);
    if (window->format == 0 || format != window->format) return nullptr;
    NullContext* slot = free_slot(null.contexts);
    if (slot == nullptr) return nullptr;
    const EGLint attributes[] = {
        EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context =
        eglCreateContext(null.display, null.formats[format - 1].config, EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT) return nullptr;
    *slot = NullContext{true, context, format};
    return reinterpret_cast<DriverContext*>(slot);
}

static bool make_current(NullWindow* window, NullContext* context)
{
    if (window == nullptr || context == nullptr) return release_current();
    if (window->format != context->format || window->pbuffer == EGL_NO_SURFACE) return false;
    if (!eglMakeCurrent(null.display, window->pbuffer, window->pbuffer, context->context)) return false;
    null.current_window = window;
    null.current_context = context;
    window->context = context;
    // Until a context is current GL cannot say how large it draws; nothing
    // has been drawn before, so the pbuffers are bounded now.
    if (null.largest_surface.width == 0) {
        null.largest_surface = largest_viewport();
        for (NullWindow& each : null.windows)
            if (each.in_use) fit_pbuffer(&each);
    }
    return true;
}

bool null_make_current(DriverWindow* window, DriverContext* context)
{
    return make_current(null_window(window), null_context(context));
}

void null_delete_context(DriverContext* driver_context)
{
    NullContext* context = null_context(driver_context);
    if (context == nullptr) return;
    if (context == null.current_context) release_current();
    eglDestroyContext(null.display, context->context);
    *context = NullContext{};
}

// The pbuffer has one colour buffer, which is what the window shows: the swap
// only finishes the drawing.
bool null_swap_buffers(DriverWindow* driver_window)
{
    NullWindow* window = null_window(driver_window);
    if (window->pbuffer == EGL_NO_SURFACE) return false;
    if (window == null.current_window) glFinish();
    return true;
}

// Reads from the buffer the context draws into (the front buffer after a
// single-buffered fallback's glDrawBuffer(GL_FRONT), else the back), making the
// window's last context current for the read when another one is.
bool null_read_pixels(DriverWindow* driver_window, int x, int y, int width, int height, unsigned char* rgba)
{
    NullWindow* window = null_window(driver_window);
    if (window->pbuffer == EGL_NO_SURFACE || width <= 0 || height <= 0) return false;
    NullWindow* previous_window = null.current_window;
    NullContext* previous_context = null.current_context;
    if (window != null.current_window) {
        // The context last current here may have been deleted since.
        NullContext* last = window->context;
        if (last == nullptr || !last->in_use || !make_current(window, last)) return false;
    }
    bool ok = read_current_pixels(false, x, y, width, height, rgba);
    if (previous_window != window) make_current(previous_window, previous_context);
    return ok;
}
