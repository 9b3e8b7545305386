#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "cp1251text.h"
#include "model/model.h"
#include "testfiles.h"

namespace {

// The lines of the "Variables" section of a file that Save wrote, joined by ";".
std::string VariablesLines(const std::string& file) {
  const std::string text = ReadBytes(file);
  const size_t start = text.find("[Variables]\r\n");
  if (start == std::string::npos) return "no section";
  std::string lines;
  for (size_t pos = start + 13; pos < text.size();) {
    const size_t end = text.find("\r\n", pos);
    if (end == pos || text[pos] == '[') break;
    lines += text.substr(pos, end - pos) + ";";
    pos = end + 2;
  }
  return lines;
}

const char* const kFile =
    "[Variables]\nProgramName=P\nKeep=1\nGone=2\nOld=3\nCase=4\n bad=5\n[Other]\nGone=x\n";

void RemoveRow(TProject& p, const std::string& name) {
  std::erase_if(p.Variables, [&name](const TVariableRow& row) { return row.Name == name; });
}

}  // namespace

TEST(SaveAndRemember, SavingIntoTheOpenedFileRemovesDeletedAndRenamedVariablesOnly) {
  TTempDir dir;
  const std::string file = dir / "vuka.ini";
  WriteBytes(file, CrLf(kFile));
  TProject p;
  OpenProject(p, file, dir / "version.ini");
  RemoveRow(p, "Gone");
  p.Variables[1].Name = "New";   // was Old
  p.Variables[2].Name = "CASE";  // letter case only: neither a removal nor a change of the line
  // Lines added by someone else after opening are not the project's to remove.
  WriteBytes(file, ReadBytes(file) + CrLf("[Variables]\n"));
  SaveAndRemember(p, file, dir / "version.ini");
  EXPECT_EQ(VariablesLines(file), "ProgramName=P;Keep=1;Case=4; bad=5;New=3;");
  EXPECT_NE(ReadBytes(file).find("[Other]\r\nGone=x"), std::string::npos);
  EXPECT_EQ(p.Origin.FileName, file);
  EXPECT_EQ(p.Origin.VariableNames, (std::vector<std::string>{"Keep", "New", "CASE"}));

  // The origin now holds what was saved: deleting a row saved since removes it too.
  RemoveRow(p, "New");
  SaveAndRemember(p, file, dir / "version.ini");
  EXPECT_EQ(VariablesLines(file), "ProgramName=P;Keep=1;Case=4; bad=5;");
}

TEST(SaveAndRemember, RemovesEveryLineOfTheKeyButNeverProgramName) {
  TTempDir dir;
  const std::string file = dir / "vuka.ini";
  WriteBytes(file, CrLf("[Variables]\nDup=1\nKeep=2\ndup=3\n"));
  TProject p;
  OpenProject(p, file, dir / "version.ini");
  p.Variables = {{"Keep", "2"}};
  p.Origin.VariableNames.push_back("programname");  // as if the file's key had been a row
  p.MainTitleCaption = "";
  SaveAndRemember(p, file, dir / "version.ini");
  EXPECT_EQ(VariablesLines(file), "Keep=2;ProgramName=;");
}

TEST(SaveAndRemember, ThroughAnotherPathToTheSameFileStillRemoves) {
  TTempDir dir;
  const std::string file = dir / "vuka.ini";
  WriteBytes(file, CrLf(kFile));
#ifdef _WIN32
  const std::string opened = file;  // links need a privilege there
#else
  const std::string opened = dir / "link.ini";
  ASSERT_EQ(symlink(file.c_str(), opened.c_str()), 0);
#endif
  ASSERT_TRUE(std::filesystem::create_directory(dir / "sub"));
  TProject p;
  OpenProject(p, opened, dir / "version.ini");
  RemoveRow(p, "Gone");
  SaveAndRemember(p, dir / "sub/../vuka.ini", dir / "version.ini");
  EXPECT_EQ(VariablesLines(file), "ProgramName=P;Keep=1;Old=3;Case=4; bad=5;");
}

