// rollbox1's scene on bare Xlib and GLX, with no toolkit at all: the floor
// the side-by-side benchmark measures rollbox1 against. One window of 600 x
// 500, one animation step a frame, events taken only when some are queued.
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdio>

#include "demo/demo.h"
#include "platform/gl.h"

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "bare_scene: cannot open the X display\n");
        return 1;
    }
    int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8,
        GLX_DEPTH_SIZE, 16, None};
    XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), attributes);
    if (visual == nullptr) {
        std::fprintf(stderr, "bare_scene: no double-buffered RGB visual\n");
        return 1;
    }
    ::Window root = RootWindow(display, visual->screen);
    XSetWindowAttributes window_attributes = {};
    window_attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    window_attributes.event_mask = StructureNotifyMask | ExposureMask | KeyPressMask;
    ::Window window = XCreateWindow(display, root, 100, 100, 600, 500, 0, visual->depth, InputOutput,
        visual->visual, CWColormap | CWEventMask, &window_attributes);
    XStoreName(display, window, "bare scene");
    Atom delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &delete_window, 1);
    XMapWindow(display, window);
    GLXContext context = glXCreateContext(display, visual, nullptr, True);
    glXMakeCurrent(display, window, context);

    load_image_bank();
    set_fixed_render_state();
    set_texture_sampling();
    reshape_view(600, 500);
    for (bool running = true; running;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == ConfigureNotify) reshape_view(event.xconfigure.width, event.xconfigure.height);
            if (event.type == KeyPress && XLookupKeysym(&event.xkey, 0) == XK_Escape) running = false;
            if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == delete_window)
                running = false;
        }
        render_frame();
        glXSwapBuffers(display, window);
    }
    glXMakeCurrent(display, None, nullptr);
    glXDestroyContext(display, context);
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    return 0;
}
