// The simulated palette display on the web: at each swap the frame GL drew
// is read back, every pixel becomes the colour its 3-3-2 value shows
// (gdi/palette_values.cpp), and that covers the canvas.
#include <vector>

#include "platform/standin/drivers/web/gl/fixed_function.h"
#include "platform/standin/drivers/web/gl/webgl.h"
#include "platform/standin/gdi/gdi_state.h"

void show_frame_in_palette_colours(const GdiDc* dc, WglContext* current)
{
    PixelSize size;
    if (current == nullptr || !palette_frame_size(dc, &size)) return;
    PALETTEENTRY shown[256];
    for (int value = 0; value < 256; value++) shown[value] = shown_colour(dc, value);
    static std::vector<unsigned char> frame;
    frame.resize(static_cast<size_t>(size.width) * static_cast<size_t>(size.height) * 4);
    GLint alignment = 4;
    emscripten_glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    emscripten_glPixelStorei(GL_PACK_ALIGNMENT, 1);
    emscripten_glReadPixels(0, 0, size.width, size.height, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    emscripten_glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    // The top 3 bits of red and green and the top 2 of blue make the value.
    for (size_t i = 0; i < frame.size(); i += 4) {
        const PALETTEENTRY& colour =
            shown[frame[i] >> 5 | (frame[i + 1] >> 5) << 3 | (frame[i + 2] >> 6) << 6];
        frame[i] = colour.peRed;
        frame[i + 1] = colour.peGreen;
        frame[i + 2] = colour.peBlue;
        frame[i + 3] = 255;
    }
    renderer_cover(frame.data(), size.width, size.height);
}
