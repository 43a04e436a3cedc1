// What WebGL draws the transformed, lit vertices with: one shader that
// modulates the lit colour by the texture (GL_MODULATE) while texturing is
// on, one buffer filled for every primitive, and a texture bound for good in
// the place of OpenGL's default texture.
#include "platform/standin/drivers/web/gl/fixed_function.h"
#include "platform/standin/drivers/web/gl/webgl.h"

enum Attribute : GLuint { CLIP, COLOUR, TEXTURE };

static const char VERTEX_SHADER[] = R"(
attribute vec4 clip;
attribute vec4 colour;
attribute vec2 texture;
varying vec4 lit;
varying vec2 place;
void main() {
    gl_Position = clip;
    lit = colour;
    place = texture;
}
)";

static const char FRAGMENT_SHADER[] = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D picture;
uniform bool texturing;
varying vec4 lit;
varying vec2 place;
void main() {
    gl_FragColor = texturing ? texture2D(picture, place) * lit : lit;
}
)";

static GLuint compiled(GLenum type, const char* source)
{
    GLuint shader = emscripten_glCreateShader(type);
    emscripten_glShaderSource(shader, 1, &source, nullptr);
    emscripten_glCompileShader(shader);
    return shader;
}

GLuint linked_program(const char* vertex_shader, const char* fragment_shader, const char* const attributes[3])
{
    GLuint program = emscripten_glCreateProgram();
    emscripten_glAttachShader(program, compiled(GL_VERTEX_SHADER, vertex_shader));
    emscripten_glAttachShader(program, compiled(GL_FRAGMENT_SHADER, fragment_shader));
    for (GLuint index = 0; index < 3; index++)
        if (attributes[index] != nullptr) emscripten_glBindAttribLocation(program, index, attributes[index]);
    emscripten_glLinkProgram(program);
    GLint linked = GL_FALSE;
    emscripten_glGetProgramiv(program, GL_LINK_STATUS, &linked);
    return linked == GL_TRUE ? program : 0;
}

bool renderer_start()
{
    static const char* const ATTRIBUTES[3] = {"clip", "colour", "texture"};
    GLuint program = linked_program(VERTEX_SHADER, FRAGMENT_SHADER, ATTRIBUTES);
    if (program == 0) return false;
    fixed_function.objects.program = program;
    emscripten_glUseProgram(program);
    emscripten_glUniform1i(emscripten_glGetUniformLocation(program, "picture"), 0);
    fixed_function.objects.texturing_uniform = emscripten_glGetUniformLocation(program, "texturing");
    emscripten_glGenBuffers(1, &fixed_function.objects.buffer);
    emscripten_glGenTextures(1, &fixed_function.objects.default_texture);
    emscripten_glActiveTexture(GL_TEXTURE0);
    emscripten_glBindTexture(GL_TEXTURE_2D, fixed_function.objects.default_texture);
    // OpenGL's defaults, where WebGL's differ.
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_LINEAR);
    return true;
}

// The primitives WebGL has (all but quads and polygons).
static bool drawable(GLenum primitive)
{
    return primitive <= GL_TRIANGLE_FAN;
}

void renderer_draw(GLenum primitive, const DrawnVertex* vertices, int count)
{
    if (!drawable(primitive) || count == 0) return;
    emscripten_glUseProgram(fixed_function.objects.program);
    emscripten_glUniform1i(fixed_function.objects.texturing_uniform, fixed_function.texture_2d ? 1 : 0);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, fixed_function.objects.buffer);
    emscripten_glBufferData(
        GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(DrawnVertex)) * count, vertices, GL_STREAM_DRAW);
    struct Field {
        Attribute attribute;
        GLint size;
        const GLfloat* start;
    };
    const DrawnVertex& first = vertices[0];
    const Field fields[] = {{CLIP, 4, first.clip}, {COLOUR, 4, first.colour}, {TEXTURE, 2, first.texture}};
    for (const Field& field : fields) {
        auto offset = reinterpret_cast<const char*>(field.start) - reinterpret_cast<const char*>(&first);
        emscripten_glEnableVertexAttribArray(field.attribute);
        emscripten_glVertexAttribPointer(field.attribute, field.size, GL_FLOAT, GL_FALSE, sizeof(DrawnVertex),
            reinterpret_cast<const void*>(offset));
    }
    emscripten_glDrawArrays(primitive, 0, count);
}
