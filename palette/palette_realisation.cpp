// Selecting and realising a palette in the foreground or the background, with
// the static colours taken over or given back when the toolkit owns them.
#include "palette/palette.h"
#include "toolkit/toolkit.h"

int realise_palette(HDC dc, HPALETTE palette, int background)
{
    HPALETTE previous;
    if (toolkit_state.owns_static_colours) {
        if (!background) {
            if (!take_static_colours(dc)) return -1;
        } else {
            restore_static_colours(dc);
        }
        if (!UnrealizeObject(palette)) return -1;
        previous = SelectPalette(dc, palette, background ? TRUE : FALSE);
    } else {
        previous = SelectPalette(dc, palette, FALSE);
    }
    if (previous == nullptr) return -1;
    return static_cast<int>(RealizePalette(dc));
}

// At most one retry waits at a time: in the queue, or on the timer that posts
// it. Posting it at once would have a refused retry queue the next one for
// ever, ahead of every frame.
void queue_palette_retry()
{
    HWND window = toolkit_state.toolkit_window;
    // Without a window a retry would reach no window procedure.
    if (window == nullptr) return;
    MSG waiting;
    if (PeekMessageA(&waiting, window, WM_PALETTE_RETRY, WM_PALETTE_RETRY, PM_NOREMOVE)) return;
    SetTimer(window, PALETTE_RETRY_TIMER, PALETTE_RETRY_DELAY, nullptr);
}
