// A current OpenGL context for gl tests: a window on the stand-in's null driver
// (Mesa, no display), double-buffered RGBA with 16 depth bits, set as the
// toolkit's window so that swap_buffers presents the frames in it.
#pragma once

#include <gtest/gtest.h>

bool open_gl_context(int width, int height);
void close_gl_context();

// A fresh 256 x 256 context for each test.
class GlContextTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(open_gl_context(256, 256)); }
    void TearDown() override { close_gl_context(); }
};
