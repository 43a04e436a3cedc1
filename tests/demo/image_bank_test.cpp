// The image bank: which names are read, the byte rule for what a file holds,
// and the gradient when there is no first picture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "demo/demo.h"
#include "tests/support/temp_folder.h"

namespace {

const size_t STANDARD_FILE_BYTES = 54 + 512 * 512 * 3; // 786,486

struct Rgb {
    int red, green, blue;
};

Rgb pixel(int slot, int row, int column)
{
    const unsigned char* p = image_bank.slots[slot].bytes + 3 * (512 * row + column);
    return {p[0], p[1], p[2]};
}

bool slot_is_all(int slot, unsigned char value)
{
    for (unsigned char byte : image_bank.slots[slot].bytes)
        if (byte != value) return false;
    return true;
}

std::vector<unsigned char> patterned_bytes(size_t size, unsigned seed)
{
    std::vector<unsigned char> bytes(size);
    unsigned state = seed * 2654435761u + 1;
    for (unsigned char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<unsigned char>(state >> 16);
    }
    return bytes;
}

// The rule as the file format reads it, one byte at a time: after 56 bytes the
// bytes go red, blue, green; past the end every byte is 255.
bool slot_holds_file(int slot, const std::vector<unsigned char>& file)
{
    auto byte_at = [&](size_t i) { return i < file.size() ? file[i] : 255; };
    const unsigned char* bytes = image_bank.slots[slot].bytes;
    for (size_t p = 0; p < 512 * 512; p++) {
        size_t at = 56 + 3 * p;
        if (bytes[3 * p] != byte_at(at) || bytes[3 * p + 2] != byte_at(at + 1) ||
            bytes[3 * p + 1] != byte_at(at + 2))
            return false;
    }
    return true;
}

class ImageBankTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(enter_temp_folder().empty()); }
    void TearDown() override { leave_temp_folder(); }
};

void expect_gradient_in_slot_0()
{
    EXPECT_EQ(image_bank.last_loaded_index, -1);
    Rgb corner = pixel(0, 0, 0);
    EXPECT_EQ(corner.red, 0);
    EXPECT_EQ(corner.green, 0);
    EXPECT_EQ(corner.blue, 0);
    EXPECT_EQ(pixel(0, 1, 0).red, 255);
    EXPECT_EQ(pixel(0, 1, 0).blue, 0);
    EXPECT_EQ(pixel(0, 0, 1).red, 0);
    EXPECT_EQ(pixel(0, 0, 1).blue, 255);
    EXPECT_EQ(pixel(0, 256, 256).red, 0);
    EXPECT_EQ(pixel(0, 256, 256).blue, 0);
    Rgb last = pixel(0, 511, 511);
    EXPECT_EQ(last.red, 1);
    EXPECT_EQ(last.green, 0);
    EXPECT_EQ(last.blue, 1);
    for (int slot = 1; slot < 10; slot++) EXPECT_TRUE(slot_is_all(slot, 0)) << "slot " << slot;
}

} // namespace

// Which names are read.

TEST_F(ImageBankTest, NoFileGivesTheGradientInSlot0)
{
    load_image_bank();
    expect_gradient_in_slot_0();
    for (int row = 0; row < 512; row += 37)
        for (int column = 0; column < 512; column += 41) {
            Rgb p = pixel(0, row, column);
            EXPECT_EQ(p.red, (512 - row) % 256);
            EXPECT_EQ(p.green, 0);
            EXPECT_EQ(p.blue, (512 - column) % 256);
        }
}

TEST_F(ImageBankTest, OnlyTheSecondNameGivesTheGradient)
{
    ASSERT_TRUE(write_file("gazou1.bmp", patterned_bytes(STANDARD_FILE_BYTES, 1)));
    load_image_bank();
    expect_gradient_in_slot_0();
}

TEST_F(ImageBankTest, AGapInTheNumberingHidesEveryLaterFile)
{
    std::vector<unsigned char> first = patterned_bytes(STANDARD_FILE_BYTES, 10);
    std::vector<unsigned char> second = patterned_bytes(STANDARD_FILE_BYTES, 11);
    ASSERT_TRUE(write_file("gazou0.bmp", first));
    ASSERT_TRUE(write_file("gazou1.bmp", second));
    ASSERT_TRUE(write_file("gazou3.bmp", patterned_bytes(STANDARD_FILE_BYTES, 13)));
    load_image_bank();
    EXPECT_EQ(image_bank.last_loaded_index, 1);
    EXPECT_TRUE(slot_holds_file(0, first));
    EXPECT_TRUE(slot_holds_file(1, second));
    EXPECT_TRUE(slot_is_all(2, 0));
    EXPECT_TRUE(slot_is_all(3, 0));
}

