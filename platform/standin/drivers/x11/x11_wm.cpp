// Window manager conventions (ICCCM and EWMH): titles, protocols, placement
// hints, ping answers, the iconic state, and focus when no manager runs.
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include <X11/Xatom.h>

#include "platform/standin/drivers/x11/x11_driver.h"

// Titles come as Latin-1 (the ANSI code page); WM_NAME takes Latin-1 as it is
// and _NET_WM_NAME wants UTF-8.
void x11_set_title(::Window window, const char* title)
{
    XStoreName(x11.display, window, title);
    unsigned char utf8[1024];
    int length = 0;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(title); *c && length < 1022; c++) {
        if (*c < 0x80) {
            utf8[length++] = *c;
        } else {
            utf8[length++] = static_cast<unsigned char>(0xC0 | (*c >> 6));
            utf8[length++] = static_cast<unsigned char>(0x80 | (*c & 0x3F));
        }
    }
    XChangeProperty(x11.display, window, x11.net_wm_name, x11.utf8_string, 8, PropModeReplace, utf8, length);
}

void x11_set_protocols(::Window window)
{
    Atom protocols[] = {x11.wm_delete_window, x11.net_wm_ping};
    XSetWMProtocols(x11.display, window, protocols, 2);
}

// The position asked for is that of the client area itself (static gravity),
// given as user-specified so that it is kept with or without a manager.
void x11_set_normal_hints(::Window window, int x, int y, int width, int height, bool fixed_size)
{
    XSizeHints* hints = XAllocSizeHints();
    if (!hints) return;
    hints->flags = USPosition | PPosition | USSize | PSize | PWinGravity;
    hints->x = x;
    hints->y = y;
    hints->width = width;
    hints->height = height;
    hints->win_gravity = StaticGravity;
    if (fixed_size) {
        hints->flags |= PMinSize | PMaxSize;
        hints->min_width = hints->max_width = width;
        hints->min_height = hints->max_height = height;
    }
    XSetWMNormalHints(x11.display, window, hints);
    XFree(hints);
}

// Who owns the window (for managers that offer to kill a hung client), that it
// takes the focus, and its class.
void x11_set_owner_properties(::Window window)
{
    XWMHints* wm_hints = XAllocWMHints();
    if (wm_hints) {
        wm_hints->flags = InputHint | StateHint;
        wm_hints->input = True;
        wm_hints->initial_state = NormalState;
        XSetWMHints(x11.display, window, wm_hints);
        XFree(wm_hints);
    }
    // The program's own name, and as its class the same capitalised, as X
    // programs name their class.
    char name[64] = {};
    std::snprintf(name, sizeof name, "%s", program_invocation_short_name);
    char class_name[64] = {};
    std::snprintf(class_name, sizeof class_name, "%s", name);
    class_name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(class_name[0])));
    XClassHint class_hint = {name, class_name};
    XSetClassHint(x11.display, window, &class_hint);

    long pid = static_cast<long>(getpid());
    XChangeProperty(x11.display, window, x11.net_wm_pid, XA_CARDINAL, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(&pid), 1);
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        XTextProperty text;
        char* list[] = {host};
        if (XStringListToTextProperty(list, 1, &text)) {
            XSetWMClientMachine(x11.display, window, &text);
            XFree(text.value);
        }
    }
}

bool x11_is_delete_request(const XClientMessageEvent* event)
{
    return event->message_type == x11.wm_protocols && event->format == 32 &&
        static_cast<Atom>(event->data.l[0]) == x11.wm_delete_window;
}

bool x11_answer_ping(const XClientMessageEvent* event)
{
    if (event->message_type != x11.wm_protocols || event->format != 32 ||
        static_cast<Atom>(event->data.l[0]) != x11.net_wm_ping)
        return false;
    XEvent reply{};
    reply.xclient = *event;
    reply.xclient.window = x11.root;
    XSendEvent(x11.display, x11.root, False, SubstructureNotifyMask | SubstructureRedirectMask, &reply);
    XFlush(x11.display);
    return true;
}

// The manager sets WM_STATE to IconicState before it unmaps a window it minimises.
bool x11_is_iconic(::Window window)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    bool iconic = false;
    if (XGetWindowProperty(x11.display, window, x11.wm_state, 0, 2, False, x11.wm_state, &type, &format,
            &count, &remaining, &data) == Success &&
        data) {
        if (format == 32 && count >= 1) iconic = reinterpret_cast<long*>(data)[0] == IconicState;
        XFree(data);
    }
    return iconic;
}

void x11_focus_if_unmanaged(::Window window)
{
    XWindowAttributes root{};
    if (!XGetWindowAttributes(x11.display, x11.root, &root)) return;
    if (root.all_event_masks & SubstructureRedirectMask) return; // a manager decides
    XSetInputFocus(x11.display, window, RevertToPointerRoot, CurrentTime);
}
