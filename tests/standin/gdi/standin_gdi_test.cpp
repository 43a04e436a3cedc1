// The stand-in's GDI side on the headless driver: device contexts of their
// own or common ones, palette objects, realisation into the system palette
// and its static use, pixel formats, and rendering contexts with Mesa's
// pixels read back.
#include <vector>

#include "platform/gl.h"
#include "platform/standin/testing.h"
#include "tests/support/windows.h"

namespace {

int palette_changes;

LRESULT CALLBACK counting_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PALETTECHANGED) palette_changes++;
    return DefWindowProcA(window, message, wParam, lParam);
}

HDC new_dc(int width = 64, int height = 64)
{
    return GetDC(open_test_window(counting_procedure, 0, 0, 0, width, height));
}

HPALETTE make_palette(int count, BYTE flags, int red_from, int blue = 200)
{
    std::vector<BYTE> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * count);
    LOGPALETTE* description = reinterpret_cast<LOGPALETTE*>(block.data());
    *description = {0x300, static_cast<WORD>(count), {}};
    for (int i = 0; i < count; i++)
        description->palPalEntry[i] = {static_cast<BYTE>(red_from + i), 10, static_cast<BYTE>(blue), flags};
    return CreatePalette(description);
}

COLORREF system_entry(int index)
{
    PALETTEENTRY entries[256];
    standin_system_palette(entries);
    return RGB(entries[index].peRed, entries[index].peGreen, entries[index].peBlue);
}

void clear_and_swap(HDC dc, float red, float green, float blue)
{
    glClearColor(red, green, blue, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SwapBuffers(dc);
}

} // namespace

using Gdi = FreshState;

// A common context is a new handle each time and dead once given back, its
// palette selection with it; a CS_OWNDC window keeps one for its life. The
// pixel format belongs to the window.
TEST_F(Gdi, CommonDeviceContextsDieAtReleaseOwnOnesLiveWithTheWindow)
{
    HWND window = open_test_window(DefWindowProcA, CS_HREDRAW | CS_VREDRAW, 0, 0, 64, 64);
    HDC first = GetDC(window), second = GetDC(window);
    EXPECT_NE(first, second);
    ASSERT_NE(make_gl_current(first), nullptr);
    HPALETTE palette = make_palette(4, 0, 1);
    SelectPalette(second, palette, FALSE);
    EXPECT_FALSE(DeleteObject(palette)) << "selected";
    EXPECT_EQ(ReleaseDC(nullptr, second), 0);
    EXPECT_EQ(ReleaseDC(window, second), 1);
    EXPECT_TRUE(DeleteObject(palette));
    EXPECT_FALSE(DeleteObject(palette));
    EXPECT_EQ(
        std::vector<UINT>({UINT(GetPixelFormat(second)), UINT(ReleaseDC(window, second)),
            RealizePalette(second), SetSystemPaletteUse(second, SYSPAL_STATIC), UINT(SwapBuffers(second))}),
        std::vector<UINT>({0, 0, GDI_ERROR, SYSPAL_ERROR, 0}));
    EXPECT_EQ(SelectPalette(second, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE), nullptr);
    EXPECT_EQ(wglCreateContext(second), nullptr);
    EXPECT_GT(GetPixelFormat(first), 0) << "still held";
    EXPECT_EQ(GetPixelFormat(GetDC(window)), GetPixelFormat(first));
    HWND owner = open_test_window(DefWindowProcA, CS_OWNDC, 0, 0, 64, 64);
    HDC own = GetDC(owner);
    EXPECT_EQ(GetDC(owner), own);
    EXPECT_EQ(ReleaseDC(owner, own) + ReleaseDC(owner, own), 2);
    EXPECT_EQ(GetPixelFormat(own), 0);
    DestroyWindow(owner);
    EXPECT_EQ(ReleaseDC(owner, own), 0);
}

