// Conversion between Windows-1251 bytes and UTF-8 text on the C library's iconv.
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

#include "model/model.h"

namespace {

class TConverter {
 public:
  TConverter(const char* to, const char* from) : Cd_(iconv_open(to, from)) {
    // iconv_open reports failure as the descriptor whose bits are all ones;
    // comparing its bits avoids making a pointer out of an integer.
    if (reinterpret_cast<std::uintptr_t>(Cd_) == UINTPTR_MAX) {
      throw std::runtime_error(std::string("Не удалось открыть преобразование ") + from + " -> " +
                               to);
    }
  }
  ~TConverter() { iconv_close(Cd_); }
  TConverter(const TConverter&) = delete;
  TConverter& operator=(const TConverter&) = delete;

  // Converts as much as possible; returns 0 on success or errno at the first failure.
  // in/inLeft are advanced past what was converted, the output is appended to out.
  int Convert(char*& in, size_t& inLeft, std::string& out) {
    char buffer[256];
    while (inLeft > 0) {
      char* outPtr = buffer;
      size_t outLeft = sizeof buffer;
      size_t rc = iconv(Cd_, &in, &inLeft, &outPtr, &outLeft);
      out.append(buffer, static_cast<size_t>(outPtr - buffer));
      if (rc == static_cast<size_t>(-1) && errno != E2BIG) return errno;
    }
    return 0;
  }

 private:
  iconv_t Cd_;
};

// Decodes one UTF-8 sequence at the start of text; returns the code point and its length,
// or length 0 when the bytes are not well-formed UTF-8.
std::pair<char32_t, size_t> DecodeUtf8(const char* text, size_t left) {
  const auto b0 = static_cast<unsigned char>(text[0]);
  size_t length;
  char32_t cp;
  if (b0 < 0x80) return {b0, 1};
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
    cp = b0 & 0x1Fu;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    cp = b0 & 0x0Fu;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    cp = b0 & 0x07u;
  } else
    return {0, 0};
  if (left < length) return {0, 0};
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

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// The code points of the 255 defined Windows-1251 bytes, sorted.
const std::array<char32_t, 255>& Cp1251CodePoints() {
  static const std::array<char32_t, 255> table = [] {
    std::array<char32_t, 255> result{};
    TConverter converter("UTF-32LE", "CP1251");
    size_t n = 0;
    for (int byte = 0; byte < 256; ++byte) {
      if (byte == 0x98) continue;
      char source = static_cast<char>(byte);
      char* in = &source;
      size_t inLeft = 1;
      std::string out;
      if (converter.Convert(in, inLeft, out) != 0 || out.size() != 4) {
        throw std::runtime_error("Кодировка Windows-1251 недоступна");
      }
      const auto* u = reinterpret_cast<const unsigned char*>(out.data());
      result[n++] = static_cast<char32_t>(u[0] | (u[1] << 8) | (u[2] << 16) | (u[3] << 24));
    }
    std::sort(result.begin(), result.end());
    return result;
  }();
  return table;
}

}  // namespace

std::string Cp1251ToUtf8(const std::string& bytes) {
  TConverter converter("UTF-8", "CP1251");
  std::string source = bytes;
  char* in = source.data();
  size_t inLeft = source.size();
  std::string out;
  out.reserve(bytes.size() * 2);
  while (converter.Convert(in, inLeft, out) != 0) {
    // Only 0x98 is undefined; any byte the converter refuses is shown as a replacement mark.
    out += kReplacement;
    ++in;
    --inLeft;
  }
  return out;
}

std::string Utf8ToCp1251(const std::string& utf8) {
  TConverter converter("CP1251", "UTF-8");
  std::string source = utf8;
  char* in = source.data();
  size_t inLeft = source.size();
  std::string out;
  out.reserve(utf8.size());
  if (converter.Convert(in, inLeft, out) == 0) return out;

  const auto [cp, length] = DecodeUtf8(in, inLeft);
  char message[160];
  if (length == 0) {
    std::snprintf(message, sizeof message,
                  "Текст не в кодировке UTF-8: недопустимый байт 0x%02X в позиции %zu",
                  static_cast<unsigned>(static_cast<unsigned char>(*in)),
                  static_cast<size_t>(in - source.data()) + 1);
    throw std::runtime_error(message);
  }
  std::snprintf(message, sizeof message,
                "Символ «%.*s» (U+%04X) нельзя записать в кодировке Windows-1251",
                static_cast<int>(length), in, static_cast<unsigned>(cp));
  throw std::runtime_error(message);
}

bool Cp1251CanHold(char32_t codePoint) {
  const auto& table = Cp1251CodePoints();
  return std::binary_search(table.begin(), table.end(), codePoint);
}
