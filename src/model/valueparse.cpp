// Reading back the value forms that Save writes.
#include "model/valueparse_p.h"

#include <cstddef>

#include "inifile/inifile.h"
#include "inifile/textparts_p.h"

namespace {

// A run of decimal digits with a value up to `limit`; false for anything else.
bool ParseSmallNumber(const std::string& text, int32_t limit, int32_t& value) {
  if (text.empty()) return false;
  int64_t result = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + (c - '0');
    if (result > limit) return false;
  }
  value = static_cast<int32_t>(result);
  return true;
}

std::string TrimBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Takes the last comma-separated field off `rest`; false when `rest` holds no comma.
bool TakeLastField(std::string& rest, std::string& field) {
  const size_t comma = rest.rfind(',');
  if (comma == std::string::npos) return false;
  field = rest.substr(comma + 1);
  rest.resize(comma);
  return true;
}

}  // namespace

std::string ParseBoolValue(const std::string& text, bool& value) {
  if (text != "0" && text != "1") return "не 0 и не 1";
  value = text == "1";
  return {};
}

std::string ParseColorValue(const std::string& text, TColor& color) {
  if (text.size() < 2 || text[0] != '$') return "не цвет";
  uint32_t result = 0;
  for (size_t i = 1; i < text.size(); ++i) {
    const int digit = HexDigit(text[i]);
    if (digit < 0) return "не цвет";
    result = result << 4 | static_cast<uint32_t>(digit);
    if (result > 0x00FFFFFFu) return "не цвет";
  }
  color = result;
  return {};
}

std::string ParseFontValue(const std::string& text, TFontDesc& font) {
  std::string rest = text;
  const bool bold = EndsWith(rest, ",B") || EndsWith(rest, ",BI");
  const bool italic = EndsWith(rest, "I");
  rest.resize(rest.size() - (bold ? 2 : 0) - (italic ? 1 : 0));

  std::string colorText;
  std::string sizeText;
  if (!TakeLastField(rest, colorText) || !TakeLastField(rest, sizeText)) {
    return "не шрифт (нужны имя, размер и «$цвет» через запятую)";
  }
  if (rest.empty()) return "нет имени шрифта";
  TColor color = 0;
  if (!ParseColorValue(colorText, color).empty()) {
    return "цвет шрифта «" + ShownText(colorText) + "» не цвет";
  }
  int32_t size = 0;
  if (!ParseSmallNumber(sizeText, kMaxFontSize, size) || size == 0) {
    return "размер шрифта «" + ShownText(sizeText) + "» не число от 1 до " +
           std::to_string(kMaxFontSize);
  }
  font = TFontDesc{rest, size, color, bold, italic, false, false};
  return {};
}

std::string ParseDialogPosition(const std::string& text, TDialogPosition& position) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos) return "не положение (нужны два индекса через запятую)";
  int32_t horizontal = 0;
  int32_t vertical = 0;
  constexpr int32_t kLargeEnough = 1000000;
  if (!ParseSmallNumber(TrimBlanks(text.substr(0, comma)), kLargeEnough, horizontal) ||
      !ParseSmallNumber(TrimBlanks(text.substr(comma + 1)), kLargeEnough, vertical)) {
    return "не положение (нужны два индекса через запятую)";
  }
  if (horizontal > 2 || vertical > 2) return "индекс положения вне диапазона от 0 до 2";
  position = TDialogPosition{horizontal, vertical};
  return {};
}

bool HoldsControlByte(const std::string& text) {
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32 || code == 127) return true;
  }
  return false;
}

bool IsStorableVariableName(const std::string& name) {
  if (name.empty() || name.find('=') != std::string::npos || HoldsControlByte(name)) return false;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  if (blank(name.front()) || blank(name.back())) return false;
  return name.front() != ';' && name.front() != '[';
}

std::string ShownText(const std::string& text) {
  constexpr size_t kLongest = 80;
  const std::string head = text.size() > kLongest ? text.substr(0, kLongest) : text;
  std::string shown;
  for (const char c : head) {
    const auto code = static_cast<unsigned char>(c);
    // 0x98, undefined in Windows-1251, becomes U+FFFD when converted.
    shown += code < 32 || code == 127 ? '\x98' : c;
  }
  if (text.size() > kLongest) shown += '\x85';  // "…"
  return Cp1251ToUtf8WithReplacementChar(shown);
}
