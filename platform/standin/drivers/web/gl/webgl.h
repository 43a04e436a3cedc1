// WebGL itself, under the names Emscripten gives it beside the OpenGL ones
// (emscripten_glEnable for WebGL's enable), so that the fixed-function
// OpenGL 1.1 this folder provides can call the WebGL it is built on.
#pragma once

#include <GL/gl.h>

extern "C" {
void emscripten_glEnable(GLenum capability);
void emscripten_glDisable(GLenum capability);
GLboolean emscripten_glIsEnabled(GLenum capability);
void emscripten_glGetIntegerv(GLenum name, GLint* values);
void emscripten_glGenTextures(GLsizei count, GLuint* textures);
void emscripten_glBindTexture(GLenum target, GLuint texture);
void emscripten_glActiveTexture(GLenum unit);
void emscripten_glTexParameteri(GLenum target, GLenum name, GLint value);
void emscripten_glTexImage2D(GLenum target, GLint level, GLint internal_format, GLsizei width, GLsizei height,
    GLint border, GLenum format, GLenum type, const void* pixels);
void emscripten_glPixelStorei(GLenum name, GLint value);
void emscripten_glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void emscripten_glReadPixels(
    GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels);

GLuint emscripten_glCreateShader(GLenum type);
void emscripten_glShaderSource(
    GLuint shader, GLsizei count, const char* const* sources, const GLint* lengths);
void emscripten_glCompileShader(GLuint shader);
GLuint emscripten_glCreateProgram();
void emscripten_glAttachShader(GLuint program, GLuint shader);
void emscripten_glBindAttribLocation(GLuint program, GLuint index, const char* name);
void emscripten_glLinkProgram(GLuint program);
void emscripten_glGetProgramiv(GLuint program, GLenum name, GLint* value);
void emscripten_glUseProgram(GLuint program);
GLint emscripten_glGetUniformLocation(GLuint program, const char* name);
void emscripten_glUniform1i(GLint location, GLint value);

void emscripten_glGenBuffers(GLsizei count, GLuint* buffers);
void emscripten_glBindBuffer(GLenum target, GLuint buffer);
void emscripten_glBufferData(GLenum target, GLsizeiptr size, const void* data, GLenum usage);
void emscripten_glEnableVertexAttribArray(GLuint index);
void emscripten_glDisableVertexAttribArray(GLuint index);
void emscripten_glVertexAttribPointer(
    GLuint index, GLint size, GLenum type, GLboolean normalised, GLsizei stride, const void* offset);
void emscripten_glDrawArrays(GLenum mode, GLint first, GLsizei count);
}

extern "C" {
void emscripten_glTexSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height,
    GLenum format, GLenum type, const void* pixels);
void emscripten_glUniform1f(GLint location, GLfloat value);
}
