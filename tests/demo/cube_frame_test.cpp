// The demonstration on Mesa: the cube caught with GL's feedback mode, the
// texture and its cycle, the fixed state, frames, the reshape and idle hooks.
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "demo/demo.h"
#include "platform/gl.h"
#include "platform/standin/testing.h"
#include "tests/support/windows.h"

namespace {

using Vec3 = std::array<double, 3>;
struct Vertex {
    Vec3 position, colour, texture;
};

// What drawing would make, as triangles: with the projection scaled by
// 1 / reach and a 2 x 2 viewport, window coordinates give eye coordinates.
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

bool near(const Vec3& a, const Vec3& b)
{
    return std::abs(a[0] - b[0]) < 2e-3 && std::abs(a[1] - b[1]) < 2e-3 && std::abs(a[2] - b[2]) < 2e-3;
}

// Twice the signed area of (a, b, c) seen along axis v.
double turn(const Vec3& a, const Vec3& b, const Vec3& c, int v)
{
    int u = (v + 1) % 3, w = (v + 2) % 3;
    return (b[u] - a[u]) * (c[w] - a[w]) - (b[w] - a[w]) * (c[u] - a[u]);
}

} // namespace

using CubeFrame = GlContextTest;

// Seen from outside, every face is counter-clockwise with an outward normal and
// the picture unmirrored, cycle_phase times a side, upright on the side faces.
TEST_F(CubeFrame, TheCubeIsClosedAndOutwardAndItsPictureUpright)
{
    scene.cycle_phase = 3.0f;
    // Red light along (1, 2, 4), green against it: each normal its own colour.
    for (GLenum on : {GL_NORMALIZE, GL_LIGHTING, GL_LIGHT0, GL_LIGHT1}) glEnable(on);
    const GLfloat lights[2][2][4] = {{{1, 2, 4, 0}, {1, 0, 0, 1}}, {{-1, -2, -4, 0}, {0, 1, 0, 1}}};
    for (int light : {0, 1}) {
        glLightfv(GL_LIGHT0 + light, GL_POSITION, lights[light][0]);
        glLightfv(GL_LIGHT0 + light, GL_DIFFUSE, lights[light][1]);
    }
    std::vector<std::vector<Vertex>> triangles = capture(draw_cube, 2.0);
    ASSERT_EQ(triangles.size(), 12u);
    int on_face[3][2] = {};
    for (size_t p = 0; p < 12; p++) {
        const std::vector<Vertex>& t = triangles[p];
        int axis = -1; // the one coordinate, +1 or -1, all three share
        for (int a = 0; a < 3; a++)
            if (std::abs(t[1].position[a] - t[0].position[a]) +
                    std::abs(t[2].position[a] - t[0].position[a]) <
                1e-3)
                axis = a;
        ASSERT_GE(axis, 0) << "triangle " << p << " is in no face of the cube";
        double outward = t[0].position[axis], lit = (axis == 0 ? 1 : axis * 2) * outward / std::sqrt(21.0);
        on_face[axis][outward > 0]++;
        for (const Vertex& v : t) {
            for (int a = 0; a < 3; a++) EXPECT_NEAR(std::abs(v.position[a]), 1, 1e-3) << "not a corner";
            Vec3 colour = {0.04 + 0.8 * std::max(lit, 0.0), 0.04 + 0.8 * std::max(-lit, 0.0), 0.04};
            EXPECT_TRUE(near(v.colour, colour)) << p << ": normal";
            for (double c : {v.texture[0], v.texture[1]}) // 0 or cycle_phase
                EXPECT_TRUE(c == 0 || c == 3) << p << ": texture at " << c;
            EXPECT_TRUE(axis == 1 || (v.texture[1] == 3) == (v.position[1] > 0)) << p << ": upside down";
        }
        EXPECT_GT(turn(t[0].position, t[1].position, t[2].position, axis) * outward, 0) << p << ": clockwise";
        EXPECT_GT(turn(t[0].texture, t[1].texture, t[2].texture, 2), 0) << p << ": mirrored";
    }
    EXPECT_EQ(std::vector<int>(&on_face[0][0], &on_face[0][0] + 6), std::vector<int>(6, 2));
}

