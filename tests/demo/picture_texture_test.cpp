// The picture on the cube as OpenGL holds it: the mipmap chain built from a
// slot, the sampling state, and the slot chosen at each end of cycle.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "demo/demo.h"
#include "platform/gl.h"
#include "tests/support/gl_context.h"

namespace {

void fill_slot(int slot, unsigned seed)
{
    unsigned state = seed;
    for (unsigned char& byte : image_bank.slots[slot].bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<unsigned char>(state >> 16);
    }
}

std::vector<unsigned char> level_0()
{
    std::vector<unsigned char> texels(IMAGE_SLOT_BYTES);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

bool texture_is_slot(int slot)
{
    std::vector<unsigned char> texels = level_0();
    return std::memcmp(texels.data(), image_bank.slots[slot].bytes, texels.size()) == 0;
}

int level_width(int level)
{
    GLint width = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    return width;
}

using PictureTexture = GlContextTest;

// Switches through two rounds of the cycle and checks each upload.
void expect_cycle(int last_loaded, const std::vector<int>& slots)
{
    for (int slot = 0; slot < IMAGE_SLOT_COUNT; slot++) fill_slot(slot, 1000u + static_cast<unsigned>(slot));
    image_bank.last_loaded_index = last_loaded;
    set_texture_sampling();
    for (size_t i = 0; i < slots.size(); i++) {
        switch_picture();
        EXPECT_EQ(scene.current_picture, slots[i]) << "switch " << i;
        EXPECT_TRUE(texture_is_slot(slots[i])) << "switch " << i;
    }
}

} // namespace

TEST_F(PictureTexture, TheFirstSwitchPutsSlot0OnTheCubeWithItsWholeChain)
{
    fill_slot(0, 7);
    image_bank.last_loaded_index = 0;
    set_texture_sampling();
    EXPECT_EQ(scene.current_picture, 99);
    switch_picture();
    EXPECT_EQ(scene.current_picture, 0);
    EXPECT_TRUE(texture_is_slot(0));
    for (int level = 0; level < 10; level++) {
        EXPECT_EQ(level_width(level), 512 >> level) << "level " << level;
        GLint height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
        EXPECT_EQ(height, 512 >> level) << "level " << level;
    }
    EXPECT_EQ(level_width(10), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(PictureTexture, SamplingRepeatsMagnifiesNearestMinifiesTrilinearAndModulates)
{
    set_texture_sampling();
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR_MIPMAP_LINEAR);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_MODULATE);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(PictureTexture, WithoutFilesEverySwitchRebuildsTheGradientSlot)
{
    expect_cycle(-1, {0, 0, 0});
}

TEST_F(PictureTexture, WithOneFileEverySwitchUploadsSlot0)
{
    expect_cycle(0, {0, 0, 0});
}

TEST_F(PictureTexture, WithThreeFilesTheCycleWrapsAfterSlot2)
{
    expect_cycle(2, {0, 1, 2, 0, 1, 2, 0});
}

TEST_F(PictureTexture, WithTenFilesTheCycleWrapsAfterSlot9)
{
    expect_cycle(9, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1});
}
