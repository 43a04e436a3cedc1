// What a window manager or the user can do to another client's window, for
// the e2e-x11 scripts:
//   wm_request delete WINDOW_ID   sends WM_DELETE_WINDOW (the close box)
//   wm_request kill WINDOW_ID     has the server kill the window's client
//   wm_request ping WINDOW_ID     sends _NET_WM_PING; exits 0 once answered
#include <poll.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <X11/Xlib.h>

static Status send_delete(Display* display, ::Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    return XSendEvent(display, window, False, NoEventMask, &event);
}

// The answer comes back to the root window as the same message; a client
// that never answers is given ten seconds.
static Status ping(Display* display, ::Window window)
{
    ::Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    Atom ping_atom = XInternAtom(display, "_NET_WM_PING", False);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(ping_atom);
    event.xclient.data.l[1] = 4242;
    event.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    for (int waits = 0; waits < 100;) {
        if (XPending(display) == 0) {
            pollfd descriptor = {ConnectionNumber(display), POLLIN, 0};
            if (poll(&descriptor, 1, 100) == 0) waits++;
            continue;
        }
        XEvent answer;
        XNextEvent(display, &answer);
        if (answer.type == ClientMessage && answer.xclient.window == root &&
            answer.xclient.message_type == protocols &&
            static_cast<Atom>(answer.xclient.data.l[0]) == ping_atom && answer.xclient.data.l[1] == 4242 &&
            static_cast<::Window>(answer.xclient.data.l[2]) == window)
            return 1;
    }
    return 0;
}

int main(int argc, char** argv)
{
    bool delete_request = argc == 3 && std::strcmp(argv[1], "delete") == 0;
    bool kill_request = argc == 3 && std::strcmp(argv[1], "kill") == 0;
    bool ping_request = argc == 3 && std::strcmp(argv[1], "ping") == 0;
    if (!delete_request && !kill_request && !ping_request) {
        std::fprintf(stderr, "usage: wm_request delete|kill|ping WINDOW_ID\n");
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
    else if (ping_request)
        done = ping(display, window);
    else
        XKillClient(display, window);
    XSync(display, False);
    XCloseDisplay(display);
    return done ? 0 : 1;
}
