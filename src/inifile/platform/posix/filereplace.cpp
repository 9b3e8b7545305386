// Crash-safe replacement of a file: temporary file, sync, rename, folder sync.
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <random>

#include "inifile/fileaccess_p.h"
#include "inifile/inplace_p.h"

namespace {

constexpr int MaxLinks = 40;
constexpr size_t WritePiece = size_t{64} * 1024;
constexpr size_t SuffixLength = 6;
constexpr std::string_view SuffixLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

int Descriptor(FileHandle handle) { return static_cast<int>(handle - 1); }
FileHandle HandleOf(int fd) { return static_cast<FileHandle>(fd) + 1; }

struct TPathParts {
  std::string Folder;  // "." for a bare name
  std::string Name;
};

TPathParts SplitPath(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// The file that a chain of symbolic links ends in (which need not exist).
std::string ResolveLinks(std::string path) {
  for (int i = 0; i < MaxLinks; ++i) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::array<char, 4096> buffer{};
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size() - 1);
    if (n <= 0) return path;
    const std::string link(buffer.data(), static_cast<size_t>(n));
    if (link.front() == '/') {
      path = link;
    } else {
      path = SplitPath(path).Folder;
      path.append(1, '/').append(link);
    }
  }
  return path;
}

int OpenRetrying(const std::string& path, int flags, mode_t mode) {
  int fd;
  do fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

int WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    data.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

// fsync of a file or folder, told to the hook of SetFileCallHook as call.
int SyncFile(int fd, const char* call) {
  NoteFileCall(call);
  return ::fsync(fd);
}

int SyncFolder(const std::string& folder) {
  const int fd = OpenRetrying(folder, O_RDONLY | O_DIRECTORY, 0);
  if (fd < 0) return errno;
  const int rc = SyncFile(fd, "sync folder") == 0 || errno == EINVAL || errno == EROFS ? 0 : errno;
  ::close(fd);
  return rc;
}

// A document that found no file must not write over one that appeared since:
// it belongs to someone else, whose text the document never read. 0 when
// there is no target, else the errno (EEXIST when one could be held).
int RefuseNewcomer(const std::string& target) {
  FileHandle found = OpenFileHandle(target, FileAccess::Read | FileAccess::Write, FileShare::Read,
                                    FileCreation::OpenExisting, FileAttributes::Normal);
  if (!IsOpenHandle(found)) return errno == ENOENT ? 0 : errno;
  CloseFileHandle(found);
  return EEXIST;
}

// Creates "<folder>/.<name>.saving-XXXXXX" exclusively; its path goes to path.
int CreateTemporary(const TPathParts& parts, mode_t mode, std::string& path) {
  static std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, SuffixLetters.size() - 1);
  const std::string prefix = parts.Folder + "/" + SavingPrefix(parts.Name);
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = prefix;
    for (size_t i = 0; i < SuffixLength; ++i) path += SuffixLetters[pick(random)];
    const int fd = OpenRetrying(path, O_RDWR | O_CREAT | O_EXCL, mode);
    if (fd >= 0) {
      ::flock(fd, LOCK_EX | LOCK_NB);  // a new file: nobody else can hold it
      return fd;
    }
    if (errno != EEXIST) return -errno;
  }
  return -EEXIST;
}

bool IsSavingFile(const std::string& entry, const std::string& prefix) {
  if (entry.size() != prefix.size() + SuffixLength || entry.compare(0, prefix.size(), prefix) != 0)
    return false;
  return entry.find_first_not_of(SuffixLetters, prefix.size()) == std::string::npos;
}

