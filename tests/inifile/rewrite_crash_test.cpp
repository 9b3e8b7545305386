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
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <thread>
#include <vector>

#include "filecalls.h"
#include "inifile/fileaccess_p.h"
#include "inifile/inifile.h"
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

// The calls of a save in place, in order: the recovery copy synced, and its folder
// entry; the file synced; the copy removed, and that removal synced.
std::vector<std::string> InPlaceCalls() {
  return {"sync", "sync folder", "sync", "remove", "sync folder"};
}

// Points the user's state folder, where in-place saves keep their recovery copies, at a
// folder that anyone may write, for the life of the object.
class TStateFolder {
 public:
  explicit TStateFolder(const std::string& path) : Copies_(path + "/vuka-manager") {
    EXPECT_EQ(::mkdir(path.c_str(), 0777), 0);
    EXPECT_EQ(::chmod(path.c_str(), 0777), 0);
    if (const char* old = std::getenv("XDG_STATE_HOME")) Old_ = old;
    ::setenv("XDG_STATE_HOME", path.c_str(), 1);
  }
  ~TStateFolder() {
    if (Old_)
      ::setenv("XDG_STATE_HOME", Old_->c_str(), 1);
    else
      ::unsetenv("XDG_STATE_HOME");
  }
  TStateFolder(const TStateFolder&) = delete;
  TStateFolder& operator=(const TStateFolder&) = delete;
  // The recovery copies left in it.
  std::vector<std::string> Copies() const { return FolderEntries(Copies_); }

 private:
  std::string Copies_;
  std::optional<std::string> Old_;
};

// Slows every write down, so that most kills land in the middle of one.
void SlowWrites() { ::usleep(500); }

struct TKillFigures {
  int Torn = 0;    // files that held neither text
  int SawNew = 0;  // files that held the new text
};

// The saving child: gives up root first when dropRoot, never returns.
[[noreturn]] void SaveSlowlyUntilKilled(const std::string& path, bool dropRoot, size_t newSize,
                                        size_t oldSize) {
  try {
    if (dropRoot && ::setuid(65534) != 0) _exit(3);
    SetRewriteHook(SlowWrites);
    SaveAlternately(path, newSize, oldSize);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "the saving child failed: %s\n", e.what());
  }
  _exit(4);
}

// Kills a child that saves into path in place at `kills` random moments (a child that gives
// up root first when dropRoot) and opens the file after each kill, as the next session would.
TKillFigures KillInPlaceSaves(const std::string& path, bool dropRoot, int kills) {
  const size_t oldSize = 1 << 20, newSize = (1 << 20) - 100000;
  const std::string oldText = BigText('a', oldSize), newText = BigText('b', newSize);
  WriteBytes(path, oldText);
  std::mt19937 random(4242);
  std::uniform_int_distribution<int> delay(0, 60000);  // microseconds
  TKillFigures figures;
  // On a busy machine no save may finish within the planned kills' delays: then up to
  // seven more kills wait twice as long each time (0.12 s to 7.7 s), so that the test
  // neither proves nothing nor fails for the machine's load.
  constexpr int ExtraKills = 7;
  for (int trial = 0; trial < kills || (figures.SawNew == 0 && trial < kills + ExtraKills);
       ++trial) {
    const pid_t child = ::fork();
    if (child < 0) break;
    if (child == 0) SaveSlowlyUntilKilled(path, dropRoot, newSize, oldSize);
    const int wait = trial < kills ? delay(random) : 60000 << (trial - kills + 1);
    std::this_thread::sleep_for(std::chrono::microseconds(wait));
    ::kill(child, SIGKILL);
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself";
    { const TIniDocument next(path, true); }  // the next open (which must not fail)
    const std::string text = ReadBytes(path);
    figures.SawNew += text == newText;
    if (text != oldText && text != newText) {
      ++figures.Torn;
      WriteBytes(path, oldText);  // the next trial starts from a whole file again
    }
  }
  return figures;
}

// A save that must rewrite the file in place, because the file has a second name or its
// folder takes no new file (for root: the saving child gives up root), is killed at random
// moments: once the next open has finished an interrupted save, the file holds the old or
// the new text.
TEST(RewriteCrash, KilledInPlaceSavesAreFinishedByTheNextOpen) {
  constexpr int Kills = 25;
  TTempDir dir;
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
  const bool root = ::geteuid() == 0;
  for (const bool linked : {true, false}) {
    const std::string folder = dir / (linked ? "linked" : "locked"), path = folder + "/vuka.ini";
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    WriteBytes(path, "");
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    const TStateFolder state(folder + ".state");  // the saving user's own
    std::vector<std::string> names{"vuka.ini"};
    if (linked) {
      ASSERT_EQ(::link(path.c_str(), (folder + "/other.ini").c_str()), 0);
      names.insert(names.begin(), "other.ini");
    } else if (!root) {
      ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    }
    const TKillFigures figures = KillInPlaceSaves(path, !linked && root, Kills);
    ::chmod(folder.c_str(), 0755);
    const char* const what = linked ? "a file with two names" : "a folder that takes no file";
    EXPECT_EQ(figures.Torn, 0) << what << ": torn files in " << Kills << " kills";
    EXPECT_GT(figures.SawNew, 0) << what << ": no save ever completed, the test proves nothing";
    EXPECT_EQ(state.Copies(), std::vector<std::string>{}) << what;
    EXPECT_EQ(FolderEntries(folder), names) << what;
  }
}

