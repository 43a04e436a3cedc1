// What the null driver's two files share: its window record and its GL side.
// Only the null driver's own files include this header.
#pragma once

#include <EGL/egl.h>

#include "platform/standin/drivers/driver.h"

// A window: its pbuffer (made once the pixel format is set), the client size
// it follows, and the context last made current on it. Behind every
// DriverWindow the null driver hands out is one of these, from a fixed table.
struct NullContext;
struct NullWindow {
    bool in_use;
    HWND handle;
    EGLSurface pbuffer; // EGL_NO_SURFACE until the format is set
    int width;
    int height;
    int format; // 0 until set
    NullContext* context;
};

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
int null_egl_format_count();
bool null_egl_describe(int format, PIXELFORMATDESCRIPTOR* description);
void null_egl_destroy_surface(NullWindow* window);
void null_egl_resize_surface(NullWindow* window, int width, int height);
bool null_egl_set_format(DriverWindow* window, int format);
DriverContext* null_egl_create_context(DriverWindow* window, int format);
bool null_egl_make_current(DriverWindow* window, DriverContext* context);
void null_egl_delete_context(DriverContext* context);
bool null_egl_swap(DriverWindow* window);
bool null_egl_read_pixels(DriverWindow* window, int x, int y, int width, int height, unsigned char* rgba);
