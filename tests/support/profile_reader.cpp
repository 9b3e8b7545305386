#include "profile_reader.h"

#include <cstdio>

namespace profile {
namespace {

bool IsBlank(unsigned char c) {
  return c == 0x09 || c == 0x0B || c == 0x0C || c == 0x1A || c == 0x20;
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

// A NUL ends every text that the profile functions hand out.
std::string CutAtNul(std::string_view s) { return std::string(s.substr(0, s.find('\0'))); }

// The characters of the Windows-1251 bytes 0x80..0xBF (0x98 reads as U+0098 under Wine).
constexpr unsigned kUpperHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

// The Windows-1251 byte of a character that the code page holds, else 0.
char Cp1251Of(unsigned codePoint) {
  if (codePoint >= 0x410 && codePoint <= 0x44F)
    return static_cast<char>(0xC0 + (codePoint - 0x410));
  for (unsigned i = 0; i < 64; ++i) {
    if (kUpperHalf[i] == codePoint) return static_cast<char>(0x80 + i);
  }
  return 0;
}

// The code point of the valid two- or three-byte UTF-8 sequence at i, and its length; 0 when
// there is none. A four-byte sequence gives 0x10000 for every character beyond U+FFFF.
size_t DecodeSequence(std::string_view bytes, size_t i, unsigned& codePoint) {
  const auto lead = static_cast<unsigned char>(bytes[i]);
  const size_t length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
  if (length == 0 && (lead & 0xF8) == 0xF0 && i + 4 <= bytes.size()) {
    for (size_t k = 1; k < 4; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return 0;
    }
    codePoint = 0x10000;  // beyond the basic plane: two UTF-16 units, read as "??"
    return 4;
  }
  if (length == 0 || i + length > bytes.size()) return 0;
  codePoint = lead & (length == 2 ? 0x1Fu : 0x0Fu);
  for (size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(bytes[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    codePoint = codePoint << 6 | (next & 0x3Fu);
  }
  return length;
}

// What Wine reads for U+00C0 to U+017F when Windows-1251 lacks them: a letter with a mark
// as its base letter, the rest as '?' (measured under Wine with code page 1251).
constexpr std::string_view kLatinBestFit =
    "AAAAAA?CEEEEIIII?NOOOOO?OUUUUY??aaaaaa?ceeeeiiii"
    "?nooooo?ouuuuy?yAaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGg"
    "GgGgHhHhIiIiIiIiI???JjKk?LlLlLl??LlNnNnNn???OoOo"
    "Oo??RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZz?";

// UTF-8 as Windows-1251. ASCII and the characters that Windows-1251 holds are
// exact. Every other character marks the result approximate (a lookup of a
// name that holds one is not modelled): a Latin letter of U+00C0 to U+017F
// reads as Wine reads it, any other character as one '?' for each UTF-16 unit,
// and each byte outside a well-formed sequence as '?'.
std::string Utf8ToAnsi(std::string_view bytes, bool& approximate) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    unsigned codePoint = 0;
    const size_t length = DecodeSequence(bytes, i, codePoint);
    const char letter = length != 0 ? Cp1251Of(codePoint) : '\0';
    if (letter != '\0') {
      out += letter;
      i += length;
      continue;
    }
    approximate = true;
    if (length == 0) {
      out += '?';
      ++i;
    } else {
      const bool latin = codePoint >= 0xC0 && codePoint < 0xC0 + kLatinBestFit.size();
      out += latin ? kLatinBestFit[codePoint - 0xC0] : '?';
      if (codePoint >= 0x10000) out += '?';
      i += length;
    }
  }
  return out;
}

// UTF-16 text (big-endian or little-endian) as UTF-8, for Utf8ToAnsi. An unpaired
// surrogate becomes a byte that starts no UTF-8 sequence, so that it reads as '?'
// and marks the reading approximate; so does an odd last byte, which is dropped.
std::string Utf16ToUtf8(std::string_view bytes, bool big, bool& approximate) {
  const auto unitAt = [bytes, big](size_t i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    return big ? unsigned{first} << 8 | second : unsigned{second} << 8 | first;
  };
  const size_t units = bytes.size() / 2;
  if (bytes.size() % 2 != 0) approximate = true;
  std::string out;
  for (size_t i = 0; i < units; ++i) {
    unsigned cp = unitAt(i);
    const bool pair = cp >= 0xD800 && cp < 0xDC00 && i + 1 < units && unitAt(i + 1) >= 0xDC00 &&
                      unitAt(i + 1) < 0xE000;
    if (pair) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (unitAt(++i) - 0xDC00);
    } else if (cp >= 0xD800 && cp < 0xE000) {
      out += '\xFF';
      continue;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
      continue;
    }
    const int tail = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
    constexpr unsigned kLead[] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLead[tail] | (cp >> (6 * tail)));
    for (int k = tail - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((cp >> (6 * k)) & 0x3F));
  }
  return out;
}

struct LineParser {
  std::vector<Section>& Sections;
  bool PreviousKeyEmpty = false;
  bool HavePrevious = false;

  void Header(std::string_view name) {
    Sections.push_back(Section{CutAtNul(Trim(name)), {}});
    HavePrevious = false;
  }