TEST_F(ImageBankTest, TenFilesFillEverySlotAndNoFurtherNameIsTried)
{
    std::vector<std::vector<unsigned char>> files;
    for (int k = 0; k < 10; k++) {
        files.push_back(patterned_bytes(STANDARD_FILE_BYTES, 100u + static_cast<unsigned>(k)));
        std::string name = "gazou" + std::to_string(k) + ".bmp";
        ASSERT_TRUE(write_file(name.c_str(), files.back()));
    }
    // The name after "gazou9.bmp" by character code; an eleventh read would
    // write past the bank.
    ASSERT_TRUE(write_file("gazou:.bmp", patterned_bytes(STANDARD_FILE_BYTES, 999)));
    load_image_bank();
    EXPECT_EQ(image_bank.last_loaded_index, 9);
    for (int k = 0; k < 10; k++)
        EXPECT_TRUE(slot_holds_file(k, files[static_cast<size_t>(k)])) << "slot " << k;
}

// Only a regular file counts as opened: a FIFO would block the start-up for
// ever, a directory opens on Linux but not on Windows.

TEST_F(ImageBankTest, AFifoNamedLikeAPictureCannotBeOpened)
{
    ASSERT_EQ(mkfifo("gazou0.bmp", 0600), 0);
    alarm(20); // a hang ends the test process instead of the whole run
    load_image_bank();
    alarm(0);
    expect_gradient_in_slot_0();
}

TEST_F(ImageBankTest, AFifoEndsTheLoadingLikeAMissingName)
{
    std::vector<unsigned char> first = patterned_bytes(STANDARD_FILE_BYTES, 20);
    ASSERT_TRUE(write_file("gazou0.bmp", first));
    ASSERT_EQ(mkfifo("gazou1.bmp", 0600), 0);
    ASSERT_TRUE(write_file("gazou2.bmp", patterned_bytes(STANDARD_FILE_BYTES, 22)));
    alarm(20);
    load_image_bank();
    alarm(0);
    EXPECT_EQ(image_bank.last_loaded_index, 0);
    EXPECT_TRUE(slot_holds_file(0, first));
    EXPECT_TRUE(slot_is_all(1, 0));
}

TEST_F(ImageBankTest, ADirectoryNamedLikeAPictureCannotBeOpened)
{
    ASSERT_EQ(mkdir("gazou0.bmp", 0700), 0);
    load_image_bank();
    expect_gradient_in_slot_0();
}

// What a file holds: raw bytes after a 56-byte skip, 255 past the end.

TEST_F(ImageBankTest, AnEmptyFileGivesAWhiteSlot)
{
    ASSERT_TRUE(write_file("gazou0.bmp", {}));
    load_image_bank();
    EXPECT_EQ(image_bank.last_loaded_index, 0);
    EXPECT_TRUE(slot_is_all(0, 255));
}

TEST_F(ImageBankTest, AFileShorterThanTheSkipGivesAWhiteSlot)
{
    ASSERT_TRUE(write_file("gazou0.bmp", std::vector<unsigned char>(55, 7)));
    load_image_bank();
    EXPECT_EQ(image_bank.last_loaded_index, 0);
    EXPECT_TRUE(slot_is_all(0, 255));
}

TEST_F(ImageBankTest, BytesAfterTheSkipGoRedBlueGreen)
{
    std::vector<unsigned char> file(59, 0);
    file[56] = 10;
    file[57] = 20;
    file[58] = 30;
    ASSERT_TRUE(write_file("gazou0.bmp", file));
    load_image_bank();
    Rgb first = pixel(0, 0, 0);
    EXPECT_EQ(first.red, 10);
    EXPECT_EQ(first.green, 30);
    EXPECT_EQ(first.blue, 20);
    Rgb second = pixel(0, 0, 1);
    EXPECT_EQ(second.red, 255);
    EXPECT_EQ(second.green, 255);
    EXPECT_EQ(second.blue, 255);
}

