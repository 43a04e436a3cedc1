// The one door to the platform for demo/, binding/, toolkit/ and palette/.
// On Windows it is <windows.h> itself; elsewhere the stand-in declares the same
// subset under the same names, so the code above this door is identical on both.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <windowsx.h>
#else
#include "platform/standin/win32_gdi.h"
#include "platform/standin/win32_kernel.h"
#include "platform/standin/win32_types.h"
#include "platform/standin/win32_user.h"
#endif
