// The web's gluBuild2DMipmaps, built here against Mesa (its definition takes
// the place of libGLU's in this program): each level the one above halved by
// a 2 x 2 box, or by pairs where a side is 1 pixel, each rounded as libGLU
// rounds, down to 1 x 1; a size that is not a power of two scaled to the
// nearest power first; the program's rows read with the unpack alignment it
// set. (The expectations are libGLU's results for the same images.)
#include <gtest/gtest.h>

#include <vector>

#include "platform/gl.h"
#include "tests/support/windows.h"

namespace {

using WebMipmaps = GlContextTest;

// Level `level` of the bound texture, RGB, tightly packed.
std::vector<int> level_bytes(int level)
{
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
    std::vector<unsigned char> bytes(static_cast<size_t>(width * height * 3));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
    return std::vector<int>(bytes.begin(), bytes.end());
}

GLint level_width(int level)
{
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    return width;
}

} // namespace

TEST_F(WebMipmaps, EachLevelIsTheOneAboveHalvedByABoxRoundedAsGluRounds)
{
    // 4 x 2: the red channel carries the pattern, green and blue are 0 and 255.
    const unsigned char reds[8] = {0, 1, 10, 20, 2, 2, 30, 45};
    std::vector<unsigned char> image;
    for (unsigned char red : reds) image.insert(image.end(), {red, 0, 255});
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    ASSERT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, 4, 2, GL_RGB, GL_UNSIGNED_BYTE, image.data()), 0);
    // (a + b + c + d + 2) / 4: 7 / 4 and 107 / 4.
    EXPECT_EQ(level_bytes(1), (std::vector<int>{1, 0, 255, 26, 0, 255}));
    // 2 x 1 to 1 x 1, the pair alone: (a + b) / 2, 27 / 2.
    EXPECT_EQ(level_bytes(2), (std::vector<int>{13, 0, 255}));
    EXPECT_EQ(level_width(3), 0) << "no level below 1 x 1";
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4) << "the unpack alignment is the program's again";
}

TEST_F(WebMipmaps, RowsAreReadWithTheAlignmentAndOtherSizesScaledToTheNearestPowerOfTwo)
{
    // 3 x 2 (to 4 x 2), rows padded to 12 bytes: the padding must not be read
    // as pixels.
    const unsigned char padded[24] = {
        10, 0, 0, 20, 0, 0, 200, 0, 0, 99, 99, 99, 30, 0, 0, 40, 0, 0, 200, 0, 0, 99, 99, 99};
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    ASSERT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, 3, 2, GL_RGB, GL_UNSIGNED_BYTE, padded), 0);
    EXPECT_EQ(level_width(0), 4);
    std::vector<int> top = level_bytes(0);
    ASSERT_EQ(top.size(), 24u);
    for (size_t i = 1; i < top.size(); i += 3) EXPECT_EQ(top[i], 0) << "padding read as a pixel at " << i;
}

TEST_F(WebMipmaps, FormatsAndTypesItCannotTakeAreRefused)
{
    const unsigned char pixel[4] = {};
    EXPECT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, 1, 1, GL_RGB, GL_FLOAT, pixel), GLU_INVALID_ENUM);
    EXPECT_EQ(
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, 1, 1, GL_BGR, GL_UNSIGNED_BYTE, pixel), GLU_INVALID_ENUM);
    EXPECT_EQ(
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, 0, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel), GLU_INVALID_VALUE);
}
