#include "inifile/filelayout_p.h"

#include <algorithm>
#include <unordered_set>

#include "inifile/lineforms_p.h"
#include "inifile/linesplitter_p.h"
#include "inifile/textparts_p.h"
#include "inifile/utf8text_p.h"

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool Holds(const std::vector<int32_t>& numbers, int32_t number) {
  return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

}  // namespace

std::string_view TFileLayout::MostCommonLineEnd() const {
  if (Ends_.CrLf >= Ends_.Lf && Ends_.CrLf >= Ends_.Cr) return "\r\n";
  return Ends_.Lf >= Ends_.Cr ? "\n" : "\r";
}

TFileLayout::TFileLayout(std::string bytes)
    : Bytes_(std::move(bytes)), Utf8_(std::string_view(Bytes_).starts_with(ByteOrderMark)) {}

std::string_view TFileLayout::Body() const {
  return std::string_view(Bytes_).substr(Utf8_ ? ByteOrderMark.size() : 0);
}

TFileLayout::TSection* TFileLayout::Find(const TStringList* lines) {
  if (lines == CachedLines_ && Cached_ != nullptr) return Cached_;
  const auto found = Sections_.find(lines);
  if (found == Sections_.end()) return nullptr;
  CachedLines_ = lines;
  Cached_ = &found->second;
  return Cached_;
}

void TFileLayout::Header(int32_t line, const TStringList* lines) {
  Headers_.push_back({line, lines, THeaderState::Live});
  TSection& section = Sections_[lines];
  section = TSection{static_cast<int32_t>(Headers_.size() - 1), line, {}, {}, {}, {}};
  CachedLines_ = lines;
  Cached_ = &section;
}

void TFileLayout::Skipped(int32_t line) {
  Headers_.push_back({line, nullptr, THeaderState::Duplicate});
}

void TFileLayout::Entry(const TStringList* lines, int32_t line) {
  TSection* section = Find(lines);
  if (section == nullptr) return;
  section->Origins.push_back(line);
  section->LastKey = line;
}

void TFileLayout::KeepSurvivors(const TSectionList& sections) {
  std::unordered_set<const TStringList*> surviving;
  for (int32_t i = 0; i < sections.Count(); ++i) surviving.insert(&sections.Lines(i));
  for (THeader& header : Headers_) {
    if (header.State != THeaderState::Live || surviving.count(header.Lines) != 0) continue;
    Sections_.erase(header.Lines);
    header.State = THeaderState::Duplicate;
    header.Lines = nullptr;
  }
  CachedLines_ = nullptr;
  Cached_ = nullptr;
}

void TFileLayout::Added(const TStringList* lines) {
  if (TSection* section = Find(lines)) section->Origins.push_back(NewLine);
}

void TFileLayout::Replaced(const TStringList* lines, int32_t index) {
  TSection* section = Find(lines);
  if (section == nullptr || index < 0 || static_cast<size_t>(index) >= section->Origins.size())
    return;
  int32_t& origin = section->Origins[static_cast<size_t>(index)];
  if (origin >= 0) origin = ChangedOrigin(origin);
}

void TFileLayout::Deleted(const TStringList* lines, int32_t index) {
  TSection* section = Find(lines);
  if (section == nullptr || index < 0 || static_cast<size_t>(index) >= section->Origins.size())
    return;
  const int32_t origin = section->Origins[static_cast<size_t>(index)];
  if (origin != NewLine) section->DeletedLines.push_back(OriginLine(origin));
  section->Origins.erase(section->Origins.begin() + index);
}

void TFileLayout::DeletedAll(const TStringList* lines, const std::vector<int32_t>& indices) {
  TSection* section = Find(lines);
  if (section == nullptr || indices.empty()) return;
  std::vector<int32_t>& origins = section->Origins;
  size_t kept = 0;
  size_t next = 0;
  for (size_t i = 0; i < origins.size(); ++i) {
    if (next < indices.size() && static_cast<size_t>(indices[next]) == i) {
      ++next;
      if (origins[i] != NewLine) section->DeletedLines.push_back(OriginLine(origins[i]));
      continue;
    }
    origins[kept++] = origins[i];
  }
  origins.resize(kept);
}

