// What the drivers that render through EGL (null, wayland) share: which EGL
// configurations they offer as pixel formats, and how each is described.
// Only those drivers include this header.
#pragma once

#include <EGL/egl.h>

#include "platform/standin/drivers/driver.h"

EGLint egl_config_value(EGLDisplay display, EGLConfig config, EGLint attribute);

// The configurations worth offering, in EGL's order, at most `capacity`:
// 8-bit channels with and without alpha, depth 0, 16 or 24, stencil 0 or 8,
// single-sampled, desktop OpenGL on surfaces of `surface_type`
// (EGL_PBUFFER_BIT, EGL_WINDOW_BIT).
int wanted_egl_configs(EGLDisplay display, EGLint surface_type, EGLConfig* wanted, int capacity);

// A configuration as a pixel format that draws to a window with OpenGL;
// `buffering` is PFD_DOUBLEBUFFER or, for a single buffer, PFD_SUPPORT_GDI.
PIXELFORMATDESCRIPTOR egl_pixel_format(EGLDisplay display, EGLConfig config, DWORD buffering);
