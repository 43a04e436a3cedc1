// Temporary folders for tests that work on files in the current directory.
#include "tests/support/temp_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

static std::string saved_directory;
static std::string temp_folder;

std::string enter_temp_folder()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/rollbox-test-XXXXXX";
    std::vector<char> path(pattern.begin(), pattern.end());
    path.push_back('\0');
    if (!mkdtemp(path.data())) return "";
    saved_directory = std::filesystem::current_path().string();
    temp_folder = path.data();
    if (chdir(temp_folder.c_str()) != 0) return "";
    return temp_folder;
}

void leave_temp_folder()
{
    if (temp_folder.empty()) return;
    if (chdir(saved_directory.c_str()) != 0) return;
    std::error_code ignored;
    std::filesystem::remove_all(temp_folder, ignored);
    temp_folder.clear();
}

bool write_file(const char* name, const std::vector<unsigned char>& bytes)
{
    FILE* file = std::fopen(name, "wb");
    if (!file) return false;
    bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

std::vector<unsigned char> read_file(const char* name)
{
    std::vector<unsigned char> bytes;
    FILE* file = std::fopen(name, "rb");
    if (!file) return bytes;
    unsigned char chunk[65536];
    size_t read;
    while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + read);
    std::fclose(file);
    return bytes;
}