// In the foreground a palette's entries take free system entries first (its
// own colours again once unrealized), telling every window; in the background
// existing colours are reused and nobody is told. No-static use frees all but
// black and white.
TEST_F(Gdi, RealisationFillsTheSystemPalette)
{
    HDC dc = new_dc();
    new_dc();
    palette_changes = 0;
    HPALETTE blue = make_palette(3, PC_NOCOLLAPSE, 10);
    EXPECT_EQ(SelectPalette(dc, blue, FALSE), GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(RealizePalette(dc), 3u);
    EXPECT_EQ(std::pair(system_entry(10), palette_changes), std::pair(RGB(10, 10, 200), 2));
    EXPECT_EQ(RealizePalette(dc), 0u);
    SelectPalette(dc, make_palette(4, PC_NOCOLLAPSE, 10), TRUE);
    EXPECT_EQ(RealizePalette(dc), 1u);
    EXPECT_EQ(palette_changes, 2);
    SelectPalette(dc, make_palette(3, PC_NOCOLLAPSE, 10, 100), FALSE);
    EXPECT_EQ(RealizePalette(dc), 3u);
    EXPECT_TRUE(UnrealizeObject(blue));
    SelectPalette(dc, blue, FALSE);
    EXPECT_EQ(RealizePalette(dc), 3u);
    EXPECT_EQ(system_entry(10), RGB(10, 10, 200));
    SelectPalette(dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
    EXPECT_EQ(RealizePalette(dc), 0u) << "the static colours are there";
    EXPECT_EQ(std::pair(make_palette(0, 0, 1), CreatePalette(nullptr)), std::pair(HPALETTE{}, HPALETTE{}));

    EXPECT_EQ(SetSystemPaletteUse(dc, 7), UINT{SYSPAL_ERROR});
    EXPECT_EQ(SetSystemPaletteUse(dc, SYSPAL_NOSTATIC), UINT{SYSPAL_STATIC});
    SelectPalette(dc, make_palette(256, PC_NOCOLLAPSE, 0, 50), FALSE);
    EXPECT_EQ(RealizePalette(dc), 254u);
    EXPECT_EQ(std::vector<COLORREF>({system_entry(0), system_entry(1), system_entry(255)}),
        std::vector<COLORREF>({RGB(0, 0, 0), RGB(0, 10, 50), RGB(255, 255, 255)}));
    EXPECT_EQ(SetSystemPaletteUse(dc, SYSPAL_STATIC), UINT{SYSPAL_NOSTATIC});
    EXPECT_EQ(std::pair(system_entry(1), system_entry(246)), std::pair(RGB(128, 0, 0), RGB(255, 251, 240)));
}

// The palette display (as the environment says at start) has 8-bit 3-3-2
// formats that need a palette, and the system palette too when asked.
TEST_F(Gdi, ThePaletteDisplayHasEightBitFormats)
{
    for (const char* setting : {"1", "system"}) {
        setenv("ROLLBOX_PALETTE_DISPLAY", setting, 1);
        reset_everything();
        unsetenv("ROLLBOX_PALETTE_DISPLAY");
        HDC dc = new_dc();
        ASSERT_NE(make_gl_current(dc), nullptr);
        PIXELFORMATDESCRIPTOR d;
        DescribePixelFormat(dc, GetPixelFormat(dc), sizeof d, &d);
        DWORD needs = d.dwFlags & (PFD_NEED_PALETTE | PFD_NEED_SYSTEM_PALETTE);
        EXPECT_EQ(needs, setting[0] == '1' ? PFD_NEED_PALETTE : PFD_NEED_PALETTE | PFD_NEED_SYSTEM_PALETTE);
        EXPECT_EQ(std::vector<int>({d.cColorBits, d.cRedBits, d.cRedShift, d.cGreenBits, d.cGreenShift,
                      d.cBlueBits, d.cBlueShift, standin_display_depth()}),
            std::vector<int>({8, 3, 0, 3, 3, 2, 6, 8}));
    }
}

// A context goes only with windows of its own format; deleting the current
// one releases it. What a window shows reads back after a swap, from the
// front buffer, after a resize, and while another window's context is current.
TEST_F(Gdi, RenderingContextsDrawWhatReadsBack)
{
    HDC first = new_dc(40, 30);
    HWND window = open_test_window(DefWindowProcA, 0, 0, 0, 40, 30);
    HDC dc = GetDC(window);
    EXPECT_EQ(wglCreateContext(first), nullptr) << "no pixel format yet";
    HGLRC context = make_gl_current(dc);
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(std::pair(wglGetCurrentContext(), wglGetCurrentDC()), std::pair(context, dc));
    EXPECT_FALSE(wglMakeCurrent(first, context));
    clear_and_swap(dc, 1, 0, 1);
    EXPECT_EQ(pixel(window, 39, 29), (std::vector<int>{255, 0, 255}));
    glDrawBuffer(GL_FRONT);
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glFlush();
    EXPECT_EQ(pixel(window, 8, 8), (std::vector<int>{0, 255, 0})) << "drawn into the front";
    glDrawBuffer(GL_BACK);
    standin_resize(window, 96, 48, false);
    glViewport(0, 0, 96, 48);
    clear_and_swap(dc, 0, 1, 1);
    EXPECT_EQ(pixel(window, 95, 47), (std::vector<int>{0, 255, 255}));
    HWND second = open_test_window(DefWindowProcA, 0, 0, 0, 16, 16);
    HGLRC second_context = make_gl_current(GetDC(second));
    clear_and_swap(GetDC(second), 0, 0, 1);
    EXPECT_EQ(pixel(window, 0, 0), (std::vector<int>{0, 255, 255}));
    EXPECT_EQ(wglGetCurrentContext(), second_context);
    EXPECT_TRUE(wglDeleteContext(second_context));
    EXPECT_EQ(wglGetCurrentContext(), nullptr) << "deleting the current context releases it";
    EXPECT_FALSE(wglDeleteContext(second_context));
}
