// Pixels put over the whole drawing buffer (the palette display's frame):
// a texture drawn on a quad by a shader of its own, with none of the
// program's fragment settings in the way, which are then put back.
#include "platform/standin/drivers/web/gl/fixed_function.h"
#include "platform/standin/drivers/web/gl/webgl.h"

static const char VERTEX_SHADER[] = R"(
attribute vec2 corner;
varying vec2 place;
void main() {
    gl_Position = vec4(corner * 2.0 - 1.0, 0.0, 1.0);
    place = corner;
}
)";

static const char FRAGMENT_SHADER[] = R"(
precision mediump float;
uniform sampler2D frame;
varying vec2 place;
void main() {
    gl_FragColor = texture2D(frame, place);
}
)";

static const GLenum IN_THE_WAY[] = {GL_DEPTH_TEST, GL_CULL_FACE, GL_BLEND, GL_SCISSOR_TEST, GL_STENCIL_TEST};
static const int IN_THE_WAY_COUNT = sizeof IN_THE_WAY / sizeof IN_THE_WAY[0];

static bool prepare()
{
    if (fixed_function.objects.cover_program != 0) return true;
    static const char* const ATTRIBUTES[3] = {"corner", nullptr, nullptr};
    fixed_function.objects.cover_program = linked_program(VERTEX_SHADER, FRAGMENT_SHADER, ATTRIBUTES);
    emscripten_glGenTextures(1, &fixed_function.objects.cover_texture);
    emscripten_glBindTexture(GL_TEXTURE_2D, fixed_function.objects.cover_texture);
    // Any size: no mipmaps, no repeat.
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return fixed_function.objects.cover_program != 0;
}

void renderer_cover(const unsigned char* rgba, int width, int height)
{
    if (!prepare()) return;
    bool enabled[IN_THE_WAY_COUNT];
    for (int i = 0; i < IN_THE_WAY_COUNT; i++) {
        enabled[i] = emscripten_glIsEnabled(IN_THE_WAY[i]) == GL_TRUE;
        emscripten_glDisable(IN_THE_WAY[i]);
    }
    GLint viewport[4] = {}, alignment = 4;
    emscripten_glGetIntegerv(GL_VIEWPORT, viewport);
    emscripten_glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    emscripten_glViewport(0, 0, width, height);
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    emscripten_glBindTexture(GL_TEXTURE_2D, fixed_function.objects.cover_texture);
    emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    emscripten_glUseProgram(fixed_function.objects.cover_program);
    static const GLfloat CORNERS[8] = {0, 0, 1, 0, 0, 1, 1, 1};
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, fixed_function.objects.buffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, sizeof CORNERS, CORNERS, GL_STREAM_DRAW);
    for (GLuint attribute = 1; attribute < 3; attribute++) emscripten_glDisableVertexAttribArray(attribute);
    emscripten_glEnableVertexAttribArray(0);
    emscripten_glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    emscripten_glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    emscripten_glBindTexture(GL_TEXTURE_2D, fixed_function.objects.default_texture);
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    emscripten_glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    for (int i = 0; i < IN_THE_WAY_COUNT; i++)
        if (enabled[i]) emscripten_glEnable(IN_THE_WAY[i]);
}
