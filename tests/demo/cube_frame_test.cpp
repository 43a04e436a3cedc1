// The demonstration on Mesa: the texture and the slot each end of cycle
// chooses, the fixed rendering state, the cube's geometry and transforms
// caught with GL's feedback mode, frames as drawn, the reshape hook and the
// idle step against the toolkit's pointer.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "demo/demo.h"
#include "platform/gl.h"
#include "platform/standin/testing.h"
#include "tests/support/windows.h"
#include "toolkit/toolkit.h"

namespace {

using Vec3 = std::array<double, 3>;
struct Vertex {
    Vec3 position, colour, texture;
};

// What drawing would make, caught by feedback: with the projection scaled by
// 1 / reach and a 2 x 2 viewport, window coordinates give the eye coordinates
// back. Triangles, three vertices each.
std::vector<std::vector<Vertex>> capture(void (*draw)(), double reach)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glScaled(1 / reach, 1 / reach, 1 / reach);
    glMatrixMode(GL_MODELVIEW);
    glViewport(0, 0, 2, 2);
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint size = glRenderMode(GL_RENDER);
    std::vector<std::vector<Vertex>> triangles;
    for (GLint i = 0; i < size;) {
        if (buffer[i++] != GL_POLYGON_TOKEN) continue;
        triangles.emplace_back(static_cast<size_t>(buffer[i++]));
        for (Vertex& v : triangles.back()) {
            const GLfloat* f = &buffer[i];
            v = {{(f[0] - 1) * reach, (f[1] - 1) * reach, (2 * f[2] - 1) * reach}, {f[3], f[4], f[5]},
                {f[7], f[8], 0}};
            i += 11;
        }
    }
    return triangles;
}

Vec3 minus(const Vec3& a, const Vec3& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

bool near(const Vec3& a, const Vec3& b)
{
    return std::abs(a[0] - b[0]) < 2e-3 && std::abs(a[1] - b[1]) < 2e-3 && std::abs(a[2] - b[2]) < 2e-3;
}

// Where the model-view matrix that `transform` builds takes a point.
Vec3 transformed(void (*transform)(), const Vec3& p)
{
    GLdouble m[16];
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    transform();
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    glPopMatrix();
    Vec3 q;
    for (int i = 0; i < 3; i++) q[i] = m[i] * p[0] + m[4 + i] * p[1] + m[8 + i] * p[2] + m[12 + i];
    return q;
}

bool is_background(const unsigned char* p)
{
    return p[0] == 0 && p[1] == 0 && std::abs(p[2] - 77) <= 1;
}

GLint integer(GLenum name)
{
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

} // namespace

using CubeFrame = GlContextTest;

// Set whatever the state was before; the cycle goes through the loaded slots,
// back to 0 past the last, each uploaded as level 0 of a chain to 1 x 1.
TEST_F(CubeFrame, TheTextureRepeatsMagnifiesNearestAndCyclesThroughTheSlots)
{
    const GLenum expected[][3] = {{GL_TEXTURE_WRAP_S, GL_REPEAT, GL_CLAMP},
        {GL_TEXTURE_WRAP_T, GL_REPEAT, GL_CLAMP}, {GL_TEXTURE_MAG_FILTER, GL_NEAREST, GL_LINEAR},
        {GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR, GL_NEAREST}};
    for (const auto& parameter : expected) glTexParameteri(GL_TEXTURE_2D, parameter[0], parameter[2]);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    set_texture_sampling();
    GLint value = 0;
    for (const auto& parameter : expected) {
        glGetTexParameteriv(GL_TEXTURE_2D, parameter[0], &value);
        EXPECT_EQ(static_cast<GLenum>(value), parameter[1]) << parameter[0];
    }
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_MODULATE);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));

    for (ImageSlot& slot : image_bank.slots)
        for (unsigned char& byte : slot.bytes) byte = static_cast<unsigned char>(std::rand());
    const std::vector<int> cycles[] = {
        {-1, 0, 0}, {0, 0, 0}, {2, 0, 1, 2, 0}, {9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}};
    std::vector<unsigned char> level_0(IMAGE_SLOT_BYTES);
    for (const std::vector<int>& cycle : cycles) {
        image_bank.last_loaded_index = cycle[0];
        scene.current_picture = 99; // as at the start of the run
        for (size_t i = 1; i < cycle.size(); i++) {
            switch_picture();
            EXPECT_EQ(scene.current_picture, cycle[i]) << "last loaded " << cycle[0];
            glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, level_0.data());
            EXPECT_EQ(std::memcmp(level_0.data(), image_bank.slots[cycle[i]].bytes, IMAGE_SLOT_BYTES), 0);
        }
    }
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &value);
    EXPECT_EQ(value, GL_RGB);
    for (int level = 0; level <= 10; level++) {
        GLint width = -1, height = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
        EXPECT_EQ(std::pair(width, height), std::pair(512 >> level, 512 >> level)) << "level " << level;
    }
}

