// Temporary directories and whole-file bytes for the tests of every layer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Writes the bytes as the file's whole content, creating or truncating it.
// Throws std::runtime_error when the file cannot be written.
void WriteBytes(const std::string& path, const std::string& bytes);
// The file's whole content. Throws std::runtime_error when it cannot be read.
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);
// The names in the folder (without "." and ".."), sorted; none for a missing folder.
std::vector<std::string> FolderEntries(const std::string& folder);

// The UTF-8 text (its own mark, if any, left out) as a UTF-16 file with a
// byte-order mark, little-endian or big-endian. Only characters of up to
// two UTF-8 bytes are turned (every other byte stands for itself), which is
// enough for the Latin and Cyrillic texts of the tests.
std::string Utf16File(std::string_view utf8, bool bigEndian = false);

// Sets the file's modification time to 2001-09-09, so that any later write shows.
void SetOldModificationTime(const std::string& path);
// The modification time in nanoseconds since the epoch and the inode, "mtime/inode".
std::string ModificationStamp(const std::string& path);

// A fresh directory below the system's temporary directory, or below the given
// directory when it exists, removed with all it holds.
// Throws std::runtime_error when the directory cannot be made.
class TTempDir {
 public:
  explicit TTempDir(const std::string& base = "");
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::string& Path() const { return Path_; }
  std::string operator/(const std::string& name) const { return Path_ + "/" + name; }

 private:
  std::string Path_;
};

// Runs the check where the process has no right to override file permissions: directly
// when it runs unprivileged, else in a child process that gives up root first. The check
// returns an empty text on success or a description of what went wrong, which is returned.
std::string RunUnprivileged(std::string (*check)(const std::string& dir), const std::string& dir);
