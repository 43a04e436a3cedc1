// A pointer device for a compositor that has none (a headless one), driven
// by lines on stdin, each done before the next is read:
//   move X Y          the pointer to (X, Y) on the output
//   press BUTTON      left, right or middle
//   release BUTTON
// Prints "ready" once the device exists and "done" once the compositor has
// taken each command; ends with stdin or the compositor.
// The compositor treats it as a real device: a press starts the implicit grab
// that keeps the window pressed in hearing every move.
#include <linux/input-event-codes.h>

#include <cstdio>
#include <cstring>
#include <ctime>

#include <wayland-client.h>

#include "virtual-pointer-v1-client-protocol.h"

static zwlr_virtual_pointer_manager_v1* manager;
static wl_output* output;
static int output_width;
static int output_height;

static void on_mode(void*, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t)
{
    if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
    output_width = width;
    output_height = height;
}
static void on_geometry(
    void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*, int32_t)
{
}
static void on_done(void*, wl_output*) { }
static void on_scale(void*, wl_output*, int32_t) { }
static void on_name(void*, wl_output*, const char*) { }
static const wl_output_listener OUTPUT_LISTENER = {
    .geometry = on_geometry,
    .mode = on_mode,
    .done = on_done,
    .scale = on_scale,
    .name = on_name,
    .description = on_name,
};

static void on_global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    if (std::strcmp(interface, wl_output_interface.name) == 0 && !output) {
        output = static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, 2));
        wl_output_add_listener(output, &OUTPUT_LISTENER, nullptr);
    }
}
static void on_global_remove(void*, wl_registry*, uint32_t) { }
static const wl_registry_listener REGISTRY_LISTENER = {
    .global = on_global, .global_remove = on_global_remove};

static uint32_t now_ms()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

struct ButtonName {
    const char* name;
    uint32_t code;
};
static const ButtonName BUTTONS[] = {{"left", BTN_LEFT}, {"right", BTN_RIGHT}, {"middle", BTN_MIDDLE}};

// One command; false when the line is none of them.
static bool perform(zwlr_virtual_pointer_v1* pointer, const char* line)
{
    int x = 0, y = 0;
    char word[16] = {};
    if (std::sscanf(line, "move %d %d", &x, &y) == 2) {
        // The protocol takes no place off the output: the edge stands for beyond it.
        x = x < 0 ? 0 : x >= output_width ? output_width - 1 : x;
        y = y < 0 ? 0 : y >= output_height ? output_height - 1 : y;
        zwlr_virtual_pointer_v1_motion_absolute(pointer, now_ms(), static_cast<uint32_t>(x),
            static_cast<uint32_t>(y), static_cast<uint32_t>(output_width),
            static_cast<uint32_t>(output_height));
        zwlr_virtual_pointer_v1_frame(pointer);
        return true;
    }
    bool press = std::sscanf(line, "press %15s", word) == 1;
    if (!press && std::sscanf(line, "release %15s", word) != 1) return false;
    for (const ButtonName& button : BUTTONS)
        if (std::strcmp(button.name, word) == 0) {
            zwlr_virtual_pointer_v1_button(pointer, now_ms(), button.code,
                press ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
            zwlr_virtual_pointer_v1_frame(pointer);
            return true;
        }
    return false;
}

int main()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "pointer_device: no compositor\n");
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &REGISTRY_LISTENER, nullptr);
    wl_display_roundtrip(display);
    wl_display_roundtrip(display);
    if (!manager || output_width <= 0) {
        std::fprintf(stderr, "pointer_device: the compositor offers no virtual pointers or no output\n");
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, nullptr);
    if (wl_display_roundtrip(display) < 0) return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    char line[128];
    while (std::fgets(line, sizeof line, stdin)) {
        if (!perform(pointer, line)) std::fprintf(stderr, "pointer_device: not understood: %s", line);
        if (wl_display_roundtrip(display) < 0) return 1;
        std::printf("done\n");
        std::fflush(stdout);
    }
    return 0;
}
