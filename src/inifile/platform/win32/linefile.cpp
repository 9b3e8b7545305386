// Line file access on Windows handles, with UTF-8 file names.
#include <cerrno>

#include "inifile/fileaccess_p.h"
#include "inifile/platform/win32/text.h"

namespace {

constexpr int MaxOpenAttempts = 100;

void (*OpenLockHook)() = nullptr;

bool SetPosition(HANDLE file, LONGLONG offset, DWORD from, LONGLONG* now = nullptr) {
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  LARGE_INTEGER result;
  if (!::SetFilePointerEx(file, distance, &result, from)) return false;
  if (now != nullptr) *now = result.QuadPart;
  return true;
}

DWORD ReadSome(HANDLE file, char* buffer, DWORD size) {
  DWORD done = 0;
  return ::ReadFile(file, buffer, size, &done, nullptr) ? done : 0;
}

// True when the byte before the `back` bytes just read is a CR.
bool FollowsCr(HANDLE file, DWORD back) {
  LONGLONG here = 0;
  if (!SetPosition(file, 0, FILE_CURRENT, &here)) return false;
  const LONGLONG start = here - back;
  char previous = 0;
  const bool cr = start > 0 && SetPosition(file, start - 1, FILE_BEGIN) &&
                  ReadSome(file, &previous, 1) == 1 && previous == '\r';
  SetPosition(file, here, FILE_BEGIN);
  return cr;
}

DWORD AttributesOf(const std::string& path) {
  const std::wstring name = WideFileName(path);
  return name.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(name.c_str());
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

void SetOpenLockHook(void (*hook)()) { OpenLockHook = hook; }

bool IsOpenHandle(FileHandle handle) { return handle != 0 && handle != InvalidFileHandle; }

FileHandle OpenFileHandle(const std::string& fileName, FileAccess access, FileShare shareMode,
                          FileCreation creation, FileAttributes attributes) {
  const bool writes = Holds(access, FileAccess::Write);
  if (creation < FileCreation::CreateNew || creation > FileCreation::TruncateExisting ||
      ((creation == FileCreation::CreateAlways || creation == FileCreation::TruncateExisting) &&
       !writes)) {
    errno = EINVAL;
    return InvalidFileHandle;
  }
  // Sharing: writers exclude each other; a reader that does not share
  // writing excludes writers. Deleting is shared, so that a save can replace
  // the file that another program holds open for reading.
  DWORD share =
      (static_cast<DWORD>(shareMode) & (FILE_SHARE_READ | FILE_SHARE_WRITE)) | FILE_SHARE_DELETE;
  if (writes) share &= ~static_cast<DWORD>(FILE_SHARE_WRITE);
  const std::wstring name = WideFileName(fileName);
  if (writes && IsReadOnlyFile(name)) {
    errno = EACCES;
    return InvalidFileHandle;
  }
  for (int attempt = 0;; ++attempt) {
    const HANDLE file = ::CreateFileW(
        name.c_str(), static_cast<DWORD>(access), share, nullptr, static_cast<DWORD>(creation),
        attributes != FileAttributes::None ? static_cast<DWORD>(attributes) : FILE_ATTRIBUTE_NORMAL,
        nullptr);
    if (file == HandleOf(InvalidFileHandle)) {
      const DWORD error = ::GetLastError();
      // Like the POSIX open, a plain open does not give a directory.
      errno = error == ERROR_ACCESS_DENIED && IsDirectory(fileName) ? EISDIR : ErrnoOf(error);
      return InvalidFileHandle;
    }
    if (OpenLockHook != nullptr) OpenLockHook();
    // The share mode locks the file as it opens, but a saving writer lets go
    // for its rename: a file replaced in that moment is not the one to hold.
    if (!writes || NameLeadsTo(name, file)) return FileHandleOf(file);
    ::CloseHandle(file);
    if (attempt == MaxOpenAttempts) {
      errno = EAGAIN;
      return InvalidFileHandle;
    }
  }
}

void CloseFileHandle(FileHandle& handle) {
  if (IsOpenHandle(handle)) ::CloseHandle(HandleOf(handle));
  handle = 0;
}

uint32_t CurrentFilePosition(FileHandle handle) {
  LONGLONG position = 0;
  if (!IsOpenHandle(handle) || !SetPosition(HandleOf(handle), 0, FILE_CURRENT, &position))
    return 0xFFFFFFFFu;
  return static_cast<uint32_t>(position);
}

bool AtEndOfFile(FileHandle handle) {
  if (!IsOpenHandle(handle)) return true;
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(HandleOf(handle), &size)) return true;
  return CurrentFilePosition(handle) >= static_cast<uint32_t>(size.QuadPart);
}

std::string ReadLine(FileHandle handle) {
  std::string result;
  if (!IsOpenHandle(handle)) return result;
  const HANDLE file = HandleOf(handle);
  char chunk[100];
  for (bool first = true;; first = false) {
    const DWORD n = ReadSome(file, chunk, sizeof chunk);
    if (n == 0) return result;
    // The LF of a CR LF pair is no line end of its own: it is dropped.
    const DWORD start = first && chunk[0] == '\n' && FollowsCr(file, n) ? 1 : 0;
    DWORD end = start;
    while (end < n && chunk[end] != '\r' && chunk[end] != '\n') ++end;
    result.append(chunk + start, chunk + end);
    if (end == n) continue;
    // Step back to the byte just after the line end.
    const LONGLONG back = static_cast<LONGLONG>(end) + 1 - static_cast<LONGLONG>(n);
    if (back != 0) SetPosition(file, back, FILE_CURRENT);
    return result;
  }
}

void WriteLine(FileHandle handle, const std::string& text) {
  if (!IsOpenHandle(handle)) return;
  std::string line = text;
  line += "\r\n";
  DWORD written = 0;
  ::WriteFile(HandleOf(handle), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

bool IsDirectory(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void EnsureDirectory(const std::string& path) {
  if (path.empty()) return;
  std::string dir = path;
  if (IsSeparator(dir.back())) dir.pop_back();
  if (dir.empty() || dir.back() == ':') return;  // a root
  if (IsDirectory(dir)) return;
  const size_t slash = dir.find_last_of("/\\");
  const std::string parent = slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
  if (parent == dir) return;
  EnsureDirectory(parent);
  ::CreateDirectoryW(WideFileName(dir).c_str(), nullptr);
}

bool IsExistingFile(const std::string& fileName) {
  const DWORD attributes = AttributesOf(fileName);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool RegularFileSize(FileHandle handle, std::uint64_t& size) {
  if (!IsOpenHandle(handle)) return false;
  const HANDLE file = HandleOf(handle);
  BY_HANDLE_FILE_INFORMATION info;
  LARGE_INTEGER length;
  if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !::GetFileSizeEx(file, &length))
    return false;
  size = static_cast<std::uint64_t>(length.QuadPart);
  return true;
}

bool IsSameFile(const std::string& first, const std::string& second) {
  BY_HANDLE_FILE_INFORMATION info[2];
  const std::string* names[2] = {&first, &second};
  for (int i = 0; i < 2; ++i) {
    const HANDLE file = ::CreateFileW(WideFileName(*names[i]).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == HandleOf(InvalidFileHandle)) return false;
    const bool known = ::GetFileInformationByHandle(file, &info[i]) != 0;
    ::CloseHandle(file);
    if (!known) return false;
  }
  return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
         info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
         info[0].nFileIndexLow == info[1].nFileIndexLow;
}

std::string DirectoryPart(const std::string& fileName) {
  const size_t slash = fileName.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}
