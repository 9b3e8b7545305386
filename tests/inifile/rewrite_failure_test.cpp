// A flush that cannot write reports it, keeps the document modified and,
// when the disk is full, leaves the file as it was.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <stdexcept>

#include "inifile/inifile.h"
#include "inifile/linefile_p.h"
#include "testfiles.h"

namespace {

void ExpectWriteError(TIniDocument& doc, const std::string& reason) {
  try {
    doc.UpdateFile();
    FAIL() << "the flush passed for success";
  } catch (const EInOutError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot write file " + doc.FileName() + ": " + reason);
  }
  EXPECT_TRUE(doc.Modified());
}

// Changes a document on path, which cannot be written, and expects every
// flush to report that; the document is then destroyed still modified.
void ExpectEveryFlushToFail(const std::string& path) {
  TIniDocument doc(path, false);
  doc.WriteString("S", "k", "v");
  ExpectWriteError(doc, "Not a directory");
  ExpectWriteError(doc, "Not a directory");
  EXPECT_THROW(doc.WriteString("", "", ""), EInOutError);  // a flush request reports too
}

TEST(RewriteFailure, UnopenableFileIsReportedEveryTime) {
  TTempDir dir;
  WriteBytes(dir / "plain", "");
  const std::string path = dir / "plain/sub/vuka.ini";  // below a regular file
  EXPECT_NO_THROW(ExpectEveryFlushToFail(path)) << "the destructor must swallow the failed flush";
}

TEST(RewriteFailure, AFileThatAnotherWriterHoldsOrMadeIsLeftAlone) {
  TTempDir dir;
  const std::string path = dir / "f.ini";
  TIniDocument doc(path, false);  // missing: opened only by the first flush
  FileHandle other = OpenFileHandle(path, FileAccess::Read | FileAccess::Write, FileShare::Read,
                                    FileCreation::OpenAlways, FileAttributes::Normal);
  ASSERT_TRUE(IsOpenHandle(other));
  doc.WriteString("S", "k", "v");
  ExpectWriteError(doc, "Resource temporarily unavailable");
  CloseFileHandle(other);
  EXPECT_EQ(ReadBytes(path), "");
  // A file made after the document found none holds text that the document never read.
  const std::string late = dir / "late.ini";
  TIniDocument lateDoc(late, false);
  WriteBytes(late, "[T]\r\nx=1\r\n");
  lateDoc.WriteString("S", "k", "v");
  ExpectWriteError(lateDoc, "File exists");
  EXPECT_EQ(ReadBytes(late), "[T]\r\nx=1\r\n");
}

// Runs fail while writes past 4 KiB are refused, as a full disk would refuse them.
void WithSmallFileSizeLimit(const std::function<void()>& fail) {
  rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 4096;
  auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  fail();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
}

TEST(RewriteFailure, FileSizeLimitLeavesTheFileIntact) {
  TTempDir dir;
  const std::string path = dir / "f.ini";
  const std::string original = "[S]\r\nk=v\r\n; note\r\n";
  WriteBytes(path, original);
  TIniDocument doc(path, false);
  doc.WriteString("S", "big", std::string(size_t{64} * 1024, 'x'));

  WithSmallFileSizeLimit([&doc] { ExpectWriteError(doc, "File too large"); });
  EXPECT_EQ(ReadBytes(path), original);
  doc.UpdateFile();
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(ReadBytes(path), original.substr(0, 10) + "big=" + std::string(size_t{64} * 1024, 'x') +
                                 "\r\n; note\r\n");
}

TEST(RewriteFailure, AReportedFailureIsNeverWrittenLater) {
  TTempDir dir;
  const std::string path = dir / "f.ini", original = "[S]\r\nk=v\r\n";
  WriteBytes(path, original);
  {
    TIniDocument doc(path, false);
    doc.WriteString("S", "big", std::string(size_t{64} * 1024, 'x'));
    WithSmallFileSizeLimit([&doc] { ExpectWriteError(doc, "File too large"); });
  }  // the user was told the save failed: releasing the document must not write it now
  EXPECT_TRUE(ReadBytes(path) == original) << "the failed save was written after all";
}

TEST(RewriteFailure, ReleaseFlushesOnlyWhenNothingFailed) {
  TTempDir dir;
  const std::string path = dir / "f.ini", original = "[S]\r\nk=v\r\n";
  WriteBytes(path, original);
  {
    TIniDocument doc(path, false);
    doc.WriteString("S", "k", "released");
  }  // nothing went wrong: releasing the document writes its change
  EXPECT_EQ(ReadBytes(path), "[S]\r\nk=released\r\n");

  WriteBytes(path, original);
  try {
    TIniDocument doc(path, false);
    doc.WriteString("S", "k", "abandoned");
    throw std::runtime_error("the save was abandoned");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(ReadBytes(path), original) << "an abandoned save was written while unwinding";
}

TEST(RewriteFailure, FullDiskLeavesTheFileIntact) {
  TTempDir dir;
  const std::string mountPoint = dir / "mnt";
  ASSERT_EQ(::mkdir(mountPoint.c_str(), 0700), 0);
  if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(errno);
  struct Unmount {
    std::string Path;
    ~Unmount() { ::umount2(Path.c_str(), MNT_DETACH); }
  } unmount{mountPoint};

  const std::string path = mountPoint + "/f.ini";
  std::string original = "[S]\r\n";
  for (int i = 0; i < 400; ++i) original += "key" + std::to_string(i) + "=value\r\n";
  WriteBytes(path, original);
  {
    TIniDocument doc(path, false);
    doc.WriteString("S", "big", std::string(size_t{128} * 1024, 'x'));
    ExpectWriteError(doc, "No space left on device");
    EXPECT_EQ(ReadBytes(path), original);
    doc.DeleteKey("S", "big");
    doc.WriteString("S", "key0", "changed");
    doc.UpdateFile();
  }
  EXPECT_EQ(ReadBytes(path).substr(0, 22), "[S]\r\nkey0=changed\r\nkey");
}

}  // namespace