bool TFileLayout::Rewritten(const TStringList* lines, int32_t index) {
  TSection* section = Find(lines);
  if (section == nullptr || index < 0 || static_cast<size_t>(index) >= section->Origins.size())
    return false;
  const int32_t line = section->Origins[static_cast<size_t>(index)];
  if (line < 0) return false;  // new or changed: written anyway
  if (Holds(section->RewrittenLines, line)) return true;
  if (!BareKeysFound_) FindBareKeys();
  const std::string key = FoldedText(TextBefore((*lines)[index], '='));
  const auto isEntry = [section](int32_t bare) {
    return std::any_of(section->Origins.begin(), section->Origins.end(),
                       [bare](int32_t origin) { return OriginLine(origin) == bare; });
  };
  const bool hidden =
      std::any_of(section->BareKeys.begin(), section->BareKeys.end(), [&](const TBareKey& bare) {
        return bare.Line < line && bare.Key == key && !isEntry(bare.Line);
      });
  if (hidden) section->RewrittenLines.push_back(line);
  return hidden;
}

void TFileLayout::FindBareKeys() {
  BareKeysFound_ = true;
  TLineSplitter splitter(Body());
  std::string_view line, end;
  size_t h = 0;
  TSection* section = nullptr;
  for (int32_t r = 0; splitter.Next(line, end); ++r) {
    if (h < Headers_.size() && Headers_[h].Line == r) {
      const THeader& header = Headers_[h++];
      section = header.State == THeaderState::Live ? Find(header.Lines) : nullptr;
      continue;
    }
    if (section == nullptr || line.find('=') != line.npos) continue;
    const std::string_view name = ProfileKey(line);
    if (name.empty()) continue;
    section->BareKeys.push_back(
        {r, FoldedText(Utf8_ ? Utf8ToWindows1251(name) : std::string(name))});
  }
}

void TFileLayout::Erased(const TStringList* lines, const std::string& name) {
  ErasedNames_.push_back(name);
  TSection* section = Find(lines);
  if (section == nullptr) return;
  THeader& header = Headers_[static_cast<size_t>(section->Header)];
  header.State = THeaderState::Erased;
  header.Lines = nullptr;
  Sections_.erase(lines);
  CachedLines_ = nullptr;
  Cached_ = nullptr;
}

bool TFileLayout::Valid(const TSection& section, const TStringList& lines) const {
  if (section.Origins.size() != static_cast<size_t>(lines.Count())) return false;
  int32_t previous = Headers_[static_cast<size_t>(section.Header)].Line;
  for (const int32_t origin : section.Origins) {
    if (origin == NewLine) continue;
    const int32_t line = OriginLine(origin);
    if (line <= previous || line > section.LastKey) return false;
    previous = line;
  }
  return true;
}

bool TFileLayout::NameErased(std::string_view headerLine) const {
  if (ErasedNames_.empty()) return false;
  std::string converted;
  if (Utf8_) {
    converted = Utf8ToWindows1251(headerLine);
    headerLine = converted;
  }
  std::string_view name;
  if (!ParseHeader(headerLine, name)) return false;
  const std::string text(name);
  return std::any_of(ErasedNames_.begin(), ErasedNames_.end(),
                     [&text](const std::string& erased) { return SameText(erased, text); });
}

// Builds the result line by line and, when asked, the layout of the result.
class TFileLayout::TWriter {
 public:
  TWriter(bool utf8, std::string_view lineEnd, bool quote, TFileLayout* next,
          const TFileContent::TPut& put)
      : Utf8_(utf8), LineEnd_(lineEnd), Quote_(quote), Next_(next), Put_(put) {
    if (Utf8_) Put_(ByteOrderMark);
    if (Next_ != nullptr) Next_->Utf8_ = Utf8_;
  }

  // Once every line is written.
  void Finish() { Flush(); }

  // A line of the file as it was. Lines that follow each other in the file are
  // copied together.
  void Raw(std::string_view line, std::string_view end) {
    EndLastLine();
    if (Run_.data() + Run_.size() == line.data() && !Run_.empty())
      Run_ = std::string_view(Run_.data(), Run_.size() + line.size() + end.size());
    else {
      Flush();
      Run_ = std::string_view(line.data(), line.size() + end.size());
    }
    if (Next_ != nullptr) Next_->CountLineEnd(end);
    Unended_ = end.empty();
    LastBlank_ = line.empty();
    ++Line_;
  }
  // A header as it was, opening a section of the result (none when lines is null).
  void RawHeader(std::string_view line, std::string_view end, const TStringList* lines,
                 THeaderState state) {
    OpenSection(lines, state);
    Raw(line, end);
  }
  // A new header for the section's lines, after an empty line unless the result ends with one.
  void NewHeader(const std::string& name, const TStringList* lines) {
    if (Line_ > 0 && !LastBlank_) Raw(LineEnd_.substr(0, 0), LineEnd_);
    OpenSection(lines, THeaderState::Live);
    Written("[" + name + "]", false);
  }
  // An entry line of the open section as it was.
  void RawEntry(std::string_view line, std::string_view end) {
    Raw(line, end);
    NoteEntry();
  }
  // An entry line of the open section as the document holds it.
  void Entry(const std::string& line) {
    Written(line, Quote_);
    NoteEntry();
  }

