// The handlers open_window installs: a pixel-for-pixel projection, and Escape.
#include "binding/binding.h"
#include "platform/gl.h"

// One unit is one pixel of the client area, origin at its lower left corner.
void default_reshape(int32_t width, int32_t height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, static_cast<double>(width), 0.0, static_cast<double>(height), -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// The destruction runs the teardown before the process ends; the loop never
// runs again.
void quit_on_escape()
{
    destroy_toolkit_window(toolkit_state.toolkit_window);
    ExitProcess(0);
}
