// A flush replaces the file through a temporary file: a killed save leaves the
// old or the new text, never a mixture; links, modes and owners survive.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <csignal>
#include <random>
#include <vector>

#include "inifile/inifile.h"
#include "inifile/posixfile.h"
#include "testfiles.h"

namespace {

#ifndef _WIN32

struct stat StatOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info;
}

// One section whose single big value makes the text about `bytes` long.
std::string BigText(char fill, size_t bytes) {
  return "[S]\r\nhead=1\r\nbig=" + std::string(bytes, fill) + "\r\ntail=2\r\n\r\n";
}

void SaveAlternately(const std::string& path, size_t newSize, size_t oldSize) {
  TIniDocument doc(path, false);
  for (long i = 0;; ++i) {
    doc.WriteString("S", "big", i % 2 == 0 ? std::string(newSize, 'b') : std::string(oldSize, 'a'));
    doc.UpdateFile();
  }
}

TEST(RewriteCrash, KilledSavesLeaveTheOldOrTheNewText) {
  TTempDir dir;
  const std::string path = dir / "vuka.ini";
  const size_t oldSize = 1 << 20, newSize = (1 << 20) - 100000;
  const std::string oldText = BigText('a', oldSize), newText = BigText('b', newSize);
  WriteBytes(path, oldText);
  const std::string prefix = SavingPrefix("vuka.ini");

  std::mt19937 random(12345);
  std::uniform_int_distribution<int> delay(0, 40000);  // microseconds
  const auto start = std::chrono::steady_clock::now();
  int trials = 0, sawNew = 0;
  for (; trials < 300 && std::chrono::steady_clock::now() - start < std::chrono::seconds(40);
       ++trials) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      SaveAlternately(path, newSize, oldSize);
      _exit(0);
    }
    ::usleep(static_cast<useconds_t>(delay(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);

    const std::string text = ReadBytes(path);
    ASSERT_TRUE(text == oldText || text == newText)
        << "trial " << trials << ": a torn file of " << text.size() << " bytes";
    sawNew += text == newText;
    int leftOver = 0;
    for (const std::string& name : FolderEntries(dir.Path())) {
      if (name == "vuka.ini") continue;
      ASSERT_EQ(name.rfind(prefix, 0), 0u) << "unexpected file " << name;
      ++leftOver;
      ::unlink((dir / name).c_str());
    }
    ASSERT_LE(leftOver, 1) << "trial " << trials;
  }
  EXPECT_GE(trials, 100);
  EXPECT_GT(sawNew, 0) << "no save ever completed: the test proves nothing";
}

#endif  // killing a child process

TEST(RewriteCrash, TheNextSaveRemovesWhatAKilledSaveLeft) {
  TTempDir dir;
  const std::string path = dir / "f.ini";
  WriteBytes(path, "[S]\r\nk=1\r\n");
  WriteBytes(dir / (SavingPrefix("f.ini") + "Ab3dE9"), "[S]\r\nk=half");
  WriteBytes(dir / (SavingPrefix("f.ini") + "toolong1"), "not ours");
  WriteBytes(dir / (SavingPrefix("g.ini") + "Ab3dE9"), "another target's");
  {
    TIniDocument doc(path, false);
    doc.WriteString("S", "k", "2");
    doc.UpdateFile();
  }
  EXPECT_EQ(FolderEntries(dir.Path()),
            (std::vector<std::string>{SavingPrefix("f.ini") + "toolong1",
                                      SavingPrefix("g.ini") + "Ab3dE9", "f.ini"}));
  EXPECT_EQ(ReadBytes(path), "[S]\r\nk=2\r\n");
}

TEST(RewriteCrash, TheSavedFileStaysHeldAgainstOtherWriters) {
  TTempDir dir;
  for (const bool existed : {true, false}) {
    const std::string path = dir / (existed ? "old.ini" : "new.ini");
    if (existed) WriteBytes(path, "[S]\r\nk=1\r\n");
    TIniDocument doc(path, false);
    doc.WriteString("S", "k", "2");
    doc.UpdateFile();
    try {
      TIniDocument second(path, false);
      ADD_FAILURE() << "a second writer opened " << path;
    } catch (const EInOutError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot open file " + path);
    }
    EXPECT_NO_THROW(TIniDocument(path, true));  // readers are welcome
    doc.WriteString("S", "k", "3");
    doc.UpdateFile();  // and the document goes on saving, in the form of the file it found
    EXPECT_EQ(ReadBytes(path), existed ? "[S]\r\nk=3\r\n" : "[S]\r\nk=3\r\n\r\n");
  }
}

