// Reading and changing the keys and sections of an INI document.
#include <cstdint>
#include <unordered_set>
#include <utility>

#include "inifile/filelayout_p.h"
#include "inifile/inidocumentstate_p.h"
#include "inifile/inifile.h"
#include "inifile/lineforms_p.h"
#include "inifile/textparts_p.h"

namespace {

// The position where the digits of a hexadecimal number start ("$", "x" or
// "0x" at i), or i when the text at i is not one.
size_t HexDigitsStart(const std::string& text, size_t i) {
  if (text[i] == '$' || text[i] == 'x' || text[i] == 'X') return i + 1;
  if (text[i] == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X'))
    return i + 2;
  return i;
}

// At least one and at most eight significant hexadecimal digits from start to
// the end, taken as a 32-bit pattern.
bool ParseHexDigits(const std::string& text, size_t start, int32_t& result) {
  if (start == text.size()) return false;
  uint32_t value = 0;
  int significant = 0;
  for (size_t j = start; j < text.size(); ++j) {
    const int d = HexDigit(text[j]);
    if (d < 0) return false;
    if (value != 0 || d != 0) ++significant;
    if (significant > 8) return false;
    value = value << 4 | static_cast<uint32_t>(d);
  }
  result = static_cast<int32_t>(value);
  return true;
}

// Decimal digits from i to the end with an optional sign in front, within the
// signed 32-bit range.
bool ParseDecimal(const std::string& text, size_t i, int32_t& result) {
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  if (i == text.size()) return false;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{INT32_MAX} + 1) return false;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return false;
  result = static_cast<int32_t>(value);
  return true;
}

// Decimal with an optional sign within the signed 32-bit range, or "$", "x"
// or "0x" and at most eight significant hexadecimal digits taken as a 32-bit
// pattern. Leading blanks are skipped; nothing may follow.
bool ParseInteger(const std::string& text, int32_t& result) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i == text.size()) return false;
  const size_t digits = HexDigitsStart(text, i);
  if (digits != i) return ParseHexDigits(text, digits, result);
  return ParseDecimal(text, i, result);
}

// True when the stored line is key=value but for the letter case of the key.
bool SameEntry(const std::string& stored, const std::string& key, const std::string& value) {
  return stored.size() == key.size() + 1 + value.size() && stored[key.size()] == '=' &&
         SameText(stored.substr(0, key.size()), key) &&
         stored.compare(key.size() + 1, std::string::npos, value) == 0;
}

}  // namespace

int32_t TIniDocument::FindKey(const std::string& section, const std::string& key, bool create,
                              TStringList*& lines) {
  lines = nullptr;
  int32_t found = -1;
  const int32_t count = Sections_.Count();
  if (count > 0) {
    if (CurrentSection_ < 0 || CurrentSection_ >= count) CurrentSection_ = 0;
    // A search that finds nothing rests on the section before its start.
    const int32_t stop = CurrentSection_ == 0 ? count - 1 : CurrentSection_ - 1;
    found = Sections_.FindFrom(section, CurrentSection_);
    CurrentSection_ = found >= 0 ? found : stop;
  }
  if (found < 0) {
    if (create) {
      CurrentSection_ = Sections_.AddSection(section);
      lines = &Sections_.Lines(CurrentSection_);
    }
    return -1;
  }
  lines = &Sections_.Lines(found);
  return lines->IndexOfName(key);
}

std::string TIniDocument::ReadString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue) {
  TStringList* lines;
  const int32_t index = FindKey(section, key, false, lines);
  if (index < 0) return defaultValue;
  return ValuePart((*lines)[index]);
}

void TIniDocument::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) {
  if (key.empty()) {
    if (!section.empty() || !value.empty())
      EraseSection(section);
    else
      UpdateFile();
    return;
  }
  CheckWrite(section, key, value);
  TStringList* lines;
  const int32_t found = FindKey(section, key, true, lines);
  const int32_t index = LineToWrite(*lines, key, found);
  if (index < 0) {
    std::string line = key + "=" + value;
    State_->ForgetKeptLine(lines, line);
    lines->Add(std::move(line));
    if (State_->Layout) State_->Layout->Added(lines);
    Modified_ = true;
  } else if (!SameEntry((*lines)[index], key, value)) {
    // The old line goes before the new one is made: a long value is never held twice.
    State_->ForgetKeptLine(lines, (*lines)[index]);
    lines->PutEntry(index, key, value);
    State_->ForgetKeptLine(lines, (*lines)[index]);
    if (State_->Layout) State_->Layout->Replaced(lines, index);
    Modified_ = true;
  } else if (!State_->KeptLines.empty() && State_->KeptLines.erase({lines, (*lines)[index]}) != 0) {
    // The file's own form of the line reads differently from what was written.
    if (State_->Layout) State_->Layout->Replaced(lines, index);
    Modified_ = true;
  } else if (State_->Layout && State_->Layout->Rewritten(lines, index)) {
    // A line without "=" before it in the file hides it from the setup: saving drops that line.
    Modified_ = true;
  }
}

// The line that a write of the key replaces: the first one that the profile
// reader reads for the key, which may come before `found` (the document's
// own match, or -1).
int32_t TIniDocument::LineToWrite(const TStringList& lines, const std::string& key,
                                  int32_t found) const {
  if (State_->OtherNamedKeys.empty()) return found;
  const std::string folded = FoldedText(key);
  if (State_->OtherNamedKeys.count({&lines, folded}) == 0) return found;
  const int32_t end = found < 0 ? lines.Count() : found;
  for (int32_t i = 0; i < end; ++i) {
    if (FoldedText(ProfileKey(lines[i])) == folded) return i;
  }
  return found;
}

