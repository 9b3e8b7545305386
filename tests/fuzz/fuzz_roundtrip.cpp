// The round trip with random changes. Input: a two-byte length, that many
// bytes of file, then bytes that choose WriteString, DeleteKey and
// EraseSection calls (a write may give the value that the key holds already).
// The length's two top bits choose a form of the file: 1 or 2 turn its bytes,
// taken as Windows-1251 text, into a UTF-16 file, little- or big-endian.
// Properties:
// - a write that the engine refuses raises EInOutError and changes nothing;
//   an accepted write reads back at once;
// - the written text loads again as the same document;
// - every line of the input that no call touched is in the written text, byte
//   for byte with its line end, in the same order (in a UTF-16 file: in UTF-16,
//   which turns into UTF-8 and back unchanged);
// - the setup program reads every key that a call wrote as the document holds it;
// - every key that no call touched reads from the written text as it read
//   from the original input;
// - a key that a call deleted, and that no line of the document names any
//   more, reads as the default;
// - a document that loads only the sections that the calls name refuses the
//   same calls and writes the same text.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "byte_reader.h"
#include "inifile/inifile.h"
#include "inifile/lineforms_p.h"
#include "inifile/linesplitter_p.h"
#include "inifile/textparts_p.h"
#include "inifile/utf16text.h"
#include "inifile/utf8text_p.h"
#include "reading_checks.h"

