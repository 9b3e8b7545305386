// How loading reads one line of a file: the lines it ignores, the lines that
// may be section headers, and the key and value it stores for an entry line.
// Shared by the document's loader and by the scan that reads without keeping,
// so that both see a file alike.
#pragma once

#include <string>
#include <string_view>

struct TEntryOptions {
  bool SkipLinesWithoutEquals;
  bool TrimAroundEquals;
  bool Unquote;
  bool TrimTrailing;
};

// Every load option on, as the profile reader's files are read by default.
inline constexpr TEntryOptions EveryEntryOption{true, true, true, true};

// What NormaliseEntry finds out about a line besides the text it stores.
struct TEntryFacts {
  size_t KeySize = std::string_view::npos;  // of the stored line's key; npos without "="
  bool HasNul = false;                      // a NUL anywhere in the line
  bool Suspect = true;  // unless the line surely reads alike in the profile reader
};

// Lines that loading drops before looking at them: empty lines, a lone
// end-of-file byte (Ctrl+Z) and, when comments are stripped, comment lines.
bool IsIgnoredLine(std::string_view line, bool stripComments);

// False when the line surely is no section header: a cheap test before ParseHeader.
// The line must not be empty.
bool MayBeHeader(std::string_view line);

// The key and the value that loading stores, as key=value, for an entry line
// whose first "=" is at eq: the text before and after it, trimmed and
// unquoted as the options say. Views into the line. With facts (whose HasNul
// must be set), also sets facts->Suspect.
void SplitEntry(std::string_view line, size_t eq, const TEntryOptions& options,
                std::string_view& key, std::string_view& value, TEntryFacts* facts);

// The line that loading stores for an entry line, or false when it is
// dropped. facts.Suspect is cleared only by a cheap test made with
// TrimAroundEquals.
bool NormaliseEntry(std::string_view line, const TEntryOptions& options, std::string& stored,
                    TEntryFacts& facts);
