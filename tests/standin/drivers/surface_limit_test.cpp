// A window far larger than GL can draw into: the program still sees the size
// the window system gave, GL draws into what it can hold, and the frame shows,
// in full colour and on the palette display.
#include "platform/gl.h"
#include "platform/standin/testing.h"
#include "tests/support/windows.h"

class HugeWindowTest : public FreshState, public testing::WithParamInterface<bool> { };

TEST_P(HugeWindowTest, KeepsItsSizeWhileGlDrawsWhatItCanHold)
{
    standin_set_palette_display(GetParam(), false);
    HWND window = open_test_window(DefWindowProcA, CS_OWNDC, 0, 0, 64, 48);
    HDC dc = GetDC(window);
    ASSERT_NE(make_gl_current(dc), nullptr);
    const int HUGE_SIDE = 32767;
    standin_resize(window, HUGE_SIDE, HUGE_SIDE, false);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, HUGE_SIDE);
    EXPECT_EQ(client.bottom, HUGE_SIDE);

    GLint largest[2] = {};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, largest);
    ASSERT_LT(largest[0], HUGE_SIDE) << "this GL draws a window of any size: nothing to bound";
    glViewport(0, 0, HUGE_SIDE, HUGE_SIDE);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    EXPECT_TRUE(SwapBuffers(dc));
    unsigned char far_corner[4] = {};
    ASSERT_TRUE(standin_read_pixels(window, largest[0] - 1, largest[1] - 1, 1, 1, far_corner));
    EXPECT_EQ(std::vector<int>(far_corner, far_corner + 3), (std::vector<int>{255, 0, 0}));

    standin_resize(window, 64, 48, false); // and back, the frame whole again
    glViewport(0, 0, 64, 48);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_TRUE(SwapBuffers(dc));
    ASSERT_TRUE(standin_read_pixels(window, 63, 47, 1, 1, far_corner));
    EXPECT_EQ(std::vector<int>(far_corner, far_corner + 3), (std::vector<int>{255, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(FullColourAndPalette, HugeWindowTest, testing::Bool(),
    [](const testing::TestParamInfo<bool>& row) { return row.param ? "palette" : "full_colour"; });
