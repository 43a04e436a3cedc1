// A fresh temporary folder made the current directory, and files written in it.
#pragma once

#include <string>
#include <vector>

// Makes a folder under the system's temporary directory and enters it; its
// path, or empty on failure.
std::string enter_temp_folder();
// Goes back to the previous directory and removes the folder with its files.
void leave_temp_folder();

bool write_file(const char* name, const std::vector<unsigned char>& bytes);
