// Rewriting a file in place through a synced recovery copy.
#include "inifile/inplace_p.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "inifile/fileaccess_p.h"
#include "inifile/linefile_p.h"

namespace {

constexpr std::string_view Magic = "vuka-manager rewrite 1\n";

uint64_t CheckSum(std::string_view data) { return ContentFacts(TTextContent(data)).Sum; }

std::string IdentityName(const TFileFacts& facts) {
  return "rewrite-" + std::to_string(facts.Device) + "-" + std::to_string(facts.Index);
}

// Where the recovery copy of the file fileName with these facts may be, in
// the order in which a copy is made.
std::vector<std::string> CopyPlaces(const std::string& fileName, const TFileFacts& facts) {
  std::vector<std::string> places;
  const std::string state = StateFolder();
  if (!state.empty()) places.push_back(state + IdentityName(facts));
  const std::string folder = DirectoryPart(fileName);
  places.push_back(folder + "." + fileName.substr(folder.size()) + "." + IdentityName(facts));
  return places;
}

struct THeader {
  uint64_t Device = 0, Index = 0, OldSize = 0, NewSize = 0, Sum = 0;
};

std::string HeaderText(const THeader& header) {
  return std::string(Magic) + std::to_string(header.Device) + " " + std::to_string(header.Index) +
         " " + std::to_string(header.OldSize) + " " + std::to_string(header.NewSize) + " " +
         std::to_string(header.Sum) + "\n";
}

// Reads the header of copy into header; returns the text after it, or false
// when the copy is not one whole, intact copy.
bool ParseCopy(std::string_view copy, THeader& header, std::string_view& text) {
  if (!copy.starts_with(Magic)) return false;
  copy.remove_prefix(Magic.size());
  const size_t end = copy.find('\n');
  if (end == std::string_view::npos) return false;
  const char* next = copy.data();
  const char* const last = copy.data() + end;
  for (uint64_t* field :
       {&header.Device, &header.Index, &header.OldSize, &header.NewSize, &header.Sum}) {
    if (next < last && *next == ' ') ++next;
    const auto [ptr, error] = std::from_chars(next, last, *field);
    if (error != std::errc()) return false;
    next = ptr;
  }
  text = copy.substr(end + 1);
  return next == last && text.size() == header.NewSize && CheckSum(text) == header.Sum;
}

// The recovery copy: its header, then the new text.
class TCopyContent : public TFileContent {
 public:
  TCopyContent(std::string header, const TFileContent& text)
      : Header_(std::move(header)), Text_(text) {}
  void Produce(const TPut& put) const override {
    put(Header_);
    Text_.Produce(put);
  }

 private:
  std::string Header_;
  const TFileContent& Text_;
};

// Writes content as the whole file path, synced with its folder entry.
int WriteSynced(const std::string& path, const TFileContent& content) {
  EnsureDirectory(DirectoryPart(path));
  FileHandle file = OpenFileHandle(path, FileAccess::Read | FileAccess::Write, FileShare::None,
                                   FileCreation::CreateAlways, FileAttributes::Normal);
  if (!IsOpenHandle(file)) return errno;
  int error = RewriteFile(file, content);
  CloseFileHandle(file);
  if (error == 0) error = SyncFolderOf(path);
  if (error != 0) RemoveFile(path);
  return error;
}

void RemoveCopy(const std::string& path) {
  if (RemoveFile(path) == 0) SyncFolderOf(path);
}

int ReadWhole(const std::string& path, std::string& data) {
  FileHandle file = OpenFileHandle(path, FileAccess::Read, FileShare::Read,
                                   FileCreation::OpenExisting, FileAttributes::Normal);
  if (!IsOpenHandle(file)) return errno;
  const int error = ReadRestOfFile(file, data);
  CloseFileHandle(file);
  return error;
}

// Finishes the write from the copy at path into the held file, then removes the copy.
int Complete(const std::string& path, FileHandle file, const TFileFacts& facts) {
  std::string copy;
  if (const int error = ReadWhole(path, copy)) return error;
  THeader header;
  std::string_view text;
  if (ParseCopy(copy, header, text) && header.Device == facts.Device &&
      header.Index == facts.Index &&
      (facts.Size == header.OldSize || facts.Size == header.NewSize ||
       facts.Size == std::max(header.OldSize, header.NewSize))) {
    if (const int error = RewriteFile(file, text)) return error;
  }
  RemoveCopy(path);
  return 0;
}

}  // namespace

int RewriteInPlaceSafely(const std::string& fileName, FileHandle handle,
                         const TFileContent& content) {
  TFileFacts facts;
  if (const int error = FileFactsOf(handle, facts)) return error;
  const TContentFacts text = ContentFacts(content);
  const TCopyContent copy(HeaderText({facts.Device, facts.Index, facts.Size, text.Size, text.Sum}),
                          content);
  std::string place;
  int error = ENOENT;
  for (const std::string& candidate : CopyPlaces(fileName, facts)) {
    error = WriteSynced(candidate, copy);
    if (error == 0) {
      place = candidate;
      break;
    }
  }
  if (error != 0) return error;
  error = RewriteFile(handle, content);
  RemoveCopy(place);
  return error;
}

int CompleteInterruptedRewrite(const std::string& fileName) {
  TFileFacts named;
  if (NamedFileFacts(fileName, named) != 0) return 0;
  for (const std::string& place : CopyPlaces(fileName, named)) {
    if (!IsExistingFile(place)) continue;
    FileHandle file =
        OpenFileHandle(fileName, FileAccess::Read | FileAccess::Write, FileShare::Read,
                       FileCreation::OpenExisting, FileAttributes::Normal);
    if (!IsOpenHandle(file)) {
      const int error = errno;
      return error == EAGAIN || error == EACCES || error == EPERM || error == EROFS ? 0 : error;
    }
    TFileFacts held;
    int error = FileFactsOf(file, held);
    if (error == 0 && held.Device == named.Device && held.Index == named.Index)
      error = Complete(place, file, held);
    CloseFileHandle(file);
    if (error != 0) return error;
  }
  return 0;
}
