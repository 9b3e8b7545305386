// Writing an INI document back: to a string list and to its file.
#include <cerrno>
#include <cstring>

#include "inifile/fileaccess_p.h"
#include "inifile/filecontent_p.h"
#include "inifile/filelayout_p.h"
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
  if (Layout_) return FileForm(Layout_->Render(Sections_, Unquote_, nullptr));
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

void TIniDocument::NormalForm(const TFileContent::TPut& put) const {
  std::string text;
  for (int32_t i = 0; i < Sections_.Count(); ++i) {
    const TStringList& lines = Sections_.Lines(i);
    if (lines.Count() == 0) continue;
    text.assign(1, '[').append(Sections_[i]).append("]\r\n", 3);
    put(text);
    lines.ForEachText([&](const std::string& line) {
      const auto kept = KeptLines_.empty() ? KeptLines_.end() : KeptLines_.find({&lines, line});
      PutFileLine(put, kept != KeptLines_.end() ? kept->second : line,
                  Unquote_ && kept == KeptLines_.end(), "\r\n");
    });
    put("\r\n");
  }
}

std::string TIniDocument::FileForm(std::string text) const {
  if (Utf16_.Order == TUtf16Form::TOrder::None) return text;
  return Utf8FileToUtf16(text, Utf16_);
}

void TIniDocument::UpdateFile() { WriteIfModified(true); }

void TIniDocument::UpdateFileAndRelease() {
  WriteIfModified(false);
  Reopen(std::string());
}

void TIniDocument::WriteIfModified(bool keep) {
  if (!Modified_) return;
  if (!FileName_.empty() && !ReadOnly_) {
    // After the file could not be obtained the document does not retry; it keeps reporting.
    int error = OpenError_;
    if (Handle_ != InvalidFileHandle) {
      if (Handle_ == 0) EnsureDirectory(DirectoryPart(FileName_));
      error = Layout_ ? WriteLayout(keep)
                      : ReplaceFileContent(FileName_, Handle_, TNormalContent(*this));
      if (Handle_ == InvalidFileHandle) OpenError_ = error;
    }
    FlushFailed_ = error != 0;
    if (error != 0)
      throw EInOutError("Cannot write file " + FileName_ + ": " + std::strerror(error));
  }
  Modified_ = false;
}

int TIniDocument::WriteLayout(bool keep) {
  if (!keep && Utf16_.Order == TUtf16Form::TOrder::None) {
    // Made as it is written: the text is never held whole, and the document lets go of it.
    const TLayoutContent content(*Layout_, Sections_, Unquote_);
    if (IsOpenHandle(Handle_) && SameBytes(content, Layout_->Bytes())) return 0;
    return ReplaceFileContent(FileName_, Handle_, content);
  }
  auto next = std::make_unique<TFileLayout>();
  std::string text = Layout_->Render(Sections_, Unquote_, next.get());
  // The file holds these very bytes already: leaving it alone keeps its time stamp.
  const bool same = IsOpenHandle(Handle_) && text == Layout_->Bytes();
  if (!same) {
    const int error = Utf16_.Order == TUtf16Form::TOrder::None
                          ? ReplaceFileContent(FileName_, Handle_, std::string_view(text))
                          : ReplaceFileContent(FileName_, Handle_, FileForm(text));
    if (error != 0) return error;
  }
  next->SetBytes(std::move(text));
  Layout_ = std::move(next);
  return 0;
}