 private:
  void Flush() {
    if (Run_.empty()) return;
    Put_(Run_);
    Run_ = {};
  }
  void EndLastLine() {
    if (!Unended_) return;
    Flush();
    Put_(LineEnd_);
    if (Next_ != nullptr) Next_->CountLineEnd(LineEnd_);
    Unended_ = false;
  }
  void Written(std::string_view line, bool quote) {
    EndLastLine();
    Flush();
    if (Utf8_) {
      std::string own;
      AppendFileLine(own, line, quote, std::string_view());
      Put_(Windows1251ToUtf8WithQuestionMark(own).append(LineEnd_));
    } else {
      PutFileLine(Put_, line, quote, LineEnd_);
    }
    if (Next_ != nullptr) Next_->CountLineEnd(LineEnd_);
    LastBlank_ = line.empty();
    ++Line_;
  }
  void OpenSection(const TStringList* lines, THeaderState state) {
    Open_ = nullptr;
    if (Next_ == nullptr) return;
    Next_->Headers_.push_back({Line_, lines, state});
    if (lines == nullptr || state != THeaderState::Live) return;
    Open_ = &Next_->Sections_[lines];
    *Open_ = TSection{static_cast<int32_t>(Next_->Headers_.size() - 1), Line_, {}, {}, {}, {}};
    Open_->Origins.reserve(static_cast<size_t>(lines->Count()));
  }
  void NoteEntry() {
    if (Open_ == nullptr) return;
    Open_->Origins.push_back(Line_ - 1);
    Open_->LastKey = Line_ - 1;
  }

  bool Utf8_;
  std::string_view Run_;  // lines of the file not yet copied
  std::string_view LineEnd_;
  bool Quote_;
  TFileLayout* Next_;
  const TFileContent::TPut& Put_;
  TSection* Open_ = nullptr;
  int32_t Line_ = 0;
  bool Unended_ = false;   // the last line has no line end yet
  bool LastBlank_ = true;  // the last line is empty
};

// Walks the file's lines once, writing each as the document now has it.
class TFileLayout::TMerge {
 public:
  TMerge(const TFileLayout& layout, const TSectionList& sections, TWriter& out)
      : Layout_(layout),
        Sections_(sections),
        Out_(out),
        Live_(layout.Headers_.size(), -1),
        FromFile_(static_cast<size_t>(sections.Count()), false) {
    // The document section of each header that is still live; sections without one are new.
    for (int32_t i = 0; i < sections.Count(); ++i) {
      const auto found = layout.Sections_.find(&sections.Lines(i));
      if (found == layout.Sections_.end()) continue;
      const THeader& header = layout.Headers_[static_cast<size_t>(found->second.Header)];
      if (header.State != THeaderState::Live || header.Lines != &sections.Lines(i)) continue;
      Live_[static_cast<size_t>(found->second.Header)] = i;
      FromFile_[static_cast<size_t>(i)] = true;
    }
  }

  void Run() {
    TLineSplitter splitter(Layout_.Body());
    std::string_view line, end;
    size_t h = 0;
    for (int32_t r = 0; splitter.Next(line, end); ++r) {
      if (h < Layout_.Headers_.size() && Layout_.Headers_[h].Line == r)
        AtHeader(h++, r, line, end);
      else if (Mode_ == TMode::Keep)
        Out_.Raw(line, end);
      else if (Mode_ == TMode::Merge)
        AtLine(r, line, end);
    }
    AddNewSections();
  }

 private:
  enum class TMode : uint8_t { Keep, Drop, Merge };

