// Rendering contexts on the null driver: what a context needs, and Mesa's
// pixels read back after a swap and after a resize.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gl.h"
#include "platform/standin/testing.h"
#include "tests/standin/gdi/gdi_test_window.h"

static std::vector<unsigned char> read_back(HWND window, int x, int y, int width, int height)
{
    std::vector<unsigned char> rgba(static_cast<size_t>(width * height * 4));
    EXPECT_TRUE(standin_read_pixels(window, x, y, width, height, rgba.data()));
    return rgba;
}

TEST(WglContext, NeedsAPixelFormat)
{
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    EXPECT_EQ(wglCreateContext(dc), nullptr);
    EXPECT_EQ(wglCreateContext(nullptr), nullptr);
    EXPECT_FALSE(SwapBuffers(dc));
}

TEST(WglContext, MakeCurrentAndDelete)
{
    HWND window;
    HDC dc;
    HGLRC context = open_gl_test_window(32, 32, &window, &dc);
    EXPECT_EQ(wglGetCurrentContext(), context);
    EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_TRUE(wglMakeCurrent(dc, context));
    // A context only goes with its own pixel format.
    HDC bare = GetDC(open_gdi_test_window(32, 32));
    EXPECT_FALSE(wglMakeCurrent(bare, context));
    EXPECT_TRUE(wglDeleteContext(context));
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_FALSE(wglDeleteContext(context));
    standin_fail_next("wglCreateContext", 1);
    EXPECT_EQ(wglCreateContext(dc), nullptr);
}

TEST(WglRendering, ClearColourReadsBackAfterTheSwap)
{
    HWND window;
    HDC dc;
    open_gl_test_window(40, 30, &window, &dc);
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_TRUE(SwapBuffers(dc));
    std::vector<unsigned char> corner = read_back(window, 39, 29, 1, 1);
    EXPECT_EQ(corner[0], 255);
    EXPECT_EQ(corner[1], 0);
    EXPECT_EQ(corner[2], 255);
}

TEST(WglRendering, FrontBufferDrawingIsWhatIsRead)
{
    HWND window;
    HDC dc;
    open_gl_test_window(16, 16, &window, &dc);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SwapBuffers(dc);
    glDrawBuffer(GL_FRONT);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glFlush();
    std::vector<unsigned char> pixel = read_back(window, 8, 8, 1, 1);
    EXPECT_EQ(pixel[1], 255);
    EXPECT_EQ(pixel[2], 0);
}

TEST(WglRendering, TheBufferFollowsTheClientSize)
{
    HWND window;
    HDC dc;
    HGLRC context = open_gl_test_window(32, 32, &window, &dc);
    standin_resize(window, 96, 48, false);
    EXPECT_EQ(wglGetCurrentContext(), context);
    glViewport(0, 0, 96, 48);
    glClearColor(0.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SwapBuffers(dc);
    std::vector<unsigned char> far_corner = read_back(window, 95, 47, 1, 1);
    EXPECT_EQ(far_corner[0], 0);
    EXPECT_EQ(far_corner[1], 255);
    EXPECT_EQ(far_corner[2], 255);
    GLint viewport_limit[4];
    glGetIntegerv(GL_VIEWPORT, viewport_limit);
    EXPECT_EQ(viewport_limit[2], 96);
}

TEST(WglRendering, ReadsAWindowWhoseContextIsNotCurrent)
{
    HWND first;
    HDC first_dc;
    open_gl_test_window(16, 16, &first, &first_dc);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SwapBuffers(first_dc);
    HWND second;
    HDC second_dc;
    HGLRC second_context = open_gl_test_window(16, 16, &second, &second_dc);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(read_back(first, 0, 0, 1, 1)[0], 255);
    EXPECT_EQ(wglGetCurrentContext(), second_context);
    EXPECT_EQ(read_back(second, 0, 0, 1, 1)[2], 255);
}
