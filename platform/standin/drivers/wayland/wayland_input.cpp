// Input reports in order, none lost: the connection hands over its events a
// whole read at a time, which may be more than the input queue has room for.
// What the queue refuses waits here, in order, and goes first once there is
// room; a report for a window gone meanwhile is dropped, as the queue drops it.
#include "platform/standin/drivers/events.h"
#include "platform/standin/drivers/wayland/wayland_driver.h"

static void deliver(const WaylandReport& report)
{
    switch (report.kind) {
    case REPORT_KEY:
        event_key(report.window, report.code, report.character, report.down);
        break;
    case REPORT_BUTTON:
        event_button(report.window, static_cast<MouseButton>(report.code), report.down, report.x, report.y);
        break;
    case REPORT_MOTION:
        event_motion(report.window, report.x, report.y);
        break;
    }
}

static void report(const WaylandReport& report)
{
    WaylandBacklog& backlog = wayland.backlog;
    if (backlog.count == 0 && event_input_has_room()) {
        deliver(report);
        return;
    }
    if (backlog.count == WAYLAND_MAX_BACKLOG) return; // far beyond any one read
    backlog.reports[(backlog.first + backlog.count++) % WAYLAND_MAX_BACKLOG] = report;
}

bool wayland_deliver_backlog()
{
    WaylandBacklog& backlog = wayland.backlog;
    while (backlog.count > 0 && event_input_has_room()) {
        deliver(backlog.reports[backlog.first]);
        backlog.first = (backlog.first + 1) % WAYLAND_MAX_BACKLOG;
        backlog.count--;
    }
    return backlog.count == 0;
}

void wayland_report_key(HWND window, int virtual_key, int character, bool down)
{
    report(WaylandReport{REPORT_KEY, window, virtual_key, character, down, 0, 0});
}

void wayland_report_button(HWND window, MouseButton button, bool down, int x, int y)
{
    report(WaylandReport{REPORT_BUTTON, window, button, 0, down, x, y});
}

void wayland_report_motion(HWND window, int x, int y)
{
    report(WaylandReport{REPORT_MOTION, window, 0, 0, false, x, y});
}
