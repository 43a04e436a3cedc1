// Where the pointer is, without a round trip to the server every frame: while
// it is over one of the windows, or a button pressed in one keeps it reporting
// there, every move reaches that window as an event, and the last one tells
// the place. Anywhere else the server is asked.
#include "platform/standin/drivers/x11/x11_driver.h"

static constexpr unsigned int BUTTONS_HELD =
    Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask;

static unsigned int mask_of(unsigned int button)
{
    return button >= Button1 && button <= Button5 ? Button1Mask << (button - Button1) : 0;
}

static void place(int screen_x, int screen_y, unsigned int buttons)
{
    x11.pointer.screen_x = screen_x;
    x11.pointer.screen_y = screen_y;
    x11.pointer.held = (buttons & BUTTONS_HELD) != 0;
}

// Button and motion states are those before the event.
void x11_note_pointer(X11Window* w, const XEvent* event)
{
    switch (event->type) {
    case MotionNotify:
        place(event->xmotion.x_root, event->xmotion.y_root, event->xmotion.state);
        break;
    case ButtonPress:
        place(event->xbutton.x_root, event->xbutton.y_root,
            event->xbutton.state | mask_of(event->xbutton.button));
        break;
    case ButtonRelease:
        place(event->xbutton.x_root, event->xbutton.y_root,
            event->xbutton.state & ~mask_of(event->xbutton.button));
        break;
    case EnterNotify:
        if (event->xcrossing.mode == NotifyGrab) break;
        x11.pointer.over = w;
        place(event->xcrossing.x_root, event->xcrossing.y_root, event->xcrossing.state);
        break;
    case LeaveNotify:
        // Into the window's own surface is no leaving; another client's grab
        // takes every move away until it ends.
        if (event->xcrossing.detail == NotifyInferior && event->xcrossing.mode != NotifyGrab) break;
        if (x11.pointer.over == w) x11.pointer.over = nullptr;
        if (event->xcrossing.mode == NotifyGrab) x11.pointer.held = false;
        break;
    default:
        break;
    }
}

void x11_forget_pointer_window(X11Window* w)
{
    if (x11.pointer.over == w) x11.pointer = X11Pointer{};
}

bool x11_get_cursor_pos(int* screen_x, int* screen_y)
{
    if (x11.pointer.over == nullptr && !x11.pointer.held) {
        ::Window root, child;
        int x, y;
        unsigned int buttons;
        if (!XQueryPointer(x11.display, x11.root, &root, &child, &x11.pointer.screen_x, &x11.pointer.screen_y,
                &x, &y, &buttons))
            return false;
    }
    *screen_x = x11.pointer.screen_x;
    *screen_y = x11.pointer.screen_y;
    return true;
}
