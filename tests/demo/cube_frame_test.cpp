// The demonstration on Mesa: the picture as a texture and the slot each end of
// cycle chooses, frames as drawn, the reshape hook's perspective, and the idle
// step against the toolkit's pointer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "demo/demo.h"
#include "platform/gl.h"
#include "platform/standin/testing.h"
#include "tests/support/gl_context.h"
#include "toolkit/toolkit.h"

namespace {

const int SIDE = 256;

// The frame shown last, rows bottom to top, RGBA.
std::vector<unsigned char> read_frame()
{
    std::vector<unsigned char> rgba(SIDE * SIDE * 4);
    EXPECT_TRUE(standin_read_pixels(toolkit_state.toolkit_window, 0, 0, SIDE, SIDE, rgba.data()));
    return rgba;
}

const unsigned char* at(const std::vector<unsigned char>& rgba, int x, int y)
{
    return rgba.data() + 4 * (SIDE * y + x);
}

bool is_background(const unsigned char* p)
{
    return p[0] == 0 && p[1] == 0 && std::abs(p[2] - 77) <= 1;
}

// Everything the start-up sets on the context, without a window.
class CubeFrame : public GlContextTest {
protected:
    void SetUp() override
    {
        GlContextTest::SetUp();
        set_fixed_render_state();
        set_texture_sampling();
        reshape_view(SIDE, SIDE);
    }
};

// Runs of red (channel 0) or blue (channel 2) pixels along n steps from (x, y).
int count_runs(const std::vector<unsigned char>& frame, int x, int y, int dx, int dy, int n, int channel)
{
    int runs = 0;
    for (bool was = false; n > 0; n--, x += dx, y += dy) {
        bool is = at(frame, x, y)[1] < 60 && at(frame, x, y)[channel] > 120;
        runs += is && !was;
        was = is;
    }
    return runs;
}

} // namespace

using PictureTexture = GlContextTest;

TEST_F(PictureTexture, SamplingRepeatsMagnifiesNearestMinifiesTrilinearAndModulates)
{
    set_texture_sampling();
    const GLenum expected[][2] = {{GL_TEXTURE_WRAP_S, GL_REPEAT}, {GL_TEXTURE_WRAP_T, GL_REPEAT},
        {GL_TEXTURE_MAG_FILTER, GL_NEAREST}, {GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR}};
    GLint value = 0;
    for (const auto& parameter : expected) {
        glGetTexParameteriv(GL_TEXTURE_2D, parameter[0], &value);
        EXPECT_EQ(static_cast<GLenum>(value), parameter[1]) << parameter[0];
    }
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_MODULATE);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

