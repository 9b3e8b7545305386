// Whole-file reading and rewriting in place on Windows handles.
#include <cstring>
#include <vector>

#include "inifile/fileaccess_p.h"
#include "inifile/platform/win32/text.h"

namespace {

bool Position(HANDLE file, LONGLONG offset, DWORD from, LONGLONG* now = nullptr) {
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  LARGE_INTEGER result;
  if (!::SetFilePointerEx(file, distance, &result, from)) return false;
  if (now != nullptr) *now = result.QuadPart;
  return true;
}

// Reads up to size bytes; 0 or the errno of the failure.
int ReadSome(HANDLE file, char* buffer, size_t size, size_t& done) {
  DWORD n = 0;
  const DWORD ask = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
  if (!::ReadFile(file, buffer, ask, &n, nullptr)) return LastErrno();
  done = n;
  return 0;
}

constexpr size_t WritePiece = size_t{64} * 1024;

void (*RewriteHook)() = nullptr;
void (*FileCallHook)(const char*) = nullptr;

int WriteAll(HANDLE file, const char* data, size_t size) {
  for (bool first = true; size > 0; first = false) {
    if (RewriteHook != nullptr && !first) RewriteHook();
    DWORD n = 0;
    const DWORD ask = static_cast<DWORD>(size > WritePiece ? WritePiece : size);
    if (!::WriteFile(file, data, ask, &n, nullptr)) return LastErrno();
    if (n == 0) return EIO;
    data += n;
    size -= n;
  }
  return 0;
}

int SetLength(HANDLE file, LONGLONG length) {
  if (!Position(file, length, FILE_BEGIN) || !::SetEndOfFile(file)) return LastErrno();
  return 0;
}

}  // namespace

void SetRewriteHook(void (*hook)()) { RewriteHook = hook; }

BOOL FlushNoted(HANDLE file) {
  NoteFileCall("sync");
  return ::FlushFileBuffers(file);
}

void SetFileCallHook(void (*hook)(const char* call)) { FileCallHook = hook; }

void NoteFileCall(const char* call) {
  if (FileCallHook != nullptr) FileCallHook(call);
}

std::string PeekFile(FileHandle handle, size_t count) {
  const HANDLE file = HandleOf(handle);
  LONGLONG here = 0;
  std::string bytes(count, '\0');
  size_t done = 0;
  if (!Position(file, 0, FILE_CURRENT, &here) || ReadSome(file, bytes.data(), count, done) != 0)
    done = 0;
  Position(file, here, FILE_BEGIN);
  bytes.resize(done);
  return bytes;
}

int ReadRestOfFile(FileHandle handle, std::string& data) {
  const HANDLE file = HandleOf(handle);
  LARGE_INTEGER size;
  LONGLONG here = 0;
  if (!::GetFileSizeEx(file, &size) || !Position(file, 0, FILE_CURRENT, &here)) return LastErrno();
  size_t filled = 0;
  data.resize(size.QuadPart > here ? static_cast<size_t>(size.QuadPart - here) + 1 : 4096);
  for (;;) {
    if (filled == data.size()) data.resize(data.size() * 2);
    size_t n = 0;
    if (const int error = ReadSome(file, data.data() + filled, data.size() - filled, n))
      return error;
    if (n == 0) break;
    filled += n;
  }
  data.resize(filled);
  return 0;
}

int ReadLinePieces(FileHandle handle, const std::function<void(std::string_view)>& take) {
  constexpr size_t PieceSize = size_t{256} * 1024;
  const HANDLE file = HandleOf(handle);
  std::vector<char> buffer(PieceSize);
  size_t filled = 0;
  for (;;) {
    if (filled == buffer.size()) buffer.resize(buffer.size() * 2);  // a line longer than a piece
    size_t n = 0;
    if (const int error = ReadSome(file, buffer.data() + filled, buffer.size() - filled, n))
      return error;
    if (n == 0) {
      if (filled > 0) take(std::string_view(buffer.data(), filled));
      return 0;
    }
    // The bytes carried over from the last piece hold no line end.
    const std::string_view fresh(buffer.data() + filled, n);
    filled += n;
    const size_t last = fresh.find_last_of("\r\n");
    if (last == std::string_view::npos) continue;
    const size_t cut = filled - fresh.size() + last;
    take(std::string_view(buffer.data(), cut + 1));
    filled -= cut + 1;
    std::memmove(buffer.data(), buffer.data() + cut + 1, filled);
  }
}

namespace {

int TakeFacts(HANDLE file, TFileFacts& facts) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file, &info)) return LastErrno();
  facts.Device = info.dwVolumeSerialNumber;
  facts.Index = (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
  facts.Size = (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  return 0;
}

}  // namespace

int FileFactsOf(FileHandle handle, TFileFacts& facts) { return TakeFacts(HandleOf(handle), facts); }

int NamedFileFacts(const std::string& fileName, TFileFacts& facts) {
  const HANDLE probe = ::CreateFileW(WideFileName(fileName).c_str(), 0,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (probe == HandleOf(InvalidFileHandle)) return LastErrno();
  const int error = TakeFacts(probe, facts);
  ::CloseHandle(probe);
  return error;
}

std::string StateFolder() {
  const DWORD size = ::GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
  if (size == 0) return {};
  std::wstring folder(size, L'\0');
  const DWORD length = ::GetEnvironmentVariableW(L"LOCALAPPDATA", folder.data(), size);
  if (length == 0 || length >= size) return {};
  folder.resize(length);
  return Utf8Text(folder) + "\\vuka-manager\\";
}

int RemoveFile(const std::string& fileName) {
  NoteFileCall("remove");
  return ::DeleteFileW(WideFileName(fileName).c_str()) ? 0 : LastErrno();
}

int SyncFolderOf(const std::string& /*fileName*/) { return 0; }

int RewriteFile(FileHandle handle, const TFileContent& content) {
  const HANDLE file = HandleOf(handle);
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file, &size)) return LastErrno();
  const uint64_t total = ContentFacts(content).Size;
  const auto length = static_cast<LONGLONG>(total);
  // Reserve the new length first: extending the file allocates its space.
  if (length > size.QuadPart) {
    if (const int error = SetLength(file, length)) {
      SetLength(file, size.QuadPart);
      return error;
    }
  }
  if (!Position(file, 0, FILE_BEGIN)) return LastErrno();
  bool first = true;
  const int error = WriteContent(
      content, WritePiece,
      [file, &first](std::string_view piece) {
        if (RewriteHook != nullptr && !first) RewriteHook();
        first = false;
        return WriteAll(file, piece.data(), piece.size());
      },
      &total);
  if (error != 0) return error;
  // Leave the file pointer after the content, as a sequential rewrite would.
  if (const int error = SetLength(file, length)) return error;
  if (!FlushNoted(file)) return LastErrno();
  return 0;
}
