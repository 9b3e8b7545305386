// Whole-file reading and the in-place rewrite used by the INI document.
#pragma once

#include <string>
#include <string_view>

#include "inifile/inifile.h"

// Reads from the current position to the end; 0 or the errno of the failure.
int ReadRestOfFile(FileHandle handle, std::string& data);

// Replaces the file's whole content by data through the open file. The new
// length is reserved first; if that fails the file is left as it was. Then
// the data is written from offset 0, the file cut to its length and synced.
// 0 or the errno of the failure.
int RewriteFile(FileHandle handle, std::string_view data);
