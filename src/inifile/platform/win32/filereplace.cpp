// Crash-safe replacement of a file on Windows: temporary file, flush, rename.
#include <cerrno>
#include <random>

#include "inifile/fileaccess_p.h"
#include "inifile/inplace_p.h"
#include "inifile/platform/win32/text.h"

namespace {

constexpr size_t SuffixLength = 6;
constexpr std::wstring_view SuffixLetters =
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                 FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr int ReplaceAttempts = 5;
const HANDLE NoHandle = HandleOf(InvalidFileHandle);

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
  if (IsReadOnlyFile(name)) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return NoHandle;
  }
  return ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE,
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

// The new file gets the target's attributes and creation time, which a
// rename over the target would otherwise lose.
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

// Puts the temporary file in the existing target's place with one rename,
// which NTFS makes atomic: a crash leaves the old or the new file. A program
// that holds the target for a moment (a virus scanner, an indexer) is waited
// for a little. ERROR_SUCCESS or the Windows error.
DWORD ReplaceTarget(const std::wstring& target, const std::wstring& temporary) {
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 1; attempt <= ReplaceAttempts; ++attempt) {
    NoteFileCall("rename");
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
int CreateInPlace(const std::wstring& target, const TFileContent& content, FileHandle& handle) {
  const HANDLE file = OpenForWriting(target, CREATE_NEW);
  if (file == NoHandle) {
    handle = InvalidFileHandle;
    return LastErrno();
  }
  if (const int error = RewriteInPlaceSafely(Utf8Text(target), FileHandleOf(file), content)) {
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

// A document that found no file must not write over one that appeared since:
// it belongs to someone else, whose text the document never read. 0 when
// there is no target, else the errno (EEXIST when one could be held).
int RefuseNewcomer(const std::string& fileName) {
  const HANDLE file = OpenForWriting(WideFileName(fileName), OPEN_EXISTING);
  if (file != NoHandle) {
    ::CloseHandle(file);
    return EEXIST;
  }
  const DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : ErrnoOf(error);
}

// Puts the written temporary file in the existing target's place and holds
// the new file, by its name, in handle (zero when another writer took it in
// between). The lock is let go for the replacement only. When the target
// cannot be replaced because a program holds it open (one that lets it be
// written), it is rewritten in place. 0 or the errno.
int ReplaceExisting(const std::wstring& target, const std::wstring& temporaryName,
                    const TFileContent& content, FileHandle& handle) {
  CloseFileHandle(handle);
  const DWORD failure = ReplaceTarget(target, temporaryName);
  if (failure != ERROR_SUCCESS) ::DeleteFileW(temporaryName.c_str());
  const HANDLE file = OpenForWriting(target, OPEN_EXISTING);
  if (file == NoHandle) return failure != ERROR_SUCCESS ? ErrnoOf(failure) : 0;
  handle = FileHandleOf(file);
  if (failure == ERROR_SUCCESS) return 0;
  return IsHeldByOthers(failure) ? RewriteInPlaceSafely(Utf8Text(target), handle, content)
                                 : ErrnoOf(failure);
}

// Writes data to the temporary file and puts it in the target's place. On
// success handle is the new file. existing is the target's information when
// handle holds it.
int WriteAndReplace(const std::wstring& target, const BY_HANDLE_FILE_INFORMATION* existing,
                    const HANDLE temporary, const std::wstring& temporaryName,
                    const TFileContent& content, FileHandle& handle) {
  int error = WriteContent(content, size_t{64} * 1024, [temporary](std::string_view piece) {
    return WriteAll(temporary, piece);
  });
  if (error == 0 && existing != nullptr) error = CopyAttributes(temporary, *existing);
  if (error == 0 && !FlushNoted(temporary)) error = LastErrno();
  if (error == 0 && existing == nullptr) {
    NoteFileCall("rename");
    // A target that appeared meanwhile belongs to someone else: never clobber it.
    if (!::MoveFileExW(temporaryName.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
      error = LastErrno();
  }
  ::CloseHandle(temporary);
  if (error == 0 && existing == nullptr) {
    // Held again by its name: a handle does not learn the name it was renamed to.
    const HANDLE file = OpenForWriting(target, OPEN_EXISTING);
    handle = file != NoHandle ? FileHandleOf(file) : 0;
    return 0;
  }
  if (error == 0) return ReplaceExisting(target, temporaryName, content, handle);
  ::DeleteFileW(temporaryName.c_str());
  return error;
}

}  // namespace

std::string SavingPrefix(const std::string& name) { return "." + name + ".saving-"; }

int ReplaceFileContent(const std::string& fileName, FileHandle& handle,
                       const TFileContent& content) {
  if (!IsOpenHandle(handle) && handle != 0) return EBADF;
  if (handle == 0) {
    if (const int error = RefuseNewcomer(fileName)) {
      handle = InvalidFileHandle;
      return error;
    }
  }
  BY_HANDLE_FILE_INFORMATION info{};
  std::wstring target;
  if (IsOpenHandle(handle)) {
    // Another writer may have replaced the file in the moment its save let go
    // of it, after this one opened it: writing now would undo that save.
    if (!NameLeadsTo(WideFileName(fileName), HandleOf(handle))) {
      CloseFileHandle(handle);
      handle = InvalidFileHandle;
      return EAGAIN;
    }
    if (!::GetFileInformationByHandle(HandleOf(handle), &info)) return LastErrno();
    // A file with several names is rewritten in place, so that all of them see the change.
    if (info.nNumberOfLinks > 1) return RewriteInPlaceSafely(fileName, handle, content);
    target = FinalName(HandleOf(handle));
  }
  if (target.empty()) target = WideFileName(fileName);
  const TPathParts parts = SplitPath(target);
  HANDLE temporary = NoHandle;
  std::wstring temporaryName;
  if (const int error = CreateTemporary(parts, temporary, temporaryName)) {
    if (IsOpenHandle(handle))
      return MayRewriteInPlace(error) ? RewriteInPlaceSafely(fileName, handle, content) : error;
    if (MayRewriteInPlace(error)) return CreateInPlace(target, content, handle);
    handle = InvalidFileHandle;
    return error;
  }
  const int error = WriteAndReplace(target, IsOpenHandle(handle) ? &info : nullptr, temporary,
                                    temporaryName, content, handle);
  if (error == 0) RemoveStaleTemporaries(parts);
  return error;
}
