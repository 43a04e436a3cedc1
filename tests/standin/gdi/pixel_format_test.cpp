// Pixel formats: the choice for typical requests, setting a format once, the
// descriptions, and the simulated palette display.
#include <gtest/gtest.h>

#include "platform/standin/testing.h"
#include "platform/win32.h"
#include "tests/standin/gdi/gdi_test_window.h"

static PIXELFORMATDESCRIPTOR request(DWORD flags, BYTE depth_bits)
{
    PIXELFORMATDESCRIPTOR wanted = {};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | flags;
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = 24;
    wanted.cDepthBits = depth_bits;
    return wanted;
}

static PIXELFORMATDESCRIPTOR chosen(HDC dc, const PIXELFORMATDESCRIPTOR& wanted)
{
    PIXELFORMATDESCRIPTOR description = {};
    int format = ChoosePixelFormat(dc, &wanted);
    EXPECT_GT(format, 0);
    EXPECT_GT(DescribePixelFormat(dc, format, sizeof description, &description), 0);
    return description;
}

TEST(ChoosePixelFormat, MatchesBufferingAndTheNearestDepth)
{
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    PIXELFORMATDESCRIPTOR demo = chosen(dc, request(PFD_DOUBLEBUFFER, 16));
    EXPECT_TRUE(demo.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_EQ(demo.cDepthBits, 16);
    EXPECT_EQ(demo.cColorBits, 24);
    EXPECT_EQ(demo.cAlphaBits, 0);
    EXPECT_EQ(demo.cStencilBits, 0);

    PIXELFORMATDESCRIPTOR single = chosen(dc, request(0, 24));
    EXPECT_FALSE(single.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_EQ(single.cDepthBits, 24);

    PIXELFORMATDESCRIPTOR stencil = request(PFD_DOUBLEBUFFER, 16);
    stencil.cStencilBits = 4;
    stencil.cAlphaBits = 8;
    PIXELFORMATDESCRIPTOR with_stencil = chosen(dc, stencil);
    EXPECT_GE(with_stencil.cStencilBits, 4);
    EXPECT_EQ(with_stencil.cAlphaBits, 8);

    PIXELFORMATDESCRIPTOR either = chosen(dc, request(PFD_DOUBLEBUFFER_DONTCARE, 0));
    EXPECT_EQ(either.cDepthBits, 0);
}

TEST(ChoosePixelFormat, ReturnsZeroWhenNothingFits)
{
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    PIXELFORMATDESCRIPTOR index = request(PFD_DOUBLEBUFFER, 0);
    index.iPixelType = PFD_TYPE_COLORINDEX;
    index.cColorBits = 8;
    EXPECT_EQ(ChoosePixelFormat(dc, &index), 0);
    PIXELFORMATDESCRIPTOR bitmap = request(0, 0);
    bitmap.dwFlags |= PFD_DRAW_TO_BITMAP;
    EXPECT_EQ(ChoosePixelFormat(dc, &bitmap), 0);
    PIXELFORMATDESCRIPTOR wanted = request(0, 0);
    EXPECT_EQ(ChoosePixelFormat(nullptr, &wanted), 0);
}

TEST(SetPixelFormat, IsSetOnceAndReadBack)
{
    HWND window = open_gdi_test_window(64, 64);
    HDC dc = GetDC(window);
    PIXELFORMATDESCRIPTOR wanted = request(PFD_DOUBLEBUFFER, 16);
    int format = ChoosePixelFormat(dc, &wanted);
    PIXELFORMATDESCRIPTOR single = request(0, 24);
    int other = ChoosePixelFormat(dc, &single);
    ASSERT_NE(format, other);
    EXPECT_EQ(GetPixelFormat(dc), 0);
    EXPECT_FALSE(SetPixelFormat(dc, 0, &wanted));
    EXPECT_TRUE(SetPixelFormat(dc, format, &wanted));
    EXPECT_TRUE(SetPixelFormat(dc, format, &wanted));
    EXPECT_FALSE(SetPixelFormat(dc, other, &wanted));
    EXPECT_EQ(GetPixelFormat(dc), format);
    // The format belongs to the window: every GetDC of it sees the format.
    EXPECT_TRUE(ReleaseDC(window, dc));
    EXPECT_EQ(GetPixelFormat(GetDC(window)), format);
}

TEST(DescribePixelFormat, CountsFormatsAndGuardsTheBuffer)
{
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    int count = DescribePixelFormat(dc, 1, 0, nullptr);
    ASSERT_GT(count, 1);
    PIXELFORMATDESCRIPTOR description = {};
    EXPECT_EQ(DescribePixelFormat(dc, count, sizeof description, &description), count);
    EXPECT_EQ(description.nSize, sizeof description);
    EXPECT_TRUE(description.dwFlags & PFD_SUPPORT_OPENGL);
    EXPECT_FALSE(description.dwFlags & PFD_NEED_PALETTE);
    EXPECT_EQ(DescribePixelFormat(dc, count + 1, sizeof description, &description), 0);
    EXPECT_EQ(DescribePixelFormat(dc, 1, 20, &description), 0);
    EXPECT_EQ(standin_display_depth(), 24);
}

TEST(PaletteDisplay, FormatsBecomeEightBitThreeThreeTwoNeedingAPalette)
{
    standin_set_palette_display(true, false);
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    PIXELFORMATDESCRIPTOR description = chosen(dc, request(PFD_DOUBLEBUFFER, 16));
    EXPECT_EQ(description.dwFlags & (PFD_NEED_PALETTE | PFD_NEED_SYSTEM_PALETTE), PFD_NEED_PALETTE);
    EXPECT_EQ(description.iPixelType, PFD_TYPE_RGBA);
    EXPECT_EQ(description.cColorBits, 8);
    EXPECT_EQ(description.cRedBits, 3);
    EXPECT_EQ(description.cRedShift, 0);
    EXPECT_EQ(description.cGreenBits, 3);
    EXPECT_EQ(description.cGreenShift, 3);
    EXPECT_EQ(description.cBlueBits, 2);
    EXPECT_EQ(description.cBlueShift, 6);
    EXPECT_EQ(description.cDepthBits, 16);
    EXPECT_EQ(standin_display_depth(), 8);
}

TEST(PaletteDisplay, CanAskForTheSystemPalette)
{
    standin_set_palette_display(true, true);
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    PIXELFORMATDESCRIPTOR description = chosen(dc, request(0, 0));
    EXPECT_TRUE(description.dwFlags & PFD_NEED_PALETTE);
    EXPECT_TRUE(description.dwFlags & PFD_NEED_SYSTEM_PALETTE);
}

TEST(PaletteDisplay, IsReadFromTheEnvironment)
{
    setenv("ROLLBOX_PALETTE_DISPLAY", "system", 1);
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    PIXELFORMATDESCRIPTOR description = chosen(dc, request(PFD_DOUBLEBUFFER, 16));
    EXPECT_EQ(description.cColorBits, 8);
    EXPECT_TRUE(description.dwFlags & PFD_NEED_SYSTEM_PALETTE);
}
