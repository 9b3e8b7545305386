// Files that a command prepares before the real file is touched.
#pragma once

#include <filesystem>
#include <string>

// A folder of its own in the system's temporary folder, readable by its owner only, made
// when the object is and removed with everything in it when the object goes.
class TScratchFolder {
 public:
  // Raises EInOutError when no such folder can be made.
  TScratchFolder();
  ~TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  // The path of a file named `name` in the folder (the system's path bytes).
  std::string File(const std::string& name) const;

 private:
  std::filesystem::path Folder_;
};
