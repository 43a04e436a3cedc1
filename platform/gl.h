// OpenGL 1.1 and GLU, after the platform door (Windows' gl.h needs <windows.h> first).
#pragma once

#include "platform/win32.h"
#include <GL/gl.h>
#include <GL/glu.h>
