// A window on the stand-in's x11 driver that prints every message its window
// procedure gets, one line each, for the e2e-x11 scripts to read.
//   x11_probe TITLE CLIENT_X CLIENT_Y CLIENT_WIDTH CLIENT_HEIGHT
// Every paint clears to the probe colour (0, 128, 255). Typing 'm' opens a
// message box captioned "Probe note" and prints what it returned.
#include <cstdio>
#include <cstdlib>

#include "platform/gl.h"

static HDC probe_dc;

static const char* message_name(UINT message)
{
    switch (message) {
    case WM_CREATE:
        return "WM_CREATE";
    case WM_DESTROY:
        return "WM_DESTROY";
    case WM_MOVE:
        return "WM_MOVE";
    case WM_SIZE:
        return "WM_SIZE";
    case WM_ACTIVATE:
        return "WM_ACTIVATE";
    case WM_PAINT:
        return "WM_PAINT";
    case WM_CLOSE:
        return "WM_CLOSE";
    case WM_KEYDOWN:
        return "WM_KEYDOWN";
    case WM_KEYUP:
        return "WM_KEYUP";
    case WM_CHAR:
        return "WM_CHAR";
    case WM_MOUSEMOVE:
        return "WM_MOUSEMOVE";
    case WM_LBUTTONDOWN:
        return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP:
        return "WM_LBUTTONUP";
    case WM_RBUTTONDOWN:
        return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP:
        return "WM_RBUTTONUP";
    case WM_MBUTTONDOWN:
        return "WM_MBUTTONDOWN";
    case WM_MBUTTONUP:
        return "WM_MBUTTONUP";
    default:
        return nullptr;
    }
}

static void print_message(UINT message, WPARAM wParam, LPARAM lParam)
{
    const char* name = message_name(message);
    if (!name) return;
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        std::printf("%s %d\n", name, static_cast<int>(wParam));
        break;
    case WM_MOVE:
    case WM_SIZE:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        std::printf("%s %d %d\n", name, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_ACTIVATE:
        std::printf("%s %d\n", name, LOWORD(wParam));
        break;
    default:
        std::printf("%s\n", name);
        break;
    }
    std::fflush(stdout);
}

static LRESULT CALLBACK probe_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    print_message(message, wParam, lParam);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        if (wglGetCurrentContext()) {
            glClearColor(0.0f, 128.0f / 255.0f, 1.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            SwapBuffers(probe_dc);
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_CHAR:
        if (wParam == 'm') {
            int answer = MessageBoxA(window, "First line of the note\nSecond line", "Probe note", MB_OK);
            std::printf("MessageBoxA %d\n", answer);
            std::fflush(stdout);
        }
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

static bool set_up_gl(HWND window)
{
    probe_dc = GetDC(window);
    PIXELFORMATDESCRIPTOR request{};
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = 24;
    request.cDepthBits = 16;
    int format = ChoosePixelFormat(probe_dc, &request);
    if (format == 0 || !SetPixelFormat(probe_dc, format, &request)) return false;
    HGLRC context = wglCreateContext(probe_dc);
    return context && wglMakeCurrent(probe_dc, context);
}

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: x11_probe TITLE CLIENT_X CLIENT_Y CLIENT_WIDTH CLIENT_HEIGHT\n");
        return 2;
    }
    RECT outer = {std::atoi(argv[2]), std::atoi(argv[3]), 0, 0};
    outer.right = outer.left + std::atoi(argv[4]);
    outer.bottom = outer.top + std::atoi(argv[5]);
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    AdjustWindowRect(&outer, style, FALSE);

    WNDCLASSA window_class{};
    window_class.style = CS_OWNDC;
    window_class.lpfnWndProc = probe_procedure;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "x11 probe";
    if (!RegisterClassA(&window_class)) return 3;
    HWND window =
        CreateWindowExA(0, "x11 probe", argv[1], style, outer.left, outer.top, outer.right - outer.left,
            outer.bottom - outer.top, nullptr, nullptr, window_class.hInstance, nullptr);
    if (!window) return 4;
    if (!set_up_gl(window)) return 5;
    ShowWindow(window, SW_SHOW);
    std::printf("shown\n");
    std::fflush(stdout);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    std::printf("quit %d\n", static_cast<int>(message.wParam));
    return 0;
}
