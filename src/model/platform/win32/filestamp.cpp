// A file's stamp on Windows: volume, file index, size and last write time.
#include "model/filestamp.h"
#include "inifile/platform/win32/text.h"

TFileStamp StampOf(const std::string& fileName) {
  TFileStamp stamp;
  if (fileName.empty()) return stamp;
  const HANDLE file = ::CreateFileW(WideFileName(fileName).c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  if (file == HandleOf(InvalidFileHandle)) return stamp;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = ::GetFileInformationByHandle(file, &info) != 0;
  ::CloseHandle(file);
  if (!known || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return stamp;
  const auto join = [](DWORD high, DWORD low) { return (uint64_t{high} << 32) | low; };
  stamp.Exists = true;
  stamp.Device = info.dwVolumeSerialNumber;
  stamp.Inode = join(info.nFileIndexHigh, info.nFileIndexLow);
  stamp.Size = join(info.nFileSizeHigh, info.nFileSizeLow);
  // 100-nanosecond steps since 1601.
  stamp.ModifiedNs = static_cast<int64_t>(
      join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime) * 100);
  return stamp;
}
