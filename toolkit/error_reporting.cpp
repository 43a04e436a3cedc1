// The toolkit's one way of telling the user that something failed.
#include <cstdarg>
#include <cstdio>

#include "toolkit/toolkit.h"

// A text longer than the buffer is cut at 255 characters.
void show_error(const char* format, ...)
{
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    MessageBoxA(GetFocus(), text, "Error", MB_OK);
}