void TIniDocument::CheckWrite(const std::string& section, const std::string& key,
                              const std::string& value) const {
  if (key.empty()) return;  // erases or flushes: never refused
  State_->CheckLoaded(section);
  CheckWritable(section, key, value);
  if (State_->Layout && State_->Layout->Utf8()) CheckUtf8Writable(section, key, value);
  // An earlier section whose name holds a NUL and reads under this name hides it from the reader.
  if (State_->NulSections.empty()) return;
  const auto [first, last] = State_->NulSections.equal_range(FoldedText(section));
  if (first == last) return;
  const int32_t target = Sections_.FindFrom(section, 0);
  const int32_t end = target < 0 ? Sections_.Count() : target;
  for (auto hiding = first; hiding != last; ++hiding) {
    const int32_t at = Sections_.FindFrom(hiding->second, 0);
    if (at >= 0 && at < end) RefuseHiddenSection(section, Sections_[at]);
  }
}

void TIniDocument::TState::ForgetKeptLine(const TStringList* lines, const std::string& line) {
  if (!KeptLines.empty()) KeptLines.erase({lines, line});
}

int32_t TIniDocument::ReadInteger(const std::string& section, const std::string& key,
                                  int32_t defaultValue) {
  std::string text = ReadString(section, key, std::string());
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text.replace(0, 2, "$");
  int32_t value;
  return ParseInteger(text, value) ? value : defaultValue;
}

void TIniDocument::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

bool TIniDocument::ReadBool(const std::string& section, const std::string& key, bool defaultValue) {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniDocument::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniDocument::ReadSection(const std::string& section, TStringList& strings) {
  const int32_t index = Sections_.IndexOf(section);
  if (index < 0) return;
  const TStringList& lines = Sections_.Lines(index);
  for (int32_t i = 0; i < lines.Count(); ++i) {
    const std::string& line = lines[i];
    const size_t eq = line.find('=');
    strings.Add(eq == std::string::npos ? std::string() : line.substr(0, eq));
  }
}

void TIniDocument::ReadSections(TStringList& strings) {
  strings.Clear();
  for (int32_t i = 0; i < Sections_.Count(); ++i)
    strings.AddObject(Sections_[i], &Sections_.Lines(i));
}

void TIniDocument::ReadSectionValues(const std::string& section, TStringList& strings) {
  const int32_t index = Sections_.IndexOf(section);
  if (index < 0) return;
  const TStringList& lines = Sections_.Lines(index);
  for (int32_t i = 0; i < lines.Count(); ++i)
    SetNameValue(strings, NamePart(lines[i]), ValuePart(lines[i]));
}

void TIniDocument::TState::CheckLoaded(const std::string& section) const {
  if (Only.empty() || !Layout) return;
  for (const std::string& loaded : Only)
    if (SameText(loaded, section)) return;
  throw std::invalid_argument("The section " + section + " is not loaded by this document");
}

void TIniDocument::EraseSection(const std::string& section) {
  State_->CheckLoaded(section);
  const int32_t index = Sections_.IndexOf(section);
  if (index < 0) return;
  const TStringList* lines = &Sections_.Lines(index);
  if (State_->Layout) State_->Layout->Erased(lines, Sections_[index]);
  std::erase_if(State_->KeptLines, [lines](const auto& kept) { return kept.first.first == lines; });
  std::erase_if(State_->OtherNamedKeys,
                [lines](const auto& named) { return named.first == lines; });
  Sections_.Delete(index);
  Sections_.SetLastHit(0);
  Modified_ = true;
}

void TIniDocument::DeleteKey(const std::string& section, const std::string& key) {
  State_->CheckLoaded(section);
  TStringList* lines;
  const int32_t index = FindKey(section, key, true, lines);
  if (index < 0) return;
  State_->ForgetKeptLine(lines, (*lines)[index]);
  if (State_->Layout) State_->Layout->Deleted(lines, index);
  lines->Delete(index);
  Modified_ = true;
  // A later line of the key, uncovered, must not stay hidden from the setup.
  if (State_->Layout) {
    const int32_t uncovered = lines->IndexOfName(key);
    if (uncovered >= 0) State_->Layout->Rewritten(lines, uncovered);
  }
}

void TIniDocument::DeleteKeys(const std::string& section, const std::vector<std::string>& keys) {
  State_->CheckLoaded(section);
  const int32_t index = Sections_.IndexOf(section);
  if (index < 0 || keys.empty()) return;
  std::unordered_set<std::string> folded;
  for (const std::string& key : keys) folded.insert(FoldedText(key));
  const auto doomed = [&folded](const std::string& line) {
    const size_t eq = line.find('=');
    return eq != std::string::npos &&
           folded.count(FoldedText(std::string_view(line).substr(0, eq))) != 0;
  };
  TStringList& lines = Sections_.Lines(index);
  std::vector<int32_t> gone;
  int32_t position = 0;
  lines.ForEachText([&](const std::string& line) {
    if (doomed(line)) gone.push_back(position);
    ++position;
  });
  if (gone.empty()) return;
  if (State_->Layout) State_->Layout->DeletedAll(&lines, gone);
  lines.DeleteIf([&](const std::string& line) {
    if (!doomed(line)) return false;
    State_->ForgetKeptLine(&lines, line);
    return true;
  });
  Modified_ = true;
}
