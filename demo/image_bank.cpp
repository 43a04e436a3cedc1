// The image bank: gazou0.bmp ... gazou9.bmp from the current directory, taken
// as raw bytes after a 56-byte skip, or a gradient of our own in slot 0.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "demo/demo.h"

ImageBank image_bank;

enum : int32_t { SKIPPED_BYTES = 56 };

// No FIFOs on a system without O_NONBLOCK, and no text mode without O_BINARY.
#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif
#ifndef O_BINARY
#define O_BINARY 0
#endif

// Only a regular file counts: a FIFO would block the reads for ever, and a
// directory opens on Linux but not on Windows. The open never blocks (on a
// FIFO with no writer it would), and the type is checked on what was opened,
// so a name replaced at any moment cannot hang the start.
static FILE* open_picture(const char* name)
{
    int descriptor = open(name, O_RDONLY | O_NONBLOCK | O_BINARY);
    if (descriptor < 0) return nullptr;
    struct stat status;
    FILE* file = nullptr;
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) file = fdopen(descriptor, "rb");
    if (file == nullptr) close(descriptor);
    return file;
}

// The byte rule: after the skip, the file's bytes in order fill the slot, every
// byte at or past the end counting as 255, and of each three the first goes to
// red, the second to blue and the third to green. Read in bulk, then the
// missing tail filled and green and blue swapped in place.
static void read_picture(FILE* file, ImageSlot* slot)
{
    unsigned char skipped[SKIPPED_BYTES];
    size_t read = 0;
    if (std::fread(skipped, 1, sizeof skipped, file) == sizeof skipped)
        read = std::fread(slot->bytes, 1, sizeof slot->bytes, file);
    std::memset(slot->bytes + read, 0xFF, sizeof slot->bytes - read);
    for (size_t i = 0; i < sizeof slot->bytes; i += 3) {
        unsigned char second = slot->bytes[i + 1];
        slot->bytes[i + 1] = slot->bytes[i + 2];
        slot->bytes[i + 2] = second;
    }
}

// Red falls as the row grows, blue as the column grows, both wrapping every
// 256: the low byte of -row and of -column.
static void make_gradient(ImageSlot* slot)
{
    for (int32_t row = 0; row < IMAGE_SIDE; row++) {
        for (int32_t column = 0; column < IMAGE_SIDE; column++) {
            unsigned char* pixel = slot->bytes + 3 * (IMAGE_SIDE * row + column);
            pixel[0] = static_cast<unsigned char>(-row);
            pixel[1] = 0;
            pixel[2] = static_cast<unsigned char>(-column);
        }
    }
}

void load_image_bank()
{
    char name[] = "gazou0.bmp";
    int32_t count = 0;
    while (count < IMAGE_SLOT_COUNT) {
        FILE* file = open_picture(name);
        if (!file) break;
        read_picture(file, &image_bank.slots[count]);
        std::fclose(file);
        name[5]++;
        count++;
    }
    if (count == 0) make_gradient(&image_bank.slots[0]);
    image_bank.last_loaded_index = count - 1;
}
