#include "inifile/codepage1251_p.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// Bytes 0x80 to 0xBF; from 0xC0 on the bytes are U+0410 to U+044F in order.
constexpr std::array<char16_t, 64> UpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};
constexpr unsigned char Undefined = 0x98;
constexpr char32_t FirstLetter = 0x0410;  // byte 0xC0

struct TReverse {
  char16_t CodePoint;
  unsigned char Byte;
};

// The bytes 0x80 to 0xBF by code point, for a binary search.
const std::array<TReverse, 63>& ReverseTable() {
  static const std::array<TReverse, 63> table = [] {
    std::array<TReverse, 63> result{};
    size_t n = 0;
    for (size_t i = 0; i < UpperHalf.size(); ++i) {
      if (0x80 + i == Undefined) continue;
      result[n++] = {UpperHalf[i], static_cast<unsigned char>(0x80 + i)};
    }
    std::sort(result.begin(), result.end(),
              [](const TReverse& a, const TReverse& b) { return a.CodePoint < b.CodePoint; });
    return result;
  }();
  return table;
}

}  // namespace

char32_t CodePointOf1251(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte == Undefined) return NoCodePoint;
  if (byte >= 0xC0) return FirstLetter + (byte - 0xC0);
  return UpperHalf[byte - 0x80];
}

int ByteOf1251(char32_t codePoint) {
  if (codePoint < 0x80) return static_cast<int>(codePoint);
  if (codePoint >= FirstLetter && codePoint < FirstLetter + 64)
    return static_cast<int>(0xC0 + (codePoint - FirstLetter));
  if (codePoint > 0xFFFF) return -1;
  const auto& table = ReverseTable();
  const auto found =
      std::lower_bound(table.begin(), table.end(), codePoint,
                       [](const TReverse& entry, char32_t cp) { return entry.CodePoint < cp; });
  return found != table.end() && found->CodePoint == codePoint ? found->Byte : -1;
}

std::pair<char32_t, size_t> DecodeUtf8(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  size_t length;
  char32_t cp;
  if (lead < 0x80) return {lead, 1};
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07u;
  } else {
    return {0, 0};
  }
  if (text.size() < length) return {0, 0};
  for (size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if ((b & 0xC0u) != 0x80u) return {0, 0};
    cp = (cp << 6) | (b & 0x3Fu);
  }
  if ((length == 3 && cp < 0x800) || (length == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
      (cp >= 0xD800 && cp <= 0xDFFF)) {
    return {0, 0};
  }
  return {cp, length};
}
