// Files that start with a UTF-8 byte-order mark hold UTF-8 text; the setup
// program reads them converted to Windows-1251, so the document does too.
#pragma once

#include <string>
#include <string_view>

// The UTF-8 text converted to Windows-1251. A character that Windows-1251
// cannot hold, and every byte that is not part of a valid UTF-8 sequence,
// becomes "?", as the setup program reads it. Never fails.
std::string Utf8ToWindows1251(std::string_view utf8);

// The Windows-1251 text as UTF-8, for writing into a file that holds UTF-8.
// The one byte that Windows-1251 leaves undefined (0x98) becomes "?" (the
// model's Cp1251ToUtf8WithReplacementChar, for showing texts, gives U+FFFD).
std::string Windows1251ToUtf8WithQuestionMark(std::string_view text);
