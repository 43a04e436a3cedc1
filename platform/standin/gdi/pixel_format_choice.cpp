// Pixel formats: listed from the driver, described (as 8-bit 3-3-2 formats
// needing a palette on the simulated palette display), chosen, and set once
// per window.
#include <cstring>

#include "platform/standin/gdi/gdi_state.h"
#include "platform/standin/internal.h"
#include "platform/standin/testing.h"

static int format_count()
{
    const DisplayDriver* driver = current_driver();
    return driver == nullptr ? 0 : driver->pixel_format_count();
}

// On the palette display an RGBA format has 8 bits a pixel: red 3 bits at 0,
// green 3 at 3, blue 2 at 6, no alpha. Rendering still goes to the driver's
// true-colour buffer.
static bool describe(int format, PIXELFORMATDESCRIPTOR* description)
{
    const DisplayDriver* driver = current_driver();
    if (driver == nullptr || format < 1 || format > driver->pixel_format_count()) return false;
    if (!driver->describe_pixel_format(format, description)) return false;
    if (gdi_state.palette_display && description->iPixelType == PFD_TYPE_RGBA) {
        description->dwFlags |= PFD_NEED_PALETTE;
        if (gdi_state.palette_display_needs_system_palette) description->dwFlags |= PFD_NEED_SYSTEM_PALETTE;
        description->cColorBits = 8;
        description->cRedBits = 3;
        description->cRedShift = 0;
        description->cGreenBits = 3;
        description->cGreenShift = 3;
        description->cBlueBits = 2;
        description->cBlueShift = 6;
        description->cAlphaBits = 0;
        description->cAlphaShift = 0;
    }
    return true;
}

// How far a format's field is from the request: a field that meets the request
// beats one that falls short; then the nearer wins.
static const int FALLS_SHORT = 1000;

static int shortfall_score(int requested, int offered)
{
    if (offered >= requested) return offered - requested;
    return FALLS_SHORT + requested - offered;
}

// The choice. A format qualifies when it has every capability asked of
// PFD_DRAW_TO_WINDOW, PFD_DRAW_TO_BITMAP, PFD_SUPPORT_GDI and
// PFD_SUPPORT_OPENGL, has PFD_DOUBLEBUFFER and PFD_STEREO exactly as asked
// (unless PFD_DOUBLEBUFFER_DONTCARE / PFD_STEREO_DONTCARE), and the pixel type
// asked. Among those, the fewer fields that fall short of the request the
// better (a buffer asked for is worth more than an exact size); then fields
// are compared in this order, each by shortfall_score: colour bits, depth bits
// (not with PFD_DEPTH_DONTCARE), stencil bits, alpha bits, accumulation bits.
// The first best format in the list wins; 0 when none qualifies.
static int choose(const PIXELFORMATDESCRIPTOR& request)
{
    const DWORD capabilities = PFD_DRAW_TO_WINDOW | PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL;
    int best = 0;
    int best_scores[6] = {};
    for (int format = 1; format <= format_count(); format++) {
        PIXELFORMATDESCRIPTOR offered;
        if (!describe(format, &offered)) continue;
        if ((offered.dwFlags & request.dwFlags & capabilities) != (request.dwFlags & capabilities)) continue;
        if (!(request.dwFlags & PFD_DOUBLEBUFFER_DONTCARE) &&
            (offered.dwFlags & PFD_DOUBLEBUFFER) != (request.dwFlags & PFD_DOUBLEBUFFER))
            continue;
        if (!(request.dwFlags & PFD_STEREO_DONTCARE) &&
            (offered.dwFlags & PFD_STEREO) != (request.dwFlags & PFD_STEREO))
            continue;
        if (offered.iPixelType != request.iPixelType) continue;
        int scores[6] = {
            0,
            shortfall_score(request.cColorBits, offered.cColorBits),
            (request.dwFlags & PFD_DEPTH_DONTCARE) ? 0
                                                   : shortfall_score(request.cDepthBits, offered.cDepthBits),
            shortfall_score(request.cStencilBits, offered.cStencilBits),
            shortfall_score(request.cAlphaBits, offered.cAlphaBits),
            shortfall_score(request.cAccumBits, offered.cAccumBits),
        };
        for (int i = 1; i < 6; i++)
            if (scores[i] >= FALLS_SHORT) scores[0]++;
        bool better = best == 0;
        for (int i = 0; i < 6 && !better; i++) {
            if (scores[i] != best_scores[i]) {
                better = scores[i] < best_scores[i];
                break;
            }
        }
        if (better) {
            best = format;
            std::memcpy(best_scores, scores, sizeof scores);
        }
    }
    return best;
}

int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* request)
{
    if (!platform_call("ChoosePixelFormat")) return 0;
    if (dc_record(dc) == nullptr || request == nullptr) return 0;
    return choose(*request);
}

// A window's format is set once: setting the same one again succeeds, another
// one fails, as on Windows.
BOOL WINAPI SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR*)
{
    if (!platform_call("SetPixelFormat")) return FALSE;
    GdiDc* record = dc_record(dc);
    if (record == nullptr || format < 1 || format > format_count()) return FALSE;
    WindowRecord* window = window_record(record->window);
    if (window == nullptr) return FALSE;
    if (window->pixel_format != 0) return window->pixel_format == format ? TRUE : FALSE;
    if (!current_driver()->set_pixel_format(window->driver_window, format)) return FALSE;
    window->pixel_format = format;
    return TRUE;
}

int WINAPI GetPixelFormat(HDC dc)
{
    if (!platform_call("GetPixelFormat")) return 0;
    GdiDc* record = dc_record(dc);
    return record == nullptr ? 0 : dc_pixel_format(record);
}

// Returns the number of formats; with a description buffer, the format must
// exist and the buffer be large enough for the 40-byte descriptor.
int WINAPI DescribePixelFormat(HDC dc, int format, UINT size, LPPIXELFORMATDESCRIPTOR description)
{
    if (!platform_call("DescribePixelFormat")) return 0;
    if (dc_record(dc) == nullptr) return 0;
    if (description == nullptr) return format_count();
    if (size < sizeof(PIXELFORMATDESCRIPTOR) || !describe(format, description)) return 0;
    return format_count();
}

void standin_set_palette_display(bool enabled, bool need_system_palette)
{
    gdi_state.palette_display = enabled;
    gdi_state.palette_display_needs_system_palette = enabled && need_system_palette;
}