// Removes what earlier saves of the same target left behind when killed.
void RemoveStaleTemporaries(const TPathParts& parts) {
  DIR* dir = ::opendir(parts.Folder.c_str());
  if (dir == nullptr) return;
  const std::string prefix = SavingPrefix(parts.Name);
  while (const dirent* entry = ::readdir(dir)) {
    if (IsSavingFile(entry->d_name, prefix)) ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

// The temporary file gets the target's permission bits and, where allowed,
// its owner; ownership first, since changing it clears set-id bits. What the
// new file already has is not set again (a change of owner costs a journal
// entry of its own).
int CopyAttributes(int fd, const struct stat& target) {
  struct stat made;
  if (::fstat(fd, &made) != 0) return errno;
  const bool sameOwner = made.st_uid == target.st_uid && made.st_gid == target.st_gid;
  if (::geteuid() == 0) {
    if (!sameOwner && ::fchown(fd, target.st_uid, target.st_gid) != 0) return errno;
  } else if (made.st_gid != target.st_gid) {
    [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), target.st_gid);
  }
  if ((made.st_mode & 07777) == (target.st_mode & 07777) && sameOwner) return 0;
  return ::fchmod(fd, target.st_mode & 07777) == 0 ? 0 : errno;
}

int MoveOver(const std::string& from, const std::string& to, bool targetExists) {
  NoteFileCall("rename");
  if (targetExists) return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
  // A target that appeared meanwhile belongs to someone else: never clobber it.
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  if (::link(from.c_str(), to.c_str()) != 0) return errno;
  ::unlink(from.c_str());
  return 0;
}

// Writes data to a new temporary file and renames it over the target. On
// success fd is the new file's descriptor. A creation failure is returned
// negated so that the caller can fall back to rewriting in place.
int WriteAndRename(const std::string& target, const struct stat* existing,
                   const TFileContent& content, int& fd) {
  const TPathParts parts = SplitPath(target);
  std::string path;
  fd = CreateTemporary(parts, existing != nullptr ? 0600 : 0666, path);
  if (fd < 0) return fd;
  int error = WriteContent(content, WritePiece,
                           [fd](std::string_view piece) { return WriteAll(fd, piece); });
  if (error == 0 && existing != nullptr) error = CopyAttributes(fd, *existing);
  if (error == 0 && SyncFile(fd, "sync") != 0) error = errno;
  if (error == 0) error = MoveOver(path, target, existing != nullptr);
  if (error != 0) {
    ::unlink(path.c_str());
    ::close(fd);
    fd = -1;
    return error;
  }
  // The rename is done: a failed folder sync cannot be undone, only reported.
  error = SyncFolder(parts.Folder);
  RemoveStaleTemporaries(parts);
  return error;
}

// A new target that cannot be made through a temporary file: created in
// place, and removed again when its content cannot be written.
int CreateInPlace(const std::string& fileName, const std::string& target,
                  const TFileContent& content, FileHandle& handle) {
  const int fd = OpenRetrying(target, O_RDWR | O_CREAT | O_EXCL, 0666);
  if (fd < 0) {
    const int error = errno;
    handle = InvalidFileHandle;
    return error;
  }
  ::flock(fd, LOCK_EX | LOCK_NB);
  if (const int error = RewriteInPlaceSafely(fileName, HandleOf(fd), content)) {
    ::unlink(target.c_str());
    ::close(fd);
    return error;
  }
  handle = HandleOf(fd);
  return 0;
}

bool MayRewriteInPlace(int creationError) {
  return creationError == EACCES || creationError == EPERM || creationError == EROFS ||
         creationError == ENAMETOOLONG;
}

}  // namespace

std::string SavingPrefix(const std::string& name) { return "." + name + ".saving-"; }

int ReplaceFileContent(const std::string& fileName, FileHandle& handle,
                       const TFileContent& content) {
  if (!IsOpenHandle(handle) && handle != 0) return EBADF;
  const std::string target = ResolveLinks(fileName);
  if (handle == 0) {
    if (const int error = RefuseNewcomer(target)) {
      handle = InvalidFileHandle;
      return error;
    }
  }
  struct stat info {};
  if (IsOpenHandle(handle)) {
    if (::fstat(Descriptor(handle), &info) != 0) return errno;
    if (info.st_nlink > 1) return RewriteInPlaceSafely(fileName, handle, content);
  }
  int fd = -1;
  const int error = WriteAndRename(target, IsOpenHandle(handle) ? &info : nullptr, content, fd);
  if (error < 0) {
    if (IsOpenHandle(handle))
      return MayRewriteInPlace(-error) ? RewriteInPlaceSafely(fileName, handle, content) : -error;
    if (MayRewriteInPlace(-error)) return CreateInPlace(fileName, target, content, handle);
    handle = InvalidFileHandle;
    return -error;
  }
  if (fd >= 0) {
    CloseFileHandle(handle);
    handle = HandleOf(fd);
  }
  return error;
}
