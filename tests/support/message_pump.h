// Runs the thread's queue by hand, as the message loop would.
#pragma once

#include "platform/win32.h"

// Dispatches every waiting message; false once the quit message has been taken.
inline bool pump_messages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) return false;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}
