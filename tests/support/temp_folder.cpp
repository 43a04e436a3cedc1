#include "tests/support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

static std::filesystem::path saved_directory;
static std::string temp_folder;

std::string enter_temp_folder()
{
    std::error_code error;
    std::string path = (std::filesystem::temp_directory_path(error) / "rollbox-test-XXXXXX").string();
    if (error || !mkdtemp(path.data())) return "";
    saved_directory = std::filesystem::current_path();
    temp_folder = path;
    return chdir(path.c_str()) == 0 ? path : "";
}

void leave_temp_folder()
{
    if (temp_folder.empty() || chdir(saved_directory.c_str()) != 0) return;
    std::error_code ignored;
    std::filesystem::remove_all(temp_folder, ignored);
    temp_folder.clear();
}

bool write_file(const char* name, const std::vector<unsigned char>& bytes)
{
    std::ofstream file(name, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}
