// rollbox1's scene written straight against Emscripten's GLUT, for the web
// benchmark: a 600 x 500 double-buffered canvas, one animation step a frame,
// the next frame asked for whenever GLUT is idle, as a GLUT program does. The
// GL under it is the same as rollbox1's on the web.
#include <GL/glut.h>
#include <emscripten/emscripten.h>

#include "demo/demo.h"
#include "platform/gl.h"
#include "platform/standin/drivers/web/gl/fixed_function.h"

// What the benchmark reads: frames drawn, and when the first one was.
EM_JS(void, count_frame, (), {
    if (!Module.framesDrawn) Module.firstFrameAt = performance.now();
    Module.framesDrawn = (Module.framesDrawn || 0) + 1;
});

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(600, 500);
    load_image_bank();
    glutCreateWindow("glut scene");
    renderer_start();
    fixed_function_reset();
    set_fixed_render_state();
    set_texture_sampling();
    glutDisplayFunc([] {
        render_frame();
        glutSwapBuffers();
        count_frame();
    });
    glutReshapeFunc([](int width, int height) { reshape_view(width, height); });
    glutIdleFunc(glutPostRedisplay);
    glutMainLoop();
    return 0;
}