// Camera, pose and the cube's 45-degree tilts put it where GL puts it; the
// frame leaves the matrix and its stack as it found them, and presents once.
TEST_F(CubeFrame, TheFrameGoesWhereCameraAndPosePutIt)
{
    scene = SceneState{1, 40, 50, -3, 1, 0, 6, 10, 20, 30, 0, 0, 0, 0};
    static const double moves[][4] = {{0, 0, 0, -6}, {-10, 0, 0, 1}, {-20, 1, 0, 0}, {30, 0, 1, 0},
        {0, 0, 0, -3}, {40, 0, 1, 0}, {50, 1, 0, 0}, {45, 1, 0, 0}, {45, 0, 1, 0}}; // angle 0: along x, y, z
    std::vector<std::vector<Vertex>> expected = capture(
        [] {
            for (const auto& m : moves)
                m[0] == 0 ? glTranslated(m[1], m[2], m[3]) : glRotated(m[0], m[1], m[2], m[3]);
            draw_cube();
        },
        40.0);
    glLoadIdentity();
    standin_journal_clear();
    std::vector<std::vector<Vertex>> triangles = capture(draw_frame, 40.0);
    EXPECT_EQ(standin_journal_count("SwapBuffers"), 1);
    EXPECT_EQ(gl_values(GL_MODELVIEW_STACK_DEPTH, 1)[0], 1);
    EXPECT_EQ(glGetError(), GLenum{GL_NO_ERROR}) << "the matrix stack went out of step";
    EXPECT_EQ(gl_values(GL_MODELVIEW_MATRIX, 16),
        (std::vector<double>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
    ASSERT_EQ(triangles.size(), 12u);
    for (size_t p = 0; p < 12; p++)
        for (size_t v = 0; v < 3; v++)
            EXPECT_TRUE(near(triangles[p][v].position, expected[p][v].position)) << p;
}

// Whatever the state before: the texture repeats, magnifies nearest,
// modulates; lit, depth-tested, culled, filled in front and lined behind.
TEST_F(CubeFrame, TheFixedStateAndSamplingAreSetWhateverTheStateBefore)
{
    const GLenum expected[][3] = {{GL_TEXTURE_WRAP_S, GL_REPEAT, GL_CLAMP},
        {GL_TEXTURE_WRAP_T, GL_REPEAT, GL_CLAMP}, {GL_TEXTURE_MAG_FILTER, GL_NEAREST, GL_LINEAR},
        {GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR, GL_NEAREST}};
    for (const auto& parameter : expected) glTexParameteri(GL_TEXTURE_2D, parameter[0], parameter[2]);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
    glCullFace(GL_FRONT);
    set_fixed_render_state();
    set_texture_sampling();
    GLint value = 0;
    for (const auto& parameter : expected) {
        glGetTexParameteriv(GL_TEXTURE_2D, parameter[0], &value);
        EXPECT_EQ(static_cast<GLenum>(value), parameter[1]) << parameter[0];
    }
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_MODULATE);
    for (GLenum on : {GL_TEXTURE_2D, GL_DEPTH_TEST, GL_NORMALIZE, GL_LIGHT0, GL_LIGHTING, GL_CULL_FACE})
        EXPECT_TRUE(glIsEnabled(on)) << on;
    EXPECT_EQ(gl_values(GL_POLYGON_MODE, 2), (std::vector<double>{GL_FILL, GL_LINE})) << "front, back";
    EXPECT_EQ(gl_values(GL_CULL_FACE_MODE, 1), std::vector<double>{GL_BACK});
}

// The cycle goes through the loaded slots from the start of the run, each
// uploaded as level 0 of a chain down to 1 x 1.
TEST_F(CubeFrame, ThePictureCycleGoesThroughTheLoadedSlots)
{
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
    GLint format = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    EXPECT_EQ(format, GL_RGB);
    for (int level = 0; level <= 10; level++) {
        GLint width = -1, height = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
        EXPECT_EQ(std::pair(width, height), std::pair(512 >> level, 512 >> level)) << "level " << level;
    }
}

// The first frame shows slot 0, lit grey at rest in the middle, on dark blue,
// and takes a step; the same pose draws the same frame.
TEST_F(CubeFrame, AFrameShowsTheFirstPictureLitOnDarkBlue)
{
    set_fixed_render_state();
    set_texture_sampling();
    reshape_view(SIDE, SIDE);
    for (int slot = 0; slot < 3; slot++)
        std::memset(image_bank.slots[slot].bytes, 60 + 80 * slot, IMAGE_SLOT_BYTES);
    image_bank.last_loaded_index = 2;
    draw_frame();
    EXPECT_EQ(scene.current_picture, 0);
    EXPECT_EQ(std::pair(scene.turn_angle, scene.drift), std::pair(3.0f, -0.4f));
    std::vector<unsigned char> first = read_frame();
    for (int corner : {0, SIDE - 1}) {
        const unsigned char* p = &first[4 * (SIDE * corner + corner)];
        EXPECT_EQ(std::vector<int>({p[0], p[1]}), std::vector<int>({0, 0})) << "red and green at " << corner;
        EXPECT_NEAR(p[2], 77, 1) << "blue at " << corner;
    }
    const unsigned char* c = &first[4 * (SIDE * SIDE / 2 + SIDE / 2)];
    EXPECT_EQ(std::vector<int>({c[1], c[2]}), std::vector<int>({c[0], c[0]})) << "grey";
    EXPECT_GT(c[0], 0) << "lit";
    EXPECT_LE(c[0], 60) << "lit, not brighter than the picture";
    scene.turn_angle = scene.drift = 0.0f;
    draw_frame();
    EXPECT_EQ(read_frame(), first);
}

// A 60-degree view from 0.8 to 90 at the window's aspect, height 0 keeping it
// finite; the model-view matrix kept, and current.
TEST_F(CubeFrame, TheReshapeSetsTheViewAndKeepsTheProjectionFinite)
{
    const double f = 1.0 / std::tan(30.0 * M_PI / 180.0);
    glTranslated(1.0, 2.0, 3.0);
    for (auto [height, aspect] : {std::pair{500, 1.2}, std::pair{0, 600.0}}) {
        reshape_view(600, height);
        EXPECT_EQ(gl_values(GL_VIEWPORT, 4), (std::vector<double>{0, 0, 600, static_cast<double>(height)}));
        EXPECT_EQ(gl_values(GL_MATRIX_MODE, 1), std::vector<double>{GL_MODELVIEW});
        std::vector<double> m = gl_values(GL_PROJECTION_MATRIX, 16);
        EXPECT_NEAR(m[0], f / aspect, 1e-4) << height;
        EXPECT_NEAR(m[5], f, 1e-4);
        EXPECT_NEAR(m[10], (90.0 + 0.8) / (0.8 - 90.0), 1e-4);
        EXPECT_NEAR(m[14], 2.0 * 90.0 * 0.8 / (0.8 - 90.0), 1e-4);
        m = gl_values(GL_MODELVIEW_MATRIX, 15);
        EXPECT_EQ(std::vector<double>(m.begin() + 12, m.end()), (std::vector<double>{1, 2, 3}));
    }
}

// The idle step applies the drag for the pointer, draws, and keeps the pointer.
TEST_F(CubeFrame, TheIdleStepAppliesTheDragDrawsAndKeepsThePointer)
{
    toolkit_settings.window_x = 100;
    toolkit_settings.window_y = 50;
    standin_set_cursor(110, 150);
    idle_step(); // no button held
    EXPECT_EQ(std::tuple(scene.last_mouse_x, scene.last_mouse_y, scene.distance, scene.turn_angle),
        std::tuple(10, 100, 4.0f, 3.0f));
    start_zoom_drag(nullptr);
    standin_set_cursor(110, 140);
    idle_step();
    idle_step();
    EXPECT_FLOAT_EQ(scene.distance, 7.0f);
    EXPECT_EQ(std::pair(scene.last_mouse_y, scene.turn_angle), std::pair(90, 9.0f));
}
