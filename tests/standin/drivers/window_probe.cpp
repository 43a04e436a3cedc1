// The toolkit's window on the driver the stand-in chooses, its hooks printing
// what reaches them, one line each, for the x11 and wayland end-to-end scripts
// to read:
//   window_probe TITLE X Y CLIENT_WIDTH CLIENT_HEIGHT (X, Y: the outer corner)
// Every paint clears to (0, 128, 255); typing 'm' shows an error box, 'w' takes
// the static colours over or gives them back, 'p' prints where the pointer is,
// 'b' keeps it busy until a file named "go" appears in its folder.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "palette/palette.h"
#include "platform/gl.h"
#include "toolkit/toolkit.h"

static int32_t print(const char* what, int32_t a, int32_t b, int32_t c = 0)
{
    std::printf("%s %d %d %d\n", what, a, b, c);
    std::fflush(stdout);
    return 0;
}

int main(int argc, char** argv)
{
    if (argc != 6) return 2;
    toolkit_set_position(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    toolkit_set_display_mode(DISPLAY_DOUBLE);
    if (!toolkit_open_window(argv[1])) return 1;
    set_reshape_hook([](int32_t width, int32_t height) { print("reshape", width, height); });
    set_display_hook([] {
        glClearColor(0.0f, 128.0f / 255.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        SwapBuffers(toolkit_state.toolkit_dc);
        print("paint", 0, 0);
    });
    set_key_down_hook([](int32_t key, int32_t modifiers) {
        if (key == 'm') show_error("First line of the note\nSecond line\n");
        HDC dc = toolkit_state.toolkit_dc;
        if (key == 'w')
            toolkit_state.static_colours_taken ? restore_static_colours(dc) : take_static_colours(dc);
        if (key == 'p') {
            int32_t x = 0, y = 0;
            toolkit_get_mouse_location(&x, &y);
            print("pointer", x, y);
        }
        while (key == 'b' && access("go", F_OK) != 0) usleep(10000);
        return print("key", key, modifiers);
    });
    set_mouse_down_hook([](int32_t x, int32_t y, int32_t button) { return print("down", x, y, button); });
    set_mouse_up_hook([](int32_t x, int32_t y, int32_t button) { return print("up", x, y, button); });
    set_mouse_move_hook([](int32_t x, int32_t y, int32_t buttons) { return print("move", x, y, buttons); });
    run_message_loop();
    print("quit", 0, 0);
}
