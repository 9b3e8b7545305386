// Construction, loading and release of an INI document.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <set>
#include <unordered_map>
#include <vector>

#include "inifile/inifile.h"
#include "inifile/lineforms.h"
#include "inifile/linesplitter.h"
#include "inifile/posixfile.h"
#include "inifile/utf8text.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsControlOrSpace(char c) { return static_cast<unsigned char>(c) <= 32; }

struct TEntryOptions {
  bool SkipLinesWithoutEquals;
  bool TrimAroundEquals;
  bool Unquote;
  bool TrimTrailing;
};

// The line that loading stores for an entry line, or false when it is dropped.
bool NormaliseEntry(std::string_view line, const TEntryOptions& options, std::string& stored) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) {
    if (options.TrimTrailing)
      while (!line.empty() && IsControlOrSpace(line.back())) line.remove_suffix(1);
    stored = line;
    return !options.SkipLinesWithoutEquals;
  }
  std::string_view key = line.substr(0, eq);
  std::string_view value = line.substr(eq + 1);
  if (options.TrimAroundEquals) {
    while (!key.empty() && IsBlank(key.back())) key.remove_suffix(1);
    if (!key.empty())
      while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
  }
  if (options.TrimTrailing)
    while (!value.empty() && IsControlOrSpace(value.back())) value.remove_suffix(1);
  if (options.Unquote && !key.empty() && value.size() >= 2 && value.front() == value.back() &&
      (value.front() == '"' || value.front() == '\''))
    value = value.substr(1, value.size() - 2);
  stored.reserve(key.size() + 1 + value.size());
  stored.append(key).append(1, '=').append(value);
  return true;
}

// A loaded line that must be written back as it was, until it changes.
struct TKept {
  const TStringList* Lines;
  int32_t Position;
  std::string Stored, Raw;
};

// A loaded line that the profile reader finds under another key than the document.
struct TOtherNamed {
  const TStringList* Lines;
  std::string FoldedKey;  // the reader's key
};

struct TLoadNotes {
  std::vector<TKept> Kept;
  std::vector<TOtherNamed> OtherNamed;
};

// Lines that loading drops before looking at them: empty lines, a lone
// end-of-file byte (Ctrl+Z) and, when comments are stripped, comment lines.
bool IsIgnoredLine(std::string_view line, bool stripComments) {
  if (line.empty()) return true;
  if (line.size() == 1 && line[0] == '\x1A') return true;
  return stripComments && line[0] == ';';
}

// Stores the entry lines of a section as loading normalises them, and notes
// the lines that must be written back as they were or that the profile reader
// finds under another key.
struct TEntryReader {
  TEntryOptions Options;

  void Add(std::string_view line, TStringList& lines, TLoadNotes& notes) const {
    std::string stored;
    if (!NormaliseEntry(line, Options, stored)) return;
    if ((!EveryOption() || MayReadDifferently(line)) && ReadsDifferently(line, stored))
      notes.Kept.push_back({&lines, lines.Count(), stored, std::string(line)});
    if (ReadUnderOtherName(stored))
      notes.OtherNamed.push_back({&lines, FoldedText(ProfileKey(stored))});
    lines.Add(std::move(stored));
  }

  bool EveryOption() const {
    return Options.TrimAroundEquals && Options.Unquote && Options.TrimTrailing;
  }
};

// Drops the kept lines that an earlier equal stored line of their list shadows: both readers
// read only the first of equal lines, and a kept form is written for every line of its text.
void DropShadowed(std::vector<TKept>& kept) {
  std::map<const TStringList*, std::unordered_map<std::string, int32_t>> firsts;
  for (const TKept& line : kept) firsts[line.Lines].emplace(line.Stored, -1);
  for (auto& [lines, texts] : firsts) {
    for (int32_t i = 0; i < lines->Count(); ++i) {
      const auto first = texts.find((*lines)[i]);
      if (first != texts.end() && first->second < 0) first->second = i;
    }
  }
  std::erase_if(kept, [&firsts](const TKept& line) {
    return firsts[line.Lines][line.Stored] != line.Position;
  });
}

