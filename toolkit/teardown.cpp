// Destroying the toolkit window, and the teardown its destruction runs: give
// back the palette, the rendering and device contexts, forget every handle and
// empty every hook.
#include "palette/palette.h"
#include "toolkit/toolkit.h"

void destroy_toolkit_window(HWND window)
{
    if (window != nullptr) {
        DestroyWindow(window);
    }
}

static void release_palette()
{
    HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    if (toolkit_state.owns_static_colours) {
        // Gives the static colours back when they are taken over.
        realise_palette(toolkit_state.toolkit_dc, stock, 1);
    } else if (stock != nullptr) {
        SelectPalette(toolkit_state.toolkit_dc, stock, FALSE);
    }
    DeleteObject(toolkit_state.toolkit_palette);
}

void release_window_resources()
{
    if (toolkit_state.toolkit_palette != nullptr) {
        release_palette();
    }
    if (toolkit_state.toolkit_context != nullptr) {
        wglMakeCurrent(toolkit_state.toolkit_dc, nullptr);
        wglDeleteContext(toolkit_state.toolkit_context);
    }
    if (toolkit_state.toolkit_dc != nullptr) {
        ReleaseDC(toolkit_state.toolkit_window, toolkit_state.toolkit_dc);
    }
    toolkit_state.toolkit_window = nullptr;
    toolkit_state.toolkit_dc = nullptr;
    toolkit_state.toolkit_context = nullptr;
    toolkit_state.toolkit_palette = nullptr;

    toolkit_state.reshape_hook = nullptr;
    toolkit_state.idle_hook = nullptr;
    toolkit_state.display_hook = nullptr;
    toolkit_state.key_down_hook = nullptr;
    toolkit_state.mouse_down_hook = nullptr;
    toolkit_state.mouse_up_hook = nullptr;
    toolkit_state.mouse_move_hook = nullptr;
}