  void Line(std::string_view line) {
    if (line.front() == '[') {
      const size_t close = line.rfind(']');
      if (close != std::string_view::npos && close > 0) {
        Header(line.substr(1, close - 1));
        return;
      }
    }
    Entry entry;
    size_t keyLength = line.size();
    const size_t eq = line.find('=');
    if (eq != std::string_view::npos) {
      const std::string_view key = TrimRight(line.substr(0, eq));
      keyLength = key.size();
      entry.Key = CutAtNul(key);
      entry.Value = CutAtNul(TrimLeft(line.substr(eq + 1)));
      entry.HasValue = true;
    } else {
      entry.Key = CutAtNul(line);
    }
    // A second line with an empty key directly after one is dropped.
    if (keyLength == 0 && HavePrevious && PreviousKeyEmpty) return;
    PreviousKeyEmpty = entry.Key.empty();
    HavePrevious = true;
    Sections.back().Entries.push_back(std::move(entry));
  }
};

unsigned char AsciiLower(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

}  // namespace

bool SameAsciiText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(static_cast<unsigned char>(a[i])) !=
        AsciiLower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::string UpperCp1251(std::string_view text) {
  std::string out(text);
  for (char& ch : out) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'a' && c <= 'z') || c >= 0xE0) ch = static_cast<char>(c - 32);
    if (c == 0xB8) ch = static_cast<char>(0xA8);
  }
  return out;
}

std::string Escape(std::string_view text) {
  std::string out;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c > 0x20 && c < 0x7F && c != '\\') {
      out += ch;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      out += hex;
    }
  }
  return out;
}

ProfileFile ProfileFile::Parse(std::string_view bytes) {
  ProfileFile file;
  file.Sections_.push_back(Section{});
  std::string decoded;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    file.Encoding_ = Encoding::Utf8;
    decoded = Utf8ToAnsi(bytes.substr(3), file.Approximate_);
    bytes = decoded;
  } else if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
    file.Encoding_ = Encoding::Utf16;
    decoded = Utf8ToAnsi(Utf16ToUtf8(bytes.substr(2), bytes[0] == '\xFE', file.Approximate_),
                         file.Approximate_);
    bytes = decoded;
  }
  LineParser parser{file.Sections_};
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = Trim(bytes.substr(pos, end - pos));
    pos = end + 1;
    if (!line.empty()) parser.Line(line);
  }
  return file;
}

// The functions take C strings: an argument ends at its first NUL.
std::string_view ArgumentName(std::string_view name) {
  return Trim(name.substr(0, name.find('\0')));
}

const Section* ProfileFile::Find(std::string_view section) const {
  section = ArgumentName(section);
  for (const Section& s : Sections_) {
    if (SameAsciiText(s.Name, section)) return &s;
  }
  return nullptr;
}

std::vector<std::string> ProfileFile::SectionNames() const {
  std::vector<std::string> names;
  for (const Section& s : Sections_) {
    if (!s.Name.empty()) names.push_back(s.Name);
  }
  return names;
}

std::vector<std::string> ProfileFile::SectionEntries(std::string_view section) const {
  std::vector<std::string> entries;
  const Section* s = Find(section);
  if (s == nullptr) return entries;
  for (const Entry& e : s->Entries) {
    if ((e.Key.empty() && !e.HasValue) || e.Comment()) continue;
    entries.push_back(e.HasValue ? e.Key + "=" + e.Value : e.Key);
  }
  return entries;
}

std::vector<std::string> ProfileFile::KeyNames(std::string_view section) const {
  std::vector<std::string> keys;
  const Section* s = Find(section);
  if (s == nullptr) return keys;
  for (const Entry& e : s->Entries) {
    if (e.HasValue && !e.Comment()) keys.push_back(e.Key);
  }
  // The list is handed out as NUL-separated names: a leading empty name ends it.
  if (!keys.empty() && keys.front().empty()) keys.clear();
  return keys;
}

std::optional<std::string> ProfileFile::Value(std::string_view section,
                                              std::string_view key) const {
  const Section* s = Find(section);
  if (s == nullptr) return std::nullopt;
  key = ArgumentName(key);
  for (const Entry& e : s->Entries) {
    if (!SameAsciiText(e.Key, key)) continue;
    if (!e.HasValue) return std::nullopt;
    const std::string& v = e.Value;
    if (v.size() >= 2 && (v.front() == '\'' || v.front() == '"') && v.back() == v.front())
      return v.substr(1, v.size() - 2);
    return v;
  }
  return std::nullopt;
}

std::vector<ReadSection> ProfileFile::ReadAll() const {
  std::vector<ReadSection> result;
  for (const Section& s : Sections_) {
    if (Find(s.Name) != &s) continue;  // a later section of a name already seen is never read
    ReadSection read{s.Name, {}};
    for (const Entry& e : s.Entries) {
      if (!e.HasValue || e.Comment()) continue;
      bool seen = false;
      for (const auto& kv : read.Values) seen = seen || SameAsciiText(kv.first, e.Key);
      if (seen) continue;
      // An earlier line without "=" of the same key makes the lookup give the default.
      if (auto value = Value(s.Name, e.Key)) read.Values.emplace_back(e.Key, std::move(*value));
    }
    if (!read.Values.empty()) result.push_back(std::move(read));
  }
  return result;
}

std::string ProfileFile::Dump() const {
  std::string out;
  const auto put = [&out](const char* tag, std::string_view text) {
    out += tag;
    out += ' ';
    out += Escape(text);
    out += '\n';
  };
  const auto section = [&](const std::string& name) {
    put(name.empty() ? "S0" : "S", name);
    for (const std::string& e : SectionEntries(name)) put("E", e);
    for (const std::string& k : KeyNames(name)) {
      put("K", k);
      put("V", Value(name, k).value_or("<default>"));
      put("U", Value(UpperCp1251(name), UpperCp1251(k)).value_or("<default>"));
      put("P", Value(" " + name + "\t", " " + k + "\t").value_or("<default>"));
    }
  };
  section("");
  for (const std::string& name : SectionNames()) section(name);
  return out;
}

}  // namespace profile
