// gluBuild2DMipmaps for the web, where the GL underneath has no GLU: with
// GLU's meaning, a size that is not a power of two is first scaled to the
// nearest power of two (3 x 2^k up), then every level down to 1 x 1 is the
// one above halved by a 2 x 2 box, or by pairs where a side is 1 pixel,
// rounded as GLU rounds each.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstddef>
#include <vector>

struct Image {
    int width;
    int height;
    int components;
    std::vector<unsigned char> bytes; // tightly packed rows
};

static int components_of(GLenum format)
{
    switch (format) {
    case GL_RGB:
        return 3;
    case GL_RGBA:
        return 4;
    case GL_LUMINANCE_ALPHA:
        return 2;
    case GL_LUMINANCE:
    case GL_ALPHA:
        return 1;
    default:
        return 0;
    }
}

static int nearest_power_of_two(int side)
{
    int power = 1;
    while (power * 2 <= side) power *= 2;
    return 2 * side >= 3 * power ? 2 * power : power;
}

// The program's rows as the current unpack alignment pads them.
static Image unpacked(int width, int height, int components, const unsigned char* data)
{
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    int row = width * components;
    int stride = (row + alignment - 1) / alignment * alignment;
    Image image{
        width, height, components, std::vector<unsigned char>(static_cast<std::size_t>(row * height))};
    for (int y = 0; y < height; y++)
        for (int i = 0; i < row; i++)
            image.bytes[static_cast<std::size_t>(y * row + i)] = data[y * stride + i];
    return image;
}

// Each new pixel is the mean of the source area it covers (a box filter).
static Image scaled(const Image& from, int width, int height)
{
    Image to{width, height, from.components,
        std::vector<unsigned char>(static_cast<std::size_t>(width * height * from.components))};
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            for (int c = 0; c < from.components; c++) {
                int x0 = x * from.width / width, x1 = (x + 1) * from.width / width;
                int y0 = y * from.height / height, y1 = (y + 1) * from.height / height;
                int sum = 0, count = 0;
                for (int sy = y0; sy < (y1 > y0 ? y1 : y0 + 1); sy++)
                    for (int sx = x0; sx < (x1 > x0 ? x1 : x0 + 1); sx++, count++)
                        sum += from.bytes[static_cast<std::size_t>(
                            (sy * from.width + sx) * from.components + c)];
                to.bytes[static_cast<std::size_t>((y * width + x) * from.components + c)] =
                    static_cast<unsigned char>((sum + count / 2) / count);
            }
    return to;
}

static unsigned char at(const Image& image, int x, int y, int c)
{
    return image.bytes[static_cast<std::size_t>((y * image.width + x) * image.components + c)];
}

// The 2 x 2 box, rounded as GLU rounds: (a + b + c + d + 2) / 4; a pair,
// where a side is 1 pixel: (a + b) / 2.
static Image halved(const Image& from)
{
    int width = from.width > 1 ? from.width / 2 : 1;
    int height = from.height > 1 ? from.height / 2 : 1;
    int dx = from.width > 1 ? 1 : 0, dy = from.height > 1 ? 1 : 0;
    Image to{width, height, from.components,
        std::vector<unsigned char>(static_cast<std::size_t>(width * height * from.components))};
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            for (int c = 0; c < from.components; c++) {
                int sx = x * (dx + 1), sy = y * (dy + 1);
                int pair = at(from, sx, sy, c) + at(from, sx + dx, sy + dy, c);
                int value = dx == 1 && dy == 1
                    ? (pair + at(from, sx + 1, sy, c) + at(from, sx, sy + 1, c) + 2) / 4
                    : pair / 2;
                to.bytes[static_cast<std::size_t>((y * width + x) * from.components + c)] =
                    static_cast<unsigned char>(value);
            }
    return to;
}

extern "C" GLint gluBuild2DMipmaps(
    GLenum target, GLint, GLint width, GLint height, GLenum format, GLenum type, const void* data)
{
    int components = components_of(format);
    if (components == 0 || type != GL_UNSIGNED_BYTE) return GLU_INVALID_ENUM;
    if (width < 1 || height < 1) return GLU_INVALID_VALUE;
    Image level = unpacked(width, height, components, static_cast<const unsigned char*>(data));
    int fit_width = nearest_power_of_two(width), fit_height = nearest_power_of_two(height);
    if (fit_width != width || fit_height != height) level = scaled(level, fit_width, fit_height);
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // WebGL takes the internal format only as the format itself.
    for (int number = 0;; number++) {
        glTexImage2D(target, number, static_cast<GLint>(format), level.width, level.height, 0, format,
            GL_UNSIGNED_BYTE, level.bytes.data());
        if (level.width == 1 && level.height == 1) break;
        level = halved(level);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return 0;
}
