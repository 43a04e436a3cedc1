// Pixel formats from the GLX framebuffer configurations that can draw to a
// window, rendering contexts, buffer swaps and read-back.
#include <algorithm>
#include <cstring>

#include <GL/gl.h>

#include "platform/standin/drivers/x11/x11_driver.h"
#include "platform/standin/win32_gdi.h"

static X11Context* context_of(DriverContext* context)
{
    return reinterpret_cast<X11Context*>(context);
}

static void release_current()
{
    glXMakeContextCurrent(x11.display, 0, 0, nullptr);
    x11.current_context = nullptr;
    x11.current_window = nullptr;
}

static int attribute(GLXFBConfig config, int name)
{
    int value = 0;
    glXGetFBConfigAttrib(x11.display, config, name, &value);
    return value;
}

// Single-sampled RGBA configurations of the main plane with a true-colour
// visual: what a Win32 driver lists for windows. GLX chooses by all but the
// sample count, the visual and the caveat in one call (asked one attribute at
// a time, the hundreds of configurations cost thousands of calls at start-up);
// the rest is asked here. Preferred, when there are any, are those without a
// caveat and with the screen's own depth (a deeper visual would let a
// compositor see through the window where alpha is low).
static const int WINDOW_RGBA_TRUE_COLOUR[] = {GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT, GLX_RENDER_TYPE,
    GLX_RGBA_BIT, GLX_X_VISUAL_TYPE, GLX_TRUE_COLOR, GLX_LEVEL, 0, GLX_CONFIG_CAVEAT,
    static_cast<int>(GLX_DONT_CARE), GLX_DOUBLEBUFFER, static_cast<int>(GLX_DONT_CARE), GLX_STEREO,
    static_cast<int>(GLX_DONT_CARE), GLX_TRANSPARENT_TYPE, static_cast<int>(GLX_DONT_CARE), None};

static bool usable(GLXFBConfig config, bool preferred)
{
    int caveat = attribute(config, GLX_CONFIG_CAVEAT);
    if (attribute(config, GLX_VISUAL_ID) == 0 || attribute(config, GLX_SAMPLE_BUFFERS) != 0 ||
        caveat == GLX_NON_CONFORMANT_CONFIG)
        return false;
    if (!preferred) return true;
    if (caveat == GLX_SLOW_CONFIG) return false;
    XVisualInfo* visual = glXGetVisualFromFBConfig(x11.display, config);
    bool screen_depth = visual && visual->depth == DefaultDepth(x11.display, x11.screen);
    if (visual) XFree(visual);
    return screen_depth;
}

static bool has_extension(const char* extensions, const char* name)
{
    size_t length = std::strlen(name);
    for (const char* p = extensions; p && (p = std::strstr(p, name)) != nullptr; p += length)
        if ((p == extensions || p[-1] == ' ') && (p[length] == ' ' || p[length] == '\0')) return true;
    return false;
}

static BYTE shift_of(unsigned long mask)
{
    BYTE shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        shift++;
    }
    return shift;
}

