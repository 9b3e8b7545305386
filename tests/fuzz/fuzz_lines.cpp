// The bulk loader's line splitter gives exactly the lines that ReadLine gives
// when called until AtEndOfFile, on a file holding the input.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "inifile/inifile.h"
#include "inifile/linefile_p.h"
#include "inifile/linesplitter_p.h"
#include "reading_checks.h"

namespace {

std::vector<std::string> ReadLines(std::string_view input) {
  const int fd = memfd_create("fuzz_lines", 0);
  if (fd < 0 || write(fd, input.data(), input.size()) != static_cast<ssize_t>(input.size()) ||
      lseek(fd, 0, SEEK_SET) != 0) {
    std::perror("memfd");
    std::abort();
  }
  FileHandle handle = fd + 1;  // the engine's handle is the descriptor plus one
  std::vector<std::string> lines;
  while (!AtEndOfFile(handle)) {
    lines.push_back(ReadLine(handle));
    if (lines.size() > input.size() + 1) break;  // ReadLine stopped advancing
  }
  CloseFileHandle(handle);
  return lines;
}

std::vector<std::string> SplitLines(std::string_view input) {
  std::vector<std::string> lines;
  TLineSplitter splitter(input);
  std::string_view line;
  while (splitter.Next(line)) {
    lines.emplace_back(line);
    if (lines.size() > input.size() + 1) break;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> read = ReadLines(input);
  const std::vector<std::string> split = SplitLines(input);
  if (read == split) return 0;
  std::vector<std::string> problems{"ReadLine gave " + std::to_string(read.size()) +
                                    " lines, the splitter " + std::to_string(split.size())};
  for (size_t i = 0; i < read.size() || i < split.size(); ++i) {
    const std::string a = i < read.size() ? profile::Escape(read[i]) : "(none)";
    const std::string b = i < split.size() ? profile::Escape(split[i]) : "(none)";
    if (a != b) {
      std::string problem = "line " + std::to_string(i + 1);
      problem += ": ReadLine " + a;
      problem += ", splitter " + b;
      problems.push_back(problem);
      break;
    }
  }
  FailOnProblems(problems, "the bulk loader splits lines unlike ReadLine", input);
  return 0;
}
