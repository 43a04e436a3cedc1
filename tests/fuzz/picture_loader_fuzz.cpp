// The picture loader on any file: each input is written as gazou0.bmp in a
// private folder, loaded, and slot 0 checked byte by byte against the rule.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "demo/demo.h"

static std::string folder;

// Removes the picture and the folder at a normal exit (a crash leaves them).
static void remove_folder()
{
    unlink((folder + "/gazou0.bmp").c_str());
    rmdir(folder.c_str());
}

// A folder of our own, in memory when /dev/shm exists, entered once.
static void enter_folder()
{
    for (const char* base : {"/dev/shm", "/tmp"}) {
        folder = std::string(base) + "/rollbox-fuzz-XXXXXX";
        if (mkdtemp(folder.data()) && chdir(folder.c_str()) == 0) {
            std::atexit(remove_folder);
            return;
        }
    }
    std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (folder.empty()) enter_folder();
    FILE* file = std::fopen("gazou0.bmp", "wb");
    if (!file || (size && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0) std::abort();
    // Stale contents that the rule's bytes (mostly 255 on short files) differ from.
    std::memset(&image_bank.slots[0], 0, sizeof image_bank.slots[0]);
    image_bank.last_loaded_index = 7;
    load_image_bank();
    // After 56 skipped bytes, each three go to red, blue, green; past the end 255.
    auto byte_at = [&](size_t i) { return i < size ? data[i] : uint8_t{255}; };
    const unsigned char* slot = image_bank.slots[0].bytes;
    for (size_t p = 0; p < IMAGE_SLOT_BYTES; p += 3)
        if (slot[p] != byte_at(56 + p) || slot[p + 2] != byte_at(57 + p) || slot[p + 1] != byte_at(58 + p))
            std::abort();
    if (image_bank.last_loaded_index != 0) std::abort();
    return 0;
}
