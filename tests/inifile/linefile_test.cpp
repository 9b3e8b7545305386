#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <cerrno>
#include <random>
#include <vector>

#include "inifile/inifile.h"
#include "inifile/linefile_p.h"
#include "inifile/linesplitter_p.h"
#include "testfiles.h"

namespace {

FileHandle OpenRead(const std::string& path) {
  return OpenFileHandle(path, FileAccess::Read, FileShare::Read | FileShare::Write,
                        FileCreation::OpenExisting, FileAttributes::Normal);
}
FileHandle OpenReadWrite(const std::string& path) {
  return OpenFileHandle(path, FileAccess::Read | FileAccess::Write, FileShare::Read,
                        FileCreation::OpenAlways, FileAttributes::Normal);
}

// Every line ReadLine gives until AtEndOfFile, with the position after each.
struct Read {
  std::vector<std::string> Lines;
  std::vector<uint32_t> Positions;
};
Read ReadAll(const std::string& path) {
  Read r;
  FileHandle h = OpenRead(path);
  EXPECT_TRUE(IsOpenHandle(h));
  while (!AtEndOfFile(h)) {
    r.Lines.push_back(ReadLine(h));
    r.Positions.push_back(CurrentFilePosition(h));
  }
  CloseFileHandle(h);
  EXPECT_EQ(h, FileHandle{});
  return r;
}

std::vector<std::string> Split(const std::string& data) {
  std::vector<std::string> lines;
  TLineSplitter splitter(data);
  std::string_view line;
  while (splitter.Next(line)) lines.emplace_back(line);
  return lines;
}

TEST(ReadLine, CrOrLfEndsALineAndTheLfOfCrLfIsDropped) {
  TTempDir dir;
  WriteBytes(dir / "f", "[A]\r\nk=1\r\n");
  Read r = ReadAll(dir / "f");
  EXPECT_EQ(r.Lines, (std::vector<std::string>{"[A]", "k=1", ""}));
  EXPECT_EQ(r.Positions, (std::vector<uint32_t>{4, 9, 10}));

  // LF alone ends a line like CR (Linux editors write such files).
  WriteBytes(dir / "lf", "a=1\nb=2\n");
  r = ReadAll(dir / "lf");
  EXPECT_EQ(r.Lines, (std::vector<std::string>{"a=1", "b=2"}));
  EXPECT_EQ(r.Positions, (std::vector<uint32_t>{4, 8}));
  WriteBytes(dir / "mixed", "a\n\rb\r\n\nc");
  EXPECT_EQ(ReadAll(dir / "mixed").Lines, (std::vector<std::string>{"a", "", "b", "", "c"}));

  WriteBytes(dir / "tail", "x\r\rlast");
  EXPECT_EQ(ReadAll(dir / "tail").Lines, (std::vector<std::string>{"x", "", "last"}));

  WriteBytes(dir / "empty", "");
  EXPECT_TRUE(ReadAll(dir / "empty").Lines.empty());
}

TEST(ReadLine, LinesCrossChunkBoundaries) {
  TTempDir dir;
  const std::string l250(250, 'q');
  const std::string l99(99, 'a');
  const std::string l100(100, 'b');
  // 99 bytes + CR: the CR is the 100th byte of the chunk (a move of 0).
  // 100 bytes + CR: the next chunk starts with the CR.
  WriteBytes(dir / "f", l250 + "\r" + l99 + "\r" + l100 + "\r" + "z");
  Read r = ReadAll(dir / "f");
  EXPECT_EQ(r.Lines, (std::vector<std::string>{l250, l99, l100, "z"}));
  EXPECT_EQ(r.Positions, (std::vector<uint32_t>{251, 351, 452, 453}));
}

TEST(ReadLine, StopsAtAFailedRead) {
  TTempDir dir;
  WriteBytes(dir / "f", "abc\r");
  FileHandle h = OpenFileHandle(dir / "f", FileAccess::Write, FileShare::Read,
                                FileCreation::OpenExisting, FileAttributes::Normal);
  ASSERT_TRUE(IsOpenHandle(h));
  EXPECT_EQ(ReadLine(h), "");  // a write-only file cannot be read
  EXPECT_EQ(CurrentFilePosition(h), 0u);
  CloseFileHandle(h);
}

TEST(LineSplitter, GivesTheSameLinesAsReadLine) {
  TTempDir dir;
  const std::vector<std::string> inputs = {
      "",
      "\r",
      "\n",
      "\r\n",
      "\n\n\r\n",
      "[A]\r\nk=1\r\n",
      "a=1\nb=2\n",
      "x\r\r\ry",
      "\r\n\r\n\x1A",
      std::string(99, 'a') + "\r" + std::string(100, 'b') + "\r\n" + std::string(101, 'c'),
      std::string(100, 'd') + "\n\r" + std::string(199, 'e') + "\r\n\n\r",
      "head\n\nmid\r\nnext\n",
      std::string(250, 'q'),
  };
  for (size_t i = 0; i < inputs.size(); ++i) {
    WriteBytes(dir / "f", inputs[i]);
    EXPECT_EQ(Split(inputs[i]), ReadAll(dir / "f").Lines) << "input " << i;
  }
  // Line ends at and around the 100-byte chunk boundaries, a CR LF pair split between chunks;
  // every other text has lines long enough to span several 16-byte blocks of the splitter.
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pick(0, 9);
  std::uniform_int_distribution<int> pickSparse(0, 39);
  for (int i = 0; i < 300; ++i) {
    std::string text(static_cast<size_t>(90 + i % 130), 'x');
    for (char& c : text) {
      const int p = i % 2 == 0 ? pick(random) : pickSparse(random);
      c = p < 4 ? "\r\n\r\n"[p] : 'x';
    }
    WriteBytes(dir / "f", text);
    ASSERT_EQ(Split(text), ReadAll(dir / "f").Lines) << testing::PrintToString(text);
  }
}

TEST(WriteLine, AppendsCrLfAtThePosition) {
  TTempDir dir;
  WriteBytes(dir / "f", "0123456789");
  FileHandle h = OpenReadWrite(dir / "f");
  ASSERT_TRUE(IsOpenHandle(h));
  EXPECT_EQ(ReadLine(h), "0123456789");
  WriteLine(h, "ab");
  WriteLine(h, "");
  EXPECT_EQ(CurrentFilePosition(h), 16u);
  CloseFileHandle(h);
  EXPECT_EQ(ReadBytes(dir / "f"), "0123456789ab\r\n\r\n");
}

TEST(OpenFileHandle, HandlesAreNeverZeroAndFailuresAreInvalid) {
  TTempDir dir;
  EXPECT_EQ(OpenRead(dir / "missing"), InvalidFileHandle);
  EXPECT_FALSE(IsOpenHandle(InvalidFileHandle));
  EXPECT_FALSE(IsOpenHandle(FileHandle{}));
  EXPECT_EQ(OpenRead(dir.Path()), InvalidFileHandle);  // a directory is not a file
#ifndef _WIN32
  // With descriptor 0 free, the next open gets it and the handle is still non-zero.
  WriteBytes(dir / "f", "x");
  const int saved = ::dup(0);
  ::close(0);
  FileHandle h = OpenRead(dir / "f");
  EXPECT_EQ(h, 1);
  EXPECT_EQ(ReadLine(h), "x");
  CloseFileHandle(h);
  if (saved >= 0) {
    ::dup2(saved, 0);
    ::close(saved);
  }
#endif
}

TEST(OpenFileHandle, WritersExcludeEachOtherButNotReaders) {
  TTempDir dir;
  WriteBytes(dir / "f", "data");
  FileHandle writer = OpenReadWrite(dir / "f");
  ASSERT_TRUE(IsOpenHandle(writer));
  EXPECT_EQ(OpenReadWrite(dir / "f"), InvalidFileHandle);
  EXPECT_EQ(errno, EAGAIN);  // also EWOULDBLOCK on POSIX systems
  // A truncating open must not destroy the content while another writer holds it.
  EXPECT_EQ(OpenFileHandle(dir / "f", FileAccess::Write, FileShare::Read,
                           FileCreation::CreateAlways, FileAttributes::Normal),
            InvalidFileHandle);
  EXPECT_EQ(ReadBytes(dir / "f"), "data");
  FileHandle reader = OpenRead(dir / "f");
  EXPECT_TRUE(IsOpenHandle(reader));
  CloseFileHandle(reader);
  CloseFileHandle(writer);
  writer = OpenReadWrite(dir / "f");
  EXPECT_TRUE(IsOpenHandle(writer));
  CloseFileHandle(writer);
}

TEST(Directories, EnsureDirectoryCreatesAncestorsFirst) {
  TTempDir dir;
  const std::string deep = dir / "a/b/c/";
  EXPECT_FALSE(IsDirectory(deep));
  EnsureDirectory(deep);
  EXPECT_TRUE(IsDirectory(dir / "a"));
  EXPECT_TRUE(IsDirectory(dir / "a/b/c"));
  EnsureDirectory("/");
  EnsureDirectory("");
  // Below a regular file nothing can be made, and nothing is reported.
  WriteBytes(dir / "file", "");
  EnsureDirectory(dir / "file/sub/");
  EXPECT_FALSE(IsDirectory(dir / "file"));
  EXPECT_FALSE(FileExists(dir / "file/sub"));
}

}  // namespace
