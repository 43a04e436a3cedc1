// The fixed-function switches WebGL does not know (lighting, light 0,
// normalising, texturing), kept here; the rest go to WebGL. The queries the
// stand-in and the program make, the texture environment, the polygon modes,
// and the calls with no WebGL counterpart made harmless.
#include "platform/standin/drivers/web/gl/fixed_function.h"
#include "platform/standin/drivers/web/gl/webgl.h"

FixedFunctionState fixed_function;

void fixed_function_reset()
{
    RendererObjects objects = fixed_function.objects;
    fixed_function = FixedFunctionState{};
    fixed_function.objects = objects;
    for (MatrixStack& stack : fixed_function.stacks) {
        stack.depth = 1;
        stack.entries[0] = Matrix{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
    }
    fixed_function.polygon_mode[0] = fixed_function.polygon_mode[1] = GL_FILL;
    fixed_function.texture_env_mode = GL_MODULATE;
    fixed_function.normal[2] = 1;
    fixed_function.texture[3] = 1;
    for (GLfloat& channel : fixed_function.colour) channel = 1;
    fixed_function.primitive = NO_PRIMITIVE;
}

// The switch kept here for a capability, or null when WebGL keeps it.
static bool* switch_of(GLenum capability)
{
    switch (capability) {
    case GL_LIGHTING:
        return &fixed_function.lighting;
    case GL_LIGHT0:
        return &fixed_function.light0;
    case GL_NORMALIZE:
        return &fixed_function.normalize;
    case GL_TEXTURE_2D:
        return &fixed_function.texture_2d;
    default:
        return nullptr;
    }
}

extern "C" {

void glEnable(GLenum capability)
{
    if (bool* on = switch_of(capability)) {
        *on = true;
    } else {
        emscripten_glEnable(capability);
    }
}

void glDisable(GLenum capability)
{
    if (bool* on = switch_of(capability)) {
        *on = false;
    } else {
        emscripten_glDisable(capability);
    }
}

GLboolean glIsEnabled(GLenum capability)
{
    if (const bool* on = switch_of(capability)) return *on ? GL_TRUE : GL_FALSE;
    return emscripten_glIsEnabled(capability);
}

void glGetIntegerv(GLenum name, GLint* values)
{
    static const GLenum MODES[] = {GL_MODELVIEW, GL_PROJECTION, GL_TEXTURE};
    switch (name) {
    case GL_MATRIX_MODE:
        *values = static_cast<GLint>(MODES[fixed_function.matrix_mode]);
        return;
    case GL_MODELVIEW_STACK_DEPTH:
        *values = fixed_function.stacks[MODELVIEW_STACK].depth;
        return;
    case GL_PROJECTION_STACK_DEPTH:
        *values = fixed_function.stacks[PROJECTION_STACK].depth;
        return;
    case GL_POLYGON_MODE:
        values[0] = static_cast<GLint>(fixed_function.polygon_mode[0]);
        values[1] = static_cast<GLint>(fixed_function.polygon_mode[1]);
        return;
    case GL_DRAW_BUFFER:
    case GL_READ_BUFFER:
        *values = GL_BACK; // the canvas's one buffer
        return;
    default:
        emscripten_glGetIntegerv(name, values);
    }
}

// Only the mode of the texture environment: GL_MODULATE is what is drawn.
void glTexEnvi(GLenum target, GLenum name, GLint value)
{
    if (target == GL_TEXTURE_ENV && name == GL_TEXTURE_ENV_MODE)
        fixed_function.texture_env_mode = static_cast<GLenum>(value);
}

void glTexEnvf(GLenum target, GLenum name, GLfloat value)
{
    glTexEnvi(target, name, static_cast<GLint>(value));
}

// WebGL fills every polygon. The modes are kept for the queries; the program
// draws its back faces in outline only while it culls them.
void glPolygonMode(GLenum face, GLenum mode)
{
    if (face == GL_FRONT || face == GL_FRONT_AND_BACK) fixed_function.polygon_mode[0] = mode;
    if (face == GL_BACK || face == GL_FRONT_AND_BACK) fixed_function.polygon_mode[1] = mode;
}

// A canvas has no colour-index mode, and one drawing buffer, which is both the
// one drawn into and the one shown and read.
void glClearIndex(GLfloat) { }
void glDrawBuffer(GLenum) { }
void glReadBuffer(GLenum) { }

} // extern "C"