TEST(SaveAndRemember, AnotherFileOrAResetProjectOnlyAddsAndChangesKeys) {
  TTempDir dir;
  const std::string file = dir / "vuka.ini";
  const std::string other = dir / "other.ini";
  WriteBytes(file, CrLf(kFile));
  WriteBytes(other, CrLf(kFile));
  TProject p;
  OpenProject(p, file, dir / "version.ini");
  RemoveRow(p, "Gone");
  SaveAndRemember(p, other, dir / "version.ini");
  EXPECT_EQ(VariablesLines(other), "ProgramName=P;Keep=1;Gone=2;Old=3;Case=4; bad=5;");
  EXPECT_EQ(p.Origin.FileName, other);

  // The plain Save never removes, whatever the origin says.
  SaveProject(p, file, dir / "version.ini");
  EXPECT_EQ(VariablesLines(file), "ProgramName=P;Keep=1;Gone=2;Old=3;Case=4; bad=5;");

  // "New" forgets the file: its variables are no longer the project's.
  OpenProject(p, file, dir / "version.ini");
  ResetProject(p, dir / "version.ini");
  EXPECT_TRUE(p.Origin.FileName.empty());
  SaveAndRemember(p, file, dir / "version.ini");
  EXPECT_NE(VariablesLines(file).find("Gone=2;"), std::string::npos);
}

// "Save As" into a new name writes what a Save into a copy of the opened file would leave in
// that copy; the opened file is only read.
TEST(SaveProjectAs, ANewFileIsTheOpenedFileWithTheProjectSavedIntoIt) {
  TTempDir dir;
  const std::string catalogue = dir / "version.ini";
  const std::string opened = dir / "vuka.ini";
  const std::string bytes =
      "\xEF\xBB\xBF; by hand\n[Setup]\nMode = silent\n\n[Variables]\nProgramName=P\n"
      "Keep = 1\r\nGone=2\n[Other]\r\nGone=x\r\n";
  WriteBytes(opened, bytes);
  TProject p;
  OpenProject(p, opened, catalogue);
  RemoveRow(p, "Gone");
  p.Variables.push_back({"Added", "3"});
  const std::string copy = dir / "copy.ini";
  WriteBytes(copy, bytes);
  TProject reference = p;
  reference.Origin.FileName = copy;
  SaveAndRemember(reference, copy, catalogue);

  SaveProjectAs(p, dir / "new.ini", catalogue);
  const std::string saved = ReadBytes(dir / "new.ini");
  EXPECT_EQ(saved, ReadBytes(copy));
  EXPECT_EQ(saved.rfind("\xEF\xBB\xBF; by hand\n[Setup]\nMode = silent\n", 0), 0u) << saved;
  EXPECT_NE(saved.find("Keep = 1\r\n"), std::string::npos);
  EXPECT_EQ(saved.find("Gone=2"), std::string::npos);
  EXPECT_NE(saved.find("[Other]\r\nGone=x\r\n"), std::string::npos);
  EXPECT_EQ(ReadBytes(opened), bytes);
  EXPECT_EQ(p.Origin, (TFileOrigin{dir / "new.ini", reference.Origin.VariableNames}));

  // Unchanged, the project still makes its copy.
  SaveProjectAs(p, dir / "again.ini", catalogue);
  EXPECT_EQ(ReadBytes(dir / "again.ini"), saved);

  // Another existing file keeps its own lines; the opened file's go nowhere.
  WriteBytes(dir / "other.ini", "[Mine]\nX=1\n");
  SaveProjectAs(p, dir / "other.ini", catalogue);
  const std::string other = ReadBytes(dir / "other.ini");
  EXPECT_EQ(other.rfind("[Mine]\nX=1\n", 0), 0u) << other;
  EXPECT_EQ(other.find("by hand"), std::string::npos);

  // When the opened file has gone, the new file holds the project alone.
  std::filesystem::remove(dir / "other.ini");
  SaveProjectAs(p, dir / "alone.ini", catalogue);
  SaveProject(p, dir / "fresh.ini", catalogue);
  EXPECT_EQ(ReadBytes(dir / "alone.ini"), ReadBytes(dir / "fresh.ini"));
}
