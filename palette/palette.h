// Pixel format selection, the logical palette of palette displays, and the
// takeover and give-back of the system's static colours.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// Pixel format selection.
int select_pixel_format(HDC dc, int32_t display_mode);
int choose_best_pixel_format(HDC dc, int32_t display_mode, PIXELFORMATDESCRIPTOR* descriptor);
// The request a DisplayMode makes; every field it does not set is zero.
void fill_pixel_format_request(int32_t display_mode, PIXELFORMATDESCRIPTOR* request);

// The logical palette: its size on an 8-bit display, the system's static
// colours among its entries, and the version of a palette description.
const int PALETTE_SIZE = 256;
const int STATIC_COLOUR_COUNT = 20;
const WORD LOGPALETTE_VERSION = 0x300;
HPALETTE build_logical_palette(HDC dc);
int describe_current_pixel_format(HDC dc, PIXELFORMATDESCRIPTOR* descriptor);
void fill_palette_entries(const PIXELFORMATDESCRIPTOR* descriptor, PALETTEENTRY* entries, int count);
BYTE index_to_intensity(int index, int bits, int shift);
void fit_default_colours(PALETTEENTRY* entries);
// The fit itself, without reading the stock palette: finds a slot among the
// 256 entries for each of the 20 colours, and leaves every entry's flags at
// PC_NOCOLLAPSE and every colour's at 0.
void match_default_colours(PALETTEENTRY* entries, PALETTEENTRY* colours, int* slots);
void reset_system_palette(HDC dc, int count);

extern PALETTEENTRY default_colours[STATIC_COLOUR_COUNT];
extern int default_colour_slots[STATIC_COLOUR_COUNT];

// Fixed local memory for palette descriptions; null when none is left.
HLOCAL alloc_local_block(SIZE_T size);
HLOCAL alloc_zeroed_local_block(SIZE_T size);
void free_local_block(HLOCAL block);

// Realisation and the system colours.
int realise_palette(HDC dc, HPALETTE palette, int background);
int take_static_colours(HDC dc);
int restore_static_colours(HDC dc);
bool load_user_colours(COLORREF* colours, int count);
// "red green blue" in decimal, low 8 bits of each; false with fewer than three.
bool parse_registry_colour(const char* text, COLORREF* colour);
// Posted to the toolkit window to realise its palette again, a moment (the
// timer's delay) after the system refused it: frames go on in between.
const UINT WM_PALETTE_RETRY = WM_USER;
const UINT_PTR PALETTE_RETRY_TIMER = 1;
const UINT PALETTE_RETRY_DELAY = 50; // milliseconds
void queue_palette_retry();
// True while the toolkit itself is changing the system colours.
bool system_colours_being_set();

enum : int { SYSTEM_COLOUR_ROWS = 25 };
