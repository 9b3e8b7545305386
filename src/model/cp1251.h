// Text conversion between Windows-1251 and UTF-8.
#pragma once

#include <string>

// Decoding never fails: the byte 0x98, which Windows-1251 leaves undefined, becomes
// U+FFFD, the replacement character (the engine's conversion for writing UTF-8 files,
// Windows1251ToUtf8WithQuestionMark, gives "?").
std::string Cp1251ToUtf8WithReplacementChar(const std::string& bytes);
// The same, by the name that the user interface uses for every text it shows.
inline std::string Cp1251ToUtf8(const std::string& bytes) {
  return Cp1251ToUtf8WithReplacementChar(bytes);
}
// Encoding raises std::runtime_error naming the first character that Windows-1251 cannot hold.
std::string Utf8ToCp1251(const std::string& utf8);
// True when Windows-1251 holds the Unicode code point.
bool Cp1251CanHold(char32_t codePoint);
