// The null display driver: what the rest of the stand-in reaches of it besides
// its DisplayDriver table, and what its own files share.
#pragma once

#include "platform/standin/drivers/driver.h"

// The cursor position get_cursor_pos reports (screen coordinates); the
// stand-in's standin_set_cursor sets it while the null driver is in use.
void null_driver_set_cursor(int screen_x, int screen_y);

// The client area of `window` is now width x height: the window's pbuffer is
// replaced by one of that size (the same context stays current on it). Called
// by the stand-in when a new size is injected, before the size is reported.
// A size of 0 (minimised) keeps the buffer as it is.
void null_driver_resize(HWND window, int width, int height);

// Shared by null_driver.cpp and null_egl.cpp.
bool null_egl_start();
void null_egl_stop();
int null_egl_format_count();
bool null_egl_describe(int format, PIXELFORMATDESCRIPTOR* description);
// A window's GL side: its pbuffer, the format set on it, its last context.
struct NullSurface;
NullSurface* null_egl_create_surface(int width, int height);
void null_egl_destroy_surface(NullSurface* surface);
void null_egl_resize_surface(NullSurface* surface, int width, int height);
bool null_egl_set_format(NullSurface* surface, int format);
DriverContext* null_egl_create_context(NullSurface* surface, int format);
bool null_egl_make_current(NullSurface* surface, DriverContext* context);
void null_egl_delete_context(DriverContext* context);
bool null_egl_swap(NullSurface* surface);
bool null_egl_read_pixels(NullSurface* surface, int x, int y, int width, int height, unsigned char* rgba);
