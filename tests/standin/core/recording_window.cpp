#include "tests/standin/core/recording_window.h"

std::vector<Received> received;

static LRESULT CALLBACK recording_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    received.push_back(Received{window, message, wParam, lParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND create_recording_window()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA window_class = {};
        window_class.style = CS_HREDRAW | CS_VREDRAW;
        window_class.lpfnWndProc = recording_procedure;
        window_class.hInstance = GetModuleHandleA(nullptr);
        window_class.lpszClassName = "RecordingWindow";
        registered = RegisterClassA(&window_class) != 0;
    }
    RECT outer = {100, 100, 300, 250};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    return CreateWindowExA(0, "RecordingWindow", "recording", WS_OVERLAPPEDWINDOW, outer.left, outer.top,
        outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleA(nullptr),
        nullptr);
}

HWND open_recording_window()
{
    HWND window = create_recording_window();
    ShowWindow(window, SW_SHOWDEFAULT);
    pump_messages();
    received.clear();
    return window;
}

std::vector<UINT> received_messages()
{
    std::vector<UINT> messages;
    for (const Received& one : received) messages.push_back(one.message);
    return messages;
}

std::vector<Received> received_of(UINT message)
{
    std::vector<Received> matching;
    for (const Received& one : received)
        if (one.message == message) matching.push_back(one);
    return matching;
}