// Modes, owners, links, permissions and file size limits are POSIX matters.
#ifndef _WIN32
TEST(RewriteCrash, ModeOwnerAndLinksSurvive) {
  TTempDir dir;
  ASSERT_EQ(::mkdir((dir / "real").c_str(), 0755), 0);
  const std::string target = dir / "real/vuka.ini", link = dir / "link.ini";
  const std::string hard = dir / "real/hard.ini", other = dir / "real/other.ini";
  for (const std::string& path : {target, hard}) WriteBytes(path, "[S]\r\nk=1\r\n");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(target.c_str(), 1234, 5678), 0);
  }
  ASSERT_EQ(::symlink("real/vuka.ini", link.c_str()), 0);
  ASSERT_EQ(::link(hard.c_str(), other.c_str()), 0);
  const ino_t hardInode = StatOf(hard).st_ino;

  for (const std::string& path : {link, hard}) {
    TIniDocument doc(path, false);
    doc.WriteString("S", "k", "2");
    doc.UpdateFile();
  }
  struct stat linkInfo {};
  ASSERT_EQ(::lstat(link.c_str(), &linkInfo), 0);
  EXPECT_TRUE(S_ISLNK(linkInfo.st_mode)) << "the link was replaced by a file";
  EXPECT_EQ(ReadBytes(target), "[S]\r\nk=2\r\n");
  EXPECT_EQ(StatOf(target).st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(StatOf(target).st_uid, 1234u);
    EXPECT_EQ(StatOf(target).st_gid, 5678u);
  }
  // A file with two names is rewritten in place, so both names see the change.
  EXPECT_EQ(StatOf(hard).st_ino, hardInode);
  EXPECT_EQ(ReadBytes(other), "[S]\r\nk=2\r\n");
  EXPECT_EQ(FolderEntries(dir / "real"),
            (std::vector<std::string>{"hard.ini", "other.ini", "vuka.ini"}));
}

TEST(RewriteCrash, AFolderThatCannotBeWrittenGetsAnInPlaceRewrite) {
  TTempDir dir;
  const std::string folder = dir / "locked", path = dir / "locked/f.ini";
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  WriteBytes(path, "[S]\r\nk=1\r\n");
  ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
  const ino_t inode = StatOf(path).st_ino;
  // Root writes everywhere: act as an ordinary user for the save.
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::seteuid(65534), 0);
  } else {
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
  }
  std::string failure;
  try {
    TIniDocument doc(path, false);
    doc.WriteString("S", "k", "2");
    doc.UpdateFile();
  } catch (const std::exception& e) {
    failure = e.what();
  }
  if (root) {
    ASSERT_EQ(::seteuid(0), 0);
  }
  ::chmod(folder.c_str(), 0755);
  EXPECT_EQ(failure, "");
  EXPECT_EQ(ReadBytes(path), "[S]\r\nk=2\r\n");
  EXPECT_EQ(StatOf(path).st_ino, inode);
  EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"f.ini"});
}

TEST(RewriteCrash, AFailedSaveOfANewFileLeavesNothingBehind) {
  TTempDir dir;
  const std::string path = dir / "sub/new.ini";
  TIniDocument doc(path, false);
  doc.WriteString("S", "big", std::string(size_t{64} * 1024, 'x'));
  rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 4096;
  auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string failure;
  try {
    doc.UpdateFile();
  } catch (const EInOutError& e) {
    failure = e.what();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(failure, "Cannot write file " + path + ": File too large");
  EXPECT_EQ(FolderEntries(dir / "sub"), std::vector<std::string>{}) << "the folder is still made";
  doc.UpdateFile();  // a passing failure: the next flush writes
  EXPECT_EQ(ReadBytes(path).size(), 5 + 4 + size_t{64} * 1024 + 2 + 2);
}

#endif

}  // namespace
