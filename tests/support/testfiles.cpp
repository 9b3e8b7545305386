#include "testfiles.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace {

// Names are UTF-8, also where the file system's narrow names are not.
std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string name = path.generic_u8string();
  return std::string(name.begin(), name.end());
}

}  // namespace

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

std::string Utf16File(std::string_view utf8, bool bigEndian) {
  if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
  std::u16string units = u"\uFEFF";
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if ((byte & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
      units += static_cast<char16_t>((byte & 0x1F) << 6 | (utf8[++i] & 0x3F));
    } else {
      units += static_cast<char16_t>(byte);
    }
  }
  std::string bytes;
  for (const char16_t unit : units) {
    const auto high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(PathOf(path), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path) { return std::filesystem::exists(PathOf(path)); }

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(PathOf(folder), error))
    names.push_back(Utf8Of(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

void SetOldModificationTime(const std::string& path) {
  const std::chrono::sys_seconds old{std::chrono::seconds{1000000000}};
  std::error_code error;
  std::filesystem::last_write_time(PathOf(path), std::chrono::file_clock::from_sys(old), error);
  if (error) throw std::runtime_error("cannot set the modification time of " + path);
}

#ifdef _WIN32
std::string ModificationStamp(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &info);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!known) throw std::runtime_error("cannot stat " + path);
  return std::to_string((static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                        info.ftLastWriteTime.dwLowDateTime) +
         "/" +
         std::to_string((static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow);
}
#else
std::string ModificationStamp(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) throw std::runtime_error("stat " + path);
  return std::to_string(info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec) + "/" +
         std::to_string(info.st_ino);
}
#endif

TTempDir::TTempDir(const std::string& base) {
  const std::filesystem::path parent = !base.empty() && std::filesystem::is_directory(base)
                                           ? std::filesystem::path(base)
                                           : std::filesystem::temp_directory_path();
  static std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<int> letter(0, 25);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = "vuka-test-";
    for (int i = 0; i < 6; ++i) name += static_cast<char>('a' + letter(random));
    std::error_code error;
    if (std::filesystem::create_directory(parent / name, error)) {
      // Forward slashes on every platform: the tests join names with "/".
      Path_ = Utf8Of(parent / name);
      return;
    }
  }
  throw std::runtime_error("cannot make a temporary directory in " + parent.string());
}

TTempDir::~TTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(PathOf(Path_), ignored);
}

#ifdef _WIN32
std::string RunUnprivileged(std::string (*check)(const std::string& dir), const std::string& dir) {
  return check(dir);
}
#else
std::string RunUnprivileged(std::string (*check)(const std::string& dir), const std::string& dir) {
  if (geteuid() != 0) return check(dir);

  constexpr uid_t kNobody = 65534;
  std::filesystem::permissions(dir, std::filesystem::perms::all);  // let the child in
  int fds[2];
  if (pipe(fds) != 0) return "pipe failed";
  const pid_t child = fork();
  if (child < 0) return "fork failed";
  if (child == 0) {
    close(fds[0]);
    std::string result;
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0) {
      result = "cannot give up root";
    } else {
      try {
        result = check(dir);
      } catch (const std::exception& error) {
        result = std::string("unexpected exception: ") + error.what();
      }
    }
    ssize_t written = write(fds[1], result.data(), result.size());
    _exit(written == static_cast<ssize_t>(result.size()) ? 0 : 1);
  }
  close(fds[1]);
  std::string result;
  char buffer[256];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
    result.append(buffer, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "child process failed: " + result;
  return result;
}
#endif
