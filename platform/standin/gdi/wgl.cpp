// WGL: OpenGL rendering contexts over the driver's contexts, and SwapBuffers
// (which first turns the frame into palette colours on the palette display).
// A context belongs to the pixel format it was made for, and can be made
// current on any window's device context carrying that format.
#include "platform/standin/gdi/gdi_state.h"
#include "platform/standin/internal.h"

static const uintptr_t CONTEXT_HANDLE_BASE = 0x40000000;

static WglContext* context_record(HGLRC handle)
{
    if (handle == nullptr) return nullptr;
    for (WglContext& record : gdi_state.contexts)
        if (record.handle == handle) return &record;
    return nullptr;
}

static void release_current()
{
    const DisplayDriver* driver = current_driver();
    if (gdi_state.current_context != nullptr && driver != nullptr) driver->make_current(nullptr, nullptr);
    gdi_state.current_context = nullptr;
    gdi_state.current_dc = nullptr;
}

// Fails while the device context has no pixel format.
HGLRC WINAPI wglCreateContext(HDC dc)
{
    if (!platform_call("wglCreateContext")) return nullptr;
    GdiDc* record = dc_record(dc);
    if (record == nullptr || dc_pixel_format(record) == 0) return nullptr;
    WglContext* free_record = nullptr;
    for (WglContext& candidate : gdi_state.contexts)
        if (candidate.handle == nullptr) {
            free_record = &candidate;
            break;
        }
    DriverWindow* window = driver_window_of(record->window);
    if (free_record == nullptr || window == nullptr) return nullptr;
    int format = dc_pixel_format(record);
    DriverContext* context = current_driver()->create_context(window, format);
    if (context == nullptr) return nullptr;
    HGLRC handle = reinterpret_cast<HGLRC>(CONTEXT_HANDLE_BASE | gdi_state.next_context_serial++);
    *free_record = WglContext{handle, context, format, {}};
    return handle;
}

// A null context makes none current (the device context is then not looked
// at); otherwise the device context must carry the context's pixel format.
BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context)
{
    if (!platform_call("wglMakeCurrent")) return FALSE;
    if (context == nullptr) {
        release_current();
        return TRUE;
    }
    WglContext* record = context_record(context);
    GdiDc* dc_state = dc_record(dc);
    if (record == nullptr || dc_state == nullptr || dc_pixel_format(dc_state) != record->pixel_format)
        return FALSE;
    DriverWindow* window = driver_window_of(dc_state->window);
    if (window == nullptr || !current_driver()->make_current(window, record->context)) return FALSE;
    gdi_state.current_context = context;
    gdi_state.current_dc = dc;
    return TRUE;
}

// Deleting the current context makes it not current first.
BOOL WINAPI wglDeleteContext(HGLRC context)
{
    if (!platform_call("wglDeleteContext")) return FALSE;
    WglContext* record = context_record(context);
    if (record == nullptr) return FALSE;
    if (context == gdi_state.current_context) release_current();
    current_driver()->delete_context(record->context);
    *record = WglContext{};
    return TRUE;
}

HGLRC WINAPI wglGetCurrentContext()
{
    if (!platform_call("wglGetCurrentContext")) return nullptr;
    return gdi_state.current_context;
}

HDC WINAPI wglGetCurrentDC()
{
    if (!platform_call("wglGetCurrentDC")) return nullptr;
    return gdi_state.current_dc;
}

BOOL WINAPI SwapBuffers(HDC dc)
{
    if (!platform_call("SwapBuffers")) return FALSE;
    GdiDc* record = dc_record(dc);
    if (record == nullptr || dc_pixel_format(record) == 0) return FALSE;
    DriverWindow* window = driver_window_of(record->window);
    if (window == nullptr) return FALSE;
    if (gdi_state.palette_display)
        show_frame_in_palette_colours(record, context_record(gdi_state.current_context));
    return current_driver()->swap_buffers(window) ? TRUE : FALSE;
}
