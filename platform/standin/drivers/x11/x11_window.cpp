// Top-level X windows and the GL surface child each gets once its pixel
// format is set.
#include "platform/standin/drivers/x11/x11_driver.h"

static constexpr long FRAME_EVENTS = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
    PointerMotionMask | EnterWindowMask | LeaveWindowMask | FocusChangeMask | StructureNotifyMask |
    ExposureMask;

X11Window* x11_find_window(::Window window)
{
    if (window == 0) return nullptr;
    for (X11Window& w : x11.windows)
        if (w.in_use && (w.frame == window || w.surface == window)) return &w;
    return nullptr;
}

DriverWindow* x11_create_window(HWND handle, const char* title, int x, int y, int width, int height)
{
    X11Window* w = free_slot(x11.windows);
    if (!w) return nullptr;
    // X has no empty windows: a zero size becomes one pixel.
    unsigned int frame_width = width > 0 ? static_cast<unsigned int>(width) : 1;
    unsigned int frame_height = height > 0 ? static_cast<unsigned int>(height) : 1;

    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(x11.display, x11.screen);
    attributes.border_pixel = 0;
    attributes.event_mask = FRAME_EVENTS;
    x11_trap_errors();
    ::Window frame = XCreateWindow(x11.display, x11.root, x, y, frame_width, frame_height, 0, CopyFromParent,
        InputOutput, CopyFromParent, CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
    if (x11_untrap_errors() != 0 || frame == 0) return nullptr;

    x11_set_title(frame, title ? title : "");
    x11_set_protocols(frame);
    x11_set_normal_hints(frame, x, y, static_cast<int>(frame_width), static_cast<int>(frame_height), false);
    x11_set_owner_properties(frame);

    *w = X11Window{};
    w->in_use = true;
    w->handle = handle;
    w->frame = frame;
    w->width = static_cast<int>(frame_width);
    w->height = static_cast<int>(frame_height);
    w->screen_x = x;
    w->screen_y = y;
    return driver_window(w);
}

void x11_show_window(DriverWindow* window)
{
    X11Window* w = x11_window(window);
    XMapRaised(x11.display, w->frame);
    XFlush(x11.display);
}

static void release_surface(X11Window* w)
{
    x11_glx_forget_window(w);
    if (w->glx_surface) glXDestroyWindow(x11.display, w->glx_surface);
    if (w->surface && !w->gone && !w->surface_gone) XDestroyWindow(x11.display, w->surface);
    if (w->surface_colormap) XFreeColormap(x11.display, w->surface_colormap);
    w->glx_surface = 0;
    w->surface = 0;
    w->surface_colormap = 0;
}

void x11_destroy_window(DriverWindow* window)
{
    X11Window* w = x11_window(window);
    if (!w || !w->in_use) return;
    release_surface(w);
    x11_forget_pointer_window(w);
    if (!w->gone) XDestroyWindow(x11.display, w->frame);
    XFlush(x11.display);
    *w = X11Window{};
}

void x11_destroy_all_windows()
{
    for (X11Window& w : x11.windows)
        if (w.in_use) x11_destroy_window(driver_window(&w));
}

// The child takes no input of its own, so keys, buttons and motion over it
// reach the frame with frame coordinates, which are the client coordinates.
bool x11_attach_surface(X11Window* w, XVisualInfo* visual)
{
    x11_trap_errors();
    Colormap colormap = XCreateColormap(x11.display, w->frame, visual->visual, AllocNone);
    XSetWindowAttributes attributes{};
    attributes.colormap = colormap;
    attributes.border_pixel = 0;
    attributes.background_pixmap = None; // GL draws every pixel; no flash of background
    attributes.event_mask = ExposureMask | StructureNotifyMask; // for its destruction
    PixelSize size = surface_size(w->width, w->height, x11.largest_surface);
    ::Window surface = XCreateWindow(x11.display, w->frame, 0, 0, static_cast<unsigned int>(size.width),
        static_cast<unsigned int>(size.height), 0, visual->depth, InputOutput, visual->visual,
        CWColormap | CWBorderPixel | CWBackPixmap | CWEventMask, &attributes);
    if (x11_untrap_errors() != 0 || surface == 0) {
        if (surface) XDestroyWindow(x11.display, surface);
        XFreeColormap(x11.display, colormap);
        return false;
    }
    XMapWindow(x11.display, surface);
    w->surface = surface;
    w->surface_colormap = colormap;
    return true;
}

void x11_fit_surface(X11Window* w)
{
    if (!w->surface || w->gone || w->surface_gone) return;
    PixelSize size = surface_size(w->width, w->height, x11.largest_surface);
    XResizeWindow(x11.display, w->surface, static_cast<unsigned int>(size.width),
        static_cast<unsigned int>(size.height));
}

void x11_fit_all_surfaces()
{
    for (X11Window& w : x11.windows)
        if (w.in_use) x11_fit_surface(&w);
}
