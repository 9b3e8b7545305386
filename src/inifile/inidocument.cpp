// Construction, loading and release of an INI document.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "inifile/entryform_p.h"
#include "inifile/fileaccess_p.h"
#include "inifile/filelayout_p.h"
#include "inifile/inidocumentstate_p.h"
#include "inifile/inifile.h"
#include "inifile/inplace_p.h"
#include "inifile/linefile_p.h"
#include "inifile/lineforms_p.h"
#include "inifile/linesplitter_p.h"
#include "inifile/utf16text.h"

namespace {

// False when the profile reader surely finds the stored line under the name
// that the document gives it: a cheap test before ReadUnderOtherName.
bool MayReadUnderOtherName(std::string_view stored, const TEntryFacts& facts) {
  if (facts.KeySize == std::string_view::npos) return true;
  if (facts.KeySize == 0) return false;
  return facts.HasNul || IsProfileSpace(stored.front()) ||
         IsProfileSpace(stored[facts.KeySize - 1]);
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

// Stores the entry lines of a section as loading normalises them, and notes
// the lines that must be written back as they were or that the profile reader
// finds under another key.
struct TEntryReader {
  TEntryOptions Options;

  // False when the line is not stored.
  bool Add(std::string_view line, TStringList& lines, TLoadNotes& notes) const {
    std::string stored;
    TEntryFacts facts;
    if (!NormaliseEntry(line, Options, stored, facts)) return false;
    if ((!EveryOption() || facts.Suspect) && ReadsDifferently(line, stored))
      notes.Kept.push_back({&lines, lines.Count(), stored, std::string(line)});
    if (MayReadUnderOtherName(stored, facts) && ReadUnderOtherName(stored))
      notes.OtherNamed.push_back({&lines, FoldedText(ProfileKey(stored))});
    lines.Add(std::move(stored));
    return true;
  }

  bool EveryOption() const {
    return Options.TrimAroundEquals && Options.Unquote && Options.TrimTrailing;
  }
};

// What loading notes about lines, kept by the document (see its members of these names).
struct TLineNotes {
  std::map<std::pair<const TStringList*, std::string>, std::string>& KeptLines;
  std::set<std::pair<const TStringList*, std::string>>& OtherNamedKeys;
  std::multimap<std::string, std::string>& NulSections;
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
void KeepSurvivors(TLoadNotes& notes, const TSectionList& sections, const TLineNotes& target) {
  if (notes.Kept.empty() && notes.OtherNamed.empty()) return;
  std::set<const TStringList*> surviving;
  for (int32_t i = 0; i < sections.Count(); ++i) surviving.insert(&sections.Lines(i));
  std::erase_if(notes.Kept,
                [&surviving](const TKept& line) { return surviving.count(line.Lines) == 0; });
  DropShadowed(notes.Kept);
  for (TKept& line : notes.Kept)
    target.KeptLines.try_emplace({line.Lines, std::move(line.Stored)}, std::move(line.Raw));
  for (TOtherNamed& line : notes.OtherNamed) {
    if (surviving.count(line.Lines) != 0)
      target.OtherNamedKeys.emplace(line.Lines, std::move(line.FoldedKey));
  }
}

// Turns lines into sections and their entries as loading normalises them,
// and notes in the layout, when there is one, which line each came from.
class TLineLoader {
 public:
  // With `only`, a section of another name is not loaded: the layout, which
  // `only` needs, keeps it as the file holds it. With `firstOnly` too, neither
  // is a later section of a name loaded already, which the removal of
  // duplicates would drop when it keeps the first one: a name repeated many
  // times is never held once for each time.
  TLineLoader(TSectionList& sections, const TLineNotes& notes, bool stripComments,
              const TEntryOptions& options, TFileLayout* layout,
              const std::vector<std::string>* only = nullptr, bool firstOnly = false)
      : Sections_(sections),
        Notes_(notes),
        StripComments_(stripComments),
        Reader_{options},
        Layout_(layout),
        Only_(only),
        FirstOnly_(firstOnly) {}

  // Loads the lines of text, which must end where a line ends (or the data
  // does). With a layout, the text must be the whole file.
  void Feed(std::string_view text) {
    TLineSplitter splitter(text);
    std::string_view line, end;
    for (int32_t number = 0; splitter.Next(line, end); ++number) {
      if (Layout_ != nullptr) Layout_->CountLineEnd(end);
      if (IsIgnoredLine(line, StripComments_)) continue;
      std::string_view name;
      if (MayBeHeader(line) && ParseHeader(line, name)) {
        if (Loads(name)) {
          Current_ = &Sections_.Lines(Sections_.AddSection(std::string(name)));
          if (Layout_ != nullptr) Layout_->Header(number, Current_);
        } else {
          Current_ = nullptr;
          Layout_->Skipped(number);
        }
        if (const size_t nul = name.find('\0'); nul != name.npos)
          Notes_.NulSections.emplace(FoldedText(name.substr(0, nul)), name);
      } else if (Current_ != nullptr) {  // lines before the first header are dropped
        if (Reader_.Add(line, *Current_, Found_) && Layout_ != nullptr)
          Layout_->Entry(Current_, number);
      }
    }
  }
  // A section whose name holds a NUL is loaded when the profile reader reads it
  // under a chosen name (cut at the NUL): it hides the chosen one.
  bool Loads(std::string_view name) {
    if (Only_ == nullptr) return true;
    const std::string_view cut = name.substr(0, name.find('\0'));
    const bool chosen =
        std::any_of(Only_->begin(), Only_->end(), [name, cut](const std::string& wanted) {
          return SameFolded(wanted, name) || SameFolded(wanted, cut);
        });
    return chosen && (!FirstOnly_ || Loaded_.insert(FoldedText(name)).second);
  }
  // Resolves duplicate sections and remembers the noted lines of the survivors.
  void Finish(const TDuplicateSectionEvent& onDuplicateSection) {
    Sections_.ResolveDuplicates(onDuplicateSection);
    KeepSurvivors(Found_, Sections_, Notes_);
    if (Layout_ != nullptr) Layout_->KeepSurvivors(Sections_);
  }

 private:
  TSectionList& Sections_;
  TLineNotes Notes_;
  bool StripComments_;
  TEntryReader Reader_;
  TFileLayout* Layout_;
  const std::vector<std::string>* Only_;
  bool FirstOnly_;
  std::unordered_set<std::string> Loaded_;  // folded names of the sections loaded, with FirstOnly_
  TStringList* Current_ = nullptr;
  TLoadNotes Found_;
};

// True when the file holds a UTF-8 or UTF-16 byte-order mark at the current
// position; the position is left where it was.
bool FileHasByteOrderMark(FileHandle handle) {
  const std::string start = PeekFile(handle, 3);
  return start.starts_with("\xEF\xBB\xBF") || Utf16OrderOf(start) != TUtf16Form::TOrder::None;
}

}  // namespace

TIniDocument::TIniDocument(const std::string& fileName, bool readOnly)
    : TIniDocument(fileName, readOnly, true, true, true, true, true) {}

TIniDocument::TIniDocument(const std::string& fileName, bool readOnly, bool stripComments,
                           bool skipLinesWithoutEquals, bool trimAroundEquals, bool unquote,
                           bool trimTrailing)
    : ReadOnly_(readOnly), State_(std::make_unique<TState>()) {
  State_->StripComments = stripComments;
  State_->Options = {skipLinesWithoutEquals, trimAroundEquals, unquote, trimTrailing};
  try {
    Reopen(fileName);
  } catch (...) {
    CloseFileHandle(Handle_);  // the destructor does not run for a failed constructor
    throw;
  }
}

TIniDocument::TIniDocument(const std::string& fileName, std::vector<std::string> sections)
    : State_(std::make_unique<TState>()) {
  State_->Only = std::move(sections);
  try {
    Reopen(fileName);
  } catch (...) {
    CloseFileHandle(Handle_);
    throw;
  }
}

TIniDocument::~TIniDocument() {
  // A flush after a reported failure, or during the unwinding of an abandoned
  // save, would change the file behind the caller's back.
  if (!State_->FlushFailed && std::uncaught_exceptions() <= State_->UncaughtAtBirth) {
    try {
      WriteIfModified(false);  // nothing reads the document afterwards
    } catch (const std::exception&) {
      // A destructor must not throw; callers that need the outcome call UpdateFile first.
    }
  }
  CloseFileHandle(Handle_);
  ClearSections();
}

void TIniDocument::SetFileName(const std::string& fileName) {
  UpdateFile();
  Reopen(fileName);
}

// SetFileName after its flush: releases the file, empties the document and
// loads the named file.
void TIniDocument::Reopen(const std::string& fileName) {
  CloseFileHandle(Handle_);
  State_->OpenError = 0;
  ClearSections();
  FileName_ = fileName;
  if (!fileName.empty()) Load(fileName);
  Modified_ = false;
}

void TIniDocument::ClearSections() {
  State_->Layout.reset();
  State_->Utf16 = {};
  Sections_.Clear();
  State_->KeptLines.clear();
  State_->OtherNamedKeys.clear();
  State_->NulSections.clear();
}

void TIniDocument::Load(const std::string& fileName) {
  CurrentSection_ = 0;
  CloseFileHandle(Handle_);
  if (!IsExistingFile(fileName)) return;
  // A save killed while it rewrote the file in place is finished first.
  if (const int error = CompleteInterruptedRewrite(fileName)) {
    State_->OpenError = error;
    throw EInOutError("Cannot open file " + fileName + ": " + std::strerror(error));
  }
  Handle_ = ReadOnly_
                ? OpenFileHandle(fileName, FileAccess::Read, FileShare::Read | FileShare::Write,
                                 FileCreation::OpenExisting, FileAttributes::Normal)
                : OpenFileHandle(fileName, FileAccess::Read | FileAccess::Write, FileShare::Read,
                                 FileCreation::OpenAlways, FileAttributes::Normal);
  if (!IsOpenHandle(Handle_)) {
    State_->OpenError = errno;
    throw EInOutError("Cannot open file " + fileName);
  }
  if (std::uint64_t size = 0; !RegularFileSize(Handle_, size)) {
    CloseFileHandle(Handle_);
    throw EInOutError("Cannot open file " + fileName + ": not a regular file");
  }

  // Reading stops only at the real end: a document that silently lost the
  // rest of its file would later write the loss back.
  TLineLoader loader(Sections_, {State_->KeptLines, State_->OtherNamedKeys, State_->NulSections},
                     State_->StripComments, State_->Options, nullptr);
  int error = 0;
  // A document that may write its file keeps the file's bytes, to change only what it must;
  // a UTF-8 or UTF-16 file is converted as a whole.
  if (!ReadOnly_ || FileHasByteOrderMark(Handle_)) {
    std::string data;
    error = ReadRestOfFile(Handle_, data);
    if (error == 0) LoadBytes(std::move(data), !ReadOnly_);
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
  if (!ReadOnly_ && Sections_.Count() == 0 && !State_->Layout) {
    LoadBytes(std::string(data), true);
  } else {
    if (!State_->Only.empty())
      throw std::logic_error(
          "A document of chosen sections cannot take more text: it would "
          "lose the sections it keeps in the file");
    State_->Layout.reset();  // the document no longer holds the lines of one file
    ParseText(data, nullptr);
  }
}

// Loads the bytes, keeping their layout when `keep` is set.
void TIniDocument::LoadBytes(std::string bytes, bool keep) {
  // An empty file is written in the normal form.
  if (!keep || bytes.empty()) {
    ParseText(bytes, nullptr);
    return;
  }
  if (Utf16OrderOf(bytes) != TUtf16Form::TOrder::None)
    bytes = Utf16FileToUtf8(bytes, State_->Utf16);
  auto layout = std::make_unique<TFileLayout>(std::move(bytes));
  ParseText(layout->Bytes(), layout.get());
  State_->Layout = std::move(layout);
}

// Parses the text into the sections, noting each line's place in the layout when there is one.
void TIniDocument::ParseText(std::string_view data, TFileLayout* layout) {
  std::string converted;
  data = FileTextIn1251(data, converted);
  TLineLoader loader(Sections_, {State_->KeptLines, State_->OtherNamedKeys, State_->NulSections},
                     State_->StripComments, State_->Options, layout,
                     layout != nullptr && !State_->Only.empty() ? &State_->Only : nullptr,
                     !OnDuplicateSection);
  loader.Feed(data);
  loader.Finish(OnDuplicateSection);
}
