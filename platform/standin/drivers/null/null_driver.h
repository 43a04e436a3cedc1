// What the null driver's files share: its state in one record, and the
// functions behind its table. Only the null driver's own files include this
// header.
#pragma once

#include <EGL/egl.h>

#include "platform/standin/drivers/driver.h"

// Format n is formats[n - 1], listed once when EGL starts.
struct NullFormat {
    EGLConfig config;
    PIXELFORMATDESCRIPTOR description;
};

struct NullContext {
    bool in_use;
    EGLContext context;
    int format;
};

// A window: its pbuffer (made once the pixel format is set), the client size
// it follows, and the context last made current on it. Behind every
// DriverWindow the null driver hands out is one of these.
struct NullWindow {
    bool in_use;
    HWND handle;
    EGLSurface pbuffer; // EGL_NO_SURFACE until the format is set
    int width;          // the client size
    int height;
    PixelSize surface; // the pbuffer's size: the client's, as far as GL draws
    int format;        // 0 until set
    NullContext* context;
};

const int NULL_MAX_FORMATS = 32;
const int NULL_MAX_CONTEXTS = 32;

struct NullState {
    // EGL stays initialised for the life of the process (see null_egl_start).
    EGLDisplay display;
    NullFormat formats[NULL_MAX_FORMATS];
    int format_count;
    NullContext contexts[NULL_MAX_CONTEXTS];
    NullWindow* current_window;
    NullContext* current_context;
    PixelSize largest_surface; // learned from the first context made current

    NullWindow windows[MAX_WINDOWS];
    int answered_box; // its address stands for every message box
    int cursor_x;
    int cursor_y;
};
extern NullState null;

inline NullWindow* null_window(DriverWindow* window)
{
    return reinterpret_cast<NullWindow*>(window);
}
inline DriverWindow* driver_window(NullWindow* window)
{
    return reinterpret_cast<DriverWindow*>(window);
}

// null_egl.cpp: the GL side, desktop OpenGL through EGL.
bool null_egl_start();
void null_egl_stop();
void null_egl_destroy_surface(NullWindow* window);
void null_egl_resize_surface(NullWindow* window, int width, int height);
int null_pixel_format_count();
bool null_describe_pixel_format(int format, PIXELFORMATDESCRIPTOR* description);
bool null_set_pixel_format(DriverWindow* window, int format);
DriverContext* null_create_context(DriverWindow* window, int format);
bool null_make_current(DriverWindow* window, DriverContext* context);
void null_delete_context(DriverContext* context);
bool null_swap_buffers(DriverWindow* window);
bool null_read_pixels(DriverWindow* window, int x, int y, int width, int height, unsigned char* rgba);
