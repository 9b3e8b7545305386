// What tells whether a file changed on disk since it was last read or written:
// its identity (device and inode), its size and its modification time.
#pragma once

#include <cstdint>
#include <string>

struct TFileStamp {
  bool Exists = false;  // a regular file (a link is followed)
  uint64_t Device = 0;
  uint64_t Inode = 0;
  uint64_t Size = 0;
  int64_t ModifiedNs = 0;  // nanoseconds of the file clock

  bool operator==(const TFileStamp&) const = default;
};

// The stamp of the file fileName (the system's path bytes) as it is now; a file
// that is missing, no regular file or cannot be examined has Exists false and
// zeros elsewhere. Never raises.
TFileStamp StampOf(const std::string& fileName);
