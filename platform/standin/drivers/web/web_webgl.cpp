// The web driver's GL side: one WebGL context on the canvas, made when the
// program first asks for a context, with the depth, stencil and alpha of the
// pixel format set, and OpenGL 1.1 on it (gl/). A canvas is shown at the end
// of each animation frame, so every format is double-buffered; the swap
// waits for the next frame.
#include <GL/gl.h>

#include "platform/standin/drivers/web/gl/fixed_function.h"
#include "platform/standin/drivers/web/web_driver.h"
#include "platform/standin/win32_gdi.h"

// The drawing buffer is kept after each frame, so that it can be read back.
static EMSCRIPTEN_WEBGL_CONTEXT_HANDLE create_webgl(const PIXELFORMATDESCRIPTOR& format)
{
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = format.cAlphaBits > 0;
    attributes.depth = format.cDepthBits > 0;
    attributes.stencil = format.cStencilBits > 0;
    attributes.antialias = EM_FALSE;
    attributes.preserveDrawingBuffer = EM_TRUE;
    attributes.majorVersion = 1;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context(WEB_CANVAS, &attributes);
    if (context <= 0) return 0;
    // OpenGL 1.1's state on the new context, and what it draws with.
    if (emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS || !renderer_start()) {
        emscripten_webgl_destroy_context(context);
        return 0;
    }
    fixed_function_reset();
    return context;
}

static void add_format(int alpha, int depth, int stencil)
{
    PIXELFORMATDESCRIPTOR d{};
    d.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    d.nVersion = 1;
    d.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    d.iPixelType = PFD_TYPE_RGBA;
    d.cColorBits = 24;
    d.cRedBits = 8;
    d.cRedShift = 16;
    d.cGreenBits = 8;
    d.cGreenShift = 8;
    d.cBlueBits = 8;
    d.cAlphaBits = clamped_byte(alpha);
    d.cAlphaShift = clamped_byte(alpha > 0 ? 24 : 0);
    d.cDepthBits = clamped_byte(depth);
    d.cStencilBits = clamped_byte(stencil);
    d.iLayerType = PFD_MAIN_PLANE;
    web.formats[web.format_count++] = d;
}

// What a WebGL context can be asked for: alpha or not, a 24-bit depth buffer
// with or without 8 bits of stencil, or neither.
void web_webgl_start()
{
    web.format_count = 0;
    static const int ALPHA_BITS[] = {8, 0};
    for (int alpha : ALPHA_BITS) {
        add_format(alpha, 24, 8);
        add_format(alpha, 24, 0);
        add_format(alpha, 0, 0);
    }
}

void web_webgl_terminate()
{
    if (web.gl != 0) emscripten_webgl_make_context_current(0);
}

int web_pixel_format_count()
{
    return web.format_count;
}

bool web_describe_pixel_format(int format, PIXELFORMATDESCRIPTOR* description)
{
    if (format < 1 || format > web.format_count) return false;
    *description = web.formats[format - 1];
    return true;
}

bool web_set_pixel_format(DriverWindow* window, int format)
{
    WebWindow* w = web_window(window);
    if (format < 1 || format > web.format_count || w->format != 0) return false;
    w->format = format;
    return true;
}

// The canvas has one context, made with the first format asked for; every
// context the program makes shares it, and one of another format fails.
DriverContext* web_create_context(DriverWindow* window, int format)
{
    WebWindow* w = web_window(window);
    if (w->format == 0 || format != w->format) return nullptr;
    if (web.gl != 0 && format != web.gl_format) return nullptr;
    WebContext* slot = free_slot(web.contexts);
    if (slot == nullptr) return nullptr;
    if (web.gl == 0) {
        web.gl = create_webgl(web.formats[format - 1]);
        if (web.gl == 0) return nullptr;
        web.gl_format = format;
    }
    *slot = WebContext{true, format};
    return reinterpret_cast<DriverContext*>(slot);
}

bool web_make_current(DriverWindow* window, DriverContext* context)
{
    WebWindow* w = web_window(window);
    WebContext* c = reinterpret_cast<WebContext*>(context);
    if (w == nullptr || c == nullptr) {
        web.current_window = nullptr;
        web.current_context = nullptr;
        return true;
    }
    if (w->format != c->format) return false;
    if (emscripten_webgl_make_context_current(web.gl) != EMSCRIPTEN_RESULT_SUCCESS) return false;
    web.current_window = w;
    web.current_context = c;
    if (web.largest_surface.width == 0) web.largest_surface = largest_viewport();
    return true;
}

void web_delete_context(DriverContext* context)
{
    WebContext* c = reinterpret_cast<WebContext*>(context);
    if (c == nullptr) return;
    if (c == web.current_context) web_make_current(nullptr, nullptr);
    *c = WebContext{};
}

void web_webgl_forget_window(WebWindow* window)
{
    if (window == web.current_window) web_make_current(nullptr, nullptr);
}

// The frame drawn is shown when the page's animation frame ends: the swap
// gives the page its turn until the next one. A window that does not own
// the canvas shows nothing.
bool web_swap_buffers(DriverWindow* window)
{
    WebWindow* w = web_window(window);
    if (w->format == 0) return false;
    if (w == web.canvas_owner) web_page_wait_frame();
    return true;
}

// The canvas keeps its last frame, which is what a read gives.
bool web_read_pixels(DriverWindow* window, int x, int y, int width, int height, unsigned char* rgba)
{
    WebWindow* w = web_window(window);
    if (w != web.canvas_owner || w != web.current_window || width <= 0 || height <= 0) return false;
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; i++) { } // errors left by the program
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    return glGetError() == GL_NO_ERROR;
}
