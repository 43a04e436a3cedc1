// What a window manager or the user can do to another client's window, for
// the e2e-x11 scripts:
//   wm_request delete WINDOW_ID   sends WM_DELETE_WINDOW (the close box)
//   wm_request kill WINDOW_ID     has the server kill the window's client
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <X11/Xlib.h>

static Status send_delete(Display* display, ::Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    return XSendEvent(display, window, False, NoEventMask, &event);
}

int main(int argc, char** argv) {
    bool delete_request = argc == 3 && std::strcmp(argv[1], "delete") == 0;
    bool kill_request = argc == 3 && std::strcmp(argv[1], "kill") == 0;
    if (!delete_request && !kill_request) {
        std::fprintf(stderr, "usage: wm_request delete|kill WINDOW_ID\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "wm_request: cannot open the display\n");
        return 1;
    }
    ::Window window = static_cast<::Window>(std::strtoul(argv[2], nullptr, 0));
    Status done = 1;
    if (delete_request)
        done = send_delete(display, window);
    else
        XKillClient(display, window);
    XSync(display, False);
    XCloseDisplay(display);
    return done ? 0 : 1;
}
