// The x11 event pump: each X event of a window goes to its own small handler,
// which reports it through the event API; message boxes take their own.
#include <cerrno>
#include <poll.h>

#include "platform/standin/drivers/events.h"
#include "platform/standin/drivers/x11/x11_driver.h"

// A handler may run the window procedure, which may destroy the window: none
// touches its record after its last report.

static void on_key_press(X11Window* w, XEvent* event)
{
    int virtual_key = 0, character = 0;
    x11_translate_key(&event->xkey, &virtual_key, &character);
    if (virtual_key == 0 || x11_has_open_message_box(w)) return;
    event_key(w->handle, virtual_key, character, true);
}

// Releases still arrive while a message box is up, so no key stays held.
static void on_key_release(X11Window* w, XEvent* event)
{
    int virtual_key = 0, character = 0;
    x11_translate_key(&event->xkey, &virtual_key, &character);
    if (virtual_key == 0) return;
    event_key(w->handle, virtual_key, 0, false);
}

// X buttons 1, 2, 3 are left, middle, right; 4 to 7 are wheel steps, not buttons.
static bool button_of(unsigned int x_button, MouseButton* button)
{
    switch (x_button) {
    case Button1:
        *button = BUTTON_LEFT;
        return true;
    case Button3:
        *button = BUTTON_RIGHT;
        return true;
    case Button2:
        *button = BUTTON_MIDDLE;
        return true;
    default:
        return false;
    }
}

static void on_button_press(X11Window* w, XEvent* event)
{
    MouseButton button;
    if (!button_of(event->xbutton.button, &button) || x11_has_open_message_box(w)) return;
    event_button(w->handle, button, true, event->xbutton.x, event->xbutton.y);
}

static void on_button_release(X11Window* w, XEvent* event)
{
    MouseButton button;
    if (!button_of(event->xbutton.button, &button)) return;
    event_button(w->handle, button, false, event->xbutton.x, event->xbutton.y);
}

// During a drag X keeps reporting to the window pressed in, with coordinates
// that may lie outside it: the same as a captured mouse on Windows.
static void on_motion(X11Window* w, XEvent* event)
{
    if (x11_has_open_message_box(w)) return;
    event_motion(w->handle, event->xmotion.x, event->xmotion.y);
}

// The window under the pointer changed, the pointer still or not (the window
// appeared under it, or the pointer came in): Windows reports a move.
static void on_enter(X11Window* w, XEvent* event)
{
    const XCrossingEvent& crossing = event->xcrossing;
    if (crossing.mode != NotifyNormal || crossing.detail == NotifyInferior || x11_has_open_message_box(w))
        return;
    event_motion(w->handle, crossing.x, crossing.y);
}

// Focus moving inside the window, or held by a grab for a moment (a manager's
// key binding), is not a change of activation.
static bool is_real_focus_change(const XFocusChangeEvent* event)
{
    return event->mode != NotifyGrab && event->mode != NotifyUngrab && event->detail != NotifyInferior;
}

static void on_focus_in(X11Window* w, XEvent* event)
{
    if (!is_real_focus_change(&event->xfocus) || w->focused) return;
    w->focused = true;
    event_focus(w->handle, true);
}

static void on_focus_out(X11Window* w, XEvent* event)
{
    if (!is_real_focus_change(&event->xfocus) || !w->focused) return;
    w->focused = false;
    event_focus(w->handle, false);
}

static void on_expose(X11Window* w, XEvent* event)
{
    if (event->xexpose.count == 0) event_exposed(w->handle);
}

