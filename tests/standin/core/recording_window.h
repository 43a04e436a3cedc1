// A window whose procedure records every message it receives, for the core
// stand-in tests on the null driver.
#pragma once

#include <vector>

#include "platform/win32.h"
#include "tests/support/message_pump.h"

struct Received {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Every message any recording window received, in order.
extern std::vector<Received> received;

// Registers the recording class (once) and creates a window of it, hidden,
// with a 200 x 150 client area whose top-left corner is at (100, 100).
HWND create_recording_window();
// Creates, shows, takes the first paint, then forgets the messages received.
HWND open_recording_window();

// The messages received, in order, optionally only those of one kind.
std::vector<UINT> received_messages();
std::vector<Received> received_of(UINT message);
