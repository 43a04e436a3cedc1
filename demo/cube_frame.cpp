// The scene in OpenGL alone: the fixed render state, the projection, the
// camera, the cube in its current pose with the current picture, then one
// step of the animation.
#include "demo/demo.h"
#include "platform/gl.h"

// Dark blue background; lit, depth-tested, back faces culled (their outline
// mode never shows on the closed cube).
void set_fixed_render_state()
{
    glClearColor(0.0f, 0.0f, 0.3f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glPolygonMode(GL_FRONT, GL_FILL);
    glPolygonMode(GL_BACK, GL_LINE);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
}

// A height of 0 (a minimised window) is taken as 1 so the aspect ratio stays
// finite; the viewport gets the real size.
void reshape_view(int32_t width, int32_t height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    double aspect_height = height == 0 ? 1.0 : static_cast<double>(height);
    gluPerspective(60.0, static_cast<double>(width) / aspect_height, 0.8, 90.0);
    glMatrixMode(GL_MODELVIEW);
}

void apply_camera()
{
    glTranslatef(0.0f, 0.0f, -scene.distance);
    glRotatef(-scene.view_roll, 0.0f, 0.0f, 1.0f);
    glRotatef(-scene.view_pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(scene.view_yaw, 0.0f, 1.0f, 0.0f);
}

struct CubeFace {
    float normal[3];
    float corners[4][3]; // at texture coordinates (0,0), (P,0), (0,P), (P,P)
};

// Every strip winds counter-clockwise seen from outside, the picture upright
// and unmirrored on the side faces.
static const CubeFace CUBE_FACES[6] = {
    {{0, 0, -1}, {{1, -1, -1}, {-1, -1, -1}, {1, 1, -1}, {-1, 1, -1}}}, // back
    {{0, 0, 1}, {{-1, -1, 1}, {1, -1, 1}, {-1, 1, 1}, {1, 1, 1}}},      // front
    {{1, 0, 0}, {{1, -1, 1}, {1, -1, -1}, {1, 1, 1}, {1, 1, -1}}},      // right
    {{-1, 0, 0}, {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, -1}, {-1, 1, 1}}}, // left
    {{0, 1, 0}, {{-1, 1, 1}, {1, 1, 1}, {-1, 1, -1}, {1, 1, -1}}},      // top
    {{0, -1, 0}, {{-1, -1, -1}, {1, -1, -1}, {-1, -1, 1}, {1, -1, 1}}}, // bottom
};

// The picture repeats cycle_phase times along each side of a face.
void draw_cube()
{
    for (const CubeFace& face : CUBE_FACES) {
        float repeat = scene.cycle_phase;
        const float texture[4][2] = {{0, 0}, {repeat, 0}, {0, repeat}, {repeat, repeat}};
        glBegin(GL_TRIANGLE_STRIP);
        glNormal3f(face.normal[0], face.normal[1], face.normal[2]);
        for (int corner = 0; corner < 4; corner++) {
            glTexCoord2f(texture[corner][0], texture[corner][1]);
            glVertex3f(face.corners[corner][0], face.corners[corner][1], face.corners[corner][2]);
        }
        glEnd();
    }
}

void draw_animated_cube()
{
    if (restart_cycle_if_ended()) switch_picture();

    glPushMatrix();
    glTranslatef(0.0f, 0.0f, scene.drift);
    glRotatef(scene.turn_angle, 0.0f, 1.0f, 0.0f);
    glRotatef(scene.tilt_angle, 1.0f, 0.0f, 0.0f);
    glPushMatrix();
    glRotatef(45.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(45.0f, 0.0f, 1.0f, 0.0f);
    draw_cube();
    glPopMatrix();
    glPopMatrix();

    advance_animation();
}

// Every call is one animation step; the caller presents the frame.
void render_frame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    apply_camera();
    draw_animated_cube();
    glPopMatrix();
    glFlush();
}
