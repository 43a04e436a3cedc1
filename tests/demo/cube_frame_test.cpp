// Frames as Mesa draws them: the background, the first frame, the picture
// tiled per phase, culled back faces, and the perspective of the reshape hook.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "demo/demo.h"
#include "platform/gl.h"
#include "tests/support/gl_context.h"

namespace {

const int SIDE = 256;

struct Pixels {
    std::vector<unsigned char> rgba = std::vector<unsigned char>(SIDE * SIDE * 4);
    const unsigned char* at(int x, int y) const { return rgba.data() + 4 * (SIDE * y + x); }
};

Pixels read_frame()
{
    Pixels pixels;
    EXPECT_TRUE(read_frame_pixels(0, 0, SIDE, SIDE, pixels.rgba.data()));
    return pixels;
}

bool is_background(const unsigned char* p)
{
    return p[0] == 0 && p[1] == 0 && std::abs(p[2] - 77) <= 1;
}
bool is_red(const unsigned char* p)
{
    return p[0] > 120 && p[1] < 60 && p[2] < 60;
}
bool is_blue(const unsigned char* p)
{
    return p[2] > 120 && p[0] < 60 && p[1] < 60;
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

// A pose that shows the front face square to the camera: the 45-degree tilts
// of the cube are undone by turn and tilt angles of -45.
void face_the_camera(float phase)
{
    scene.cycle_phase = phase;
    scene.turn_angle = 315.0f;
    scene.tilt_angle = 315.0f;
    scene.drift = 0.0f;
}

int count_runs(const std::vector<bool>& marks)
{
    int runs = 0;
    for (size_t i = 0; i < marks.size(); i++)
        if (marks[i] && (i == 0 || !marks[i - 1])) runs++;
    return runs;
}

} // namespace

TEST_F(CubeFrame, TheBackgroundIsDarkBlue)
{
    image_bank.last_loaded_index = -1;
    draw_frame();
    Pixels frame = read_frame();
    const int corners[4][2] = {{0, 0}, {SIDE - 1, 0}, {0, SIDE - 1}, {SIDE - 1, SIDE - 1}};
    for (const auto& corner : corners) {
        const unsigned char* p = frame.at(corner[0], corner[1]);
        EXPECT_TRUE(is_background(p)) << int(p[0]) << "," << int(p[1]) << "," << int(p[2]);
    }
    EXPECT_FALSE(is_background(frame.at(SIDE / 2, SIDE / 2))); // the cube
}

TEST_F(CubeFrame, TheFirstFrameUploadsSlot0AndDrawsTheCubeAtRest)
{
    for (int slot = 0; slot < 3; slot++)
        std::memset(image_bank.slots[slot].bytes, 60 + 80 * slot, IMAGE_SLOT_BYTES);
    image_bank.last_loaded_index = 2;
    draw_frame();
    EXPECT_EQ(scene.current_picture, 0);
    unsigned char texel[3];
    glGetTexImage(GL_TEXTURE_2D, 9, GL_RGB, GL_UNSIGNED_BYTE, texel);
    EXPECT_EQ(texel[0], 60);
    EXPECT_EQ(scene.cycle_phase, 1.0f);
    EXPECT_EQ(scene.turn_angle, 3.0f);
    EXPECT_FLOAT_EQ(scene.drift, -0.4f);
    Pixels first = read_frame();

    // The same picture drawn explicitly from rest looks the same.
    scene.turn_angle = 0.0f;
    scene.tilt_angle = 0.0f;
    scene.drift = 0.0f;
    draw_frame();
    EXPECT_EQ(scene.current_picture, 0);
    Pixels at_rest = read_frame();
    EXPECT_EQ(first.rgba, at_rest.rgba);

    // One step on, the cube has moved.
    draw_frame();
    EXPECT_NE(read_frame().rgba, at_rest.rgba);
}

// The picture: red down its left quarter, blue along its bottom quarter, white
// elsewhere; a face in phase k repeats it k times each way.
TEST_F(CubeFrame, InPhaseKAFaceShowsThePictureKByKTimes)
{
    for (int row = 0; row < IMAGE_SIDE; row++)
        for (int column = 0; column < IMAGE_SIDE; column++) {
            unsigned char* p = image_bank.slots[0].bytes + 3 * (IMAGE_SIDE * row + column);
            bool red = column < IMAGE_SIDE / 4;
            bool blue = !red && row < IMAGE_SIDE / 4;
            p[0] = blue ? 0 : 255;
            p[1] = red || blue ? 0 : 255;
            p[2] = red ? 0 : 255;
        }
    image_bank.last_loaded_index = 0;
    switch_picture();

    for (int phase = 1; phase <= 4; phase++) {
        face_the_camera(static_cast<float>(phase));
        draw_frame();
        Pixels frame = read_frame();
        int middle = SIDE / 2;
        int left = 0;
        while (left < SIDE && is_background(frame.at(left, middle))) left++;
        int right = SIDE - 1;
        while (right > 0 && is_background(frame.at(right, middle))) right--;
        ASSERT_LT(left, middle);
        ASSERT_GT(right, middle);

        std::vector<bool> across;
        for (int x = left; x <= right; x++) across.push_back(is_red(frame.at(x, middle)));
        EXPECT_EQ(count_runs(across), phase) << "phase " << phase << " across";

        // Up a column at 0.6 of a tile, clear of the red quarter.
        int column = left + static_cast<int>((right - left) * 0.6 / phase);
        std::vector<bool> up;
        for (int y = 0; y < SIDE; y++) up.push_back(is_blue(frame.at(column, y)));
        EXPECT_EQ(count_runs(up), phase) << "phase " << phase << " up";
    }
}

// From inside the cube every face is a back face: they are culled, so their
// outline mode never shows.
TEST_F(CubeFrame, BackFacesAreNeverDrawn)
{
    image_bank.last_loaded_index = -1;
    switch_picture();
    scene.cycle_phase = 1.0f;
    scene.tilt_angle = 0.0f;
    scene.distance = 0.0f;
    for (int frame = 0; frame < 40; frame++) {
        scene.drift = 0.0f; // the camera stays at the cube's centre
        draw_frame();
        Pixels pixels = read_frame();
        int drawn = 0;
        for (int i = 0; i < SIDE * SIDE; i++)
            if (!is_background(pixels.rgba.data() + 4 * i)) drawn++;
        ASSERT_EQ(drawn, 0) << "frame " << frame;
    }
}

TEST_F(CubeFrame, TheFrameLeavesTheModelviewMatrixAsItFoundIt)
{
    glTranslatef(0.0f, 0.0f, -1.0f);
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    draw_frame();
    draw_frame();
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
}

namespace {

void expect_perspective(double aspect)
{
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    double f = 1.0 / std::tan(30.0 * M_PI / 180.0);
    EXPECT_NEAR(m[0], f / aspect, 1e-4);
    EXPECT_NEAR(m[5], f, 1e-4);
    EXPECT_NEAR(m[10], (90.0 + 0.8) / (0.8 - 90.0), 1e-4);
    EXPECT_NEAR(m[14], 2.0 * 90.0 * 0.8 / (0.8 - 90.0), 1e-4);
    EXPECT_EQ(m[11], -1.0);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

} // namespace

TEST_F(CubeFrame, ReshapeSetsViewportAndPerspectiveAndKeepsTheModelview)
{
    glTranslatef(1.0f, 2.0f, 3.0f);
    reshape_view(600, 500);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 600);
    EXPECT_EQ(viewport[3], 500);
    expect_perspective(1.2);
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    EXPECT_EQ(modelview[12], 1.0f);
    EXPECT_EQ(modelview[14], 3.0f);
}

// A minimised window: the aspect ratio takes a height of 1 and stays finite.
TEST_F(CubeFrame, ReshapeToHeight0KeepsTheProjectionFinite)
{
    reshape_view(600, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 600);
    EXPECT_EQ(viewport[3], 0);
    expect_perspective(600.0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
