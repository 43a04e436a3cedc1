// What the stand-in's own files share: the driver in use, the window table,
// sending messages, and the journal with its fault injection.
#pragma once

#include "platform/standin/driver.h"
#include "platform/standin/win32_types.h"

// The driver, chosen on first use (testing.h can choose first); null when none
// can start. Calls made before a driver is needed never choose one.
DisplayDriver* current_driver();

// Windows (windows.cpp). A handle that is null, unknown or destroyed gives
// null / false.
bool is_live_window(HWND window);
DriverWindow* driver_window_of(HWND window);
WNDPROC window_procedure_of(HWND window);

// Calls the window procedure at once, as SendMessage does.
LRESULT send_message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Sends to every live top-level window of the thread.
void send_to_all_windows(UINT message, WPARAM wParam, LPARAM lParam);

// Device contexts (gdi_device_context.cpp): the window an HDC belongs to, or
// null.
HWND window_of_dc(HDC dc);
// The window's own device context (made on first use); null for a dead window.
HDC dc_of_window(HWND window);

// Records a call of a Win32 operation in the journal. Returns false when a
// fault injected for that operation is due: the caller then fails the way
// Windows fails, doing nothing else.
bool platform_call(const char* operation);
