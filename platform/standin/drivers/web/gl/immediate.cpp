// Immediate mode: glBegin, the vertex and its current normal and texture
// coordinates, glEnd. Each vertex is transformed and lit as it is given,
// and glEnd hands the primitive to WebGL.
#include "platform/standin/drivers/web/gl/fixed_function.h"

extern "C" {

void glBegin(GLenum primitive)
{
    if (fixed_function.primitive != NO_PRIMITIVE) return; // GL_INVALID_OPERATION
    fixed_function.primitive = primitive;
    fixed_function.vertex_count = 0;
}

void glEnd()
{
    if (fixed_function.primitive == NO_PRIMITIVE) return;
    renderer_draw(fixed_function.primitive, fixed_function.vertices, fixed_function.vertex_count);
    fixed_function.primitive = NO_PRIMITIVE;
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z)
{
    fixed_function.normal[0] = x;
    fixed_function.normal[1] = y;
    fixed_function.normal[2] = z;
}

void glTexCoord2f(GLfloat s, GLfloat t)
{
    GLfloat* texture = fixed_function.texture;
    texture[0] = s;
    texture[1] = t;
    texture[2] = 0;
    texture[3] = 1;
}

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha)
{
    GLfloat* colour = fixed_function.colour;
    colour[0] = red;
    colour[1] = green;
    colour[2] = blue;
    colour[3] = alpha;
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue)
{
    glColor4f(red, green, blue, 1);
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    if (fixed_function.primitive == NO_PRIMITIVE || fixed_function.vertex_count == MOST_VERTICES) return;
    DrawnVertex& v = fixed_function.vertices[fixed_function.vertex_count++];
    const GLfloat object[4] = {x, y, z, 1};
    GLfloat eye[4];
    transform(current_matrix(MODELVIEW_STACK), object, eye);
    transform(current_matrix(PROJECTION_STACK), eye, v.clip);
    if (fixed_function.lighting) {
        GLfloat eye_normal[3];
        transform_normal(current_matrix(MODELVIEW_STACK), fixed_function.normal, eye_normal);
        light_vertex(eye_normal, v.colour);
    } else {
        for (int i = 0; i < 4; i++) v.colour[i] = fixed_function.colour[i];
    }
    GLfloat texture[4];
    transform(current_matrix(TEXTURE_STACK), fixed_function.texture, texture);
    v.texture[0] = texture[0] / texture[3];
    v.texture[1] = texture[1] / texture[3];
}

void glVertex2f(GLfloat x, GLfloat y)
{
    glVertex3f(x, y, 0);
}

} // extern "C"
