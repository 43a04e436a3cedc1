// The wayland event pump: what the compositor sent is read without blocking
// and dispatched to the listeners (each event its own handler), and a held
// key repeats on the driver's own clock. Waiting never outlasts the next repeat.
#include <cerrno>
#include <ctime>
#include <poll.h>

#include "platform/standin/drivers/events.h"
#include "platform/standin/drivers/wayland/wayland_driver.h"

long long wayland_now()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Dispatches what was read; returns how many events that was.
static int dispatch_pending()
{
    int count = wl_display_dispatch_pending(wayland.display);
    if (count < 0) wayland_connection_lost();
    return count;
}

// Reads what arrives within `timeout` milliseconds (0: what is there now);
// events already read and now dispatched end the wait at once.
static void read_events(int timeout)
{
    while (wl_display_prepare_read(wayland.display) != 0)
        if (dispatch_pending() > 0) timeout = 0;
    wayland_flush();
    pollfd descriptor = {wl_display_get_fd(wayland.display), POLLIN, 0};
    int ready;
    while ((ready = poll(&descriptor, 1, timeout)) < 0 && errno == EINTR) { }
    if (ready <= 0) {
        wl_display_cancel_read(wayland.display);
        return;
    }
    // A broken connection reads as an error here.
    if (wl_display_read_events(wayland.display) < 0) wayland_connection_lost();
}

// Input the queue had no room for goes first; until all of it has gone,
// nothing new is read.
void wayland_poll_events()
{
    if (!wayland_deliver_backlog()) return;
    read_events(0);
    dispatch_pending();
    wayland_repeat_keys();
}

void wayland_wait_events(int timeout)
{
    if (!wayland_deliver_backlog()) {
        nap_a_moment();
        return;
    }
    int until_repeat = wayland_repeat_keys();
    if (until_repeat >= 0 && (timeout < 0 || until_repeat < timeout)) timeout = until_repeat;
    read_events(timeout);
    dispatch_pending();
    wayland_repeat_keys();
}
