// The image bank: which names are read, the byte rule for what a file holds,
// and the gradient when there is no first picture.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "demo/demo.h"
#include "tests/support/temp_folder.h"

namespace {

const size_t STANDARD_FILE_BYTES = 54 + 512 * 512 * 3; // 786,486
using Rgb = std::array<int, 3>;

Rgb pixel(int slot, int row, int column)
{
    const unsigned char* p = image_bank.slots[slot].bytes + 3 * (512 * row + column);
    return {p[0], p[1], p[2]};
}

std::vector<unsigned char> random_bytes(size_t size, unsigned seed)
{
    std::vector<unsigned char> bytes(size);
    for (unsigned char& byte : bytes)
        byte = static_cast<unsigned char>((seed = seed * 1103515245u + 12345u) >> 16);
    return bytes;
}

// The rule one byte at a time: after 56 bytes each three go to red, blue,
// green; every byte past the end is 255.
bool slot_holds_file(int slot, const std::vector<unsigned char>& file)
{
    auto byte_at = [&](size_t i) { return i < file.size() ? file[i] : 255; };
    const unsigned char* bytes = image_bank.slots[slot].bytes;
    for (size_t p = 0; p < 3 * 512 * 512; p += 3)
        if (bytes[p] != byte_at(56 + p) || bytes[p + 2] != byte_at(57 + p) || bytes[p + 1] != byte_at(58 + p))
            return false;
    return true;
}

class ImageBankTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(enter_temp_folder().empty()); }
    void TearDown() override { leave_temp_folder(); }
};

} // namespace

// gazou0.bmp missing, a FIFO (which must not block the start-up) or a directory
// (which opens on Linux only): no picture, even with gazou1.bmp there.
TEST_F(ImageBankTest, WithoutAnOpenableFirstNameSlot0HoldsTheGradient)
{
    ASSERT_TRUE(write_file("gazou1.bmp", random_bytes(STANDARD_FILE_BYTES, 1)));
    for (const char* kind : {"missing", "fifo", "directory"}) {
        std::memset(image_bank.slots[0].bytes, 7, IMAGE_SLOT_BYTES);
        std::filesystem::remove("gazou0.bmp");
        ASSERT_TRUE(kind[0] != 'f' || mkfifo("gazou0.bmp", 0600) == 0);
        ASSERT_TRUE(kind[0] != 'd' || mkdir("gazou0.bmp", 0700) == 0);
        alarm(20); // a hang ends this test process only
        load_image_bank();
        alarm(0);
        EXPECT_EQ(image_bank.last_loaded_index, -1) << kind;
        EXPECT_EQ(pixel(0, 0, 0), (Rgb{0, 0, 0})) << kind;
        EXPECT_EQ(pixel(0, 1, 0), (Rgb{255, 0, 0})) << kind;
        EXPECT_EQ(pixel(0, 0, 1), (Rgb{0, 0, 255})) << kind;
        EXPECT_EQ(pixel(0, 256, 256), (Rgb{0, 0, 0})) << kind;
        EXPECT_EQ(pixel(0, 511, 511), (Rgb{1, 0, 1})) << kind;
    }
}

TEST_F(ImageBankTest, TheNamesRunFromGazou0UpToAGapOrTen)
{
    std::vector<std::vector<unsigned char>> files;
    for (unsigned k = 0; k < 10; k++) files.push_back(random_bytes(STANDARD_FILE_BYTES, 100 + k));
    auto write = [&](int k) { return write_file(("gazou" + std::to_string(k) + ".bmp").c_str(), files[k]); };
    ASSERT_TRUE(write(0) && write(1) && write(3));
    load_image_bank();
    EXPECT_EQ(image_bank.last_loaded_index, 1);
    EXPECT_TRUE(slot_holds_file(0, files[0]) && slot_holds_file(1, files[1]));

    for (int k = 2; k < 10; k++) ASSERT_TRUE(write(k));
    // The name after gazou9.bmp by character code: an eleventh read would
    // write past the bank.
    ASSERT_TRUE(write_file("gazou:.bmp", files[0]));
    load_image_bank();
    EXPECT_EQ(image_bank.last_loaded_index, 9);
    for (int k = 0; k < 10; k++) EXPECT_TRUE(slot_holds_file(k, files[k])) << "slot " << k;
}

TEST_F(ImageBankTest, FilesAreHeldAsTheByteRuleSays)
{
    ASSERT_TRUE(write_file("gazou0.bmp", {}));
    load_image_bank();
    EXPECT_EQ(image_bank.last_loaded_index, 0);
    EXPECT_TRUE(slot_holds_file(0, {})); // all 255

    std::vector<unsigned char> short_file(56, 0);
    for (int byte : {10, 20, 30}) short_file.push_back(static_cast<unsigned char>(byte));
    ASSERT_TRUE(write_file("gazou0.bmp", short_file));
    load_image_bank();
    EXPECT_EQ(pixel(0, 0, 0), (Rgb{10, 30, 20}));
    EXPECT_EQ(pixel(0, 0, 1), (Rgb{255, 255, 255}));

    // A standard file ends two bytes short of the slot.
    std::vector<unsigned char> standard = random_bytes(STANDARD_FILE_BYTES, 30);
    standard.back() = 77;
    ASSERT_TRUE(write_file("gazou0.bmp", standard));
    load_image_bank();
    EXPECT_EQ(pixel(0, 511, 511), (Rgb{77, 255, 255}));
    EXPECT_TRUE(slot_holds_file(0, standard));
}

// A 24-bit file from a real encoder is held by the same rule.
TEST_F(ImageBankTest, APictureMadeByConvertIsHeldByTheRule)
{
    if (access("/usr/bin/convert", X_OK) != 0) GTEST_SKIP() << "/usr/bin/convert is missing";
    ASSERT_EQ(
        std::system("/usr/bin/convert -size 512x512 gradient:red-blue -type TrueColor BMP3:gazou0.bmp"), 0);
    std::ifstream stream("gazou0.bmp", std::ios::binary);
    std::vector<unsigned char> file{std::istreambuf_iterator<char>(stream), {}};
    ASSERT_EQ(file.size(), STANDARD_FILE_BYTES);
    load_image_bank();
    EXPECT_TRUE(slot_holds_file(0, file));
}
