// The process entry: WinMain for the Windows GUI program, main elsewhere; both
// run the same start-up. No command-line options.
#include "demo/demo.h"

#ifdef _WIN32
#include "platform/win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return run_demo();
}
#else
int main()
{
    return run_demo();
}
#endif
