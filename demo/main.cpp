// The process entry: WinMain for the Windows GUI program, main elsewhere; both
// run the same start-up. No command-line options.
#include <cstdlib>

#include "demo/demo.h"

#ifdef _WIN32
#include "platform/win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return run_demo();
}
#else
// The end of the run ends the process explicitly: in a web page, where the
// program gave the page its turn on the way (Asyncify), returning from main
// would end nothing.
int main()
{
    std::exit(run_demo());
}
#endif
