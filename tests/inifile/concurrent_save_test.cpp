// Writers in several processes save into one file: each excludes the others for
// its whole read, change and write, so no key whose save succeeded goes missing.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "inifile/fileaccess_p.h"
#include "inifile/inifile.h"
#include "testfiles.h"

namespace {

constexpr int Writers = 4;
constexpr int KeysEach = 40;
const std::vector<std::string> Chosen{"S"};

// Lets the other writers rename a new file over the one just opened.
void PauseBeforeLocking() { ::usleep(3000); }

// Saves its keys one by one, each through a document of its own (alternately one of all
// sections and one of chosen sections, as Save uses), and reports every key whose save
// succeeded on report. A refused save is tried again.
void SaveKeys(const std::string& path, int writer, int report) {
  if (writer == 0) SetOpenLockHook(PauseBeforeLocking);
  for (int i = 0; i < KeysEach; ++i) {
    const std::string key = "w" + std::to_string(writer) + "k" + std::to_string(i);
    for (int attempt = 0; attempt < 2000; ++attempt) {
      try {
        const auto doc = i % 2 == 0 ? std::make_unique<TIniDocument>(path, false)
                                    : std::make_unique<TIniDocument>(path, Chosen);
        doc->WriteString("S", key, "1");
        doc->UpdateFile();
      } catch (const EInOutError&) {
        ::usleep(500);
        continue;
      }
      const std::string line = key + "\n";
      if (::write(report, line.data(), line.size()) != static_cast<ssize_t>(line.size())) _exit(2);
      break;
    }
  }
}

TEST(ConcurrentSaves, NoKeyWhoseSaveSucceededIsLost) {
  TTempDir dir;
  const std::string path = dir / "vuka.ini";  // missing at first: the first save makes it
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  std::vector<pid_t> children;
  for (int writer = 0; writer < Writers; ++writer) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipeEnds[0]);
      SaveKeys(path, writer, pipeEnds[1]);
      _exit(0);
    }
    children.push_back(child);
  }
  ::close(pipeEnds[1]);
  std::string reports;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) reports.append(buffer, n);
  ::close(pipeEnds[0]);
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  TIniDocument saved(path, true);
  std::set<std::string> reported, missing;
  for (size_t start = 0, end; (end = reports.find('\n', start)) != std::string::npos;
       start = end + 1) {
    const std::string key = reports.substr(start, end - start);
    reported.insert(key);
    if (saved.ReadString("S", key, "") != "1") missing.insert(key);
  }
  EXPECT_GE(reported.size(), size_t{Writers} * KeysEach / 2) << "too few saves succeeded";
  EXPECT_TRUE(missing.empty()) << missing.size() << " of " << reported.size()
                               << " keys reported saved are missing, e.g. " << *missing.begin();
}

}  // namespace
