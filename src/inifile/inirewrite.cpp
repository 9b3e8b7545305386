// Writing an INI document back: to a string list and to its file.
#include <cerrno>
#include <cstring>

#include "inifile/fileaccess_p.h"
#include "inifile/filecontent_p.h"
#include "inifile/filelayout_p.h"
#include "inifile/inidocumentstate_p.h"
#include "inifile/inifile.h"
#include "inifile/linefile_p.h"
#include "inifile/lineforms_p.h"

void TIniDocument::WriteToStrings(TStringList& strings) {
  for (int32_t i = 0; i < Sections_.Count(); ++i) {
    const TStringList& lines = Sections_.Lines(i);
    if (lines.Count() == 0) continue;
    strings.Add("[" + Sections_[i] + "]");
    for (int32_t j = 0; j < lines.Count(); ++j) strings.Add(lines[j]);
    strings.Add(std::string());
  }
}

namespace {

// The text of a document in its file's layout, made anew for each pass over it.
class TLayoutContent : public TFileContent {
 public:
  TLayoutContent(const TFileLayout& layout, const TSectionList& sections, bool quote)
      : Layout_(layout), Sections_(sections), Quote_(quote) {}
  void Produce(const TPut& put) const override {
    Layout_.RenderTo(Sections_, Quote_, nullptr, put);
  }

 private:
  const TFileLayout& Layout_;
  const TSectionList& Sections_;
  bool Quote_;
};

// True when the content is these very bytes.
bool SameBytes(const TFileContent& content, std::string_view bytes) {
  size_t at = 0;
  bool same = true;
  content.Produce([&](std::string_view part) {
    same = same && bytes.substr(at, part.size()) == part;
    at += part.size();
  });
  return same && at == bytes.size();
}

}  // namespace

// The normal form, made anew for each pass over it.
class TIniDocument::TNormalContent : public TFileContent {
 public:
  explicit TNormalContent(const TIniDocument& document) : Document_(document) {}
  void Produce(const TPut& put) const override { Document_.NormalForm(put); }

 private:
  const TIniDocument& Document_;
};

std::string TIniDocument::Text() const {
  if (State_->Layout)
    return State_->FileForm(State_->Layout->Render(Sections_, State_->Options.Unquote, nullptr));
  size_t size = 0;
  for (int32_t i = 0; i < Sections_.Count(); ++i) {
    const TStringList& lines = Sections_.Lines(i);
    if (lines.Count() == 0) continue;
    size += Sections_[i].size() + 6;
    lines.ForEachText([&size](const std::string& line) { size += line.size() + 4; });
  }
  std::string text;
  text.reserve(size);
  NormalForm([&text](std::string_view part) { text.append(part); });
  return text;
}

// The normal form of Text(), handed to put in parts.
void TIniDocument::NormalForm(const TFileContent::TPut& put) const {
  std::string text;
  for (int32_t i = 0; i < Sections_.Count(); ++i) {
    const TStringList& lines = Sections_.Lines(i);
    if (lines.Count() == 0) continue;
    text.assign(1, '[').append(Sections_[i]).append("]\r\n", 3);
    put(text);
    lines.ForEachText([&](const std::string& line) {
      const auto kept = State_->KeptLines.empty() ? State_->KeptLines.end()
                                                  : State_->KeptLines.find({&lines, line});
      PutFileLine(put, kept != State_->KeptLines.end() ? kept->second : line,
                  State_->Options.Unquote && kept == State_->KeptLines.end(), "\r\n");
    });
    put("\r\n");
  }
}

std::string TIniDocument::TState::FileForm(std::string text) const {
  if (Utf16.Order == TUtf16Form::TOrder::None) return text;
  return Utf8FileToUtf16(text, Utf16);
}

void TIniDocument::UpdateFile() { WriteIfModified(true); }

void TIniDocument::UpdateFileAndRelease() {
  WriteIfModified(false);
  Reopen(std::string());
}

// UpdateFile's work, non-virtual so that SetFileName and the destructor
// reach it without dispatching to a subclass; `keep` as for WriteLayout.
void TIniDocument::WriteIfModified(bool keep) {
  if (!Modified_) return;
  if (!FileName_.empty() && !ReadOnly_) {
    // After the file could not be obtained the document does not retry; it keeps reporting.
    int error = State_->OpenError;
    if (Handle_ != InvalidFileHandle) {
      if (Handle_ == 0) EnsureDirectory(DirectoryPart(FileName_));
      error = State_->Layout ? WriteLayout(keep)
                             : ReplaceFileContent(FileName_, Handle_, TNormalContent(*this));
      if (Handle_ == InvalidFileHandle) State_->OpenError = error;
    }
    State_->FlushFailed = error != 0;
    if (error != 0)
      throw EInOutError("Cannot write file " + FileName_ + ": " + std::strerror(error));
  }
  Modified_ = false;
}

// Writes the layout's text with the document's changes through ReplaceFileContent;
// the layout then is that of the written text. 0 or the errno of the failure.
// Without `keep` the text is written as it is made, and the layout is then
// no longer that of the file: the caller lets go of the document.
int TIniDocument::WriteLayout(bool keep) {
  if (!keep && State_->Utf16.Order == TUtf16Form::TOrder::None) {
    // Made as it is written: the text is never held whole, and the document lets go of it.
    const TLayoutContent content(*State_->Layout, Sections_, State_->Options.Unquote);
    if (IsOpenHandle(Handle_) && SameBytes(content, State_->Layout->Bytes())) return 0;
    return ReplaceFileContent(FileName_, Handle_, content);
  }
  auto next = std::make_unique<TFileLayout>();
  std::string text = State_->Layout->Render(Sections_, State_->Options.Unquote, next.get());
  // The file holds these very bytes already: leaving it alone keeps its time stamp.
  const bool same = IsOpenHandle(Handle_) && text == State_->Layout->Bytes();
  if (!same) {
    const int error = State_->Utf16.Order == TUtf16Form::TOrder::None
                          ? ReplaceFileContent(FileName_, Handle_, std::string_view(text))
                          : ReplaceFileContent(FileName_, Handle_, State_->FileForm(text));
    if (error != 0) return error;
  }
  next->SetBytes(std::move(text));
  State_->Layout = std::move(next);
  return 0;
}