static void describe(GLXFBConfig config, PIXELFORMATDESCRIPTOR* d)
{
    *d = PIXELFORMATDESCRIPTOR{};
    d->nSize = sizeof(PIXELFORMATDESCRIPTOR);
    d->nVersion = 1;
    d->dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if (attribute(config, GLX_DOUBLEBUFFER)) d->dwFlags |= PFD_DOUBLEBUFFER;
    if (attribute(config, GLX_STEREO)) d->dwFlags |= PFD_STEREO;
    d->iPixelType = PFD_TYPE_RGBA;
    d->cRedBits = clamped_byte(attribute(config, GLX_RED_SIZE));
    d->cGreenBits = clamped_byte(attribute(config, GLX_GREEN_SIZE));
    d->cBlueBits = clamped_byte(attribute(config, GLX_BLUE_SIZE));
    d->cAlphaBits = clamped_byte(attribute(config, GLX_ALPHA_SIZE));
    // Colour bits count red, green and blue only, as Win32 documents them.
    d->cColorBits = clamped_byte(d->cRedBits + d->cGreenBits + d->cBlueBits);
    XVisualInfo* visual = glXGetVisualFromFBConfig(x11.display, config);
    if (visual) {
        d->cRedShift = shift_of(visual->red_mask);
        d->cGreenShift = shift_of(visual->green_mask);
        d->cBlueShift = shift_of(visual->blue_mask);
        if (d->cAlphaBits)
            d->cAlphaShift = shift_of(~(visual->red_mask | visual->green_mask | visual->blue_mask) &
                ((1ul << (d->cColorBits + d->cAlphaBits)) - 1));
        XFree(visual);
    }
    d->cAccumRedBits = clamped_byte(attribute(config, GLX_ACCUM_RED_SIZE));
    d->cAccumGreenBits = clamped_byte(attribute(config, GLX_ACCUM_GREEN_SIZE));
    d->cAccumBlueBits = clamped_byte(attribute(config, GLX_ACCUM_BLUE_SIZE));
    d->cAccumAlphaBits = clamped_byte(attribute(config, GLX_ACCUM_ALPHA_SIZE));
    d->cAccumBits =
        clamped_byte(d->cAccumRedBits + d->cAccumGreenBits + d->cAccumBlueBits + d->cAccumAlphaBits);
    d->cDepthBits = clamped_byte(attribute(config, GLX_DEPTH_SIZE));
    d->cStencilBits = clamped_byte(attribute(config, GLX_STENCIL_SIZE));
    d->cAuxBuffers = clamped_byte(attribute(config, GLX_AUX_BUFFERS));
    d->iLayerType = PFD_MAIN_PLANE;
}

