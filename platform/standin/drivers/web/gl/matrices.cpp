// The matrix stacks and the calls that change them, gluPerspective among them,
// in single precision as Mesa computes them.
#include <cmath>

#include "platform/standin/drivers/web/gl/fixed_function.h"

static const Matrix IDENTITY = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

// The stack of a matrix mode; false for no mode.
static bool stack_of(GLenum mode, MatrixStackIndex* stack)
{
    switch (mode) {
    case GL_MODELVIEW:
        *stack = MODELVIEW_STACK;
        return true;
    case GL_PROJECTION:
        *stack = PROJECTION_STACK;
        return true;
    case GL_TEXTURE:
        *stack = TEXTURE_STACK;
        return true;
    default:
        return false;
    }
}

Matrix& current_matrix(MatrixStackIndex stack)
{
    MatrixStack& s = fixed_function.stacks[stack];
    return s.entries[s.depth - 1];
}

void transform(const Matrix& matrix, const GLfloat in[4], GLfloat out[4])
{
    const GLfloat* m = matrix.m;
    for (int row = 0; row < 4; row++)
        out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
}

// The normal times the inverse of the upper 3 x 3 (a row vector), which is
// the inverse transpose applied to it.
void transform_normal(const Matrix& matrix, const GLfloat in[3], GLfloat out[3])
{
    const GLfloat* m = matrix.m;
    GLfloat a = m[0], b = m[4], c = m[8], d = m[1], e = m[5], f = m[9], g = m[2], h = m[6], i = m[10];
    GLfloat cofactor[9] = {e * i - f * h, c * h - b * i, b * f - c * e, f * g - d * i, a * i - c * g,
        c * d - a * f, d * h - e * g, b * g - a * h, a * e - b * d};
    GLfloat determinant = a * cofactor[0] + b * cofactor[3] + c * cofactor[6];
    if (determinant == 0) determinant = 1;
    for (int column = 0; column < 3; column++)
        out[column] =
            (in[0] * cofactor[column] + in[1] * cofactor[3 + column] + in[2] * cofactor[6 + column]) /
            determinant;
}

// The current matrix times `by`.
static void multiply(const Matrix& by)
{
    Matrix& current = current_matrix(fixed_function.matrix_mode);
    Matrix product{};
    for (int column = 0; column < 4; column++)
        for (int row = 0; row < 4; row++) {
            GLfloat sum = 0;
            for (int k = 0; k < 4; k++) sum += current.m[k * 4 + row] * by.m[column * 4 + k];
            product.m[column * 4 + row] = sum;
        }
    current = product;
}

extern "C" {

void glMatrixMode(GLenum mode)
{
    MatrixStackIndex stack;
    if (stack_of(mode, &stack)) fixed_function.matrix_mode = stack;
}

void glLoadIdentity()
{
    current_matrix(fixed_function.matrix_mode) = IDENTITY;
}

void glPushMatrix()
{
    MatrixStack& s = fixed_function.stacks[fixed_function.matrix_mode];
    if (s.depth == MATRIX_STACK_DEPTH) return; // GL_STACK_OVERFLOW
    s.entries[s.depth] = s.entries[s.depth - 1];
    s.depth++;
}

void glPopMatrix()
{
    MatrixStack& s = fixed_function.stacks[fixed_function.matrix_mode];
    if (s.depth > 1) s.depth--;
}

void glLoadMatrixf(const GLfloat* m)
{
    Matrix& current = current_matrix(fixed_function.matrix_mode);
    for (int i = 0; i < 16; i++) current.m[i] = m[i];
}

void glMultMatrixf(const GLfloat* m)
{
    Matrix by;
    for (int i = 0; i < 16; i++) by.m[i] = m[i];
    multiply(by);
}

void glMultMatrixd(const GLdouble* m)
{
    Matrix by;
    for (int i = 0; i < 16; i++) by.m[i] = static_cast<GLfloat>(m[i]);
    multiply(by);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    Matrix by = IDENTITY;
    by.m[12] = x;
    by.m[13] = y;
    by.m[14] = z;
    multiply(by);
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    Matrix by = IDENTITY;
    by.m[0] = x;
    by.m[5] = y;
    by.m[10] = z;
    multiply(by);
}

// About the axis (x, y, z), normalised; as Mesa does, in single precision.
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    GLfloat length = std::sqrt(x * x + y * y + z * z);
    if (length == 0) return;
    x /= length;
    y /= length;
    z /= length;
    GLfloat radians = angle * static_cast<GLfloat>(M_PI / 180.0);
    GLfloat s = std::sin(radians), c = std::cos(radians), t = 1 - c;
    Matrix by = {{x * x * t + c, y * x * t + z * s, x * z * t - y * s, 0, x * y * t - z * s, y * y * t + c,
        y * z * t + x * s, 0, x * z * t + y * s, y * z * t - x * s, z * z * t + c, 0, 0, 0, 0, 1}};
    multiply(by);
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near, GLdouble far)
{
    if (left == right || bottom == top || near == far) return; // GL_INVALID_VALUE
    GLdouble by[16] = {2 / (right - left), 0, 0, 0, 0, 2 / (top - bottom), 0, 0, 0, 0, -2 / (far - near), 0,
        -(right + left) / (right - left), -(top + bottom) / (top - bottom), -(far + near) / (far - near), 1};
    glMultMatrixd(by);
}

void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near, GLdouble far)
{
    if (near <= 0 || far <= 0 || left == right || bottom == top || near == far) return;
    GLdouble by[16] = {2 * near / (right - left), 0, 0, 0, 0, 2 * near / (top - bottom), 0, 0,
        (right + left) / (right - left), (top + bottom) / (top - bottom), -(far + near) / (far - near), -1, 0,
        0, -2 * far * near / (far - near), 0};
    glMultMatrixd(by);
}

// As GLU computes it, in double, then multiplied in.
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble near, GLdouble far)
{
    GLdouble radians = fovy / 2 * M_PI / 180;
    GLdouble depth = far - near;
    GLdouble sine = std::sin(radians);
    if (depth == 0 || sine == 0 || aspect == 0) return;
    GLdouble cotangent = std::cos(radians) / sine;
    GLdouble by[16] = {cotangent / aspect, 0, 0, 0, 0, cotangent, 0, 0, 0, 0, -(far + near) / depth, -1, 0, 0,
        -2 * near * far / depth, 0};
    glMultMatrixd(by);
}

} // extern "C"
