// Whole-file reading and rewriting in place on POSIX descriptors.
#include "inifile/fileaccess_p.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

int Descriptor(FileHandle handle) { return static_cast<int>(handle - 1); }

constexpr size_t WritePiece = size_t{64} * 1024;

void (*RewriteHook)() = nullptr;
void (*FileCallHook)(const char*) = nullptr;

int WriteAll(int fd, const char* data, size_t size, off_t offset) {
  while (size > 0) {
    if (RewriteHook != nullptr && offset > 0 && offset % WritePiece == 0) RewriteHook();
    const ssize_t n = ::pwrite(fd, data, std::min(size, WritePiece), offset);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    data += n;
    size -= static_cast<size_t>(n);
    offset += n;
  }
  return 0;
}

// Makes sure that writing `length` bytes from offset 0 cannot run out of space.
int Reserve(int fd, off_t length, off_t oldSize) {
  int rc;
  do rc = ::fallocate(fd, 0, 0, length);
  while (rc != 0 && errno == EINTR);
  if (rc == 0) return 0;
  if (errno != EOPNOTSUPP && errno != ENOSYS) return errno;
  // No native reservation: extend the file with zeros past its old end.
  if (length <= oldSize) return 0;
  const std::vector<char> zeros(static_cast<size_t>(length - oldSize), 0);
  return WriteAll(fd, zeros.data(), zeros.size(), oldSize);
}

// fdatasync and fsync of a folder, told to the hook of SetFileCallHook.
int SyncData(int fd) {
  NoteFileCall("sync");
  return ::fdatasync(fd);
}
int SyncFolderEntries(int fd) {
  NoteFileCall("sync folder");
  return ::fsync(fd);
}

}  // namespace

void SetRewriteHook(void (*hook)()) { RewriteHook = hook; }

void SetFileCallHook(void (*hook)(const char* call)) { FileCallHook = hook; }

void NoteFileCall(const char* call) {
  if (FileCallHook != nullptr) FileCallHook(call);
}

std::string PeekFile(FileHandle handle, size_t count) {
  const int fd = Descriptor(handle);
  const off_t here = ::lseek(fd, 0, SEEK_CUR);
  std::string bytes(count, '\0');
  ssize_t n;
  do n = here < 0 ? -1 : ::pread(fd, bytes.data(), count, here);
  while (n < 0 && errno == EINTR);
  bytes.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return bytes;
}

int ReadRestOfFile(FileHandle handle, std::string& data) {
  const int fd = Descriptor(handle);
  struct stat info;
  if (::fstat(fd, &info) != 0) return errno;
  const off_t here = ::lseek(fd, 0, SEEK_CUR);
  if (here < 0) return errno;
  size_t filled = 0;
  data.resize(info.st_size > here ? static_cast<size_t>(info.st_size - here) + 1 : 4096);
  for (;;) {
    if (filled == data.size()) data.resize(data.size() * 2);
    const ssize_t n = ::read(fd, data.data() + filled, data.size() - filled);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) break;
    filled += static_cast<size_t>(n);
  }
  data.resize(filled);
  return 0;
}

int ReadLinePieces(FileHandle handle, const std::function<void(std::string_view)>& take) {
  constexpr size_t PieceSize = size_t{256} * 1024;
  const int fd = Descriptor(handle);
  std::vector<char> buffer(PieceSize);
  size_t filled = 0;
  for (;;) {
    if (filled == buffer.size()) buffer.resize(buffer.size() * 2);  // a line longer than a piece
    const ssize_t n = ::read(fd, buffer.data() + filled, buffer.size() - filled);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) {
      if (filled > 0) take(std::string_view(buffer.data(), filled));
      return 0;
    }
    // The bytes carried over from the last piece hold no line end.
    const std::string_view fresh(buffer.data() + filled, static_cast<size_t>(n));
    filled += static_cast<size_t>(n);
    const size_t last = fresh.find_last_of("\r\n");
    if (last == std::string_view::npos) continue;
    const size_t cut = filled - fresh.size() + last;
    take(std::string_view(buffer.data(), cut + 1));
    filled -= cut + 1;
    std::memmove(buffer.data(), buffer.data() + cut + 1, filled);
  }
}

namespace {

void TakeFacts(const struct stat& info, TFileFacts& facts) {
  facts.Device = static_cast<uint64_t>(info.st_dev);
  facts.Index = static_cast<uint64_t>(info.st_ino);
  facts.Size = static_cast<uint64_t>(info.st_size);
}

}  // namespace

int FileFactsOf(FileHandle handle, TFileFacts& facts) {
  struct stat info;
  if (::fstat(Descriptor(handle), &info) != 0) return errno;
  TakeFacts(info, facts);
  return 0;
}

int NamedFileFacts(const std::string& fileName, TFileFacts& facts) {
  struct stat info;
  if (::stat(fileName.c_str(), &info) != 0) return errno;
  TakeFacts(info, facts);
  return 0;
}

std::string StateFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') return std::string(state) + "/vuka-manager/";
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') return {};
  return std::string(home) + "/.local/state/vuka-manager/";
}

int RemoveFile(const std::string& fileName) {
  NoteFileCall("remove");
  return ::unlink(fileName.c_str()) == 0 ? 0 : errno;
}

int SyncFolderOf(const std::string& fileName) {
  const size_t slash = fileName.rfind('/');
  std::string folder = ".";
  if (slash != std::string::npos) folder = slash == 0 ? "/" : fileName.substr(0, slash);
  int fd;
  do fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno;
  const int rc = SyncFolderEntries(fd) == 0 || errno == EINVAL || errno == EROFS ? 0 : errno;
  ::close(fd);
  return rc;
}

int RewriteFile(FileHandle handle, const TFileContent& content) {
  const int fd = Descriptor(handle);
  struct stat info;
  if (::fstat(fd, &info) != 0) return errno;
  const uint64_t size = ContentFacts(content).Size;
  const auto length = static_cast<off_t>(size);
  if (length > 0) {
    if (const int error = Reserve(fd, length, info.st_size)) {
      struct stat now;
      if (::fstat(fd, &now) == 0 && now.st_size != info.st_size) {
        [[maybe_unused]] const int restored = ::ftruncate(fd, info.st_size);
      }
      return error;
    }
  }
  off_t offset = 0;
  const int error = WriteContent(
      content, WritePiece,
      [fd, &offset](std::string_view piece) {
        const int failed = WriteAll(fd, piece.data(), piece.size(), offset);
        offset += static_cast<off_t>(piece.size());
        return failed;
      },
      &size);
  if (error != 0) return error;
  if (::ftruncate(fd, length) != 0) return errno;
  // Leave the file pointer after the content, as a sequential rewrite would.
  if (::lseek(fd, length, SEEK_SET) < 0) return errno;
  if (SyncData(fd) != 0 && errno != EINVAL && errno != EROFS) return errno;
  return 0;
}