#endif  // killing a child process

#ifndef _WIN32

// A file of random lines and line ends, far larger than the pieces a save is
// written in, with one line longer than any of them.
std::string LargeFile(std::mt19937& random) {
  const char* const ends[] = {"\r\n", "\n", "\r"};
  std::string bytes = "; before any section\r\n";
  for (int section = 0; section < 8; ++section) {
    bytes += "[S" + std::to_string(section) + "]\r\n";
    for (int line = 0; line < 4000; ++line) {
      const std::string key = "k" + std::to_string(random() % 5000);
      bytes += random() % 9 == 0 ? "; note " + key : key + " = v" + std::to_string(random());
      bytes += ends[random() % 3];
    }
  }
  return bytes + "[Long]\nvalue=" + std::string(200000, 'x') + "\n";
}

TEST(RewriteCrash, AStreamedSaveWritesEveryByteReplacedOrInPlace) {
  TTempDir dir;
  std::mt19937 random(11);
  for (const bool linked : {false, true}) {
    const std::string path = dir / (linked ? "linked.ini" : "renamed.ini");
    WriteBytes(path, LargeFile(random));
    if (linked) {
      ASSERT_EQ(::link(path.c_str(), (dir / "other.ini").c_str()), 0);
    }
    const TStateFolder state(dir / (linked ? "state-linked" : "state-renamed"));
    TIniDocument doc(path, false);
    doc.WriteString("S3", "k17", "changed");
    doc.WriteString("S7", "new", " quoted ");
    doc.WriteString("Long", "value", std::string(150000, 'y'));
    doc.DeleteKey("S1", "k5");
    const std::string expected = doc.Text();
    doc.UpdateFileAndRelease();
    EXPECT_EQ(ReadBytes(path), expected) << (linked ? "in place" : "renamed");
    EXPECT_EQ(doc.Sections().Count(), 0);
    EXPECT_EQ(state.Copies(), std::vector<std::string>{});
  }
}

// What a power cut leaves depends on the order of a save's calls: the new text
// is on the disk before the rename puts it in the target's place, and the
// folder after it; in place, the recovery copy and its folder entry are on the
// disk before the file is written, and the file before the copy goes.
TEST(RewriteCrash, ASaveSyncsEachTextBeforeTheStepThatReliesOnIt) {
  TTempDir dir;
  for (const bool linked : {false, true}) {
    const std::string path = dir / (linked ? "linked.ini" : "renamed.ini");
    WriteBytes(path, "[S]\r\nk=old\r\n");
    if (linked) {
      ASSERT_EQ(::link(path.c_str(), (dir / "other.ini").c_str()), 0);
    }
    const TStateFolder state(dir / (linked ? "state-linked" : "state-renamed"));
    TIniDocument doc(path, false);
    doc.WriteString("S", "k", "new");
    const TFileCalls calls;
    doc.UpdateFile();
    const std::vector<std::string> expected =
        linked ? InPlaceCalls() : std::vector<std::string>{"sync", "rename", "sync folder"};
    EXPECT_EQ(TFileCalls::Calls(), expected) << (linked ? "in place" : "renamed");
    EXPECT_EQ(ReadBytes(path), "[S]\r\nk=new\r\n");
  }
}

#endif

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
  const TStateFolder state(dir / "state");

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
  const TStateFolder state(dir / "state");
  // Root writes everywhere: act as an ordinary user for the save.
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::seteuid(65534), 0);
  } else {
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
  }
  std::string failure;
  std::vector<std::string> calls;
  try {
    TIniDocument doc(path, false);
    doc.WriteString("S", "k", "2");
    const TFileCalls recorded;
    doc.UpdateFile();
    calls = TFileCalls::Calls();
  } catch (const std::exception& e) {
    failure = e.what();
  }
  if (root) {
    ASSERT_EQ(::seteuid(0), 0);
  }
  ::chmod(folder.c_str(), 0755);
  EXPECT_EQ(failure, "");
  EXPECT_EQ(calls, InPlaceCalls());
  EXPECT_EQ(ReadBytes(path), "[S]\r\nk=2\r\n");
  EXPECT_EQ(StatOf(path).st_ino, inode);
  EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"f.ini"});
  EXPECT_EQ(state.Copies(), std::vector<std::string>{});
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
