// The image bank: which names are read, the byte rule, and the gradient.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "demo/demo.h"

namespace {

using Bytes = std::vector<unsigned char>;

// The rule byte by byte: after 56 bytes each three go to red, blue, green;
// every byte past the end is 255.
bool slot_holds(int slot, const Bytes& file)
{
    auto byte_at = [&](size_t i) { return i < file.size() ? file[i] : 255; };
    const unsigned char* bytes = image_bank.slots[slot].bytes;
    for (size_t p = 0; p < IMAGE_SLOT_BYTES; p += 3)
        if (bytes[p] != byte_at(56 + p) || bytes[p + 2] != byte_at(57 + p) || bytes[p + 1] != byte_at(58 + p))
            return false;
    return true;
}

// Each case in a new folder of its own, the bank zeroed; a hang ends this test
// process only.
class Pictures : public testing::Test {
protected:
    std::string folder = (std::filesystem::temp_directory_path() / "rollbox-test-XXXXXX").string();
    std::filesystem::path back = std::filesystem::current_path();
    void SetUp() override
    {
        std::memset(&image_bank, 0, sizeof image_bank);
        ASSERT_NE(mkdtemp(folder.data()), nullptr);
        ASSERT_EQ(chdir(folder.c_str()), 0);
        alarm(20);
    }
    void TearDown() override
    {
        alarm(0);
        std::filesystem::current_path(back);
        std::filesystem::remove_all(folder);
    }
};

} // namespace

// Empty, three bytes after the skip, a full file two bytes short and one two
// longer, each in its slot; the names stop at a gap and at ten, none left open.
TEST_F(Pictures, HoldsTheFilesUpToAGapOrTenByTheByteRule)
{
    // gazou0.bmp to gazou9.bmp, and gazou:.bmp after them.
    auto write = [](int k, const Bytes& bytes) {
        std::string name = "gazou" + std::string(1, static_cast<char>('0' + k)) + ".bmp";
        std::ofstream(name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
        return std::filesystem::file_size(name) == bytes.size();
    };
    std::vector<Bytes> files = {{}, Bytes(56, 0)};
    files[1].insert(files[1].end(), {10, 20, 30});
    for (int k = 2; k < 10; k++) {
        files.push_back(Bytes(54 + IMAGE_SLOT_BYTES + (k == 3 ? 2 : 0)));
        for (unsigned char& byte : files[k]) byte = static_cast<unsigned char>(std::rand());
    }
    for (int k : {0, 1, 2, 4}) ASSERT_TRUE(write(k, files[k]));
    auto open_files = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); };
    long files_open = open_files();
    load_image_bank();
    EXPECT_EQ(open_files(), files_open) << "a picture was left open";
    EXPECT_EQ(image_bank.last_loaded_index, 2);
    for (int k = 0; k < 3; k++) EXPECT_TRUE(slot_holds(k, files[k])) << "slot " << k;
    const Bytes unread(IMAGE_SLOT_BYTES + 56, 0);
    EXPECT_TRUE(slot_holds(4, unread)) << "gazou4.bmp was read";
    for (int k = 3; k < 10; k++) ASSERT_TRUE(write(k, files[k]));
    ASSERT_TRUE(write(10, files[2])); // an eleventh read would go past the bank
    load_image_bank();
    EXPECT_EQ(image_bank.last_loaded_index, 9);
    for (int k = 0; k < 10; k++) EXPECT_TRUE(slot_holds(k, files[k])) << "slot " << k;
}

// Without an openable gazou0.bmp (missing, a directory, or a FIFO with no
// writer, which must not block the start) slot 0 holds the gradient: red falls
// by one a row, blue a column, from 0, wrapping every 256.
TEST_F(Pictures, WithoutAnOpenableFirstPictureSlotZeroHoldsTheGradient)
{
    for (auto [kind, make] : std::initializer_list<std::pair<const char*, int (*)()>>{
             {"missing", [] { return 0; }}, {"fifo", [] { return mkfifo("gazou0.bmp", 0600); }},
             {"directory", [] { return mkdir("gazou0.bmp", 0700); }}}) {
        std::filesystem::remove("gazou0.bmp");
        ASSERT_EQ(make(), 0) << kind;
        load_image_bank();
        EXPECT_EQ(image_bank.last_loaded_index, -1) << kind;
        const unsigned char* p = image_bank.slots[0].bytes;
        for (int row = 0; row < IMAGE_SIDE; row++)
            for (int column = 0; column < IMAGE_SIDE; column++, p += 3)
                ASSERT_EQ(std::vector<int>(p, p + 3),
                    (std::vector<int>{(512 - row) % 256, 0, (512 - column) % 256}))
                    << kind << ", row " << row << ", column " << column;
        EXPECT_TRUE(slot_holds(1, Bytes(IMAGE_SLOT_BYTES + 56, 0))) << kind;
    }
}
