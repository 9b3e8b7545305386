// Turns fuzzer input into the choices that drive a target: small numbers and
// short texts, read from the front of the input. Past its end every read gives
// zero or empty, so any input is a valid program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : Data_(data) {}

  bool AtEnd() const { return Position_ >= Data_.size(); }
  uint8_t Byte() { return AtEnd() ? 0 : static_cast<uint8_t>(Data_[Position_++]); }
  // Two bytes, little-endian.
  size_t Word() {
    const size_t low = Byte();
    return low | (static_cast<size_t>(Byte()) << 8);
  }
  // A length byte (at most maxLength) followed by that many bytes.
  std::string Text(size_t maxLength) { return std::string(Take(Byte() % (maxLength + 1))); }
  std::string_view Take(size_t count) {
    const size_t left = AtEnd() ? 0 : Data_.size() - Position_;
    if (count > left) count = left;
    const std::string_view piece = Data_.substr(Position_, count);
    Position_ += count;
    return piece;
  }

 private:
  std::string_view Data_;
  size_t Position_ = 0;
};
