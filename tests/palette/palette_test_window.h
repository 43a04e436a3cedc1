// A plain window with its device context for the palette tests, known to the
// toolkit as its window so that retries are posted to it.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// Opens and shows a window on the null driver, stores it and its DC in toolkit_state
// and, when asked, sets the pixel format chosen for display_mode (without
// building a palette).
HDC open_palette_test_window(int32_t display_mode, bool set_format);

// Removes and counts the messages of one kind waiting for the test window
// (or, for broadcasts, for any window of the thread).
int take_waiting_messages(UINT message);
