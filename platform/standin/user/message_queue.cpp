// The thread's message queue. A look at it takes, in this order: messages sent
// from outside (driver events that Windows delivers as sent messages), posted
// messages, the quit flag, input from the driver, and WM_PAINT for a window
// with an update region. WM_QUIT ignores the message range, as on Windows.
#include <cstring>

#include "platform/standin/user/user_state.h"

// One of the queue's three lists, in the USER state.
struct MessageList {
    QueuedMessage* entries;
    int capacity;
    int* count;
};

static MessageList posted()
{
    return MessageList{user_state.posted, POSTED_CAPACITY, &user_state.posted_count};
}
static MessageList input()
{
    return MessageList{user_state.input, INPUT_CAPACITY, &user_state.input_count};
}
static MessageList sent()
{
    return MessageList{user_state.sent, SENT_CAPACITY, &user_state.sent_count};
}

static bool append(MessageList list, HWND window, UINT message, WPARAM wParam, LPARAM lParam, int character)
{
    if (*list.count == list.capacity) return false;
    QueuedMessage& entry = list.entries[(*list.count)++];
    entry.message = MSG{window, message, wParam, lParam, tick_count(), user_state.cursor};
    entry.character = character;
    return true;
}

static void remove_at(MessageList list, int index)
{
    std::memmove(&list.entries[index], &list.entries[index + 1],
        sizeof(QueuedMessage) * static_cast<size_t>(*list.count - index - 1));
    (*list.count)--;
}

static bool window_matches(HWND message_window, HWND filter)
{
    if (filter == nullptr) return true;
    if (filter == WINDOWLESS_MESSAGES) return message_window == nullptr;
    return message_window == filter;
}

static bool range_matches(UINT message, UINT first, UINT last)
{
    if (first == 0 && last == 0) return true;
    return message >= first && message <= last;
}

static int find(MessageList list, HWND window, UINT first, UINT last)
{
    for (int i = 0; i < *list.count; i++) {
        const MSG& message = list.entries[i].message;
        if (window_matches(message.hwnd, window) && range_matches(message.message, first, last)) return i;
    }
    return -1;
}

bool post_message(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return append(posted(), window, message, wParam, lParam, 0);
}

// Repeated motion with the same buttons replaces the motion still waiting, as
// Windows coalesces mouse moves.
bool queue_input(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int character)
{
    if (message == WM_MOUSEMOVE && user_state.input_count > 0) {
        MSG& last = user_state.input[user_state.input_count - 1].message;
        if (last.message == WM_MOUSEMOVE && last.hwnd == window && last.wParam == wParam) {
            last.lParam = lParam;
            last.time = tick_count();
            last.pt = user_state.cursor;
            return true;
        }
    }
    return append(input(), window, message, wParam, lParam, character);
}

void queue_sent(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    append(sent(), window, message, wParam, lParam, 0);
}

// Each delivery may queue more; all are delivered before the look goes on.
static void deliver_sent()
{
    while (user_state.sent_count > 0) {
        MSG message = user_state.sent[0].message;
        remove_at(sent(), 0);
        if (message.message == STANDIN_FOCUS_CHANGE) {
            if (message.wParam != 0)
                activate_window(message.hwnd);
            else
                deactivate_window(message.hwnd);
        } else if (message.message == STANDIN_WINDOW_GONE) {
            destroy_window(message.hwnd);
        } else {
            send_message(message.hwnd, message.message, message.wParam, message.lParam);
        }
    }
}

static void drop_from(MessageList list, HWND window)
{
    for (int i = *list.count - 1; i >= 0; i--)
        if (list.entries[i].message.hwnd == window) remove_at(list, i);
}

void drop_window_messages(HWND window)
{
    drop_from(posted(), window);
    drop_from(input(), window);
    drop_from(sent(), window);
}

void post_quit(int exit_code)
{
    user_state.quit_pending = true;
    user_state.quit_code = exit_code;
}

bool take_quit(int* exit_code)
{
    if (!user_state.quit_pending) return false;
    user_state.quit_pending = false;
    *exit_code = user_state.quit_code;
    return true;
}

bool peek_message(MSG* message, HWND window, UINT first, UINT last, bool remove)
{
    if (const DisplayDriver* driver = chosen_driver()) driver->poll_events();
    deliver_sent();

    int index = find(posted(), window, first, last);
    if (index >= 0) {
        *message = user_state.posted[index].message;
        if (remove) remove_at(posted(), index);
        return true;
    }
    if (user_state.quit_pending) {
        *message = MSG{
            nullptr, WM_QUIT, static_cast<WPARAM>(user_state.quit_code), 0, tick_count(), user_state.cursor};
        if (remove) user_state.quit_pending = false;
        return true;
    }
    index = find(input(), window, first, last);
    if (index >= 0) {
        QueuedMessage entry = user_state.input[index];
        *message = entry.message;
        if (remove) {
            remove_at(input(), index);
            note_retrieved_input(message, entry.character);
        }
        return true;
    }
    if (range_matches(WM_PAINT, first, last)) {
        HWND needing = window_needing_paint(window);
        if (needing != nullptr) {
            *message = MSG{needing, WM_PAINT, 0, 0, tick_count(), user_state.cursor};
            return true;
        }
    }
    return range_matches(WM_TIMER, first, last) && take_due_timer(message, window, remove);
}

BOOL WINAPI PeekMessageA(LPMSG message, HWND window, UINT first, UINT last, UINT remove)
{
    if (!platform_call("PeekMessageA")) return FALSE;
    if (message == nullptr) return FALSE;
    return peek_message(message, window, first, last, (remove & PM_REMOVE) != 0) ? TRUE : FALSE;
}

// Waits on the driver until something arrives or the next timer is due. With
// no display at all only a timer can come, and the wait naps instead of
// spinning, as a thread blocked in GetMessage would.
BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT first, UINT last)
{
    if (!platform_call("GetMessageA")) return -1;
    if (message == nullptr) return -1;
    if (window != nullptr && window != WINDOWLESS_MESSAGES && !is_live_window(window)) {
        *message = MSG{};
        return -1;
    }
    for (;;) {
        if (peek_message(message, window, first, last, true)) return message->message == WM_QUIT ? 0 : 1;
        const DisplayDriver* driver = current_driver();
        if (driver != nullptr) {
            driver->wait_events(milliseconds_to_next_timer());
        } else {
            nap_a_moment();
        }
    }
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!platform_call("PostMessageA")) return FALSE;
    if (window == HWND_BROADCAST) {
        for (int i = 0; WindowRecord* record = window_record_at(i); i++)
            if (!record->destroying) post_message(record->handle, message, wParam, lParam);
        return TRUE;
    }
    if (window != nullptr && !is_live_window(window)) return FALSE;
    return post_message(window, message, wParam, lParam) ? TRUE : FALSE;
}

void WINAPI PostQuitMessage(int exit_code)
{
    if (!platform_call("PostQuitMessage")) return;
    post_quit(exit_code);
}
