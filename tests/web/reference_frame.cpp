// The frame the Linux build shows for a state, to compare the browser's with:
// rollbox1's start-up and message loop on the headless driver, with input
// arriving after given frames, up to a given frame, whose pixels it writes.
//
//   reference_frame OUT FRAME [ACTION...]
//
// OUT gets the client area's pixels, rows bottom to top, RGBA. An ACTION is
// AFTER:key:VK:CHAR (a key pressed and released), AFTER:hold:VK:CHAR:COUNT
// (a key held for COUNT key-downs, the later ones repeats), AFTER:move:X:Y,
// AFTER:down:BUTTON:X:Y or AFTER:up:BUTTON:X:Y (BUTTON 0 left, 1 right, 2
// middle), AFTER:hide or AFTER:show (the window minimised, or restored and
// exposed), each arriving once AFTER frames are shown; the program must be
// between two turns of its loop then, as it must be at FRAME.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "demo/demo.h"
#include "platform/standin/internal.h"
#include "platform/standin/testing.h"
#include "toolkit/toolkit.h"

namespace {

struct Action {
    int after;
    char kind[8];
    int a, b, c;
};

bool parse(const char* text, Action* action)
{
    *action = Action{};
    int fields = std::sscanf(
        text, "%d:%7[a-z]:%d:%d:%d", &action->after, action->kind, &action->a, &action->b, &action->c);
    bool bare = std::strcmp(action->kind, "hide") == 0 || std::strcmp(action->kind, "show") == 0;
    return fields >= 4 || (fields == 2 && bare);
}

int frames_shown()
{
    return standin_journal_count("SwapBuffers");
}

// The pointer at a client position, in screen coordinates as the stand-in
// places the client area.
void point_at(HWND window, int x, int y)
{
    const RECT& client = window_record(window)->client_rect;
    standin_set_cursor(client.left + x, client.top + y);
}

void deliver(HWND window, const Action& action, const RECT& client)
{
    auto is = [&action](const char* kind) { return std::strcmp(action.kind, kind) == 0; };
    if (is("key") || is("hold")) {
        int downs = is("key") ? 1 : action.c;
        for (int i = 0; i < downs; i++) standin_key_with_character(window, action.a, action.b, true);
        standin_key_with_character(window, action.a, 0, false);
    } else if (is("move")) {
        point_at(window, action.a, action.b);
        standin_motion(window, action.a, action.b);
    } else if (is("down") || is("up")) {
        point_at(window, action.b, action.c);
        standin_button(window, static_cast<MouseButton>(action.a), is("down"), action.b, action.c);
    } else if (is("hide")) {
        standin_resize(window, 0, 0, true);
    } else if (is("show")) {
        standin_resize(window, client.right, client.bottom, false);
        standin_expose(window);
    }
}

// One turn of the message loop, as run_message_loop takes it.
void loop_turn()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    toolkit_state.idle_hook();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: reference_frame OUT FRAME [ACTION...]\n");
        return 2;
    }
    int target = std::atoi(argv[2]);
    std::vector<Action> actions(static_cast<size_t>(argc - 3));
    for (int i = 3; i < argc; i++)
        if (!parse(argv[i], &actions[static_cast<size_t>(i - 3)])) {
            std::fprintf(stderr, "reference_frame: not an action: %s\n", argv[i]);
            return 2;
        }
    standin_select_driver("null");
    load_image_bank();
    if (!init_scene()) return 1;
    set_texture_sampling();
    HWND window = toolkit_state.toolkit_window;
    RECT client = {};
    GetClientRect(window, &client);
    toolkit_state.reshape_hook(client.right, client.bottom);
    standin_journal_clear();
    while (frames_shown() < target) {
        for (const Action& action : actions)
            if (action.after == frames_shown()) deliver(window, action, client);
        int before = frames_shown();
        loop_turn();
        for (const Action& action : actions)
            if (action.after > before && action.after < frames_shown()) {
                std::fprintf(
                    stderr, "reference_frame: frame %d is inside a turn of the loop\n", action.after);
                return 2;
            }
    }
    if (frames_shown() != target) {
        std::fprintf(stderr, "reference_frame: frame %d is inside a turn of the loop\n", target);
        return 2;
    }
    std::vector<unsigned char> pixels(static_cast<size_t>(client.right * client.bottom * 4));
    if (!standin_read_pixels(window, 0, 0, client.right, client.bottom, pixels.data())) return 1;
    FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr || std::fwrite(pixels.data(), 1, pixels.size(), out) != pixels.size()) return 1;
    return std::fclose(out) == 0 ? 0 : 1;
}
