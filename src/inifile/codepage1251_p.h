// The Windows-1251 code page and UTF-8 sequences, on tables of their own, so
// that the conversions behave alike on every platform.
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>

// Marks the one byte that Windows-1251 leaves undefined (0x98).
inline constexpr char32_t NoCodePoint = 0xFFFFFFFFu;

// The Unicode code point of a Windows-1251 byte, or NoCodePoint for 0x98.
char32_t CodePointOf1251(unsigned char byte);
// The Windows-1251 byte of a code point, or -1 when the code page lacks it.
int ByteOf1251(char32_t codePoint);
// The code point and length of the well-formed UTF-8 sequence at the start of
// text; length 0 when the bytes there are not well-formed (overlong forms,
// surrogates, code points past U+10FFFF and cut sequences included). text
// must not be empty.
std::pair<char32_t, size_t> DecodeUtf8(std::string_view text);
