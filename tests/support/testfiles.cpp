#include "testfiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path) { return std::filesystem::exists(path); }

void SetOldModificationTime(const std::string& path) {
  const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
  if (utimensat(AT_FDCWD, path.c_str(), old, 0) != 0) throw std::runtime_error("utimensat " + path);
}

std::string ModificationStamp(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) throw std::runtime_error("stat " + path);
  return std::to_string(info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec) + "/" +
         std::to_string(info.st_ino);
}

TTempDir::TTempDir(const std::string& base) {
  const std::filesystem::path parent = !base.empty() && std::filesystem::is_directory(base)
                                           ? std::filesystem::path(base)
                                           : std::filesystem::temp_directory_path();
  std::string pattern = (parent / "vuka-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  Path_ = pattern;
}

TTempDir::~TTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(Path_, ignored);
}

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
