// OpenGL 1.1 calls the program makes that WebGL has no counterpart for,
// made harmless: a WebGL canvas has no colour-index mode, and its one
// drawing buffer is both the buffer drawn into and the one shown.
#include <GL/gl.h>

extern "C" void glClearIndex(GLfloat) { }
extern "C" void glDrawBuffer(GLenum) { }
