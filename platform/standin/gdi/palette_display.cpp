// The picture of the simulated palette display. GL draws in full colour; at
// each swap every pixel becomes the 8-bit value a 3-3-2 buffer would hold
// (the top bits of each channel, undithered, so a picture comes out the same
// every time) and shows the colour of the system entry that value goes to:
// through the context's last realisation, or with none the default palette's
// (the nearest of the 20 static colours). The frame is read in bands, looked
// up into a texture and copied back with one blit, which no fragment setting
// of the program's touches.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/standin/gdi/gdi_state.h"
#include "platform/standin/internal.h"

// A pixel read as a native 0xAARRGGBB word, shifted right by 6, has the top 3
// bits of red at 15, of green at 7 and the top 2 of blue at 0: one shift and
// one mask make a place in this table, which holds the colour each of the 256
// places shows.
static const uint32_t TOP_BITS = 0x38383;
static uint32_t shown_by_top_bits[TOP_BITS + 1];

// A band of rows as read, bottom to top, and as shown, top to bottom.
static const int BAND_PIXELS = 1 << 18;
static uint32_t band[BAND_PIXELS];
static uint32_t shown[BAND_PIXELS];

static void fill_shown_colours(const GdiDc* dc)
{
    for (int value = 0; value < 256; value++) {
        PALETTEENTRY colour = shown_colour(dc, value);
        uint32_t top_bits = static_cast<uint32_t>((value & 7) << 15 | (value >> 3 & 7) << 7 | value >> 6);
        shown_by_top_bits[top_bits] =
            0xFF000000u | static_cast<uint32_t>(colour.peRed << 16 | colour.peGreen << 8 | colour.peBlue);
    }
}

// Opaque: the palette display has no alpha.
static uint64_t shown_pair(uint64_t pair)
{
    return shown_by_top_bits[pair >> 6 & TOP_BITS] | uint64_t{shown_by_top_bits[pair >> 38 & TOP_BITS]} << 32;
}

// Two pixels at a time: a pair like the one before (most of a background) is
// not looked up again.
static void convert_row(const uint32_t* from, uint32_t* to, int width)
{
    uint64_t last = 0, shown_last = shown_pair(0);
    int x = 0;
    for (; x + 2 <= width; x += 2) {
        uint64_t pair;
        std::memcpy(&pair, from + x, sizeof pair);
        if (pair != last) {
            last = pair;
            shown_last = shown_pair(pair);
        }
        std::memcpy(to + x, &shown_last, sizeof shown_last);
    }
    if (x < width) to[x] = shown_by_top_bits[from[x] >> 6 & TOP_BITS];
}

static void convert_band(int width, int rows)
{
    for (int row = 0; row < rows; row++)
        convert_row(band + row * width, shown + (rows - 1 - row) * width, width);
}

// The context's texture, the size of the window and bound, attached to its
// framebuffer. It holds the frame top row first, as Mesa keeps a window's
// buffer: the blit back turns it over and is then a plain copy.
static void prepare_texture(PalettePass* pass, int width, int height)
{
    if (pass->texture == 0) {
        glGenTextures(1, &pass->texture);
        glGenFramebuffers(1, &pass->framebuffer);
    }
    glBindTexture(GL_TEXTURE_2D, pass->texture);
    if (pass->width == width && pass->height == height) return;
    // Unsized, with the layout of the uploads: the texture keeps that layout and
    // takes them as they are.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, pass->framebuffer);
    glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, pass->texture, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    pass->width = width;
    pass->height = height;
}

// The program's GL settings that the pass changes, to be put back after it.
struct ProgramSettings {
    GLint texture, read_framebuffer, draw_framebuffer, pack_buffer, unpack_buffer, read_buffer, draw_buffer;
};

static const GLenum PIXEL_STORES_AT_ZERO[] = {GL_PACK_ROW_LENGTH, GL_PACK_SKIP_ROWS, GL_PACK_SKIP_PIXELS,
    GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS};

// Reads and the blit go to the window's buffer being drawn, unscissored (a
// blit heeds no other fragment setting), and pixels are packed plainly into
// client memory.
static ProgramSettings set_up_pass()
{
    ProgramSettings saved = {};
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &saved.texture);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &saved.read_framebuffer);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &saved.draw_framebuffer);
    glGetIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &saved.pack_buffer);
    glGetIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &saved.unpack_buffer);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
    glGetIntegerv(GL_READ_BUFFER, &saved.read_buffer);
    glGetIntegerv(GL_DRAW_BUFFER, &saved.draw_buffer);
    glReadBuffer(static_cast<GLenum>(saved.draw_buffer));
    glPushAttrib(GL_SCISSOR_BIT);
    glDisable(GL_SCISSOR_TEST);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    for (GLenum store : PIXEL_STORES_AT_ZERO) glPixelStorei(store, 0);
    return saved;
}

static void put_back(const ProgramSettings& saved)
{
    glPopClientAttrib();
    glPopAttrib();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(static_cast<GLenum>(saved.read_buffer));
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(saved.texture));
    glBindBuffer(GL_PIXEL_PACK_BUFFER, static_cast<GLuint>(saved.pack_buffer));
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, static_cast<GLuint>(saved.unpack_buffer));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(saved.read_framebuffer));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(saved.draw_framebuffer));
}

void show_frame_in_palette_colours(const GdiDc* dc, WglContext* current)
{
    PixelSize surface;
    if (current == nullptr || !palette_frame_size(dc, &surface)) return;
    int width = surface.width, height = surface.height;
    fill_shown_colours(dc);
    ProgramSettings saved = set_up_pass();
    PalettePass* pass = &current->palette_pass;
    prepare_texture(pass, width, height);
    int rows = std::min(height, BAND_PIXELS / width);
    for (int y = 0; y < height; y += rows) {
        int count = std::min(rows, height - y);
        glReadPixels(0, y, width, count, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, band);
        convert_band(width, count);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, height - y - count, width, count, GL_BGRA,
            GL_UNSIGNED_INT_8_8_8_8_REV, shown);
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, pass->framebuffer);
    glBlitFramebuffer(0, height, width, 0, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    put_back(saved);
}
