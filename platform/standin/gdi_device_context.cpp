// Device contexts: every window has one of its own, made on first use and kept
// for the window's life, so GetDC always gives the same handle and its pixel
// format and selected palette persist between GetDC and ReleaseDC.
#include "platform/standin/gdi_objects.h"
#include "platform/standin/internal.h"

static const int MAX_DCS = 64;
static const uintptr_t DC_HANDLE_BASE = 0x20000000;

static GdiDc dcs[MAX_DCS];
static uintptr_t next_dc_serial = 1;

// A record whose window has died is freed the first time it is looked at.
static bool live(GdiDc* record)
{
    if (record->handle == nullptr) return false;
    if (is_live_window(record->window)) return true;
    *record = GdiDc{};
    return false;
}

GdiDc* dc_record(HDC dc)
{
    if (dc == nullptr) return nullptr;
    for (GdiDc& record : dcs)
        if (record.handle == dc && live(&record)) return &record;
    return nullptr;
}

bool palette_is_selected(HPALETTE palette)
{
    for (GdiDc& record : dcs)
        if (live(&record) && record.palette == palette) return true;
    return false;
}

HWND window_of_dc(HDC dc)
{
    GdiDc* record = dc_record(dc);
    return record == nullptr ? nullptr : record->window;
}

HDC dc_of_window(HWND window)
{
    if (!is_live_window(window)) return nullptr;
    GdiDc* free_record = nullptr;
    for (GdiDc& record : dcs) {
        if (live(&record) && record.window == window) return record.handle;
        if (record.handle == nullptr && free_record == nullptr) free_record = &record;
    }
    if (free_record == nullptr) return nullptr;
    HDC handle = reinterpret_cast<HDC>(DC_HANDLE_BASE | next_dc_serial++);
    *free_record = GdiDc{handle, window, 0, stock_default_palette(), false};
    return handle;
}

HDC WINAPI GetDC(HWND window)
{
    if (!platform_call("GetDC")) return nullptr;
    return dc_of_window(window);
}

// The context is the window's own, so releasing it only checks the pair.
int WINAPI ReleaseDC(HWND window, HDC dc)
{
    if (!platform_call("ReleaseDC")) return 0;
    GdiDc* record = dc_record(dc);
    return record != nullptr && record->window == window ? 1 : 0;
}
