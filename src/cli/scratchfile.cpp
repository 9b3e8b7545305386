#include "cli/scratchfile.h"

#include <random>
#include <system_error>

#include "inifile/inierror.h"

TScratchFolder::TScratchFolder() {
  std::error_code error;
  const std::filesystem::path base = std::filesystem::temp_directory_path(error);
  std::random_device random;
  // A folder is made only when it is new, so no two runs ever share one.
  for (int attempt = 0; !error && attempt < 100; ++attempt) {
    const std::filesystem::path folder =
        base / ("vuka-manager-" + std::to_string(random()) + std::to_string(random()));
    if (std::filesystem::create_directory(folder, error)) {
      Folder_ = folder;
      std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::replace, error);
      return;
    }
  }
  throw EInOutError("Cannot create a temporary folder in " + base.string() +
                    (error ? ": " + error.message() : std::string()));
}

TScratchFolder::~TScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(Folder_, ignored);
}

std::string TScratchFolder::File(const std::string& name) const {
  // UTF-8, as the engine takes names on Windows; the same bytes elsewhere.
  const std::u8string path = (Folder_ / name).u8string();
  return {path.begin(), path.end()};
}