// Seen from outside, every face of the cube is wound counter-clockwise with an
// outward normal and the picture unmirrored, repeated cycle_phase times a side
// and upright on the four side faces.
TEST_F(CubeFrame, TheCubeIsClosedWithOutwardFacesAndUprightPictures)
{
    scene.cycle_phase = 3.0f;
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHTING);
    // A red light along (1, 2, 4) and a green one against it: each of the six
    // normals lights a vertex in its own colour.
    const double length = std::sqrt(21.0);
    GLfloat white[4] = {1, 1, 1, 1}, none[4] = {0, 0, 0, 1}, red[4] = {1, 0, 0, 1}, green[4] = {0, 1, 0, 1};
    GLfloat towards[4] = {1, 2, 4, 0}, against[4] = {-1, -2, -4, 0};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, none);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
    for (int light : {0, 1}) {
        glEnable(GL_LIGHT0 + light);
        glLightfv(GL_LIGHT0 + light, GL_POSITION, light ? against : towards);
        glLightfv(GL_LIGHT0 + light, GL_DIFFUSE, light ? green : red);
        glLightfv(GL_LIGHT0 + light, GL_SPECULAR, none);
    }
    std::vector<std::vector<Vertex>> triangles = capture(draw_cube, 2.0);
    ASSERT_EQ(triangles.size(), 12u);
    int on_face[3][2] = {};
    for (size_t p = 0; p < 12; p++) {
        const std::vector<Vertex>& t = triangles[p];
        int axis = -1;
        for (int a = 0; a < 3; a++)
            if (std::abs(t[0].position[a]) > 0.999 && std::abs(t[1].position[a] - t[0].position[a]) < 1e-3 &&
                std::abs(t[2].position[a] - t[0].position[a]) < 1e-3)
                axis = a;
        ASSERT_GE(axis, 0) << "triangle " << p << " is in no face of the cube";
        Vec3 outward = {0, 0, 0};
        outward[axis] = t[0].position[axis];
        on_face[axis][outward[axis] > 0]++;
        double lit = (outward[0] + 2 * outward[1] + 4 * outward[2]) / length;
        for (const Vertex& v : t) {
            for (int a = 0; a < 3; a++) EXPECT_NEAR(std::abs(v.position[a]), 1, 1e-3) << "not a corner";
            EXPECT_TRUE(near(v.colour, {std::max(lit, 0.0), std::max(-lit, 0.0), 0}))
                << "triangle " << p << ": normal";
            EXPECT_TRUE((v.texture[0] == 0 || v.texture[0] == 3) && (v.texture[1] == 0 || v.texture[1] == 3));
            EXPECT_TRUE(axis == 1 || (v.texture[1] == 3) == (v.position[1] > 0))
                << "triangle " << p << ": upside down";
        }
        Vec3 e1 = minus(t[1].position, t[0].position), e2 = minus(t[2].position, t[0].position);
        Vec3 f1 = minus(t[1].texture, t[0].texture), f2 = minus(t[2].texture, t[0].texture);
        double turn = (e1[1] * e2[2] - e1[2] * e2[1]) * outward[0] +
            (e1[2] * e2[0] - e1[0] * e2[2]) * outward[1] + (e1[0] * e2[1] - e1[1] * e2[0]) * outward[2];
        EXPECT_GT(turn, 0) << "triangle " << p << " is wound clockwise seen from outside";
        EXPECT_GT(f1[0] * f2[1] - f1[1] * f2[0], 0) << "triangle " << p << " mirrors the picture";
    }
    EXPECT_EQ(std::vector<int>(&on_face[0][0], &on_face[0][0] + 6), std::vector<int>(6, 2));
}

// The camera (distance, roll, pitch, yaw), the pose (drift, turn, tilt) and
// the cube's own 45-degree tilts put the corners where GL would; the frame
// leaves the matrix as it found it and presents once.
TEST_F(CubeFrame, TheCornersLieWhereCameraAndPosePutThem)
{
    scene = SceneState{1, 40, 50, -3, 1, 0, 6, 10, 20, 30, 0, 0, 0, 0};
    auto whole = [] {
        glTranslated(0, 0, -6);
        glRotated(-10, 0, 0, 1);
        glRotated(-20, 1, 0, 0);
        glRotated(30, 0, 1, 0);
        glTranslated(0, 0, -3);
        glRotated(40, 0, 1, 0);
        glRotated(50, 1, 0, 0);
        glRotated(45, 1, 0, 0);
        glRotated(45, 0, 1, 0);
    };
    std::vector<Vec3> expected;
    for (int c = 0; c < 8; c++)
        expected.push_back(transformed(whole, {c & 1 ? 1.0 : -1, c & 2 ? 1.0 : -1, c & 4 ? 1.0 : -1}));
    glLoadIdentity();
    GLint depth = integer(GL_MODELVIEW_STACK_DEPTH);
    standin_journal_clear();
    std::vector<std::vector<Vertex>> triangles = capture(draw_frame, 40.0);
    EXPECT_EQ(standin_journal_count("SwapBuffers"), 1);
    EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), depth);
    EXPECT_EQ(glGetError(), GLenum{GL_NO_ERROR}) << "the matrix stack went out of step";
    GLdouble after[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; i++) EXPECT_EQ(after[i], i % 5 == 0 ? 1.0 : 0.0) << i;
    ASSERT_EQ(triangles.size(), 12u);
    std::vector<bool> seen(8);
    for (const auto& triangle : triangles)
        for (const Vertex& v : triangle) {
            size_t match = 0;
            while (match < 8 && !near(v.position, expected[match])) match++;
            ASSERT_LT(match, 8u) << "a corner at " << v.position[0] << " " << v.position[1] << " "
                                 << v.position[2];
            seen[match] = true;
        }
    EXPECT_EQ(seen, std::vector<bool>(8, true));
}

