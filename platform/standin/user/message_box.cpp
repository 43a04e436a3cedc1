// Message boxes: modal over the driver's box. While the box is up the thread's
// messages keep being dispatched; a WM_QUIT taken meanwhile is put back when
// the box closes, so the caller's loop still sees it. Every box shown is
// recorded for the testing controls.
#include <cstdio>
#include <cstring>

#include "platform/standin/user/user_state.h"

static void record(HWND owner, const char* text, const char* caption, UINT style)
{
    if (user_state.box_count == MAX_RECORDED_BOXES) return;
    StandinMessageBox& box = user_state.boxes[user_state.box_count++];
    box.owner = owner;
    box.style = style;
    std::snprintf(box.caption, sizeof box.caption, "%s", caption);
    std::snprintf(box.text, sizeof box.text, "%s", text);
}

// Without a display the box is a line on stderr: "caption: text".
static void write_to_stderr(const char* text, const char* caption)
{
    size_t length = std::strlen(text);
    bool ends_line = length > 0 && text[length - 1] == '\n';
    std::fprintf(stderr, "%s: %s%s", caption, text, ends_line ? "" : "\n");
    std::fflush(stderr);
}

static void run_modal(const DisplayDriver* driver, DriverMessageBox* box)
{
    bool quit_taken = false;
    int quit_code = 0;
    while (driver->message_box_is_open(box)) {
        MSG message;
        if (!peek_message(&message, nullptr, 0, 0, true)) {
            driver->wait_events(milliseconds_to_next_timer());
            continue;
        }
        if (message.message == WM_QUIT) {
            quit_taken = true;
            quit_code = static_cast<int>(message.wParam);
            continue;
        }
        translate_message(&message);
        dispatch_message(&message);
    }
    driver->close_message_box(box);
    if (quit_taken) post_quit(quit_code);
}

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    if (!platform_call("MessageBoxA")) return 0;
    if (text == nullptr) text = "";
    if (caption == nullptr) caption = "Error";
    record(owner, text, caption, type);
    const DisplayDriver* driver = current_driver();
    DriverMessageBox* box = nullptr;
    if (driver != nullptr) box = driver->open_message_box(driver_window_of(owner), text, caption);
    if (box == nullptr) {
        write_to_stderr(text, caption);
        return IDOK;
    }
    run_modal(driver, box);
    return IDOK;
}

int standin_message_box_count()
{
    return user_state.box_count;
}

const StandinMessageBox* standin_message_box(int index)
{
    if (index < 0 || index >= user_state.box_count) return nullptr;
    return &user_state.boxes[index];
}