// Remembers the noted lines of the sections that survived the removal of duplicates.
void KeepSurvivors(TLoadNotes& notes, const TSectionList& sections,
                   std::map<std::pair<const TStringList*, std::string>, std::string>& keptLines,
                   std::set<std::pair<const TStringList*, std::string>>& otherNamed) {
  if (notes.Kept.empty() && notes.OtherNamed.empty()) return;
  std::set<const TStringList*> surviving;
  for (int32_t i = 0; i < sections.Count(); ++i) surviving.insert(&sections.Lines(i));
  std::erase_if(notes.Kept,
                [&surviving](const TKept& line) { return surviving.count(line.Lines) == 0; });
  DropShadowed(notes.Kept);
  for (TKept& line : notes.Kept)
    keptLines.try_emplace({line.Lines, std::move(line.Stored)}, std::move(line.Raw));
  for (TOtherNamed& line : notes.OtherNamed) {
    if (surviving.count(line.Lines) != 0) otherNamed.emplace(line.Lines, std::move(line.FoldedKey));
  }
}

bool FileExists(const std::string& fileName) {
  struct stat info;
  return ::stat(fileName.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace

TIniDocument::TIniDocument(const std::string& fileName, bool readOnly)
    : TIniDocument(fileName, readOnly, true, true, true, true, true) {}

TIniDocument::TIniDocument(const std::string& fileName, bool readOnly, bool stripComments,
                           bool skipLinesWithoutEquals, bool trimAroundEquals, bool unquote,
                           bool trimTrailing)
    : ReadOnly_(readOnly),
      StripComments_(stripComments),
      SkipLinesWithoutEquals_(skipLinesWithoutEquals),
      TrimAroundEquals_(trimAroundEquals),
      Unquote_(unquote),
      TrimTrailing_(trimTrailing) {
  try {
    Reopen(fileName);
  } catch (...) {
    CloseFileHandle(Handle_);  // the destructor does not run for a failed constructor
    throw;
  }
}

TIniDocument::~TIniDocument() {
  try {
    WriteIfModified();
  } catch (const std::exception&) {
    // A destructor must not throw; callers that need the outcome call UpdateFile first.
  }
  CloseFileHandle(Handle_);
  ClearSections();
}

void TIniDocument::SetFileName(const std::string& fileName) {
  UpdateFile();
  Reopen(fileName);
}

void TIniDocument::Reopen(const std::string& fileName) {
  CloseFileHandle(Handle_);
  OpenError_ = 0;
  ClearSections();
  FileName_ = fileName;
  if (!fileName.empty()) Load(fileName);
  Modified_ = false;
}

void TIniDocument::ClearSections() {
  Sections_.Clear();
  KeptLines_.clear();
  OtherNamedKeys_.clear();
  NulSections_.clear();
}

void TIniDocument::Load(const std::string& fileName) {
  CurrentSection_ = 0;
  CloseFileHandle(Handle_);
  if (!FileExists(fileName)) return;
  Handle_ = ReadOnly_ ? OpenFileHandle(fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL)
                      : OpenFileHandle(fileName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL);
  if (!IsOpenHandle(Handle_)) {
    OpenError_ = errno;
    throw EInOutError("Cannot open file " + fileName);
  }

  // Reading stops only at the real end: a document that silently lost the
  // rest of its file would later write the loss back.
  std::string data;
  if (const int error = ReadRestOfFile(Handle_, data)) {
    CloseFileHandle(Handle_);
    throw EInOutError("Cannot read file " + fileName + ": " + std::strerror(error));
  }

  LoadText(data);
  if (ReadOnly_) CloseFileHandle(Handle_);
}

void TIniDocument::LoadText(std::string_view data) {
  std::string converted;
  if (data.starts_with("\xEF\xBB\xBF")) {  // a UTF-8 byte-order mark: the text is UTF-8
    converted = Utf8ToWindows1251(data.substr(3));
    data = converted;
  }
  const TEntryReader reader{{SkipLinesWithoutEquals_, TrimAroundEquals_, Unquote_, TrimTrailing_}};
  TLoadNotes notes;
  TStringList* current = nullptr;
  TLineSplitter splitter(data);
  std::string_view line;
  while (splitter.Next(line)) {
    if (IsIgnoredLine(line, StripComments_)) continue;
    std::string_view name;
    if (ParseHeader(line, name)) {
      current = &Sections_.Lines(Sections_.AddSection(std::string(name)));
      if (const size_t nul = name.find('\0'); nul != name.npos)
        NulSections_.emplace(FoldedText(name.substr(0, nul)), name);
    } else if (current != nullptr) {  // lines before the first header are dropped
      reader.Add(line, *current, notes);
    }
  }

  Sections_.ResolveDuplicates(OnDuplicateSection);
  KeepSurvivors(notes, Sections_, KeptLines_, OtherNamedKeys_);
}
