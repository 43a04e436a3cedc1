// The fixed-function OpenGL 1.1 the program calls, done on WebGL: its state
// in one record and what its files offer one another. The matrices and the
// lighting are computed here per vertex, as OpenGL specifies them; WebGL
// draws the transformed, lit vertices with the texture modulating the colour,
// and does the depth test and the culling itself.
#pragma once

#include <GL/gl.h>

struct Matrix {
    GLfloat m[16]; // column by column, as OpenGL keeps it
};

const int MATRIX_STACK_DEPTH = 32; // as Mesa gives each stack

struct MatrixStack {
    Matrix entries[MATRIX_STACK_DEPTH];
    int depth; // entries[depth - 1] is the current matrix
};

// A vertex as WebGL gets it: clip coordinates, the lit colour, texture
// coordinates.
struct DrawnVertex {
    GLfloat clip[4];
    GLfloat colour[4];
    GLfloat texture[2];
};

const int MOST_VERTICES = 4096;

enum MatrixStackIndex { MODELVIEW_STACK, PROJECTION_STACK, TEXTURE_STACK, STACK_COUNT };

// What WebGL draws with (renderer.cpp, cover.cpp): made once per context.
struct RendererObjects {
    GLuint program;
    GLuint buffer;
    GLint texturing_uniform;
    GLuint default_texture; // stands for texture 0, which WebGL does not have
    GLuint cover_program;   // renderer_cover's
    GLuint cover_texture;
};

struct FixedFunctionState {
    MatrixStack stacks[STACK_COUNT];
    MatrixStackIndex matrix_mode; // the current stack

    bool lighting;
    bool light0;
    bool normalize;
    bool texture_2d;
    GLenum polygon_mode[2]; // front, back: stored only (see capabilities.cpp)
    GLenum texture_env_mode;

    GLfloat normal[3]; // the current normal, texture coordinates and colour
    GLfloat texture[4];
    GLfloat colour[4];

    GLenum primitive; // between glBegin and glEnd, else NO_PRIMITIVE
    DrawnVertex vertices[MOST_VERTICES];
    int vertex_count;

    RendererObjects objects;
};
extern FixedFunctionState fixed_function;

const GLenum NO_PRIMITIVE = 0xFFFF;

// capabilities.cpp: the whole state as a new context has it (the renderer's
// objects kept).
void fixed_function_reset();

// matrices.cpp: the current matrix of a stack, and a vector through a matrix.
Matrix& current_matrix(MatrixStackIndex stack);
void transform(const Matrix& matrix, const GLfloat in[4], GLfloat out[4]);
// The inverse transpose's upper 3 x 3 applied to a normal.
void transform_normal(const Matrix& matrix, const GLfloat in[3], GLfloat out[3]);

// lighting.cpp: the colour of a vertex with this eye-space normal.
void light_vertex(const GLfloat eye_normal[3], GLfloat colour[4]);

// renderer.cpp: a linked shader program (0 when it fails) with attributes
// bound to 0, 1 and 2 by name (null: none);
GLuint linked_program(
    const char* vertex_shader, const char* fragment_shader, const char* const attributes[3]);
// the shader, buffer and default texture WebGL draws with, made
// once the context is current; the vertices of one primitive drawn.
bool renderer_start();
void renderer_draw(GLenum primitive, const DrawnVertex* vertices, int count);

// cover.cpp: RGBA pixels (rows bottom to top) put over the whole drawing
// buffer as they are, every setting of the program's left as it was.
void renderer_cover(const unsigned char* rgba, int width, int height);
