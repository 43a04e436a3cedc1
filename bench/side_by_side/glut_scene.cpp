// rollbox1's scene on freeglut, as a program written for that library would
// draw it: a 600 x 500 double-buffered window, one animation step a frame,
// the next frame asked for whenever the library is idle.
#include <GL/freeglut.h>

#include "demo/demo.h"
#include "platform/gl.h"

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowPosition(100, 100);
    glutInitWindowSize(600, 500);
    load_image_bank();
    glutCreateWindow("glut scene");
    set_fixed_render_state();
    set_texture_sampling();
    glutDisplayFunc([] {
        render_frame();
        glutSwapBuffers();
    });
    glutReshapeFunc([](int width, int height) { reshape_view(width, height); });
    glutIdleFunc(glutPostRedisplay);
    glutKeyboardFunc([](unsigned char key, int, int) {
        if (key == 27) glutLeaveMainLoop();
    });
    glutMainLoop();
    return 0;
}