// Lit, depth-tested and culled on dark blue, whatever the state was before:
// slot 0 at rest in the middle, the same pose drawn again gives the same
// frame, and from inside the cube every face is a culled back face.
TEST_F(CubeFrame, TheFirstFrameShowsSlot0OnDarkBlueAndNoBackFace)
{
    glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
    glCullFace(GL_FRONT);
    set_fixed_render_state();
    for (GLenum capability : {GL_DEPTH_TEST, GL_NORMALIZE, GL_LIGHT0, GL_LIGHTING, GL_CULL_FACE})
        EXPECT_TRUE(glIsEnabled(capability)) << capability;
    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(std::vector<GLint>({modes[0], modes[1], integer(GL_CULL_FACE_MODE)}),
        std::vector<GLint>({GL_FILL, GL_LINE, GL_BACK}));
    set_texture_sampling();
    reshape_view(SIDE, SIDE);
    for (int slot = 0; slot < 3; slot++)
        std::memset(image_bank.slots[slot].bytes, 60 + 80 * slot, IMAGE_SLOT_BYTES);
    image_bank.last_loaded_index = 2;
    draw_frame();
    EXPECT_EQ(scene.current_picture, 0);
    EXPECT_EQ(std::pair(scene.turn_angle, scene.drift), std::pair(3.0f, -0.4f));
    std::vector<unsigned char> first = read_frame();
    for (int corner : {0, SIDE - 1}) EXPECT_TRUE(is_background(&first[4 * (SIDE * corner + corner)]));
    const unsigned char* middle = &first[4 * (SIDE * SIDE / 2 + SIDE / 2)];
    EXPECT_TRUE(middle[0] == middle[1] && middle[1] == middle[2] && middle[0] <= 60 && middle[0] > 0)
        << "lit grey";
    scene.turn_angle = scene.drift = 0.0f;
    draw_frame();
    EXPECT_EQ(read_frame(), first);
    scene.distance = 0.0f;
    for (int frame = 0; frame < 40; frame++) {
        scene.drift = 0.0f;
        draw_frame();
        std::vector<unsigned char> pixels = read_frame();
        for (int i = 0; i < SIDE * SIDE; i++) ASSERT_TRUE(is_background(&pixels[4 * i])) << "frame " << frame;
    }
}

// A height of 0 keeps the projection finite and the viewport real; the
// model-view matrix is selected and left as it was. The idle step applies the
// drag since the previous step, draws a frame and remembers the pointer.
TEST_F(CubeFrame, ReshapeSetsThePerspectiveAndIdleStepsFollowThePointer)
{
    const double f = 1.0 / std::tan(30.0 * M_PI / 180.0);
    glTranslated(1.0, 2.0, 3.0);
    for (auto [height, aspect] : {std::pair{500, 1.2}, std::pair{0, 600.0}}) {
        reshape_view(600, height);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, 600, height}));
        GLdouble m[16];
        glGetDoublev(GL_PROJECTION_MATRIX, m);
        EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
        EXPECT_NEAR(m[0], f / aspect, 1e-4) << height;
        EXPECT_NEAR(m[5], f, 1e-4);
        EXPECT_NEAR(m[10], (90.0 + 0.8) / (0.8 - 90.0), 1e-4);
        EXPECT_NEAR(m[14], 2.0 * 90.0 * 0.8 / (0.8 - 90.0), 1e-4);
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        EXPECT_EQ(std::vector<double>(m + 12, m + 15), (std::vector<double>{1, 2, 3}));
    }

    toolkit_settings.window_x = 100;
    toolkit_settings.window_y = 50;
    standin_set_cursor(110, 150);
    idle_step(); // no button held
    EXPECT_EQ(std::vector<float>(
                  {float(scene.last_mouse_x), float(scene.last_mouse_y), scene.distance, scene.turn_angle}),
        std::vector<float>({10, 100, 4, 3}));
    start_zoom_drag(nullptr);
    standin_set_cursor(110, 140);
    idle_step();
    idle_step();
    EXPECT_FLOAT_EQ(scene.distance, 7.0f);
    EXPECT_EQ(std::vector<float>({float(scene.last_mouse_y), scene.turn_angle}), std::vector<float>({90, 9}));
}
