// The toolkit's settings for the next window, the handles of the open one, and
// the two setters that describe the window before it opens.
#include "toolkit/toolkit.h"

ToolkitSettings toolkit_settings = {
    0,             // window_x
    0,             // window_y
    100,           // window_width
    100,           // window_height
    DISPLAY_INDEX, // display_mode
    1,             // use_default_position
    25,            // system_colour_count
};

ToolkitState toolkit_state = {};

// (x, y) is the outer top-left corner; what is stored is an estimate of the
// client area's corner, corrected by the first move message.
void toolkit_set_position(int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (x == static_cast<int32_t>(CW_USEDEFAULT)) {
        toolkit_settings.use_default_position = 1;
        x = 0;
        y = 0;
    } else {
        toolkit_settings.use_default_position = 0;
    }
    estimate_client_origin(x, y);
    toolkit_settings.window_width = width;
    toolkit_settings.window_height = height;
}

void estimate_client_origin(int32_t outer_x, int32_t outer_y)
{
    toolkit_settings.window_x = outer_x + GetSystemMetrics(SM_CXFRAME);
    toolkit_settings.window_y = outer_y + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME) -
        GetSystemMetrics(SM_CYBORDER);
}

void toolkit_set_display_mode(int32_t mode)
{
    toolkit_settings.display_mode = mode;
}
