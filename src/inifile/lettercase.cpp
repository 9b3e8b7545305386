#include "inifile/inifile.h"

#include <array>

namespace {

// Lower-case partner of every Windows-1251 letter that has one.
constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i);
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<unsigned char>(c + 32);
  for (int c = 0xC0; c <= 0xDF; ++c) table[c] = static_cast<unsigned char>(c + 32);
  constexpr unsigned char pairs[][2] = {
      {0xA8, 0xB8}, {0xA5, 0xB4}, {0xAA, 0xBA}, {0xB2, 0xB3}, {0xAF, 0xBF},
      {0xA1, 0xA2}, {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C},
      {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA3, 0xBC}, {0xBD, 0xBE},
  };
  for (const auto& p : pairs) table[p[0]] = p[1];
  return table;
}

constexpr std::array<unsigned char, 256> FoldTable = MakeFoldTable();

}  // namespace

unsigned char FoldCase(unsigned char c) { return FoldTable[c]; }

int CompareText(const std::string& a, const std::string& b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const int x = FoldTable[static_cast<unsigned char>(a[i])];
    const int y = FoldTable[static_cast<unsigned char>(b[i])];
    if (x != y) return x - y;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameText(const std::string& a, const std::string& b) { return SameFolded(a, b); }

bool SameFolded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  // Generated keys tend to differ near their end, so compare from the back.
  for (size_t i = a.size(); i-- > 0;) {
    if (FoldTable[static_cast<unsigned char>(a[i])] != FoldTable[static_cast<unsigned char>(b[i])])
      return false;
  }
  return true;
}

std::string FoldedText(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = static_cast<char>(FoldTable[static_cast<unsigned char>(c)]);
  return folded;
}
