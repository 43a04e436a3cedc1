// The image bank: gazou0.bmp ... gazou9.bmp from the current directory, taken
// as raw bytes after a 56-byte skip, or a gradient of our own in slot 0.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <utility>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Swaps the second and third byte of every pixel in place. With SSE2 (every
// x86-64 processor), sixteen pixels at a time as three 16-byte blocks: at each
// pixel's second byte the two bytes' difference (xor) is taken, then applied
// to both. Only the second block's last pixel reaches into the next block.
static void swap_last_two(unsigned char* bytes, size_t size)
{
    size_t i = 0;
#if defined(__SSE2__)
    // Of 48 bytes, those in second place in their pixel.
    alignas(16) static constexpr std::array<unsigned char, 48> second = [] {
        std::array<unsigned char, 48> mask{};
        for (int byte = 0; byte < 48; byte++) mask[byte] = byte % 3 == 1 ? 0xFF : 0;
        return mask;
    }();
    const __m128i* masks = reinterpret_cast<const __m128i*>(second.data());
    for (__m128i* at = reinterpret_cast<__m128i*>(bytes); i + 48 <= size; i += 48, at += 3) {
        __m128i a = _mm_loadu_si128(at), b = _mm_loadu_si128(at + 1), c = _mm_loadu_si128(at + 2);
        __m128i da = _mm_and_si128(_mm_xor_si128(a, _mm_srli_si128(a, 1)), masks[0]);
        __m128i db = _mm_and_si128(
            _mm_xor_si128(b, _mm_or_si128(_mm_srli_si128(b, 1), _mm_slli_si128(c, 15))), masks[1]);
        __m128i dc = _mm_and_si128(_mm_xor_si128(c, _mm_srli_si128(c, 1)), masks[2]);
        _mm_storeu_si128(at, _mm_xor_si128(a, _mm_xor_si128(da, _mm_slli_si128(da, 1))));
        _mm_storeu_si128(at + 1, _mm_xor_si128(b, _mm_xor_si128(db, _mm_slli_si128(db, 1))));
        _mm_storeu_si128(at + 2,
            _mm_xor_si128(
                _mm_xor_si128(c, _mm_srli_si128(db, 15)), _mm_xor_si128(dc, _mm_slli_si128(dc, 1))));
    }
#endif
    for (; i + 3 <= size; i += 3) std::swap(bytes[i + 1], bytes[i + 2]);
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
    swap_last_two(slot->bytes, sizeof slot->bytes);
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
