// What a window manager does to another client's window, for the e2e-x11
// scripts: wm_request delete WINDOW_ID sends WM_DELETE_WINDOW (the close box);
// wm_request ping WINDOW_ID sends _NET_WM_PING and exits 0 once it is answered.
#include <poll.h>

#include <cstdlib>
#include <cstring>

#include <X11/Xlib.h>

int main(int argc, char** argv)
{
    bool ping = argc == 3 && std::strcmp(argv[1], "ping") == 0;
    if (argc != 3 || (!ping && std::strcmp(argv[1], "delete") != 0)) return 2;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    ::Window window = static_cast<::Window>(std::strtoul(argv[2], nullptr, 0)),
             root = DefaultRootWindow(display);
    Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    Atom request = XInternAtom(display, ping ? "_NET_WM_PING" : "WM_DELETE_WINDOW", False);
    XSelectInput(display, root, SubstructureNotifyMask);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(request);
    event.xclient.data.l[1] = 4242; // the ping's time stamp
    event.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    // The answer comes back to the root window as the same message; ten seconds at most.
    for (int waits = 0; ping && waits < 100;) {
        if (XPending(display) == 0) {
            pollfd descriptor = {ConnectionNumber(display), POLLIN, 0};
            waits += poll(&descriptor, 1, 100) == 0;
            continue;
        }
        XNextEvent(display, &event);
        if (event.type == ClientMessage && event.xclient.window == root &&
            event.xclient.message_type == protocols &&
            static_cast<Atom>(event.xclient.data.l[0]) == request && event.xclient.data.l[1] == 4242)
            ping = false;
    }
    XCloseDisplay(display);
    return ping ? 1 : 0;
}
