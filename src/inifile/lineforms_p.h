// The rules that decide how a line reads, shared by the loader, the writer and
// the checks before a write, so that every line written reads back as stored.
#pragma once

#include <cstring>
#include <functional>
#include <string>
#include <string_view>

// The bytes that the Windows profile reader trims from both ends of a line:
// tab, vertical tab, form feed, Ctrl-Z (26) and blank.
inline bool IsProfileSpace(char c) {
  return c == ' ' || c == '\t' || c == '\x0B' || c == '\x0C' || c == '\x1A';
}
std::string_view TrimProfileSpace(std::string_view text);

// True when the line is a section header as the Windows profile reader sees
// it: trimmed of profile white space, it starts with "[" and holds a "]". The
// name is the text between that "[" and the last "]", trimmed likewise; the
// rest of the line is ignored.
bool ParseHeader(std::string_view line, std::string_view& name);

// The value that the Windows profile reader reads from an entry line: the
// line trimmed of profile white space, the text after its first "=" trimmed
// likewise, one pair of matching quotes removed, cut at a NUL.
std::string_view ProfileValue(std::string_view line);

// True when the Windows profile reader reads the value of the loaded line
// differently from the value that loading stored for it (for example when
// loading trims control bytes at its end that the reader keeps): the line
// must be written back as it was for the reader to read it as before.
bool ReadsDifferently(std::string_view loaded, std::string_view stored);

// False when the loaded entry line surely reads alike in the profile reader
// and in a loader with every option on: a cheap test before ReadsDifferently.
bool MayReadDifferently(std::string_view loaded);
// The same test on the parts of the line that loading has already found: the
// key before its first "=" without blanks and tabs at its end, the value after
// that "=" without blanks and tabs at its start (when the key is not empty),
// the line's last byte, and whether the line holds a NUL.
inline bool MayReadDifferently(std::string_view key, std::string_view value, char lastByte,
                               bool lineHasNul) {
  // Either reader trims the end, only the profile reader trims the start of an empty key's
  // value or bytes other than blank and tab, and only the profile reader cuts at a NUL.
  if (static_cast<unsigned char>(lastByte) <= 32 || key.empty()) return true;
  if (!value.empty() && IsProfileSpace(value.front())) return true;
  return lineHasNul;
}

// The key under which the Windows profile reader finds a stored entry line:
// the text before its first "=" (the whole line without one), trimmed of
// profile white space and cut at a NUL; empty for a comment.
std::string_view ProfileKey(std::string_view line);

// True when the profile reader finds the stored entry line under a key other
// than the name that the document gives it (the text before its first "=";
// a line without "=" has none): the name has profile white space at either
// end or holds a NUL. Cheap enough for every loaded line.
bool ReadUnderOtherName(std::string_view line);

// True when loading key=value (with a non-empty key) or the Windows profile
// reader would not give the value back: it starts with profile white space,
// ends with a byte 0..32, or is enclosed in one pair of matching quotes.
bool ValueNeedsQuotes(std::string_view value);

// Appends the stored line as the file holds it, followed by CR LF. With
// `quote`, an entry with a non-empty key whose value would not read back is
// written with the value inside double quotes, which the loader (removing one
// pair of quotes) and the Windows profile reader both strip exactly once.
void AppendFileLine(std::string& text, std::string_view line, bool quote);
// The same with the given line end instead of CR LF.
void AppendFileLine(std::string& text, std::string_view line, bool quote, std::string_view end);
// The same handed to put in parts, none of them a copy of the line.
void PutFileLine(const std::function<void(std::string_view)>& put, std::string_view line,
                 bool quote, std::string_view end);

// Raises EInOutError, naming the text, when the section name, key or value
// cannot be written so that it reads back as given: a line break anywhere; a
// NUL in the value; a section name with white space at either end; a key with
// a blank or tab at either end, an "=", a leading ";" or "[" or a control byte.
// Values that only need quotes are not refused. The key must not be empty.
void CheckWritable(const std::string& section, const std::string& key, const std::string& value);

// Raises EInOutError naming the text when the section name, key or value
// holds the byte 0x98, which Windows-1251 leaves without a character: written
// into a UTF-8 or UTF-16 file it could not read back.
void CheckUtf8Writable(const std::string& section, const std::string& key,
                       const std::string& value);

// Raises EInOutError naming both: the section cannot be written so that the
// profile reader finds it, because the earlier section `hiding` (whose name
// holds a NUL) reads under the same name.
[[noreturn]] void RefuseHiddenSection(const std::string& section, const std::string& hiding);
