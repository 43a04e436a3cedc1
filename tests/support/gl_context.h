// A current OpenGL context for gl tests: an RGBA framebuffer with a 16-bit
// depth buffer, width x height pixels, on Mesa without a display.
#pragma once

#include <gtest/gtest.h>

bool open_gl_context(int width, int height);
void close_gl_context();

// The pixels of the frame drawn last (after its swap), rows bottom to top, RGBA.
bool read_frame_pixels(int x, int y, int width, int height, unsigned char* rgba);

// Gives each test of the suite a fresh 256 x 256 context.
class GlContextTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(open_gl_context(256, 256)); }
    void TearDown() override { close_gl_context(); }
};
