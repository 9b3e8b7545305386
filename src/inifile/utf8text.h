// Files that start with a UTF-8 byte-order mark hold UTF-8 text; the setup
// program reads them converted to Windows-1251, so the document does too.
#pragma once

#include <string>
#include <string_view>

// The UTF-8 text converted to Windows-1251. A character that Windows-1251
// cannot hold, and every byte that is not part of a valid UTF-8 sequence,
// becomes "?", as the setup program reads it. Never fails.
std::string Utf8ToWindows1251(std::string_view utf8);
