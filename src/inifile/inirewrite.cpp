// Writing an INI document back: to a string list and to its file.
#include <cerrno>
#include <cstring>

#include "inifile/filelayout.h"
#include "inifile/inifile.h"
#include "inifile/lineforms.h"
#include "inifile/posixfile.h"

void TIniDocument::WriteToStrings(TStringList& strings) {
  for (int32_t i = 0; i < Sections_.Count(); ++i) {
    const TStringList& lines = Sections_.Lines(i);
    if (lines.Count() == 0) continue;
    strings.Add("[" + Sections_[i] + "]");
    for (int32_t j = 0; j < lines.Count(); ++j) strings.Add(lines[j]);
    strings.Add(std::string());
  }
}

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
  for (int32_t i = 0; i < Sections_.Count(); ++i) {
    const TStringList& lines = Sections_.Lines(i);
    if (lines.Count() == 0) continue;
    text.append(1, '[').append(Sections_[i]).append("]\r\n", 3);
    lines.ForEachText([&](const std::string& line) {
      const auto kept = KeptLines_.empty() ? KeptLines_.end() : KeptLines_.find({&lines, line});
      if (kept != KeptLines_.end())
        text.append(kept->second).append("\r\n", 2);
      else
        AppendFileLine(text, line, Unquote_);
    });
    text.append("\r\n", 2);
  }
  return text;
}

std::string TIniDocument::FileForm(std::string text) const {
  if (Utf16_.Order == TUtf16Form::TOrder::None) return text;
  return Utf8FileToUtf16(text, Utf16_);
}

void TIniDocument::UpdateFile() { WriteIfModified(); }

void TIniDocument::WriteIfModified() {
  if (!Modified_) return;
  if (!FileName_.empty() && !ReadOnly_) {
    // After the file could not be obtained the document does not retry; it keeps reporting.
    int error = OpenError_;
    if (Handle_ != INVALID_HANDLE_VALUE) {
      if (Handle_ == 0) EnsureDirectory(DirectoryPart(FileName_));
      error = Layout_ ? WriteLayout() : ReplaceFile(FileName_, Handle_, Text());
      if (Handle_ == INVALID_HANDLE_VALUE) OpenError_ = error;
    }
    FlushFailed_ = error != 0;
    if (error != 0)
      throw EInOutError("Cannot write file " + FileName_ + ": " + std::strerror(error));
  }
  Modified_ = false;
}

int TIniDocument::WriteLayout() {
  auto next = std::make_unique<TFileLayout>();
  std::string text = Layout_->Render(Sections_, Unquote_, next.get());
  // The file holds these very bytes already: leaving it alone keeps its time stamp.
  const bool same = IsOpenHandle(Handle_) && text == Layout_->Bytes();
  if (!same) {
    if (const int error = ReplaceFile(FileName_, Handle_, FileForm(text))) return error;
  }
  next->SetBytes(std::move(text));
  Layout_ = std::move(next);
  return 0;
}
