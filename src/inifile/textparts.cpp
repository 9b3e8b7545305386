#include "inifile/inifile.h"
#include "inifile/lineforms_p.h"
#include "inifile/textparts_p.h"

std::string RemoveChar(const std::string& text, char c) {
  std::string result;
  result.reserve(text.size());
  for (char x : text)
    if (x != c) result.push_back(x);
  return result;
}

std::string TextBefore(const std::string& text, char c) {
  const size_t at = text.find(c);
  return at == std::string::npos ? text : text.substr(0, at);
}

std::string TextAfter(const std::string& text, char c) {
  const size_t at = text.find(c);
  return at == std::string::npos ? std::string() : text.substr(at + 1);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string NamePart(const std::string& line) { return TextBefore(line, '='); }

std::string ValuePart(const std::string& line) { return TextAfter(line, '='); }

void SetNameValue(TStringList& list, const std::string& name, const std::string& value) {
  const std::string line = name + "=" + value;
  const int32_t index = list.IndexOfName(name);
  if (index >= 0)
    list.Put(index, line);
  else
    list.Add(line);
}

// ---------------------------------------------------------------------------
// How lines read and are written back

namespace {

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }
bool IsControl(char c) { return static_cast<unsigned char>(c) < 32 || c == '\x7F'; }
bool HoldsLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }

// The text for a message, control bytes shown as \xHH.
std::string Shown(std::string_view text) {
  static const char digits[] = "0123456789ABCDEF";
  std::string shown = "\"";
  for (const char c : text) {
    if (IsControl(c)) {
      const auto code = static_cast<unsigned char>(c);
      shown.append("\\x").append(1, digits[code >> 4]).append(1, digits[code & 15]);
    } else {
      shown.push_back(c);
    }
  }
  return shown + "\"";
}

// Why a key cannot be written faithfully, or null.
const char* KeyFault(std::string_view key) {
  if (HoldsLineBreak(key)) return "a line break would split the line";
  if (key.find('=') != key.npos) return "an \"=\" would end the key early";
  if (IsBlankOrTab(key.front()) || IsBlankOrTab(key.back()))
    return "a blank or tab at either end would be trimmed";
  if (key.front() == ';') return "it would read back as a comment";
  if (key.front() == '[') return "it would read back as a section header";
  for (const char c : key)
    if (IsControl(c)) return "a control byte would not read back alike";
  return nullptr;
}

}  // namespace

std::string_view TrimProfileSpace(std::string_view text) {
  while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool ParseHeader(std::string_view line, std::string_view& name) {
  const std::string_view trimmed = TrimProfileSpace(line);
  if (trimmed.empty() || trimmed.front() != '[') return false;
  const size_t close = trimmed.rfind(']');
  if (close == 0 || close == trimmed.npos) return false;
  name = TrimProfileSpace(trimmed.substr(1, close - 1));
  return true;
}

std::string_view ProfileValue(std::string_view line) {
  line = TrimProfileSpace(line);
  const size_t eq = line.find('=');
  if (eq == line.npos) return {};
  std::string_view value = TrimProfileSpace(line.substr(eq + 1));
  if (value.size() >= 2 && value.front() == value.back() &&
      (value.front() == '"' || value.front() == '\''))
    value = value.substr(1, value.size() - 2);
  return value.substr(0, value.find('\0'));
}

std::string_view ProfileKey(std::string_view line) {
  const std::string_view key = TrimProfileSpace(line.substr(0, line.find('=')));
  if (!key.empty() && key.front() == ';') return {};
  return key.substr(0, key.find('\0'));
}

bool ReadUnderOtherName(std::string_view line) {
  const std::string_view name = line.substr(0, line.find('='));
  if (name.empty()) return false;
  const bool other = name.size() == line.size() || IsProfileSpace(name.front()) ||
                     IsProfileSpace(name.back()) || name.find('\0') != name.npos;
  return other && !ProfileKey(line).empty();
}

bool ReadsDifferently(std::string_view loaded, std::string_view stored) {
  const size_t eq = stored.find('=');
  return eq != stored.npos && ProfileValue(loaded) != stored.substr(eq + 1);
}

bool MayReadDifferently(std::string_view loaded) {
  const size_t eq = loaded.find('=');
  if (eq == loaded.npos) return false;
  std::string_view key = loaded.substr(0, eq), value = loaded.substr(eq + 1);
  while (!key.empty() && IsBlankOrTab(key.back())) key.remove_suffix(1);
  if (!key.empty())
    while (!value.empty() && IsBlankOrTab(value.front())) value.remove_prefix(1);
  return MayReadDifferently(key, value, loaded.back(),
                            std::memchr(loaded.data(), '\0', loaded.size()) != nullptr);
}

bool ValueNeedsQuotes(std::string_view value) {
  if (value.empty()) return false;
  if (IsProfileSpace(value.front()) || static_cast<unsigned char>(value.back()) <= 32) return true;
  return value.size() >= 2 && value.front() == value.back() &&
         (value.front() == '"' || value.front() == '\'');
}

void AppendFileLine(std::string& text, std::string_view line, bool quote) {
  AppendFileLine(text, line, quote, "\r\n");
}

void AppendFileLine(std::string& text, std::string_view line, bool quote, std::string_view end) {
  PutFileLine([&text](std::string_view part) { text.append(part); }, line, quote, end);
}

void PutFileLine(const std::function<void(std::string_view)>& put, std::string_view line,
                 bool quote, std::string_view end) {
  const size_t eq = quote ? line.find('=') : line.npos;
  if (eq != 0 && eq != line.npos && ValueNeedsQuotes(line.substr(eq + 1))) {
    put(line.substr(0, eq + 1));
    put("\"");
    put(line.substr(eq + 1));
    put("\"");
  } else {
    put(line);
  }
  put(end);
}

void CheckUtf8Writable(const std::string& section, const std::string& key,
                       const std::string& value) {
  for (const std::string* text : {&section, &key, &value}) {
    if (text->find('\x98') != std::string::npos)
      throw EInOutError("Cannot store " + Shown(*text) +
                        " in a UTF-8 or UTF-16 file: the byte 0x98 has no character");
  }
}

void CheckWritable(const std::string& section, const std::string& key, const std::string& value) {
  if (HoldsLineBreak(section))
    throw EInOutError("Cannot store section " + Shown(section) + ": a line break would split it");
  if (!section.empty() && (IsProfileSpace(section.front()) || IsProfileSpace(section.back())))
    throw EInOutError("Cannot store section " + Shown(section) +
                      ": white space at either end would be trimmed");
  if (section.find('\0') != section.npos)
    throw EInOutError("Cannot store section " + Shown(section) + ": a NUL byte would cut it");
  if (const char* fault = KeyFault(key))
    throw EInOutError("Cannot store key " + Shown(key) + " in section " + Shown(section) + ": " +
                      fault);
  const char* valueFault = HoldsLineBreak(value)            ? "a line break would split the line"
                           : value.find('\0') != value.npos ? "a NUL byte would cut it"
                                                            : nullptr;
  if (valueFault)
    throw EInOutError("Cannot store the value " + Shown(value) + " of key " + Shown(key) +
                      " in section " + Shown(section) + ": " + valueFault);
}

void RefuseHiddenSection(const std::string& section, const std::string& hiding) {
  throw EInOutError("Cannot store section " + Shown(section) + ": the earlier section " +
                    Shown(hiding) + " reads under the same name");
}
