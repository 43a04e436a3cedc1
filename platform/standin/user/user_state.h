// The USER side's state in one record: window classes and windows, activation,
// keyboard and mouse, the message queue, the system colours and the message
// boxes shown. Tests return it to its start with the stand-in's reset.
#pragma once

#include "platform/standin/internal.h"
#include "platform/standin/testing.h"
#include "platform/win32.h"

const int MAX_CLASSES = 32;
const int CLASS_NAME_SIZE = 256;
const int KEY_COUNT = 256;
const int POSTED_CAPACITY = 4096;
const int INPUT_CAPACITY = 1024;
const int SENT_CAPACITY = 256;
const int SYSTEM_COLOUR_COUNT = 31;
const int MAX_RECORDED_BOXES = 64;
const int MAX_TIMERS = 16;

struct WindowClass {
    char name[CLASS_NAME_SIZE];
    WNDCLASSA description;
};

// A handle's low word indexes the slot, its high word counts the slot's reuses.
struct WindowSlot {
    bool used;
    ULONG_PTR generation;
    WindowRecord record;
};

struct Timer {
    bool used;
    HWND window;
    UINT_PTR id;
    UINT interval; // milliseconds
    DWORD due;     // tick count
};

struct QueuedMessage {
    MSG message;
    int character; // what a key-down types
};

struct UserState {
    WindowClass classes[MAX_CLASSES];
    int class_count;
    WindowSlot windows[MAX_WINDOWS];

    HWND active;
    HWND focus;
    HWND capture;
    // Bit 0x80 held, bit 0x01 toggled: as the driver reports the keys now, and
    // as of the last input message taken (what GetKeyState reports).
    BYTE keys_now[KEY_COUNT];
    BYTE keys_retrieved[KEY_COUNT];
    int key_characters[KEY_COUNT];

    QueuedMessage posted[POSTED_CAPACITY];
    int posted_count;
    QueuedMessage input[INPUT_CAPACITY];
    int input_count;
    QueuedMessage sent[SENT_CAPACITY];
    int sent_count;
    bool quit_pending;
    int quit_code;
    // The pointer's screen position as mouse input last reported it, and over
    // which window: what a message is stamped with when it is queued, and
    // what tells a real move from a report of the same place.
    POINT cursor;
    HWND cursor_window;
    Timer timers[MAX_TIMERS];

    COLORREF system_colours[SYSTEM_COLOUR_COUNT];
    StandinMessageBox boxes[MAX_RECORDED_BOXES];
    int box_count;
};

extern UserState user_state;

// No window, nothing queued, no key held, the standard colour scheme.
void reset_user_state();