namespace {

// A call made, refused or not.
struct Call {
  uint8_t Op;  // 0 WriteString, 1 DeleteKey, 2 EraseSection
  std::string Section, Key, Value;
  bool Refused;
};

struct Touched {
  std::string Section;
  std::string Key;  // empty: the whole section
  bool Written;     // by WriteString
};

std::string PickSection(TIniDocument& doc, ByteReader& in) {
  const uint8_t choice = in.Byte();
  const int32_t count = doc.Sections().Count();
  if ((choice & 1) != 0 && count > 0) return doc.Sections()[choice % count];
  return in.Text(8);
}

std::string PickKey(TIniDocument& doc, const std::string& section, ByteReader& in) {
  const uint8_t choice = in.Byte();
  TStringList keys;
  doc.ReadSection(section, keys);
  if ((choice & 1) != 0 && keys.Count() > 0) return keys[choice % keys.Count()];
  return in.Text(8);
}

// Makes the call; false when the engine refused it.
bool MakeCall(TIniDocument& doc, const Call& call) {
  try {
    if (call.Op == 0) doc.WriteString(call.Section, call.Key, call.Value);
    if (call.Op == 1) doc.DeleteKey(call.Section, call.Key);
    if (call.Op == 2) doc.EraseSection(call.Section);
  } catch (const EInOutError&) {
    return false;
  }
  return true;
}

void ApplyChange(TIniDocument& doc, ByteReader& in, std::vector<Touched>& touched,
                 std::vector<Call>& calls, std::string_view input) {
  const uint8_t choice = in.Byte();
  const uint8_t op = choice % 3;
  const std::string section = PickSection(doc, in);
  const std::string key = op == 2 ? std::string() : PickKey(doc, section, in);
  if (op != 2 && key.empty()) return;  // an empty key erases or flushes: EraseSection covers it
  // A write chosen by a byte from 0x80 to 0xBF gives the key the value it holds.
  std::string value;
  if (op == 0 && choice >= 0x80 && choice < 0xC0)
    value = doc.ReadString(section, key, std::string());
  else if (op == 0)
    value = in.Text(12);
  const std::string before = doc.Text();
  calls.push_back(Call{op, section, key, value, false});
  if (!MakeCall(doc, calls.back())) {
    calls.back().Refused = true;
    if (doc.Text() != before)
      FailOnProblems({"text changed"}, "a refused call changed the document", input);
    return;
  }
  touched.push_back(Touched{section, key, op == 0});
  if (op == 0 && doc.ReadString(section, key, value + "x") != value) {
    FailOnProblems({"[" + profile::Escape(section) + "] " + profile::Escape(key) + " wrote " +
                    profile::Escape(value) + ", reads " +
                    profile::Escape(doc.ReadString(section, key, "(default)"))},
                   "a written key does not read back", input);
  }
}

// The calls made again on a document of the input that loads only the
// sections they name: the same refusals, the same text.
void CheckChosenSections(const std::vector<Call>& calls, std::string_view input,
                         const std::string& text) {
  if (calls.empty()) return;
  std::vector<std::string> names;
  names.reserve(calls.size());
  for (const Call& call : calls) names.push_back(call.Section);
  TIniDocument chosen("", names);
  chosen.LoadText(input);
  for (const Call& call : calls) {
    if (MakeCall(chosen, call) == call.Refused) {
      FailOnProblems({"[" + profile::Escape(call.Section) + "] " + profile::Escape(call.Key) +
                      (call.Refused ? " refused by the whole document only"
                                    : " refused by the chosen sections only")},
                     "loading only some sections changes what is refused", input);
    }
  }
  if (chosen.Text() != text) {
    FailOnProblems({"whole: " + profile::Escape(text), "chosen: " + profile::Escape(chosen.Text())},
                   "loading only some sections changes the written text", input);
  }
}

// The sections and lines of the document, every line as stored.
std::string Normal(TIniDocument& doc) {
  TStringList lines;
  doc.WriteToStrings(lines);
  std::string text;
  lines.ForEachText([&text](const std::string& line) { text.append(line).append(1, '\n'); });
  return text;
}

bool IsTouched(const std::vector<Touched>& touched, const std::string& section,
               const std::string& key) {
  for (const Touched& t : touched) {
    const bool sameSection = SameText(t.Section, section) ||
                             profile::SameAsciiText(LookupName(t.Section), LookupName(section));
    const bool sameKey = t.Key.empty() || SameText(t.Key, key) ||
                         profile::SameAsciiText(LookupName(t.Key), LookupName(key));
    if (sameSection && sameKey) return true;
  }
  return false;
}

// True when the last call that reached the key wrote it: a later DeleteKey or
// EraseSection uncovers an older line of the file (a duplicate key), which keeps
// whatever the setup read from it before.
bool WasWritten(const std::vector<Touched>& touched, const std::string& section,
                const std::string& key) {
  bool written = false;
  for (const Touched& t : touched) {
    if (!SameText(t.Section, section)) continue;
    if (t.Key.empty() || SameText(t.Key, key)) written = t.Written;
  }
  return written;
}

// Two different keys of the document that the setup takes for one, or that
// Wine and Windows fold differently: which one the setup reads is not the
// document's to decide.
bool Ambiguous(const TStringList& names, int32_t index) {
  const std::string mine = ListedName(names[index]);
  if (mine.empty() || mine[0] == ';') return true;
  for (int32_t i = 0; i < names.Count(); ++i) {
    if (i == index) continue;
    const std::string other = ListedName(names[i]);
    if (SameText(names[i], names[index]) && i < index) return true;
    if (!SameText(names[i], names[index]) && SameText(other, mine)) return true;
  }
  return false;
}

std::vector<std::string> CheckSetupReadsWrites(TIniDocument& doc,
                                               const profile::ProfileFile& written,
                                               const std::vector<Touched>& touched) {
  std::vector<std::string> problems;
  TStringList sections;
  doc.ReadSections(sections);
  // In a file whose text the reader converted approximately, a "?" in a name may
  // stand for a letter that Windows converts to a look-alike (best fit) instead.
  const auto converted = [&written](const std::string& name) {
    return written.Approximate() && name.find('?') != std::string::npos;
  };
  for (int32_t s = 0; s < sections.Count(); ++s) {
    if (Ambiguous(sections, s) || converted(sections[s])) continue;
    TStringList keys;
    doc.ReadSection(sections[s], keys);
    for (int32_t k = 0; k < keys.Count(); ++k) {
      if (Ambiguous(keys, k) || converted(keys[k]) || !WasWritten(touched, sections[s], keys[k]))
        continue;
      const std::string held = doc.ReadString(sections[s], keys[k], "");
      const std::optional<std::string> read = written.Value(sections[s], keys[k]);
      if (read != held) {
        problems.push_back("[" + profile::Escape(sections[s]) + "] " + profile::Escape(keys[k]) +
                           ": the document holds \"" + profile::Escape(held) +
                           "\", the setup reads " +
                           (read ? "\"" + profile::Escape(*read) + "\"" : "the default"));
      }
    }
  }
  return problems;
}

// True when the setup may read the key's value from a line that the document
// holds: one whose name reads as the key, in a section whose name reads as
// the section's (names compared as looked up, with the engine's letter case).
bool HoldsReadKey(TIniDocument& doc, const std::string& section, const std::string& key) {
  const std::string sectionRead = LookupName(section), keyRead = LookupName(key);
  const TSectionList& sections = doc.Sections();
  for (int32_t s = 0; s < sections.Count(); ++s) {
    if (!SameText(LookupName(sections[s]), sectionRead)) continue;
    const TStringList& lines = sections.Lines(s);
    for (int32_t i = 0; i < lines.Count(); ++i) {
      if (SameText(LookupName(TextBefore(lines[i], '=')), keyRead)) return true;
    }
  }
  return false;
}

// Every key that a DeleteKey (not followed by a call that reached it) left
// without a line in the document reads as the default: no line of the file
// that the document does not hold (a line without "=", say) answers for it.
std::vector<std::string> CheckDeletedKeysGone(TIniDocument& doc,
                                              const profile::ProfileFile& written,
                                              const std::vector<Touched>& touched) {
  std::vector<std::string> problems;
  for (size_t i = 0; i < touched.size(); ++i) {
    const Touched& t = touched[i];
    if (t.Written || t.Key.empty() || LookupName(t.Section).empty()) continue;
    if (IsTouched({touched.begin() + static_cast<std::ptrdiff_t>(i) + 1, touched.end()}, t.Section,
                  t.Key) ||
        HoldsReadKey(doc, t.Section, t.Key) || CaseAmbiguousSection(written, t.Section))
      continue;
    if (const std::optional<std::string> read = written.Value(t.Section, t.Key)) {
      problems.push_back("[" + profile::Escape(t.Section) + "] " + profile::Escape(t.Key) +
                         " was deleted, the setup reads \"" + profile::Escape(*read) + "\"");
    }
  }
  return problems;
}

struct Line {
  std::string_view Text, End;
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  TLineSplitter splitter(text);
  Line line;
  while (splitter.Next(line.Text, line.End)) lines.push_back(line);
  return lines;
}

// True when a call may have changed or removed the line: an entry line whose
// key (as the document or the setup names it) a call wrote or deleted in a
// section of that name, or any line of a section of a name that a call erased.
bool MayBeTouched(std::string_view line, const std::string& section,
                  const std::vector<Touched>& touched) {
  const std::string docKey(TextBefore(std::string(line), '='));
  std::string_view trimmedKey = docKey;
  while (!trimmedKey.empty() && (trimmedKey.back() == ' ' || trimmedKey.back() == '\t'))
    trimmedKey.remove_suffix(1);
  const std::string keys[] = {std::string(trimmedKey), std::string(ProfileKey(line))};
  for (const Touched& t : touched) {
    if (!SameText(t.Section, section) &&
        !profile::SameAsciiText(LookupName(t.Section), LookupName(section)))
      continue;
    if (t.Key.empty()) return true;
    for (const std::string& key : keys) {
      if (SameText(t.Key, key) || profile::SameAsciiText(LookupName(t.Key), LookupName(key)))
        return true;
    }
  }
  return false;
}

// Where the line, with its own end, starts in the text at or after `from`: at
// the start of a line of the text. Bytes are compared rather than the text's
// own lines, since a line ended by CR before an empty line ended by LF reads
// back as one line ended by CR LF. A last line without an end may get one
// when lines follow it. npos when the text holds no such line.
size_t FindKeptLine(std::string_view text, const Line& line, size_t from) {
  for (size_t pos = text.find(line.Text, from); pos != text.npos;
       pos = text.find(line.Text, pos + 1)) {
    const bool lineStart = pos == 0 || text[pos - 1] == '\r' || text[pos - 1] == '\n';
    const std::string_view rest = text.substr(pos + line.Text.size());
    const bool ends = line.End.empty() ? rest.empty() || rest[0] == '\r' || rest[0] == '\n'
                                       : rest.starts_with(line.End);
    if (lineStart && ends) return pos;
  }
  return text.npos;
}

// Every input line that no call touched is in the written text, byte for
// byte and in order.
std::vector<std::string> CheckUntouchedLinesKept(std::string_view input, std::string_view text,
                                                 const std::vector<Touched>& touched) {
  const bool utf8 = input.starts_with("\xEF\xBB\xBF");
  if (utf8 != text.starts_with("\xEF\xBB\xBF")) return {"the byte-order mark changed"};
  if (utf8) {
    input.remove_prefix(3);
    text.remove_prefix(3);
  }
  size_t at = 0;  // where the text after the last kept line starts
  std::string section;
  bool inSection = false;  // lines before the first header belong to no section
  for (const Line& line : SplitLines(input)) {
    const std::string own = utf8 ? Utf8ToWindows1251(line.Text) : std::string(line.Text);
    std::string_view name;
    const bool header = ParseHeader(own, name);
    if (header) {
      section = name;
      inSection = true;
    }
    if (inSection &&
        MayBeTouched(header ? std::string_view() : std::string_view(own), section, touched))
      continue;
    const size_t found = FindKeptLine(text, line, at);
    if (found == text.npos)
      return {"the untouched line \"" + profile::Escape(line.Text) + "\" is gone or moved"};
    at = found + line.Text.size() + line.End.size();
  }
  return {};
}

std::vector<std::string> CheckUntouchedKept(const profile::ProfileFile& original,
                                            const profile::ProfileFile& written,
                                            const std::vector<Touched>& touched) {
  std::vector<MeantKey> owned;
  for (const profile::ReadSection& section : original.ReadAll()) {
    for (const auto& kv : section.Values) {
      if (IsTouched(touched, section.Name, kv.first)) owned.push_back({section.Name, kv.first, ""});
    }
  }
  return CheckOtherKeysKept(original, written, owned);
}

// The file bytes in the form that the length's top bits choose.
std::string FileForm(std::string_view bytes, size_t form) {
  if (form == 0 || form == 3) return std::string(bytes);
  const std::string utf8 =
      "\xEF\xBB\xBF" + Windows1251ToUtf8WithQuestionMark(bytes);  // 0x98 as "?"
  TUtf16Form utf16;
  utf16.Order = form == 1 ? TUtf16Form::TOrder::Little : TUtf16Form::TOrder::Big;
  return Utf8FileToUtf16(utf8, utf16);
}

// A UTF-16 file as the UTF-8 file that the engine keeps, after checking that
// it comes back from that unchanged; any other text as it is.
std::string LinesForm(std::string_view text, std::string_view input) {
  if (Utf16OrderOf(text) == TUtf16Form::TOrder::None) return std::string(text);
  TUtf16Form form;
  std::string utf8 = Utf16FileToUtf8(text, form);
  if (Utf8FileToUtf16(utf8, form) != text)
    FailOnProblems({profile::Escape(text)}, "a UTF-16 text does not come back from UTF-8", input);
  return utf8;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteReader in(std::string_view(reinterpret_cast<const char*>(data), size));
  const size_t word = in.Word();
  const std::string file = FileForm(in.Take(word & 0x3FFF), word >> 14);
  const std::string_view input = file;
  TIniDocument doc("", false);  // writable: it keeps the layout of what it loads
  doc.LoadText(input);
  std::vector<Touched> touched;
  std::vector<Call> calls;
  for (int n = 0; n < 16 && !in.AtEnd(); ++n) ApplyChange(doc, in, touched, calls, input);

  const std::string text = doc.Text();
  CheckChosenSections(calls, input, text);
  TIniDocument again("", false);
  again.LoadText(text);
  if (again.Text() != text || Normal(again) != Normal(doc)) {
    FailOnProblems({"written: " + profile::Escape(text), "again: " + profile::Escape(again.Text())},
                   "the written text does not load as the same document", input);
  }
  if (Utf16OrderOf(input) != Utf16OrderOf(text))
    FailOnProblems({"the UTF-16 byte-order mark changed"}, "the file changed its form", input);
  FailOnProblems(CheckUntouchedLinesKept(LinesForm(input, input), LinesForm(text, input), touched),
                 "a line that no call touched changed", input);
  const profile::ProfileFile original = profile::ProfileFile::Parse(input);
  const profile::ProfileFile written = profile::ProfileFile::Parse(text);
  FailOnProblems(CheckSetupReadsWrites(doc, written, touched),
                 "the setup reads the written text unlike the document", input);
  if (original.Approximate() || written.Approximate()) return 0;
  FailOnProblems(CheckDeletedKeysGone(doc, written, touched),
                 "the setup reads a key that a call deleted", input);
  FailOnProblems(CheckUntouchedKept(original, written, touched),
                 "an untouched key reads differently after the rewrite", input);
  return 0;
}