static void on_configure(X11Window* w, XEvent* event)
{
    if (event->xconfigure.window != w->frame) return;
    HWND handle = w->handle;
    int width = event->xconfigure.width, height = event->xconfigure.height;
    bool resized = width != w->width || height != w->height;
    w->width = width;
    w->height = height;
    x11_fit_surface(w);
    // A managed window's own coordinates are relative to the manager's frame.
    int screen_x = 0, screen_y = 0;
    ::Window child;
    XTranslateCoordinates(x11.display, w->frame, x11.root, 0, 0, &screen_x, &screen_y, &child);
    bool moved = screen_x != w->screen_x || screen_y != w->screen_y;
    w->screen_x = screen_x;
    w->screen_y = screen_y;
    if (w->minimised) return;
    if (resized) event_resized(handle, width, height, false);
    if (moved) event_moved(handle, screen_x, screen_y);
}

static void on_map(X11Window* w, XEvent* event)
{
    if (event->xmap.window != w->frame) return;
    x11_focus_if_unmanaged(w->frame);
    if (!w->minimised) return;
    w->minimised = false;
    event_resized(w->handle, w->width, w->height, false);
}

// A window the manager iconifies is unmapped: on Windows it is minimised,
// with a client size of 0 x 0.
static void on_unmap(X11Window* w, XEvent* event)
{
    if (event->xunmap.window != w->frame || w->minimised || !x11_is_iconic(w->frame)) return;
    w->minimised = true;
    event_resized(w->handle, 0, 0, true);
}

// Another client destroyed the window (its surface goes with it), or only the
// surface GL draws into: either way nothing can be shown any more, and the
// window goes as if DestroyWindow were called.
static void on_destroy(X11Window* w, XEvent* event)
{
    ::Window destroyed = event->xdestroywindow.window;
    if (w->gone || w->surface_gone || (destroyed != w->frame && destroyed != w->surface)) return;
    w->gone = destroyed == w->frame;
    w->surface_gone = true;
    event_window_gone(w->handle);
}

static void on_client_message(X11Window* w, XEvent* event)
{
    if (x11_answer_ping(&event->xclient)) return;
    if (x11_is_delete_request(&event->xclient)) event_close_request(w->handle);
}

typedef void (*EventHandler)(X11Window* window, XEvent* event);
struct HandlerRow {
    int type;
    EventHandler handler;
};
static const HandlerRow EVENT_HANDLERS[] = {
    {KeyPress, on_key_press},
    {KeyRelease, on_key_release},
    {ButtonPress, on_button_press},
    {ButtonRelease, on_button_release},
    {MotionNotify, on_motion},
    {EnterNotify, on_enter},
    {FocusIn, on_focus_in},
    {FocusOut, on_focus_out},
    {Expose, on_expose},
    {ConfigureNotify, on_configure},
    {MapNotify, on_map},
    {UnmapNotify, on_unmap},
    {DestroyNotify, on_destroy},
    {ClientMessage, on_client_message},
};

static void dispatch(XEvent* event)
{
    if (event->type == MappingNotify) {
        XRefreshKeyboardMapping(&event->xmapping);
        return;
    }
    if (x11_message_box_event(event)) return;
    X11Window* w = x11_find_window(event->xany.window);
    if (!w) return;
    x11_note_pointer(w, event);
    for (const HandlerRow& row : EVENT_HANDLERS)
        if (row.type == event->type) {
            row.handler(w, event);
            return;
        }
}

// Only what is queued now: a stream of new events (a moving mouse) cannot
// keep the caller here. While the input queue is full the rest stays in
// Xlib's queue, in order, so nothing typed is lost.
void x11_poll_events()
{
    int count = XEventsQueued(x11.display, QueuedAfterFlush);
    while (count-- > 0 && event_input_has_room()) {
        XEvent event;
        XNextEvent(x11.display, &event);
        dispatch(&event);
    }
}

void x11_wait_events(int timeout)
{
    if (XEventsQueued(x11.display, QueuedAfterFlush) == 0) {
        pollfd descriptor = {ConnectionNumber(x11.display), POLLIN, 0};
        // A broken connection wakes this too; the next read then reports it.
        while (poll(&descriptor, 1, timeout) < 0 && errno == EINTR) { }
    }
    x11_poll_events();
}
