// Window timers. A due timer becomes WM_TIMER only when the queue has nothing
// else for the look (the lowest priority, as on Windows), and a waiting
// GetMessage wakes when the next one is due.
#include <time.h>

#include "platform/standin/user/user_state.h"

// The shortest interval Windows keeps (USER_TIMER_MINIMUM).
static const UINT SHORTEST_INTERVAL = 10;

DWORD tick_count()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<DWORD>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

static Timer* find_timer(HWND window, UINT_PTR id)
{
    for (Timer& timer : user_state.timers)
        if (timer.used && timer.window == window && timer.id == id) return &timer;
    return nullptr;
}

// Ticks wrap after 49 days: what counts is the signed distance.
static int milliseconds_until(DWORD due)
{
    return static_cast<int>(static_cast<int32_t>(due - tick_count()));
}

UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT interval, TIMERPROC procedure)
{
    if (!platform_call("SetTimer")) return 0;
    // Only window timers that arrive as messages are kept here.
    if (window == nullptr || !is_live_window(window) || procedure != nullptr) return 0;
    Timer* timer = find_timer(window, id);
    for (Timer& slot : user_state.timers)
        if (timer == nullptr && !slot.used) timer = &slot;
    if (timer == nullptr) return 0;
    interval = interval < SHORTEST_INTERVAL ? SHORTEST_INTERVAL : interval;
    *timer = Timer{true, window, id, interval, tick_count() + interval};
    return id == 0 ? 1 : id;
}

BOOL WINAPI KillTimer(HWND window, UINT_PTR id)
{
    if (!platform_call("KillTimer")) return FALSE;
    Timer* timer = find_timer(window, id);
    if (timer == nullptr) return FALSE;
    *timer = Timer{};
    return TRUE;
}

bool take_due_timer(MSG* message, HWND filter, bool remove)
{
    for (Timer& timer : user_state.timers) {
        if (!timer.used || (filter != nullptr && filter != timer.window) || milliseconds_until(timer.due) > 0)
            continue;
        *message = MSG{timer.window, WM_TIMER, timer.id, 0, tick_count(), user_state.cursor};
        if (remove) timer.due = tick_count() + timer.interval;
        return true;
    }
    return false;
}

int milliseconds_to_next_timer()
{
    int shortest = -1;
    for (const Timer& timer : user_state.timers) {
        if (!timer.used) continue;
        int wait = milliseconds_until(timer.due);
        wait = wait < 0 ? 0 : wait;
        if (shortest < 0 || wait < shortest) shortest = wait;
    }
    return shortest;
}

void forget_window_timers(HWND window)
{
    for (Timer& timer : user_state.timers)
        if (timer.window == window) timer = Timer{};
}
