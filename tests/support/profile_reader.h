// A model of how a Windows program reads an INI file through the profile
// functions (GetPrivateProfileStringA, GetPrivateProfileSectionNamesA,
// GetPrivateProfileSectionA), as measured under Wine 8 with the ANSI code page
// 1251. Tests use it as the reference for what the setup program gets from a
// file that the editor wrote.
//
// What the real functions do, and this model too:
// - Every CR and every LF ends a line; empty lines are skipped.
// - Each line is trimmed at both ends of the bytes 0x09, 0x0B, 0x0C, 0x1A, 0x20.
// - A UTF-8 byte-order mark is skipped and the rest is read as UTF-8, returned
//   in Windows-1251 (U+0098 as the byte 0x98, which Windows-1251 leaves free). A file starting with
//   FF FE or FE FF is read as UTF-16 (little- or big-endian) and returned as UTF-8 text is.
// - A line starting with "[" that holds a "]" is a header; the name is the text
//   up to the last "]", trimmed. Lines before the first header belong to the
//   section with the empty name.
// - Key and value are split at the first "=" and trimmed; a line without "="
//   is an entry without value. A key starting with ";" is a comment.
// - Names compare ignoring ASCII letter case only. Of several sections with one
//   name only the first is ever read; of several keys the first wins.
// - A lookup removes one layer of matching quotes (' or ") around a value.
// - A NUL byte cuts the key or value that holds it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace profile {

enum class Encoding { Ansi, Utf8, Utf16 };

struct Entry {
  std::string Key;
  std::string Value;  // as stored, quotes included
  bool HasValue = false;
  bool Comment() const { return !Key.empty() && Key[0] == ';'; }
};

struct Section {
  std::string Name;
  std::vector<Entry> Entries;
};

// The keys and values that lookups return, per readable section.
struct ReadSection {
  std::string Name;
  std::vector<std::pair<std::string, std::string>> Values;  // key, value; one per distinct key
};

class ProfileFile {
 public:
  // Parses the bytes of a whole file. Never fails.
  static ProfileFile Parse(std::string_view bytes);

  Encoding FileEncoding() const { return Encoding_; }
  // True when the file holds bytes whose reading this model does not know
  // exactly (text after a UTF-8 or UTF-16 byte-order mark that Windows-1251
  // cannot hold, or that is no valid UTF-8 or UTF-16); the results then are a guess. Latin letters
  // with marks in values read as Wine reads them (their base letter); lookups of names that hold
  // such letters are not modelled.
  bool Approximate() const { return Approximate_; }
  // Every section in file order, the one before the first header first.
  const std::vector<Section>& Sections() const { return Sections_; }

  // As GetPrivateProfileSectionNamesA: every non-empty name, duplicates included.
  std::vector<std::string> SectionNames() const;
  // As GetPrivateProfileSectionA: "key=value" (unquoted) or "key" for the
  // first section of that name; comments and empty lines left out.
  std::vector<std::string> SectionEntries(std::string_view section) const;
  // As GetPrivateProfileStringA(section, NULL): the keys with a value.
  std::vector<std::string> KeyNames(std::string_view section) const;
  // As GetPrivateProfileStringA(section, key): the value with one layer of
  // matching quotes removed, or nothing when the program gets the default.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  // What a program that reads every listed key gets: for each distinct
  // section name (first spelling) the distinct keys with their values.
  std::vector<ReadSection> ReadAll() const;
  // The text that the Windows dump program prints for this file (without its
  // "F" line): see tests/wine/profile_dump.c.
  std::string Dump() const;

 private:
  const Section* Find(std::string_view section) const;

  Encoding Encoding_ = Encoding::Ansi;
  bool Approximate_ = false;
  std::vector<Section> Sections_;
};

// ASCII-only letter case comparison, as the profile functions use.
bool SameAsciiText(std::string_view a, std::string_view b);
// Upper case of ASCII and Windows-1251 Cyrillic letters.
std::string UpperCp1251(std::string_view text);
// Bytes outside 0x21..0x7E and the backslash as \xHH.
std::string Escape(std::string_view text);

}  // namespace profile
