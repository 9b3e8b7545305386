#include "inifile/utf16text.h"

#include "inifile/utf8text_p.h"

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

bool IsHigh(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

void AppendUnit(std::string& out, char32_t unit, bool big) {
  const auto high = static_cast<char>(unit >> 8);
  const auto low = static_cast<char>(unit & 0xFF);
  out.push_back(big ? high : low);
  out.push_back(big ? low : high);
}

// The code at the start of the UTF-8 text (surrogate codes too) and its length,
// which is 1 with U+FFFD for a byte that starts no sequence.
std::pair<char32_t, size_t> NextCode(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return {lead, 1};
  size_t length = 0;
  if (lead >= 0xC0 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4;
  if (length == 0 || length > text.size()) return {0xFFFD, 1};
  char32_t cp = lead & (0x7Fu >> length);
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return {0xFFFD, 1};
    cp = cp << 6 | (next & 0x3Fu);
  }
  return {cp, length};
}

}  // namespace

TUtf16Form::TOrder Utf16OrderOf(std::string_view data) {
  if (data.starts_with("\xFF\xFE")) return TUtf16Form::TOrder::Little;
  if (data.starts_with("\xFE\xFF")) return TUtf16Form::TOrder::Big;
  return TUtf16Form::TOrder::None;
}

std::string Utf16FileToUtf8(std::string_view bytes, TUtf16Form& form) {
  form.Order = Utf16OrderOf(bytes);
  const bool big = form.Order == TUtf16Form::TOrder::Big;
  const std::string_view body = bytes.substr(form.Order == TUtf16Form::TOrder::None ? 0 : 2);
  const size_t units = body.size() / 2;
  form.Tail = std::string(body.substr(units * 2));
  const auto unitAt = [body, big](size_t i) {
    const auto first = static_cast<unsigned char>(body[2 * i]);
    const auto second = static_cast<unsigned char>(body[2 * i + 1]);
    return static_cast<char32_t>(big ? first << 8 | second : second << 8 | first);
  };
  std::string out(Utf8Mark);
  out.reserve(Utf8Mark.size() + body.size() * 3 / 2);
  for (size_t i = 0; i < units; ++i) {
    const char32_t unit = unitAt(i);
    if (IsHigh(unit) && i + 1 < units && IsLow(unitAt(i + 1))) {
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00));
      ++i;
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

std::string Utf8FileToUtf16(std::string_view utf8, const TUtf16Form& form) {
  const bool big = form.Order == TUtf16Form::TOrder::Big;
  if (utf8.starts_with(Utf8Mark)) utf8.remove_prefix(Utf8Mark.size());
  std::string out;
  out.reserve(2 + utf8.size() * 2 + form.Tail.size());
  if (form.Order != TUtf16Form::TOrder::None) AppendUnit(out, 0xFEFF, big);
  while (!utf8.empty()) {
    const auto [cp, length] = NextCode(utf8);
    utf8.remove_prefix(length);
    if (cp >= 0x10000) {
      AppendUnit(out, 0xD800 + ((cp - 0x10000) >> 10), big);
      AppendUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF), big);
    } else {
      AppendUnit(out, cp, big);
    }
  }
  out.append(form.Tail);
  return out;
}

std::string_view FileTextIn1251(std::string_view bytes, std::string& converted) {
  if (Utf16OrderOf(bytes) != TUtf16Form::TOrder::None) {
    TUtf16Form form;
    converted = Utf8ToWindows1251(std::string_view(Utf16FileToUtf8(bytes, form)).substr(3));
    return converted;
  }
  if (!bytes.starts_with(Utf8Mark)) return bytes;
  converted = Utf8ToWindows1251(bytes.substr(Utf8Mark.size()));
  return converted;
}
