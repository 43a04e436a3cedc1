// How large a surface GL can draw into.
#include <GL/gl.h>

#include <algorithm>

#include "platform/standin/drivers/driver.h"

PixelSize largest_viewport()
{
    GLint largest[2] = {};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, largest);
    return PixelSize{largest[0], largest[1]};
}

static int bounded_side(int side, int largest)
{
    side = std::max(side, 1);
    return largest > 0 ? std::min(side, largest) : side;
}

PixelSize surface_size(int width, int height, PixelSize largest)
{
    return PixelSize{bounded_side(width, largest.width), bounded_side(height, largest.height)};
}
