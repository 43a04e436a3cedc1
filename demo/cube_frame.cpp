// One frame: the camera, the cube in its current pose with the current
// picture, then one step of the animation.
#include "binding/binding.h"
#include "demo/demo.h"
#include "platform/gl.h"

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

// The display hook, and the idle step's frame: every call is one animation step.
void draw_frame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    apply_camera();
    draw_animated_cube();
    glPopMatrix();
    glFlush();
    swap_buffers();
}
