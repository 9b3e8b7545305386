// A file's stamp on POSIX systems: stat and the file clock.
#include "model/filestamp.h"

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <system_error>

TFileStamp StampOf(const std::string& fileName) {
  TFileStamp stamp;
  struct stat info {};
  if (fileName.empty() || ::stat(fileName.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return stamp;
  }
  std::error_code error;
  const auto modified = std::filesystem::last_write_time(fileName, error);
  if (error) return stamp;
  stamp.Exists = true;
  stamp.Device = static_cast<uint64_t>(info.st_dev);
  stamp.Inode = static_cast<uint64_t>(info.st_ino);
  stamp.Size = static_cast<uint64_t>(info.st_size);
  stamp.ModifiedNs =
      std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count();
  return stamp;
}
