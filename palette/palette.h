// Pixel format selection, the logical palette of palette displays, and the
// takeover and give-back of the system's static colours.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// Pixel format selection.
int select_pixel_format(HDC dc, int32_t display_mode);
int choose_best_pixel_format(HDC dc, int32_t display_mode, PIXELFORMATDESCRIPTOR* descriptor);

// The logical palette.
HPALETTE build_logical_palette(HDC dc);
int describe_current_pixel_format(HDC dc, PIXELFORMATDESCRIPTOR* descriptor);
void fill_palette_entries(const PIXELFORMATDESCRIPTOR* descriptor, PALETTEENTRY* entries, int count);
BYTE index_to_intensity(int index, int bits, int shift);
void fit_default_colours(PALETTEENTRY* entries);
void reset_system_palette(HDC dc, int count);

extern PALETTEENTRY default_colours[20];
extern int default_colour_slots[20];

// Realisation and the system colours.
int realise_palette(HDC dc, HPALETTE palette, int background);
int take_static_colours(HDC dc);
int restore_static_colours(HDC dc);
bool load_user_colours(COLORREF* colours, int count);
void queue_palette_retry();
