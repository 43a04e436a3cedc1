// Device contexts. A window whose class has CS_OWNDC keeps one context for its
// whole life: GetDC gives that one every time and ReleaseDC leaves it valid.
// Any other window gets a common context from GetDC (or BeginPaint), a fresh
// handle each time, which ReleaseDC (or EndPaint) gives back: the handle is
// dead afterwards and every call on it fails, as on Windows. A window's
// contexts die with it.
#include "platform/standin/gdi/gdi_state.h"
#include "platform/standin/internal.h"
#include "platform/win32.h"

static const uintptr_t DC_HANDLE_BASE = 0x20000000;

GdiDc* dc_record(HDC dc)
{
    if (dc == nullptr) return nullptr;
    for (GdiDc& record : gdi_state.dcs)
        if (record.handle == dc) return &record;
    return nullptr;
}

bool palette_is_selected(HPALETTE palette)
{
    for (const GdiDc& record : gdi_state.dcs)
        if (record.handle != nullptr && record.palette == palette) return true;
    return false;
}

int dc_pixel_format(const GdiDc* dc)
{
    const WindowRecord* window = window_record(dc->window);
    return window == nullptr ? 0 : window->pixel_format;
}

static HDC new_dc(HWND window, bool own)
{
    for (GdiDc& record : gdi_state.dcs) {
        if (record.handle != nullptr) continue;
        HDC handle = reinterpret_cast<HDC>(DC_HANDLE_BASE | gdi_state.next_dc_serial++);
        record = GdiDc{handle, window, stock_default_palette(), false, own, false, {}};
        return handle;
    }
    return nullptr;
}

HDC acquire_dc(HWND window)
{
    const WindowRecord* record = window_record(window);
    if (record == nullptr) return nullptr;
    bool own = (record->class_style & CS_OWNDC) != 0;
    if (own)
        for (const GdiDc& dc : gdi_state.dcs)
            if (dc.handle != nullptr && dc.window == window) return dc.handle;
    return new_dc(window, own);
}

bool release_dc(HWND window, HDC dc)
{
    GdiDc* record = dc_record(dc);
    if (record == nullptr || record->window != window) return false;
    if (!record->own) *record = GdiDc{};
    return true;
}

void forget_window_dcs(HWND window)
{
    for (GdiDc& record : gdi_state.dcs)
        if (record.handle != nullptr && record.window == window) record = GdiDc{};
}

HDC WINAPI GetDC(HWND window)
{
    if (!platform_call("GetDC")) return nullptr;
    return acquire_dc(window);
}

int WINAPI ReleaseDC(HWND window, HDC dc)
{
    if (!platform_call("ReleaseDC")) return 0;
    return release_dc(window, dc) ? 1 : 0;
}
