// Choosing, setting and reading back the pixel format of the window's device context.
#include <cstdint>
#include <cstring>

#include "palette/palette.h"
#include "toolkit/toolkit.h"

void fill_pixel_format_request(int32_t display_mode, PIXELFORMATDESCRIPTOR* request)
{
    std::memset(request, 0, sizeof(*request));
    request->nSize = sizeof(PIXELFORMATDESCRIPTOR);
    request->nVersion = 1;
    request->dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if (display_mode & DISPLAY_DOUBLE) request->dwFlags |= PFD_DOUBLEBUFFER;
    bool index = (display_mode & DISPLAY_INDEX) != 0;
    request->iPixelType = index ? PFD_TYPE_COLORINDEX : PFD_TYPE_RGBA;
    request->cColorBits = index ? 8 : 24;
    request->cAlphaBits = (display_mode & DISPLAY_ALPHA) ? 8 : 0;
    if (display_mode & DISPLAY_ACCUM) {
        request->cAccumBits = static_cast<BYTE>(request->cColorBits + request->cAlphaBits);
    }
    if (display_mode & DISPLAY_DEPTH16) {
        request->cDepthBits = 16;
    } else if (display_mode & DISPLAY_DEPTH) {
        request->cDepthBits = 24;
    }
    request->cStencilBits = (display_mode & DISPLAY_STENCIL) ? 4 : 0;
    request->iLayerType = PFD_MAIN_PLANE;
}

int choose_best_pixel_format(HDC dc, int32_t display_mode, PIXELFORMATDESCRIPTOR* descriptor)
{
    PIXELFORMATDESCRIPTOR request;
    fill_pixel_format_request(display_mode, &request);
    std::memcpy(descriptor, &request, sizeof(request));
    return ChoosePixelFormat(dc, &request);
}

int select_pixel_format(HDC dc, int32_t display_mode)
{
    toolkit_state.window_display_mode = display_mode;
    PIXELFORMATDESCRIPTOR request;
    int number = choose_best_pixel_format(dc, display_mode, &request);
    if (number == 0) {
        show_error("Selecting a pixel format failed\n");
        return 0;
    }
    // The request goes to SetPixelFormat, not the chosen format's description.
    if (!SetPixelFormat(dc, number, &request)) {
        show_error("SetPixelFormat failed\n");
        return 0;
    }
    // A format that needs no palette is a success too.
    build_logical_palette(dc);
    return 1;
}

int describe_current_pixel_format(HDC dc, PIXELFORMATDESCRIPTOR* descriptor)
{
    int number = GetPixelFormat(dc);
    if (number <= 0) {
        show_error("Could not get pixel format for Dc 0x%08lX\n",
            static_cast<unsigned long>(reinterpret_cast<uintptr_t>(dc)));
        return 0;
    }
    if (DescribePixelFormat(dc, number, sizeof(PIXELFORMATDESCRIPTOR), descriptor) <= 0) {
        show_error("Could not get a description of pixel format %d\n", number);
        return 0;
    }
    return number;
}
