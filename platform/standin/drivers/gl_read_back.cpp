// Reading a window's pixels back through its current GL context, as both
// drivers do for the testing controls.
#include <GL/gl.h>

#include "platform/standin/drivers/driver.h"

bool read_current_pixels(bool front, int x, int y, int width, int height, unsigned char* rgba)
{
    // Errors left by the program are not the read's; a lost context may
    // report one for ever, hence the bound.
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; i++) { }
    GLint draw_buffer = GL_BACK;
    GLint read_buffer = GL_BACK;
    glGetIntegerv(GL_DRAW_BUFFER, &draw_buffer);
    glGetIntegerv(GL_READ_BUFFER, &read_buffer);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glReadBuffer(front ? GL_FRONT : static_cast<GLenum>(draw_buffer));
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glReadBuffer(static_cast<GLenum>(read_buffer));
    glPopClientAttrib();
    return glGetError() == GL_NO_ERROR;
}
