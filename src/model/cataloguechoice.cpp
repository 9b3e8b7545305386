// Which catalogue a project uses: the one beside the configuration file when there
// is one, and whether a catalogue that the user names can be read at all.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

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

// The catalogue in the folder, spelled exactly or else in any letter case (setups
// made on Windows may spell it VERSION.INI); empty when there is none.
std::string CatalogueInFolder(const std::filesystem::path& folder) {
  const std::filesystem::path exact = folder / kCatalogueName;
  if (IsRegularFile(exact)) return exact.string();
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    if (SameAsciiFolded(entry->path().filename().string(), kCatalogueName) &&
        IsRegularFile(entry->path())) {
      return entry->path().string();
    }
  }
  return {};
}

}  // namespace

std::string ChooseCatalogue(const std::string& fileName, const std::string& current) {
  std::filesystem::path folder = std::filesystem::path(fileName).parent_path();
  if (folder.empty()) folder = ".";
  std::string beside = CatalogueInFolder(folder);
  return beside.empty() ? current : beside;
}

std::string CatalogueProblem(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return "Каталог «" + path + "» не найден";
  if (!IsRegularFile(path)) return "Каталог «" + path + "» не является обычным файлом";
  errno = 0;
  const std::ifstream file(path, std::ios::binary);
  if (!file.is_open()) {
    return "Каталог «" + path + "» нельзя прочитать" +
           (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string());
  }
  return {};
}
