// Reading a file's chosen sections without keeping the document.
#include <cerrno>
#include <cstring>

#include "inifile/entryform_p.h"
#include "inifile/fileaccess_p.h"
#include "inifile/inifile.h"
#include "inifile/linefile_p.h"
#include "inifile/lineforms_p.h"
#include "inifile/linesplitter_p.h"
#include "inifile/utf16text.h"

namespace {

// Feeds lines to the visitor as the document's loader would store them.
class TScanner {
 public:
  TScanner(const std::vector<std::string>& names, TIniVisitor& visitor)
      : Names_(names), Found_(names.size(), false), Visitor_(visitor) {}

  // Takes the next lines of the data, which must end where a line ends (or the data does).
  void Feed(std::string_view text) {
    // The LF of a CR LF pair that the pieces part is no line of its own.
    if (EndsWithCr_ && !text.empty() && text.front() == '\n') text.remove_prefix(1);
    EndsWithCr_ = !text.empty() && text.back() == '\r';
    TLineSplitter splitter(text);
    std::string_view line, end;
    while (splitter.Next(line, end)) {
      Visitor_.Line(++Lines_, line);
      if (IsIgnoredLine(line, true)) continue;
      std::string_view name;
      if (MayBeHeader(line) && ParseHeader(line, name)) {
        Current_ = Wanted(name);
        continue;
      }
      if (Current_ == None) continue;
      const size_t eq = line.find('=');
      if (eq == std::string_view::npos) continue;  // loading drops it
      std::string_view key, value;
      SplitEntry(line, eq, EveryEntryOption, key, value, nullptr);
      Visitor_.Entry(Current_, key, value);
    }
  }

 private:
  static constexpr size_t None = static_cast<size_t>(-1);

  // The index of the name whose kept section starts at this header, or None:
  // a later section of a name found already is dropped by loading.
  size_t Wanted(std::string_view name) {
    for (size_t i = 0; i < Names_.size(); ++i) {
      if (!SameFolded(Names_[i], name)) continue;
      if (Found_[i]) return None;
      Found_[i] = true;
      Visitor_.Section(i);
      return i;
    }
    return None;
  }

  const std::vector<std::string>& Names_;
  std::vector<bool> Found_;
  TIniVisitor& Visitor_;
  size_t Current_ = None;    // lines before the first header are dropped
  size_t Lines_ = 0;         // the lines so far
  bool EndsWithCr_ = false;  // the last piece ended with a CR
};

// Reads the open file into the scanner: a UTF-8 or UTF-16 file is converted as
// a whole, as loading does. 0 or the errno of a failure.
int ScanOpenFile(FileHandle handle, TScanner& scanner) {
  const std::string start = PeekFile(handle, 3);
  if (!start.starts_with("\xEF\xBB\xBF") && Utf16OrderOf(start) == TUtf16Form::TOrder::None)
    return ReadLinePieces(handle, [&scanner](std::string_view piece) { scanner.Feed(piece); });
  std::string data;
  if (const int error = ReadRestOfFile(handle, data)) return error;
  std::string converted;
  scanner.Feed(FileTextIn1251(data, converted));
  return 0;
}

}  // namespace

void ScanIniText(std::string_view data, const std::vector<std::string>& names,
                 TIniVisitor& visitor) {
  TScanner scanner(names, visitor);
  std::string converted;
  scanner.Feed(FileTextIn1251(data, converted));
}

void ScanIniFile(const std::string& fileName, const std::vector<std::string>& names,
                 TIniVisitor& visitor) {
  if (!IsExistingFile(fileName)) return;
  FileHandle handle = OpenFileHandle(fileName, FileAccess::Read, FileShare::Read | FileShare::Write,
                                     FileCreation::OpenExisting, FileAttributes::Normal);
  if (!IsOpenHandle(handle)) throw EInOutError("Cannot open file " + fileName);
  if (std::uint64_t size = 0; !RegularFileSize(handle, size)) {
    CloseFileHandle(handle);
    throw EInOutError("Cannot open file " + fileName + ": not a regular file");
  }
  TScanner scanner(names, visitor);
  int error = 0;
  try {
    error = ScanOpenFile(handle, scanner);
  } catch (...) {
    CloseFileHandle(handle);
    throw;
  }
  CloseFileHandle(handle);
  if (error != 0) throw EInOutError("Cannot read file " + fileName + ": " + std::strerror(error));
}
