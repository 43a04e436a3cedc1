// One frame of the demonstration on Mesa at the window's 600 x 500, and the
// mipmap rebuild that every end of cycle adds to one frame.
#include <benchmark/benchmark.h>

#include "demo/demo.h"
#include "platform/gl.h"
#include "tests/support/gl_context.h"

namespace {

bool set_up_scene()
{
    if (!open_gl_context(600, 500)) return false;
    load_image_bank();
    set_fixed_render_state();
    set_texture_sampling();
    reshape_view(600, 500);
    return true;
}

// Every 480th frame of the loop rebuilds the texture, as in the program.
void draw_one_frame(benchmark::State& state)
{
    if (!set_up_scene()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    for (auto _ : state) {
        draw_frame();
        glFinish();
    }
    close_gl_context();
}

void switch_to_the_next_picture(benchmark::State& state)
{
    if (!set_up_scene()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    for (auto _ : state) {
        switch_picture();
        glFinish();
    }
    close_gl_context();
}

} // namespace

BENCHMARK(draw_one_frame)->Unit(benchmark::kMicrosecond);
BENCHMARK(switch_to_the_next_picture)->Unit(benchmark::kMillisecond);
