// Which catalogue a project uses: the one beside the configuration file when there
// is one, and whether a catalogue that the user names can be read at all.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "inifile/inifile.h"
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

}  // namespace

std::string ChooseCatalogue(const std::string& fileName, const std::string& current) {
  std::string folder = DirectoryPart(fileName);
  if (folder.empty()) folder = "./";
  std::string beside = CatalogueInFolder(folder);
  return beside.empty() ? current : beside;
}

std::string CatalogueProblem(const std::string& path) {
  std::error_code error;
  const std::filesystem::path where(std::u8string(path.begin(), path.end()));  // UTF-8 on Windows
  if (!std::filesystem::exists(where, error)) return "Каталог «" + path + "» не найден";
  if (!IsRegularFile(where)) return "Каталог «" + path + "» не является обычным файлом";
  errno = 0;
  const std::ifstream file(where, std::ios::binary);
  if (!file.is_open()) {
    return "Каталог «" + path + "» нельзя прочитать" +
           (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string());
  }
  return {};
}
