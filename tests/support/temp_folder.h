// A fresh temporary folder made the current directory for the length of a
// test, and small helpers to put files in it.
#pragma once

#include <string>
#include <vector>

// Makes a new folder under $TMPDIR (or /tmp), enters it and returns its path;
// empty on failure.
std::string enter_temp_folder();
// Returns to the directory current before enter_temp_folder and removes the
// folder with everything in it.
void leave_temp_folder();

bool write_file(const char* name, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> read_file(const char* name);
