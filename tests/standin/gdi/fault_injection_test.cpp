// Fault injection and the journal over every GDI and WGL operation the system
// calls: an injected fault makes exactly the next call fail with Windows'
// failure result, and every call is journalled by its name.
#include <gtest/gtest.h>

#include "platform/standin/testing.h"
#include "tests/standin/gdi/gdi_test_window.h"
#include "tests/standin/operation_table.h"

static HWND window;
static HDC dc;
static HGLRC context;

static HPALETTE make_palette()
{
    LOGPALETTE description = {0x300, 1, {{10, 20, 30, PC_NOCOLLAPSE}}};
    return CreatePalette(&description);
}

static bool select_fails()
{
    HPALETTE palette = make_palette();
    HPALETTE previous = SelectPalette(dc, palette, FALSE);
    if (previous != nullptr) SelectPalette(dc, previous, FALSE);
    DeleteObject(palette);
    return previous == nullptr;
}

static bool delete_fails()
{
    HPALETTE palette = make_palette();
    if (DeleteObject(palette)) return false;
    DeleteObject(palette);
    return true;
}

static bool create_context_fails()
{
    HGLRC another = wglCreateContext(dc);
    wglDeleteContext(another);
    return another == nullptr;
}

static bool delete_context_fails()
{
    HGLRC another = wglCreateContext(dc);
    if (wglDeleteContext(another)) return false;
    wglDeleteContext(another);
    return true;
}

static bool set_pixel_format_fails()
{
    PIXELFORMATDESCRIPTOR format = {};
    return !SetPixelFormat(dc, GetPixelFormat(dc), &format);
}

static bool describe_fails()
{
    PIXELFORMATDESCRIPTOR format = {};
    return DescribePixelFormat(dc, 1, sizeof format, &format) == 0;
}

static bool choose_fails()
{
    PIXELFORMATDESCRIPTOR request = {};
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.cColorBits = 24;
    return ChoosePixelFormat(dc, &request) == 0;
}

static bool palette_entries_fail()
{
    PALETTEENTRY entries[20];
    return GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 20, entries) == 0;
}

static const Operation OPERATIONS[] = {
    {"GetDC", [] { return GetDC(window) == nullptr; }},
    {"ReleaseDC", [] { return ReleaseDC(window, dc) == 0; }},
    {"ChoosePixelFormat", choose_fails},
    {"SetPixelFormat", set_pixel_format_fails},
    {"GetPixelFormat", [] { return GetPixelFormat(dc) == 0; }},
    {"DescribePixelFormat", describe_fails},
    {"wglCreateContext", create_context_fails},
    {"wglMakeCurrent", [] { return !wglMakeCurrent(dc, context); }},
    {"wglDeleteContext", delete_context_fails},
    {"SwapBuffers", [] { return !SwapBuffers(dc); }},
    {"CreatePalette",
        [] {
            HPALETTE p = make_palette();
            DeleteObject(p);
            return p == nullptr;
        }},
    {"SelectPalette", select_fails},
    {"RealizePalette", [] { return RealizePalette(dc) == GDI_ERROR; }},
    {"UnrealizeObject", [] { return !UnrealizeObject(GetStockObject(DEFAULT_PALETTE)); }},
    {"GetPaletteEntries", palette_entries_fail},
    {"SetSystemPaletteUse", [] { return SetSystemPaletteUse(dc, SYSPAL_STATIC) == SYSPAL_ERROR; }},
    {"GetStockObject", [] { return GetStockObject(BLACK_BRUSH) == nullptr; }},
    {"DeleteObject", delete_fails},
};

class EveryGdiOperation : public testing::Test {
protected:
    void SetUp() override { context = open_gl_test_window(64, 64, &window, &dc); }
};

TEST_F(EveryGdiOperation, AnInjectedFaultFailsTheNextCallOnly)
{
    expect_one_injected_failure_each(OPERATIONS);
}

TEST_F(EveryGdiOperation, EachCallIsJournalledByItsName)
{
    expect_each_journalled(OPERATIONS);
}
