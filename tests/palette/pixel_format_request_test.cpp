// The pixel format request each DisplayMode makes.
#include <gtest/gtest.h>

#include <cstring>

#include "palette/palette.h"
#include "toolkit/toolkit.h"

static PIXELFORMATDESCRIPTOR request_for(int32_t mode)
{
    PIXELFORMATDESCRIPTOR request;
    std::memset(&request, 0xCD, sizeof(request)); // every byte must be written
    fill_pixel_format_request(mode, &request);
    return request;
}

static PIXELFORMATDESCRIPTOR expected_base()
{
    PIXELFORMATDESCRIPTOR expected;
    std::memset(&expected, 0, sizeof(expected));
    expected.nSize = 40;
    expected.nVersion = 1;
    expected.dwFlags = 0x24;
    expected.iPixelType = PFD_TYPE_RGBA;
    expected.cColorBits = 24;
    expected.iLayerType = PFD_MAIN_PLANE;
    return expected;
}

static bool same_bytes(const PIXELFORMATDESCRIPTOR& a, const PIXELFORMATDESCRIPTOR& b)
{
    return std::memcmp(&a, &b, sizeof(a)) == 0;
}

TEST(PixelFormatRequest, ModeZeroAsksForSingleBufferedTrueColourOnly)
{
    EXPECT_TRUE(same_bytes(request_for(0), expected_base()));
}

TEST(PixelFormatRequest, DemonstrationModeAsksForDoubleBufferAndSixteenDepthBits)
{
    PIXELFORMATDESCRIPTOR expected = expected_base();
    expected.dwFlags = 0x25;
    expected.cDepthBits = 16;
    EXPECT_TRUE(same_bytes(request_for(DISPLAY_DOUBLE | DISPLAY_DEPTH16), expected));
    EXPECT_TRUE(same_bytes(request_for(258), expected));
}

TEST(PixelFormatRequest, DepthAndStencilBits)
{
    EXPECT_EQ(request_for(DISPLAY_DEPTH).cDepthBits, 24);
    EXPECT_EQ(request_for(DISPLAY_DEPTH16).cDepthBits, 16);
    EXPECT_EQ(request_for(DISPLAY_DEPTH | DISPLAY_DEPTH16).cDepthBits, 16);
    EXPECT_EQ(request_for(DISPLAY_STENCIL).cStencilBits, 4);
}

TEST(PixelFormatRequest, AccumulationCountsColourAndAlphaBits)
{
    EXPECT_EQ(request_for(DISPLAY_ACCUM).cAccumBits, 24);
    PIXELFORMATDESCRIPTOR rgba = request_for(DISPLAY_ACCUM | DISPLAY_ALPHA);
    EXPECT_EQ(rgba.cAlphaBits, 8);
    EXPECT_EQ(rgba.cAccumBits, 32);
    EXPECT_EQ(request_for(DISPLAY_ALPHA).cAccumBits, 0);
}

TEST(PixelFormatRequest, ColourIndexKeepsAlphaAndAccumulation)
{
    PIXELFORMATDESCRIPTOR index = request_for(DISPLAY_INDEX | DISPLAY_ACCUM);
    EXPECT_EQ(index.iPixelType, PFD_TYPE_COLORINDEX);
    EXPECT_EQ(index.cColorBits, 8);
    EXPECT_EQ(index.cAlphaBits, 0);
    EXPECT_EQ(index.cAccumBits, 8);

    index = request_for(DISPLAY_INDEX | DISPLAY_ACCUM | DISPLAY_ALPHA);
    EXPECT_EQ(index.cAlphaBits, 8);
    EXPECT_EQ(index.cAccumBits, 16);

    index = request_for(DISPLAY_INDEX | DISPLAY_DOUBLE);
    EXPECT_EQ(index.dwFlags, 0x25u);
    EXPECT_EQ(index.iPixelType, PFD_TYPE_COLORINDEX);
}

TEST(PixelFormatRequest, BitsWithoutMeaningChangeNothing)
{
    for (int32_t mode : {0x4, 0x80, 0x84, 0x400, int32_t{DISPLAY_OWN_STATIC_COLOURS}, 0x7FFF0000}) {
        EXPECT_TRUE(same_bytes(request_for(mode), expected_base())) << "mode " << mode;
    }
}
