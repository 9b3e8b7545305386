// Conversion between Windows-1251 bytes and UTF-8 text.
#include <cstdio>
#include <stdexcept>

#include "inifile/codepage1251_p.h"
#include "model/model.h"

namespace {

constexpr char Replacement[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {  // Windows-1251 holds nothing past U+FFFF
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string Cp1251ToUtf8WithReplacementChar(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char byte : bytes) {
    const char32_t cp = CodePointOf1251(static_cast<unsigned char>(byte));
    // Only 0x98 is undefined: it is shown as a replacement mark.
    if (cp == NoCodePoint)
      out += Replacement;
    else
      AppendUtf8(out, cp);
  }
  return out;
}

std::string Utf8ToCp1251(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::string_view rest = utf8;
  while (!rest.empty()) {
    const auto [cp, length] = DecodeUtf8(rest);
    const int byte = length == 0 ? -1 : ByteOf1251(cp);
    if (byte >= 0) {
      out += static_cast<char>(byte);
      rest.remove_prefix(length);
      continue;
    }
    char message[160];
    if (length == 0) {
      std::snprintf(message, sizeof message,
                    "Текст не в кодировке UTF-8: недопустимый байт 0x%02X в позиции %zu",
                    static_cast<unsigned>(static_cast<unsigned char>(rest.front())),
                    utf8.size() - rest.size() + 1);
    } else {
      std::snprintf(message, sizeof message,
                    "Символ «%.*s» (U+%04X) нельзя записать в кодировке Windows-1251",
                    static_cast<int>(length), rest.data(), static_cast<unsigned>(cp));
    }
    throw std::runtime_error(message);
  }
  return out;
}

bool Cp1251CanHold(char32_t codePoint) { return ByteOf1251(codePoint) >= 0; }