bool x11_glx_init()
{
    int error_base = 0, event_base = 0, major = 0, minor = 0;
    if (!glXQueryExtension(x11.display, &error_base, &event_base)) return false;
    if (!glXQueryVersion(x11.display, &major, &minor) || (major == 1 && minor < 3)) return false;
    // GLX's choice comes sorted by its own rules; the formats keep the order
    // glXGetFBConfigs lists, whose handles are the same.
    int count = 0, chosen_count = 0;
    x11.all_configs = glXGetFBConfigs(x11.display, x11.screen, &count);
    GLXFBConfig* chosen = glXChooseFBConfig(x11.display, x11.screen, WINDOW_RGBA_TRUE_COLOUR, &chosen_count);
    if (chosen) std::sort(chosen, chosen + chosen_count);
    x11.format_count = 0;
    for (int pass = 0; pass < 2 && x11.format_count == 0; pass++)
        for (int i = 0; i < count && x11.format_count < X11_MAX_FORMATS; i++)
            if (chosen && std::binary_search(chosen, chosen + chosen_count, x11.all_configs[i]) &&
                usable(x11.all_configs[i], pass == 0)) {
                x11.formats[x11.format_count].config = x11.all_configs[i];
                describe(x11.all_configs[i], &x11.formats[x11.format_count++].description);
            }
    if (chosen) XFree(chosen);

    const char* extensions = glXQueryExtensionsString(x11.display, x11.screen);
    if (has_extension(extensions, "GLX_EXT_swap_control"))
        x11.swap_interval_ext = reinterpret_cast<X11SwapIntervalExt>(
            glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")));
    else if (has_extension(extensions, "GLX_MESA_swap_control"))
        x11.swap_interval_mesa = reinterpret_cast<X11SwapIntervalMesa>(
            glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")));
    return true;
}

// What GLX holds for the driver; the records go with the driver's state.
void x11_glx_terminate()
{
    release_current();
    for (X11Context& c : x11.contexts)
        if (c.in_use) glXDestroyContext(x11.display, c.context);
    if (x11.all_configs) XFree(x11.all_configs);
}

int x11_pixel_format_count()
{
    return x11.format_count;
}

bool x11_describe_pixel_format(int format, PIXELFORMATDESCRIPTOR* description)
{
    if (format < 1 || format > x11.format_count) return false;
    *description = x11.formats[format - 1].description;
    return true;
}

bool x11_set_pixel_format(DriverWindow* window, int format)
{
    X11Window* w = x11_window(window);
    if (format < 1 || format > x11.format_count || w->surface) return false;
    GLXFBConfig config = x11.formats[format - 1].config;
    XVisualInfo* visual = glXGetVisualFromFBConfig(x11.display, config);
    if (!visual) return false;
    bool attached = x11_attach_surface(w, visual);
    XFree(visual);
    if (!attached) return false;
    x11_trap_errors();
    GLXWindow surface = glXCreateWindow(x11.display, config, w->surface, nullptr);
    if (x11_untrap_errors() != 0 || !surface) return false;
    w->glx_surface = surface;
    w->format = format;
    return true;
}

DriverContext* x11_create_context(DriverWindow* window, int format)
{
    X11Window* w = x11_window(window);
    if (format < 1 || format > x11.format_count || w->format != format) return nullptr;
    X11Context* c = free_slot(x11.contexts);
    if (!c) return nullptr;
    x11_trap_errors();
    GLXContext context =
        glXCreateNewContext(x11.display, x11.formats[format - 1].config, GLX_RGBA_TYPE, nullptr, True);
    if (x11_untrap_errors() != 0 || !context) {
        if (context) glXDestroyContext(x11.display, context);
        return nullptr;
    }
    *c = X11Context{true, context, format};
    return reinterpret_cast<DriverContext*>(c);
}

// Presentation waits for the display's refresh, where the server can tell.
static void set_swap_interval(X11Window* w)
{
    if (w->swap_interval_set) return;
    w->swap_interval_set = true;
    if (x11.swap_interval_ext)
        x11.swap_interval_ext(x11.display, w->glx_surface, 1);
    else if (x11.swap_interval_mesa)
        x11.swap_interval_mesa(1);
}

bool x11_make_current(DriverWindow* window, DriverContext* context)
{
    X11Window* w = x11_window(window);
    X11Context* c = context_of(context);
    if (!c) {
        release_current();
        return true;
    }
    // As with WGL, a context only goes with windows of its own pixel format.
    if (!w || !w->glx_surface || w->format != c->format) return false;
    x11_trap_errors();
    Bool made = glXMakeContextCurrent(x11.display, w->glx_surface, w->glx_surface, c->context);
    if (x11_untrap_errors() != 0 || !made) return false;
    x11.current_context = c;
    x11.current_window = w;
    w->shown_since_drawn = false;
    set_swap_interval(w);
    // Until a context is current GL cannot say how large it draws; nothing
    // has been drawn before, so the surfaces are bounded now.
    if (x11.largest_surface.width == 0) {
        x11.largest_surface = largest_viewport();
        x11_fit_all_surfaces();
    }
    return true;
}

void x11_delete_context(DriverContext* context)
{
    X11Context* c = context_of(context);
    if (!c || !c->in_use) return;
    if (c == x11.current_context) release_current();
    glXDestroyContext(x11.display, c->context);
    *c = X11Context{};
}

void x11_glx_forget_window(X11Window* w)
{
    if (w == x11.current_window) release_current();
}

bool x11_swap_buffers(DriverWindow* window)
{
    X11Window* w = x11_window(window);
    if (!w || !w->glx_surface) return false;
    glXSwapBuffers(x11.display, w->glx_surface);
    w->shown_since_drawn = true;
    return true;
}

// After a swap the picture is in the front buffer; before one, in the buffer
// being drawn.
bool x11_read_pixels(DriverWindow* window, int x, int y, int width, int height, unsigned char* rgba)
{
    X11Window* w = x11_window(window);
    if (!w || w != x11.current_window || width < 0 || height < 0) return false;
    return read_current_pixels(w->shown_since_drawn, x, y, width, height, rgba);
}
