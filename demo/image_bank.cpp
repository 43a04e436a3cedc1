// The image bank: gazou0.bmp ... gazou9.bmp from the current directory, taken
// as raw bytes after a 56-byte skip, or a gradient of our own in slot 0.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <utility>
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define HAVE_SHUFFLE 1
#include <tmmintrin.h>
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

#if HAVE_SHUFFLE
// Sixteen pixels at a time as three 16-byte blocks, each shuffled in place
// with SSSE3. The one pair that straddles two blocks, the second block's last
// byte and the third's first, is carried across by a byte shift. Returns how
// many bytes it did.
__attribute__((target("ssse3"))) static size_t shuffle_last_two(unsigned char* bytes, size_t size)
{
    const __m128i first = _mm_setr_epi8(0, 2, 1, 3, 5, 4, 6, 8, 7, 9, 11, 10, 12, 14, 13, 15);
    const __m128i second = _mm_setr_epi8(1, 0, 2, 4, 3, 5, 7, 6, 8, 10, 9, 11, 13, 12, 14, -1);
    const __m128i third = _mm_setr_epi8(-1, 1, 3, 2, 4, 6, 5, 7, 9, 8, 10, 12, 11, 13, 15, 14);
    size_t done = 0;
    for (__m128i* at = reinterpret_cast<__m128i*>(bytes); done + 48 <= size; done += 48, at += 3) {
        __m128i a = _mm_loadu_si128(at), b = _mm_loadu_si128(at + 1), c = _mm_loadu_si128(at + 2);
        _mm_storeu_si128(at, _mm_shuffle_epi8(a, first));
        _mm_storeu_si128(at + 1, _mm_or_si128(_mm_shuffle_epi8(b, second), _mm_slli_si128(c, 15)));
        _mm_storeu_si128(at + 2, _mm_or_si128(_mm_shuffle_epi8(c, third), _mm_srli_si128(b, 15)));
    }
    return done;
}
#endif

// Swaps the second and third byte of every pixel in place: on a processor
// with SSSE3 (nearly every x86 one) mostly by shuffles, the rest one pixel at
// a time. Loading is bound by this pass as much as by the reads.
static void swap_last_two(unsigned char* bytes, size_t size)
{
    size_t i = 0;
#if HAVE_SHUFFLE
    static const bool can_shuffle = __builtin_cpu_supports("ssse3");
    if (can_shuffle) i = shuffle_last_two(bytes, size);
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