TEST_F(ImageBankTest, AStandardFileEndsWithTwoBytesReadPastTheEnd)
{
    std::vector<unsigned char> file = patterned_bytes(STANDARD_FILE_BYTES, 30);
    file[STANDARD_FILE_BYTES - 1] = 77; // red of the file's last pixel
    file[STANDARD_FILE_BYTES - 2] = 0;  // its green and blue do not reach the slot
    file[STANDARD_FILE_BYTES - 3] = 0;
    ASSERT_TRUE(write_file("gazou0.bmp", file));
    load_image_bank();
    Rgb last = pixel(0, 511, 511);
    EXPECT_EQ(last.red, 77);
    EXPECT_EQ(last.green, 255);
    EXPECT_EQ(last.blue, 255);
    EXPECT_TRUE(slot_holds_file(0, file));
}

TEST_F(ImageBankTest, TwoExtraBytesAtTheEndAreUsedInsteadOf255)
{
    std::vector<unsigned char> file = patterned_bytes(STANDARD_FILE_BYTES + 2, 31);
    file[STANDARD_FILE_BYTES] = 5;     // blue of the last pixel
    file[STANDARD_FILE_BYTES + 1] = 6; // green of the last pixel
    ASSERT_TRUE(write_file("gazou0.bmp", file));
    load_image_bank();
    Rgb last = pixel(0, 511, 511);
    EXPECT_EQ(last.green, 6);
    EXPECT_EQ(last.blue, 5);
}

TEST_F(ImageBankTest, FilesOfAnySizeFollowTheByteRule)
{
    const size_t sizes[] = {56, 57, 100, 4096 + 56, 300001, STANDARD_FILE_BYTES + 1000};
    for (size_t size : sizes) {
        std::vector<unsigned char> file = patterned_bytes(size, static_cast<unsigned>(size));
        ASSERT_TRUE(write_file("gazou0.bmp", file));
        load_image_bank();
        EXPECT_EQ(image_bank.last_loaded_index, 0);
        EXPECT_TRUE(slot_holds_file(0, file)) << size << " bytes";
    }
}

// A picture from a real encoder: ImageMagick writes a bottom-up 24-bit BMP with
// its pixels at offset 54 in blue, green, red order, so slot pixel p takes its
// red from file pixel p and its green and blue from file pixel p + 1.
TEST_F(ImageBankTest, APictureMadeByConvertStandsInTheSlotAsTheRuleSays)
{
    if (access("/usr/bin/convert", X_OK) != 0) GTEST_SKIP() << "/usr/bin/convert is missing";
    ASSERT_EQ(
        std::system("/usr/bin/convert -size 512x512 gradient:red-blue -type TrueColor BMP3:gazou0.bmp"), 0);
    std::vector<unsigned char> file = read_file("gazou0.bmp");
    ASSERT_EQ(file.size(), STANDARD_FILE_BYTES);
    ASSERT_EQ(file[0], 'B');
    ASSERT_EQ(file[1], 'M');
    size_t offset = file[10] | file[11] << 8 | file[12] << 16 | static_cast<size_t>(file[13]) << 24;
    ASSERT_EQ(offset, 54u);
    ASSERT_EQ(file[28], 24); // bits per pixel

    load_image_bank();
    EXPECT_EQ(image_bank.last_loaded_index, 0);
    auto file_pixel = [&](size_t p) { return file.data() + offset + 3 * p; }; // blue, green, red
    const size_t pixels = 512 * 512;
    size_t wrong = 0;
    for (size_t p = 0; p < pixels; p++) {
        const unsigned char* stored = image_bank.slots[0].bytes + 3 * p;
        int green = p + 1 < pixels ? file_pixel(p + 1)[1] : 255;
        int blue = p + 1 < pixels ? file_pixel(p + 1)[0] : 255;
        if (stored[0] != file_pixel(p)[2] || stored[1] != green || stored[2] != blue) wrong++;
    }
    EXPECT_EQ(wrong, 0u);
    // The picture stands upright: its bottom row (blue) is the slot's row 0.
    EXPECT_LT(pixel(0, 0, 100).red, 10);
    EXPECT_GT(pixel(0, 0, 100).blue, 245);
    EXPECT_GT(pixel(0, 511, 100).red, 245);
    EXPECT_LT(pixel(0, 511, 100).blue, 10);
}
