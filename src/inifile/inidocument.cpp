// Construction, loading and release of an INI document.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>
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

// The line that loading stores for an entry line, or false when it is
// dropped. suspect is set unless the line surely reads alike in the Windows
// profile reader (a cheap test, made only with TrimAroundEquals).
bool NormaliseEntry(std::string_view line, const TEntryOptions& options, std::string& stored,
                    bool& suspect) {
  suspect = true;
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
    suspect = MayReadDifferently(key, value, line.back());
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
  std::string Stored, Raw;
};

// Lines that loading drops before looking at them: empty lines, a lone
// end-of-file byte (Ctrl+Z) and, when comments are stripped, comment lines.
bool IsIgnoredLine(std::string_view line, bool stripComments) {
  if (line.empty()) return true;
  if (line.size() == 1 && line[0] == '\x1A') return true;
  return stripComments && line[0] == ';';
}

// False when the line surely is no section header: a cheap test before ParseHeader.
bool MayBeHeader(std::string_view line) { return line[0] == '[' || IsProfileSpace(line[0]); }

// Stores the entry lines of a section as loading normalises them, and notes
// the lines that must be written back as they were.
struct TEntryReader {
  TEntryOptions Options;

  void Add(std::string_view line, TStringList& lines, std::vector<TKept>& kept) const {
    std::string stored;
    bool suspect = true;
    if (!NormaliseEntry(line, Options, stored, suspect)) return;
    if ((!EveryOption() || suspect) && ReadsDifferently(line, stored))
      kept.push_back({&lines, stored, std::string(line)});
    lines.Add(std::move(stored));
  }

  bool EveryOption() const {
    return Options.TrimAroundEquals && Options.Unquote && Options.TrimTrailing;
  }
};

using TKeptLines = std::map<std::pair<const TStringList*, std::string>, std::string>;

// Remembers the kept lines of the sections that survived the removal of duplicates.
void KeepSurvivors(std::vector<TKept>& kept, const TSectionList& sections, TKeptLines& keptLines) {
  if (kept.empty()) return;
  std::set<const TStringList*> surviving;
  for (int32_t i = 0; i < sections.Count(); ++i) surviving.insert(&sections.Lines(i));
  for (TKept& line : kept) {
    if (surviving.count(line.Lines) != 0)
      keptLines.try_emplace({line.Lines, std::move(line.Stored)}, std::move(line.Raw));
  }
}

// Turns lines into sections and their entries as loading normalises them.
class TLineLoader {
 public:
  TLineLoader(TSectionList& sections, TKeptLines& keptLines, bool stripComments,
              const TEntryOptions& options)
      : Sections_(sections),
        KeptLines_(keptLines),
        StripComments_(stripComments),
        Reader_{options} {}

  // Loads the lines of text, which must end where a line ends (or the data does).
  void Feed(std::string_view text) {
    TLineSplitter splitter(text);
    std::string_view line;
    while (splitter.Next(line)) {
      if (IsIgnoredLine(line, StripComments_)) continue;
      std::string_view name;
      if (MayBeHeader(line) && ParseHeader(line, name))
        Current_ = &Sections_.Lines(Sections_.AddSection(std::string(name)));
      else if (Current_ != nullptr)  // lines before the first header are dropped
        Reader_.Add(line, *Current_, Kept_);
    }
  }
  // Resolves duplicate sections and remembers the kept lines of the survivors.
  void Finish(const TDuplicateSectionEvent& onDuplicateSection) {
    Sections_.ResolveDuplicates(onDuplicateSection);
    KeepSurvivors(Kept_, Sections_, KeptLines_);
  }

 private:
  TSectionList& Sections_;
  TKeptLines& KeptLines_;
  bool StripComments_;
  TEntryReader Reader_;
  TStringList* Current_ = nullptr;
  std::vector<TKept> Kept_;
};

bool StartsWithByteOrderMark(std::string_view data) { return data.starts_with("\xEF\xBB\xBF"); }

// True when the file holds a UTF-8 byte-order mark at the current position;
// the position is left where it was.
bool FileHasByteOrderMark(FileHandle handle) {
  const int fd = static_cast<int>(handle - 1);
  const off_t here = ::lseek(fd, 0, SEEK_CUR);
  char start[3] = {};
  return here >= 0 && ::pread(fd, start, sizeof start, here) == sizeof start &&
         StartsWithByteOrderMark(std::string_view(start, sizeof start));
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
  TLineLoader loader(Sections_, KeptLines_, StripComments_,
                     {SkipLinesWithoutEquals_, TrimAroundEquals_, Unquote_, TrimTrailing_});
  int error = 0;
  if (FileHasByteOrderMark(Handle_)) {  // converted as a whole
    std::string data;
    error = ReadRestOfFile(Handle_, data);
    if (error == 0) LoadText(data);
  } else {
    error = ReadLinePieces(Handle_, [&loader](std::string_view piece) { loader.Feed(piece); });
    if (error == 0) loader.Finish(OnDuplicateSection);
  }
  if (error != 0) {
    ClearSections();  // nothing of a file read only in part
    CloseFileHandle(Handle_);
    throw EInOutError("Cannot read file " + fileName + ": " + std::strerror(error));
  }
  if (ReadOnly_) CloseFileHandle(Handle_);
}

void TIniDocument::LoadText(std::string_view data) {
  std::string converted;
  if (StartsWithByteOrderMark(data)) {  // the text is UTF-8
    converted = Utf8ToWindows1251(data.substr(3));
    data = converted;
  }
  TLineLoader loader(Sections_, KeptLines_, StripComments_,
                     {SkipLinesWithoutEquals_, TrimAroundEquals_, Unquote_, TrimTrailing_});
  loader.Feed(data);
  loader.Finish(OnDuplicateSection);
}
