// Lengths written before the bytes they count, in as few bytes as they need:
// seven bits in each, the top bit set on every byte but the last.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline void PutLength(std::string& data, size_t length) {
  while (length >= 0x80) {
    data += static_cast<char>((length & 0x7F) | 0x80);
    length >>= 7;
  }
  data += static_cast<char>(length);
}

// The length at `at` in data, which then stands after it.
inline size_t TakeLength(std::string_view data, size_t& at) {
  size_t length = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(data[at++]);
    length |= static_cast<size_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) return length;
  }
}
