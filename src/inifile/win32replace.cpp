// Crash-safe replacement of a file on Windows: temporary file, flush, replace.
#ifdef _WIN32
#include <cerrno>
#include <random>

#include "inifile/posixfile.h"
#include "inifile/win32text.h"

namespace {

constexpr size_t SuffixLength = 6;
constexpr std::wstring_view SuffixLetters =
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                 FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr int ReplaceAttempts = 5;
const HANDLE NoHandle = HandleOf(INVALID_HANDLE_VALUE);

struct TPathParts {
  std::wstring Folder;  // with its separator at the end; empty for a bare name
  std::wstring Name;
};

TPathParts SplitPath(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {L"", path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

std::wstring SavingPrefixOf(const TPathParts& parts) {
  return parts.Folder + L"." + parts.Name + L".saving-";
}

// The name of the open file with every link followed, or empty.
std::wstring FinalName(HANDLE file) {
  const DWORD size = ::GetFinalPathNameByHandleW(file, nullptr, 0, FILE_NAME_NORMALIZED);
  if (size == 0) return {};
  std::wstring name(size, L'\0');
  const DWORD length = ::GetFinalPathNameByHandleW(file, name.data(), size, FILE_NAME_NORMALIZED);
  if (length == 0 || length >= size) return {};
  name.resize(length);
  return name;
}

HANDLE OpenForWriting(const std::wstring& name, DWORD creation) {
  return ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                       FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, creation,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

int WriteAll(HANDLE file, std::string_view data) {
  while (!data.empty()) {
    DWORD n = 0;
    const DWORD ask = data.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(data.size());
    if (!::WriteFile(file, data.data(), ask, &n, nullptr)) return LastErrno();
    if (n == 0) return EIO;
    data.remove_prefix(n);
  }
  return 0;
}

// Creates "<folder>.<name>.saving-XXXXXX" exclusively; 0 or the errno.
int CreateTemporary(const TPathParts& parts, HANDLE& file, std::wstring& path) {
  static std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, SuffixLetters.size() - 1);
  const std::wstring prefix = SavingPrefixOf(parts);
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = prefix;
    for (size_t i = 0; i < SuffixLength; ++i) path += SuffixLetters[pick(random)];
    file = OpenForWriting(path, CREATE_NEW);
    if (file != NoHandle) return 0;
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return ErrnoOf(error);
  }
  return EEXIST;
}

// Removes what earlier saves of the same target left behind when killed.
void RemoveStaleTemporaries(const TPathParts& parts) {
  const std::wstring prefix = L"." + parts.Name + L".saving-";
  WIN32_FIND_DATAW found;
  const HANDLE search = ::FindFirstFileW((SavingPrefixOf(parts) + L"*").c_str(), &found);
  if (search == NoHandle) return;
  do {
    const std::wstring_view entry = found.cFileName;
    if (entry.size() == prefix.size() + SuffixLength && entry.starts_with(prefix) &&
        entry.find_first_not_of(SuffixLetters, prefix.size()) == std::wstring_view::npos)
      ::DeleteFileW((parts.Folder + found.cFileName).c_str());
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

// The new file gets the target's attributes and creation time.
int CopyAttributes(HANDLE file, const BY_HANDLE_FILE_INFORMATION& target) {
  FILE_BASIC_INFO basic{};
  basic.CreationTime.LowPart = target.ftCreationTime.dwLowDateTime;
  basic.CreationTime.HighPart = static_cast<LONG>(target.ftCreationTime.dwHighDateTime);
  basic.FileAttributes = (target.dwFileAttributes & KeptAttributes) | FILE_ATTRIBUTE_NORMAL;
  if (basic.FileAttributes != FILE_ATTRIBUTE_NORMAL)
    basic.FileAttributes &= ~static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL);
  if (!::SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic)) return LastErrno();
  return 0;
}

bool IsHeldByOthers(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
         error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_LOCK_VIOLATION;
}

// Puts the temporary file in the existing target's place. A program that
// holds the target for a moment (a virus scanner, an indexer) is waited for
// a little. 0 or the Windows error.
DWORD ReplaceTarget(const std::wstring& target, const std::wstring& temporary) {
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 1; attempt <= ReplaceAttempts; ++attempt) {
    if (::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                       REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                       nullptr))
      return ERROR_SUCCESS;
    if (::MoveFileExW(temporary.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return ERROR_SUCCESS;
    error = ::GetLastError();
    if (!IsHeldByOthers(error)) break;
    ::Sleep(20 * static_cast<DWORD>(attempt));
  }
  return error;
}

// A new target that cannot be made through a temporary file: created in
// place, and removed again when its content cannot be written.
int CreateInPlace(const std::wstring& target, std::string_view data, FileHandle& handle) {
  const HANDLE file = OpenForWriting(target, CREATE_NEW);
  if (file == NoHandle) {
    handle = INVALID_HANDLE_VALUE;
    return LastErrno();
  }
  if (const int error = RewriteFile(FileHandleOf(file), data)) {
    ::CloseHandle(file);
    ::DeleteFileW(target.c_str());
    return error;
  }
  handle = FileHandleOf(file);
  return 0;
}

bool MayRewriteInPlace(int creationError) {
  return creationError == EACCES || creationError == EPERM || creationError == EROFS ||
         creationError == ENAMETOOLONG;
}

// Opens the existing target for writing, locked against other writers, into
// handle; leaves handle zero when there is no target. 0 or the errno.
int OpenExistingTarget(const std::string& fileName, FileHandle& handle) {
  const HANDLE file = OpenForWriting(WideFileName(fileName), OPEN_EXISTING);
  if (file != NoHandle) {
    handle = FileHandleOf(file);
    return 0;
  }
  const DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : ErrnoOf(error);
}

// Writes data to the temporary file and puts it in the target's place. On
// success handle is the new file. existing is the target's information when
// handle holds it.
int WriteAndReplace(const std::wstring& target, const BY_HANDLE_FILE_INFORMATION* existing,
                    const HANDLE temporary, const std::wstring& temporaryName,
                    std::string_view data, FileHandle& handle) {
  int error = WriteAll(temporary, data);
  if (error == 0 && existing != nullptr) error = CopyAttributes(temporary, *existing);
  if (error == 0 && !::FlushFileBuffers(temporary)) error = LastErrno();
  if (error == 0 && existing == nullptr) {
    // A target that appeared meanwhile belongs to someone else: never clobber it.
    if (!::MoveFileExW(temporaryName.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
      error = LastErrno();
  } else if (error == 0) {
    // The lock is let go for the replacement only: the new file is held at once.
    CloseFileHandle(handle);
    const DWORD failure = ReplaceTarget(target, temporaryName);
    if (failure != ERROR_SUCCESS) {
      const HANDLE again = OpenForWriting(target, OPEN_EXISTING);
      if (again != NoHandle) handle = FileHandleOf(again);
      // Held open by a program that lets it be written but not replaced.
      error = again != NoHandle && IsHeldByOthers(failure) ? RewriteFile(handle, data)
                                                           : ErrnoOf(failure);
      ::CloseHandle(temporary);
      ::DeleteFileW(temporaryName.c_str());
      return error;
    }
  }
  if (error != 0) {
    ::CloseHandle(temporary);
    ::DeleteFileW(temporaryName.c_str());
    return error;
  }
  CloseFileHandle(handle);
  handle = FileHandleOf(temporary);
  return 0;
}

}  // namespace

std::string SavingPrefix(const std::string& name) { return "." + name + ".saving-"; }

int ReplaceFile(const std::string& fileName, FileHandle& handle, std::string_view data) {
  if (!IsOpenHandle(handle) && handle != 0) return EBADF;
  if (handle == 0) {
    if (const int error = OpenExistingTarget(fileName, handle)) {
      handle = INVALID_HANDLE_VALUE;
      return error;
    }
  }
  BY_HANDLE_FILE_INFORMATION info{};
  std::wstring target;
  if (IsOpenHandle(handle)) {
    if (!::GetFileInformationByHandle(HandleOf(handle), &info)) return LastErrno();
    // A file with several names is rewritten in place, so that all of them see the change.
    if (info.nNumberOfLinks > 1) return RewriteFile(handle, data);
    target = FinalName(HandleOf(handle));
  }
  if (target.empty()) target = WideFileName(fileName);
  const TPathParts parts = SplitPath(target);
  HANDLE temporary = NoHandle;
  std::wstring temporaryName;
  if (const int error = CreateTemporary(parts, temporary, temporaryName)) {
    if (IsOpenHandle(handle)) return MayRewriteInPlace(error) ? RewriteFile(handle, data) : error;
    if (MayRewriteInPlace(error)) return CreateInPlace(target, data, handle);
    handle = INVALID_HANDLE_VALUE;
    return error;
  }
  const int error = WriteAndReplace(target, IsOpenHandle(handle) ? &info : nullptr, temporary,
                                    temporaryName, data, handle);
  if (error == 0) RemoveStaleTemporaries(parts);
  return error;
}

#endif
