// EGL configurations as pixel formats.
#include "platform/standin/drivers/egl_configs.h"

#include "platform/standin/win32_gdi.h"

EGLint egl_config_value(EGLDisplay display, EGLConfig config, EGLint attribute)
{
    EGLint value = 0;
    eglGetConfigAttrib(display, config, attribute, &value);
    return value;
}

static bool wanted_config(EGLDisplay display, EGLConfig config, EGLint surface_type)
{
    auto value = [display, config](EGLint attribute) { return egl_config_value(display, config, attribute); };
    EGLint depth = value(EGL_DEPTH_SIZE);
    EGLint alpha = value(EGL_ALPHA_SIZE);
    EGLint stencil = value(EGL_STENCIL_SIZE);
    return value(EGL_RED_SIZE) == 8 && value(EGL_GREEN_SIZE) == 8 && value(EGL_BLUE_SIZE) == 8 &&
        (alpha == 0 || alpha == 8) && (depth == 0 || depth == 16 || depth == 24) &&
        (stencil == 0 || stencil == 8) && value(EGL_SAMPLES) == 0 &&
        (value(EGL_SURFACE_TYPE) & surface_type) != 0 && (value(EGL_RENDERABLE_TYPE) & EGL_OPENGL_BIT) != 0;
}

int wanted_egl_configs(EGLDisplay display, EGLint surface_type, EGLConfig* wanted, int capacity)
{
    EGLConfig configs[256];
    EGLint count = 0;
    if (!eglGetConfigs(display, configs, 256, &count)) return 0;
    int wanted_count = 0;
    for (EGLint i = 0; i < count && wanted_count < capacity; i++)
        if (wanted_config(display, configs[i], surface_type)) wanted[wanted_count++] = configs[i];
    return wanted_count;
}

// Channels packed red, green, blue from the top, alpha above them.
PIXELFORMATDESCRIPTOR egl_pixel_format(EGLDisplay display, EGLConfig config, DWORD buffering)
{
    auto value = [display, config](EGLint attribute) { return egl_config_value(display, config, attribute); };
    PIXELFORMATDESCRIPTOR d{};
    d.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    d.nVersion = 1;
    d.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | buffering;
    d.iPixelType = PFD_TYPE_RGBA;
    EGLint red = value(EGL_RED_SIZE);
    EGLint green = value(EGL_GREEN_SIZE);
    EGLint blue = value(EGL_BLUE_SIZE);
    EGLint alpha = value(EGL_ALPHA_SIZE);
    d.cColorBits = clamped_byte(red + green + blue);
    d.cRedBits = clamped_byte(red);
    d.cRedShift = clamped_byte(green + blue);
    d.cGreenBits = clamped_byte(green);
    d.cGreenShift = clamped_byte(blue);
    d.cBlueBits = clamped_byte(blue);
    d.cAlphaBits = clamped_byte(alpha);
    d.cAlphaShift = clamped_byte(alpha > 0 ? red + green + blue : 0);
    d.cDepthBits = clamped_byte(value(EGL_DEPTH_SIZE));
    d.cStencilBits = clamped_byte(value(EGL_STENCIL_SIZE));
    d.iLayerType = PFD_MAIN_PLANE;
    return d;
}