// Each switch uploads the next slot as level 0 of a chain down to 1 x 1, back
// to slot 0 past the last one loaded (and for the gradient alone).
TEST_F(PictureTexture, TheCycleGoesThroughTheLoadedSlots)
{
    for (ImageSlot& slot : image_bank.slots)
        for (unsigned char& byte : slot.bytes) byte = static_cast<unsigned char>(std::rand());
    const std::vector<int> cycles[] = {
        {-1, 0, 0}, {0, 0, 0}, {2, 0, 1, 2, 0}, {9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}};
    std::vector<unsigned char> level_0(IMAGE_SLOT_BYTES);
    for (const std::vector<int>& cycle : cycles) {
        SCOPED_TRACE(testing::Message() << "last loaded " << cycle[0]);
        image_bank.last_loaded_index = cycle[0];
        scene.current_picture = 99; // as at the start of the run
        for (size_t i = 1; i < cycle.size(); i++) {
            switch_picture();
            EXPECT_EQ(scene.current_picture, cycle[i]);
            glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, level_0.data());
            EXPECT_EQ(std::memcmp(level_0.data(), image_bank.slots[cycle[i]].bytes, IMAGE_SLOT_BYTES), 0);
        }
    }
    for (int level = 0; level <= 10; level++) {
        GLint width = -1, height = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
        EXPECT_EQ(std::pair(width, height), std::pair(512 >> level, 512 >> level)) << "level " << level;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Slot 0 at rest on dark blue: drawing the rest pose again gives the same
// frame, and the cube drifted away does not.
TEST_F(CubeFrame, TheFirstFrameShowsSlot0AtRestOnDarkBlue)
{
    for (int slot = 0; slot < 3; slot++)
        std::memset(image_bank.slots[slot].bytes, 60 + 80 * slot, IMAGE_SLOT_BYTES);
    image_bank.last_loaded_index = 2;
    draw_frame();
    EXPECT_EQ(scene.current_picture, 0);
    unsigned char texel[3];
    glGetTexImage(GL_TEXTURE_2D, 9, GL_RGB, GL_UNSIGNED_BYTE, texel);
    EXPECT_EQ(texel[0], 60);
    std::vector<unsigned char> first = read_frame();
    for (int corner : {0, SIDE - 1}) EXPECT_TRUE(is_background(at(first, corner, corner)));
    EXPECT_FALSE(is_background(at(first, SIDE / 2, SIDE / 2)));

    scene.turn_angle = 0.0f;
    scene.drift = 0.0f;
    draw_frame();
    EXPECT_EQ(read_frame(), first);
    scene.turn_angle = 0.0f;
    scene.drift = -10.0f;
    draw_frame();
    EXPECT_NE(read_frame(), first);
}

// The picture: red down its left quarter, blue along its bottom quarter, white
// elsewhere. The front face, turned square to the camera, repeats it k x k
// times in phase k.
TEST_F(CubeFrame, InPhaseKAFaceShowsThePictureKByKTimes)
{
    const unsigned char colours[3][3] = {{255, 255, 255}, {255, 0, 0}, {0, 0, 255}};
    for (int i = 0; i < IMAGE_SIDE * IMAGE_SIDE; i++) {
        int row = i / IMAGE_SIDE, column = i % IMAGE_SIDE;
        int colour = column < IMAGE_SIDE / 4 ? 1 : row < IMAGE_SIDE / 4 ? 2 : 0;
        std::memcpy(image_bank.slots[0].bytes + 3 * i, colours[colour], 3);
    }
    image_bank.last_loaded_index = 0;
    switch_picture();
    for (int phase = 1; phase <= 4; phase++) {
        scene.cycle_phase = static_cast<float>(phase);
        scene.turn_angle = 315.0f; // undoes the cube's own 45-degree tilts
        scene.tilt_angle = 315.0f;
        scene.drift = 0.0f;
        draw_frame();
        std::vector<unsigned char> frame = read_frame();
        int middle = SIDE / 2, left = 0, right = SIDE - 1;
        while (left < middle && is_background(at(frame, left, middle))) left++;
        while (right > middle && is_background(at(frame, right, middle))) right--;
        ASSERT_LT(left, middle);
        EXPECT_EQ(count_runs(frame, left, middle, 1, 0, right - left + 1, 0), phase) << "phase " << phase;
        // Up a column at 0.6 of a tile, clear of the red quarter.
        int column = left + static_cast<int>((right - left) * 0.6 / phase);
        EXPECT_EQ(count_runs(frame, column, 0, 0, 1, SIDE, 2), phase) << "phase " << phase;
    }
}

// From inside the cube every face is a back face: culled, never outlined.
TEST_F(CubeFrame, BackFacesAreNeverDrawn)
{
    scene.distance = 0.0f;
    for (int frame = 0; frame < 40; frame++) {
        scene.drift = 0.0f;
        draw_frame();
        std::vector<unsigned char> pixels = read_frame();
        for (int i = 0; i < SIDE * SIDE; i++) ASSERT_TRUE(is_background(&pixels[4 * i])) << "frame " << frame;
    }
}

// A height of 0 keeps the projection finite and the viewport real.
TEST_F(CubeFrame, ReshapeSetsViewportAndPerspective)
{
    const double f = 1.0 / std::tan(30.0 * M_PI / 180.0);
    for (auto [height, aspect] : {std::pair{500, 1.2}, std::pair{0, 600.0}}) {
        reshape_view(600, height);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(std::pair(viewport[2], viewport[3]), std::pair(600, height));
        GLdouble m[16];
        glGetDoublev(GL_PROJECTION_MATRIX, m);
        EXPECT_NEAR(m[0], f / aspect, 1e-4) << height;
        EXPECT_NEAR(m[5], f, 1e-4);
        EXPECT_NEAR(m[10], (90.0 + 0.8) / (0.8 - 90.0), 1e-4);
        EXPECT_NEAR(m[14], 2.0 * 90.0 * 0.8 / (0.8 - 90.0), 1e-4);
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
    }
}

// Every step applies the drag since the previous step, draws a frame and then
// remembers the pointer.
using IdleStep = CubeFrame;

TEST_F(IdleStep, ARightDragMovesTheCameraByTheMotionSinceTheLastStep)
{
    standin_set_cursor(10, 100);
    idle_step(); // no button held
    EXPECT_EQ(scene.distance, 4.0f);
    EXPECT_EQ(scene.turn_angle, 3.0f);
    start_zoom_drag(nullptr);
    standin_set_cursor(10, 90);
    idle_step();
    EXPECT_FLOAT_EQ(scene.distance, 7.0f);
    idle_step();
    EXPECT_FLOAT_EQ(scene.distance, 7.0f);
    EXPECT_EQ(scene.turn_angle, 9.0f);
}
