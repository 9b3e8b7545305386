// Line file access on POSIX descriptors.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "inifile/linefile_p.h"

namespace {

int Descriptor(FileHandle handle) { return static_cast<int>(handle - 1); }

constexpr int MaxOpenAttempts = 100;

void (*OpenLockHook)() = nullptr;

// True when fileName (its links followed) names the open file fd.
bool NameLeadsTo(const std::string& fileName, int fd) {
  struct stat named;
  struct stat held;
  return ::stat(fileName.c_str(), &named) == 0 && ::fstat(fd, &held) == 0 &&
         named.st_dev == held.st_dev && named.st_ino == held.st_ino;
}

// Opens the file as ::open does, except that opening never waits: a FIFO
// without a writer (or, for writing, without a reader) would block the open
// itself. Reads and writes then wait as usual. The descriptor, or -1 and errno.
int OpenWithoutWaiting(const std::string& fileName, int flags) {
  int fd;
  do fd = ::open(fileName.c_str(), flags | O_NONBLOCK, 0666);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  const int status = ::fcntl(fd, F_GETFL);
  if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) < 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

// Opens fileName with flags and takes lock (none for 0) without waiting; rc
// tells whether the lock was refused (-1, errno set). A lock is kept only on
// the file that the name still leads to: a writer that held the file may have
// renamed a new one over it before letting the old one go. The descriptor, or
// -1 with errno set.
int OpenLocked(const std::string& fileName, int flags, int lock, int& rc) {
  for (int attempt = 0;; ++attempt) {
    const int fd = OpenWithoutWaiting(fileName, flags);
    if (fd < 0 || lock == 0) return fd;
    if (OpenLockHook != nullptr) OpenLockHook();
    do rc = ::flock(fd, lock | LOCK_NB);
    while (rc < 0 && errno == EINTR);
    if (rc != 0 || NameLeadsTo(fileName, fd)) return fd;
    ::close(fd);
    if (attempt == MaxOpenAttempts) {
      errno = EAGAIN;
      return -1;
    }
  }
}

ssize_t ReadSome(int fd, char* buffer, size_t size) {
  ssize_t n;
  do n = ::read(fd, buffer, size);
  while (n < 0 && errno == EINTR);
  return n;
}

}  // namespace

void SetOpenLockHook(void (*hook)()) { OpenLockHook = hook; }

bool IsOpenHandle(FileHandle handle) { return handle > 0; }

FileHandle OpenFileHandle(const std::string& fileName, FileAccess access, FileShare shareMode,
                          FileCreation creation, FileAttributes /*attributes*/) {
  const bool writes = Holds(access, FileAccess::Write);
  const bool reads = Holds(access, FileAccess::Read);
  int flags = O_CLOEXEC | (writes ? (reads ? O_RDWR : O_WRONLY) : O_RDONLY);
  bool truncate = false;
  switch (creation) {
    case FileCreation::CreateNew: flags |= O_CREAT | O_EXCL; break;
    case FileCreation::CreateAlways:
      flags |= O_CREAT;
      truncate = true;
      break;
    case FileCreation::OpenExisting: break;
    case FileCreation::OpenAlways: flags |= O_CREAT; break;
    case FileCreation::TruncateExisting: truncate = true; break;
    default: errno = EINVAL; return InvalidFileHandle;
  }
  if (truncate && !writes) {
    errno = EINVAL;
    return InvalidFileHandle;
  }
  // Sharing: writers exclude each other; a reader that forbids writing
  // excludes writers. Locks belong to the open file, so they also separate
  // two opens inside one process.
  int lock = 0;
  if (writes)
    lock = LOCK_EX;
  else if (!Holds(shareMode, FileShare::Write))
    lock = LOCK_SH;
  int rc = 0;
  const int fd = OpenLocked(fileName, flags, lock, rc);
  if (fd < 0) return InvalidFileHandle;
  // Like the Win32 open, a plain open does not give a directory.
  struct stat info;
  if (rc == 0 && ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    errno = EISDIR;
    rc = -1;
  }
  // Truncate only once the lock is held, never under another writer's feet.
  if (rc == 0 && truncate) rc = ::ftruncate(fd, 0);
  if (rc != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return InvalidFileHandle;
  }
  return static_cast<FileHandle>(fd) + 1;
}

