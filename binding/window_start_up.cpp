// Opening the toolkit window for the application, falling back to a
// double-buffered framebuffer drawn through its front buffer, then wiring the
// dispatchers into the toolkit.
#include "binding/binding.h"
#include "platform/gl.h"

static const char FALLBACK_WARNING[] =
    "Can't initialize a single buffer visual. Will use a double buffer visual instead, only drawing "
    "into the front buffer.";

// The first window's destruction posted a quit request; the second window's
// message loop must not end on it.
static void discard_quit_request()
{
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

static void wire_in()
{
    set_reshape_hook(default_reshape);
    set_mouse_up_hook(dispatch_mouse_up);
    set_mouse_down_hook(dispatch_mouse_down);
    set_mouse_move_hook(dispatch_mouse_move);
    set_key_down_hook(dispatch_key);
    bind_key(VK_ESCAPE, quit_on_escape);
}

int32_t open_window(const char* title)
{
    bool front_buffer_drawing = false;
    if (toolkit_open_window(title) == 0) {
        if (requested_display_mode & DISPLAY_DOUBLE) {
            return 0;
        }
        discard_quit_request();
        toolkit_set_display_mode(requested_display_mode | DISPLAY_DOUBLE);
        if (toolkit_open_window(title) == 0) {
            return 0;
        }
        MessageBoxA(GetFocus(), FALLBACK_WARNING, "Warning", MB_OK);
        requested_display_mode |= DISPLAY_DOUBLE;
        front_buffer_drawing = true;
    }
    wire_in();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearIndex(0.0f);
    glLoadIdentity();
    if (front_buffer_drawing) {
        glDrawBuffer(GL_FRONT);
    }
    return 1;
}
