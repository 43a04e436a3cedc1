// One frame of the demonstration on Mesa at the window's 600 x 500, in full
// colour and on the palette display (the frame turned into palette colours at
// every swap), and the mipmap rebuild that every end of cycle adds to one frame.
#include <benchmark/benchmark.h>

#include "demo/demo.h"
#include "palette/palette.h"
#include "platform/gl.h"
#include "platform/standin/testing.h"
#include "tests/support/fresh_state.h"
#include "tests/support/windows.h"
#include "toolkit/toolkit.h"

namespace {

// The toolkit's window stands in for the program's: 600 x 500 on the headless
// driver, its buffers swapped by the frame; on the palette display with the
// toolkit's palette realised.
bool set_up_scene(bool palette_display = false)
{
    reset_everything();
    standin_set_palette_display(palette_display, false);
    HWND window = open_test_window(DefWindowProcA, 0, 0, 0, 600, 500);
    HDC dc = GetDC(window);
    if (make_gl_current(dc) == nullptr) return false;
    toolkit_state.toolkit_window = window;
    toolkit_state.toolkit_dc = dc;
    if (palette_display && build_logical_palette(dc) == nullptr) return false;
    load_image_bank();
    set_fixed_render_state();
    set_texture_sampling();
    reshape_view(600, 500);
    return true;
}

// Every 480th frame of the loop rebuilds the texture, as in the program.
void draw_one_frame(benchmark::State& state)
{
    if (!set_up_scene(state.range(0) != 0)) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    for (auto _ : state) {
        draw_frame();
        glFinish();
    }
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
}

} // namespace

BENCHMARK(draw_one_frame)->ArgName("palette_display")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(switch_to_the_next_picture)->Unit(benchmark::kMillisecond);
