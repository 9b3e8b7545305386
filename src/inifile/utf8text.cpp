#include "inifile/utf8text_p.h"

#include "inifile/codepage1251_p.h"

namespace {

// The length of the valid UTF-8 sequence at the start of text, or 0.
size_t ValidSequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4;
  if (length == 0 || length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
  return length;
}

}  // namespace

std::string Utf8ToWindows1251(std::string_view utf8) {
  std::string result;
  result.reserve(utf8.size());
  while (!utf8.empty()) {
    const auto [codePoint, length] = DecodeUtf8(utf8);
    const int byte = length == 0 ? -1 : ByteOf1251(codePoint);
    if (byte >= 0) {
      result.push_back(static_cast<char>(byte));
      utf8.remove_prefix(length);
      continue;
    }
    // An invalid byte, or a character that Windows-1251 lacks: one "?" for it.
    const size_t skipped = ValidSequenceLength(utf8);
    utf8.remove_prefix(skipped == 0 ? 1 : skipped);
    result.push_back('?');
  }
  return result;
}

std::string Windows1251ToUtf8WithQuestionMark(std::string_view text) {
  std::string result;
  result.reserve(text.size() * 2);
  for (const char c : text) {
    const char32_t codePoint = CodePointOf1251(static_cast<unsigned char>(c));
    if (codePoint == NoCodePoint) {
      result.push_back('?');
    } else if (codePoint < 0x80) {
      result.push_back(c);
    } else if (codePoint < 0x800) {
      result.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
      result.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
      result.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
      result.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
      result.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
  }
  return result;
}
