// Which catalogue a project uses: the one beside the configuration file when there
// is one, and whether a catalogue that the user names can be read at all.
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "inifile/inifile.h"
#include "inifile/linefile_p.h"
#include "model/model.h"

namespace {

constexpr const char* kCatalogueName = "version.ini";

bool IsRegularFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

bool SameAsciiFolded(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The catalogue in the folder (a name ending in its separator), spelled exactly or
// else in any letter case (setups made on Windows may spell it VERSION.INI); empty
// when there is none. Names are the engine's: UTF-8 on Windows.
std::string CatalogueInFolder(const std::string& folder) {
  std::string exact = folder + kCatalogueName;
  if (IsExistingFile(exact)) return exact;
  std::error_code error;
  const std::filesystem::path where(std::u8string(folder.begin(), folder.end()));
  for (std::filesystem::directory_iterator entry(where, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::u8string name = entry->path().filename().u8string();
    const std::string spelled(name.begin(), name.end());
    if (SameAsciiFolded(spelled, kCatalogueName) && IsExistingFile(folder + spelled))
      return folder + spelled;
  }
  return {};
}

// What is wrong with a catalogue: Text is empty when it can be read; Refused when it
// exists but must not be read at all (its kind or size).
struct TCatalogueCheck {
  std::string Text;
  bool Refused = false;
};

// Looks at the kind of file the path leads to before opening it, so that a FIFO or a
// device is never opened, and again at the opened file, which is the one that counts
// should the path change in between; the opening does not wait for a FIFO's writer.
TCatalogueCheck Examine(const std::string& path) {
  const std::string name = "Каталог «" + path + "»";
  std::error_code error;
  const std::filesystem::path where(std::u8string(path.begin(), path.end()));  // UTF-8 on Windows
  if (!std::filesystem::exists(where, error)) return {name + " не найден"};
  TCatalogueCheck notRegular{name + " не является обычным файлом", true};
  if (!IsRegularFile(where)) return notRegular;
  FileHandle handle = OpenFileHandle(path, FileAccess::Read, FileShare::Read | FileShare::Write,
                                     FileCreation::OpenExisting, FileAttributes::Normal);
  if (!IsOpenHandle(handle)) {
    if (errno == EISDIR) return notRegular;
    return {name + " нельзя прочитать: " + std::strerror(errno)};
  }
  std::uint64_t size = 0;
  const bool regular = RegularFileSize(handle, size);
  CloseFileHandle(handle);
  if (!regular) return notRegular;
  if (size > MaxCatalogueBytes) {
    return {name + " слишком велик: " + std::to_string(size) + " байт, читается не больше " +
                std::to_string(MaxCatalogueBytes),
            true};
  }
  return {};
}

}  // namespace

std::string ChooseCatalogue(const std::string& fileName, const std::string& current) {
  std::string folder = DirectoryPart(fileName);
  if (folder.empty()) folder = "./";
  std::string beside = CatalogueInFolder(folder);
  return beside.empty() ? current : beside;
}

std::string CatalogueProblem(const std::string& path) { return Examine(path).Text; }

void RefuseUnusableCatalogue(const std::string& path) {
  const TCatalogueCheck check = Examine(path);
  if (check.Refused) throw EInOutError(check.Text);
}