  void AtHeader(size_t h, int32_t r, std::string_view line, std::string_view end) {
    const THeader& header = Layout_.Headers_[h];
    Mode_ = TMode::Drop;
    if (header.State == THeaderState::Duplicate && !Layout_.NameErased(line)) {
      Out_.RawHeader(line, end, nullptr, THeaderState::Duplicate);
      Mode_ = TMode::Keep;
      return;
    }
    if (header.State != THeaderState::Live || Live_[h] < 0) return;
    Lines_ = &Sections_.Lines(Live_[h]);
    Section_ = &Layout_.Sections_.at(Lines_);
    Out_.RawHeader(line, end, Lines_, THeaderState::Live);
    Next_ = 0;
    if (!Layout_.Valid(*Section_, *Lines_)) {
      WriteUpTo(static_cast<size_t>(Lines_->Count()));  // rewritten whole in place
      return;
    }
    Mode_ = TMode::Merge;
    NoteWrittenNames();
    Deleted_ = Section_->DeletedLines;
    std::sort(Deleted_.begin(), Deleted_.end());
    Gone_ = 0;
    if (Section_->LastKey == r) WriteUpTo(static_cast<size_t>(Lines_->Count()));
  }

  void AtLine(int32_t r, std::string_view line, std::string_view end) {
    // The next line of the section that the file holds, after any new ones.
    const std::vector<int32_t>& origins = Section_->Origins;
    size_t j = Next_;
    while (j < origins.size() && origins[j] == NewLine) ++j;
    if (j < origins.size() && OriginLine(origins[j]) == r) {
      WriteUpTo(j);
      if (origins[j] >= 0)
        Out_.RawEntry(line, end);
      else
        Out_.Entry((*Lines_)[static_cast<int32_t>(j)]);
      Next_ = j + 1;
    } else if (Gone_ < Deleted_.size() && Deleted_[Gone_] == r) {
      ++Gone_;
    } else if (!HidesWrittenKey(line)) {
      Out_.Raw(line, end);
    }
    if (Section_->LastKey == r) WriteUpTo(static_cast<size_t>(Lines_->Count()));
  }

  // The folded names of the section's entries that are new or changed, or
  // count as written (see Rewritten).
  void NoteWrittenNames() {
    Written_.clear();
    const std::vector<int32_t>& origins = Section_->Origins;
    for (size_t j = 0; j < origins.size(); ++j) {
      if (origins[j] >= 0 && !Holds(Section_->RewrittenLines, origins[j])) continue;
      Written_.insert(FoldedText(TextBefore((*Lines_)[static_cast<int32_t>(j)], '=')));
    }
  }

  // True for a line without "=" that the setup takes for a key without a value
  // of a name just written: the setup stops at the first line of a name, so
  // such a line would hide the written value from it.
  bool HidesWrittenKey(std::string_view line) const {
    if (Written_.empty() || line.find('=') != line.npos) return false;
    const std::string_view name = ProfileKey(line);
    if (name.empty()) return false;
    return Written_.count(
               FoldedText(Layout_.Utf8() ? Utf8ToWindows1251(name) : std::string(name))) != 0;
  }

  void WriteUpTo(size_t end) {
    for (; Next_ < end; ++Next_) Out_.Entry((*Lines_)[static_cast<int32_t>(Next_)]);
  }

  void AddNewSections() {
    for (int32_t i = 0; i < Sections_.Count(); ++i) {
      const TStringList& added = Sections_.Lines(i);
      if (FromFile_[static_cast<size_t>(i)] || added.Count() == 0) continue;
      Out_.NewHeader(Sections_[i], &added);
      added.ForEachText([this](const std::string& text) { Out_.Entry(text); });
    }
  }

  const TFileLayout& Layout_;
  const TSectionList& Sections_;
  TWriter& Out_;
  std::vector<int32_t> Live_;
  std::vector<bool> FromFile_;
  TMode Mode_ = TMode::Keep;  // lines before the first header are kept
  const TStringList* Lines_ = nullptr;
  const TSection* Section_ = nullptr;
  std::vector<int32_t> Deleted_;
  std::unordered_set<std::string> Written_;  // see NoteWrittenNames
  size_t Next_ = 0;                          // the next line of the section to write
  size_t Gone_ = 0;                          // the next deleted line
};

std::string TFileLayout::Render(const TSectionList& sections, bool quote, TFileLayout* next) const {
  std::string text;
  text.reserve(Bytes_.size() + Bytes_.size() / 8 + 64);
  RenderTo(sections, quote, next, [&text](std::string_view part) { text.append(part); });
  return text;
}

void TFileLayout::RenderTo(const TSectionList& sections, bool quote, TFileLayout* next,
                           const TFileContent::TPut& put) const {
  TWriter out(Utf8_, MostCommonLineEnd(), quote, next, put);
  TMerge(*this, sections, out).Run();
  out.Finish();
}