void CloseFileHandle(FileHandle& handle) {
  if (IsOpenHandle(handle)) ::close(Descriptor(handle));
  handle = 0;
}

uint32_t CurrentFilePosition(FileHandle handle) {
  if (!IsOpenHandle(handle)) return 0xFFFFFFFFu;
  const off_t position = ::lseek(Descriptor(handle), 0, SEEK_CUR);
  return position < 0 ? 0xFFFFFFFFu : static_cast<uint32_t>(position);
}

bool AtEndOfFile(FileHandle handle) {
  if (!IsOpenHandle(handle)) return true;
  struct stat info;
  if (::fstat(Descriptor(handle), &info) != 0) return true;
  return CurrentFilePosition(handle) >= static_cast<uint32_t>(info.st_size);
}

namespace {

// True when the byte before the `back` bytes just read is a CR.
bool FollowsCr(int fd, ssize_t back) {
  const off_t start = ::lseek(fd, 0, SEEK_CUR) - back;
  char previous = 0;
  return start > 0 && ::pread(fd, &previous, 1, start - 1) == 1 && previous == '\r';
}

}  // namespace

std::string ReadLine(FileHandle handle) {
  std::string result;
  if (!IsOpenHandle(handle)) return result;
  const int fd = Descriptor(handle);
  char chunk[100];
  for (bool first = true;; first = false) {
    const ssize_t n = ReadSome(fd, chunk, sizeof chunk);
    if (n <= 0) return result;
    // The LF of a CR LF pair is no line end of its own: it is dropped.
    const ssize_t start = first && chunk[0] == '\n' && FollowsCr(fd, n) ? 1 : 0;
    ssize_t end = start;
    while (end < n && chunk[end] != '\r' && chunk[end] != '\n') ++end;
    result.append(chunk + start, chunk + end);
    if (end == n) continue;
    // Step back to the byte just after the line end.
    const off_t back = static_cast<off_t>(end + 1) - static_cast<off_t>(n);
    if (back != 0) ::lseek(fd, back, SEEK_CUR);
    return result;
  }
}

void WriteLine(FileHandle handle, const std::string& text) {
  if (!IsOpenHandle(handle)) return;
  std::string line = text;
  line += "\r\n";
  [[maybe_unused]] const ssize_t written = ::write(Descriptor(handle), line.data(), line.size());
}

bool IsDirectory(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return false;
  return S_ISDIR(info.st_mode);
}

bool IsExistingFile(const std::string& fileName) {
  struct stat info;
  return ::stat(fileName.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool RegularFileSize(FileHandle handle, std::uint64_t& size) {
  struct stat info;
  if (!IsOpenHandle(handle) || ::fstat(Descriptor(handle), &info) != 0 || !S_ISREG(info.st_mode))
    return false;
  size = static_cast<std::uint64_t>(info.st_size);
  return true;
}

bool IsSameFile(const std::string& first, const std::string& second) {
  struct stat one;
  struct stat other;
  return ::stat(first.c_str(), &one) == 0 && ::stat(second.c_str(), &other) == 0 &&
         one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

std::string DirectoryPart(const std::string& fileName) {
  const size_t slash = fileName.rfind('/');
  return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

void EnsureDirectory(const std::string& path) {
  if (path.empty()) return;
  std::string dir = path;
  if (dir.back() == '/') dir.pop_back();
  if (dir.empty()) return;  // the root
  if (IsDirectory(dir)) return;
  const size_t slash = dir.rfind('/');
  const std::string parent = slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
  if (parent == dir) return;
  EnsureDirectory(parent);
  ::mkdir(dir.c_str(), 0777);
}
