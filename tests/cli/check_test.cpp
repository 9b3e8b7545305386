// "vuka-manager --check": exit status and what it prints, from the real program
// without any display, and that it writes nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "cp1251text.h"
#include "model/model.h"
#include "programrun.h"
#include "testfiles.h"

namespace {

// One run of --check: its arguments and what it must answer.
struct TCheckCase {
  std::vector<std::string> Arguments;
  int Status;
  std::string Errors;       // the whole of standard error; "*" followed by text: starts so
  std::string Output = {};  // the whole of standard output
};

// Writes the files that CheckCases names: good.ini as Save wrote it with the sample
// catalogue, bad.ini with problems on known lines, an empty file, and a setup folder
// whose own catalogue knows the code XYZ.
void WriteCheckedFiles(const TTempDir& dir, const std::string& sample) {
  TProject saved;
  ResetProject(saved, sample);
  SaveProject(saved, dir / "good.ini");
  WriteBytes(dir / "bad.ini", CrLf("; a comment\n[Display]\nShowMainWindow=2\nShowMainWindow=1\n"
                                   "[Config]\nLanguages=XYZ\n[Variables]\nA=1\n a=2\na=3\n"));
  WriteBytes(dir / "empty.ini", "");
  WriteBytes(dir / "warned.ini", CrLf("[Variables]\nA=1\nno value\n"));
  WriteBytes(dir / "utf16.ini", Utf16File("[Display]\r\nShowMainWindow=2\r\n"));
  WriteBytes(dir / "warn.ini",
             CrLf("[Display\nShowMainWindow=1\n[Variables]\nA=1\nB\n[Variables]\n"));
  std::filesystem::create_directories(dir / "setup");
  WriteBytes(dir / "setup/version.ini", CrLf("[Languages]\nСвой=XYZ\n"));
  WriteBytes(dir / "setup/vuka.ini", CrLf("[Config]\nLanguages=XYZ\n"));
}

// What the check says of a file that holds none of the three sections, after its name.
const std::string kNoSections =
    ": В файле нет ни одного из разделов «Config», «Display» и «Variables»\n";

// Runs over one file each of WriteCheckedFiles.
std::vector<TCheckCase> OneFileCases(const TTempDir& dir, const std::string& sample) {
  const std::string bad = dir / "bad.ini";
  const std::string& noSections = kNoSections;
  return {
      {{"--check", dir / "good.ini", "--catalogue", sample}, 0, ""},
      {{"--check", bad, "--catalogue", sample},
       1,
       bad + ":6: «Config» / «Languages» = «XYZ»: код «XYZ» не найден в каталоге «" + sample +
           "»; он оставлен в списке и сохранится в файле как есть\n" + bad +
           ":4: «Display» / «ShowMainWindow» = «1»: ключ повторяется; используется первое "
           "значение\n" +
           bad + ":3: «Display» / «ShowMainWindow» = «2»: не 0 и не 1\n" + bad +
           ":9: «Variables» / « a» = «2»: такое имя переменной нельзя сохранить (пробел или "
           "табуляция в начале, «[» в начале или управляющий символ)\n" +
           bad +
           ":10: «Variables» / «a» = «3»: переменная с этим именем уже есть выше; "
           "используется первая\n"},
      {{"--check", dir / "empty.ini"}, 1, (dir / "empty.ini") + noSections},
      // Warnings alone are no problems, unless --strict says so.
      {{"--check", dir / "warned.ini"}, 0, "*" + (dir / "warned.ini") + ":3: предупреждение: "},
      {{"--check", "--strict", dir / "warned.ini"}, 1, "*" + (dir / "warned.ini") + ":3: "},
      {{"--check", dir / "utf16.ini", "--catalogue", sample},
       1,
       (dir / "utf16.ini") + ":2: «Display» / «ShowMainWindow» = «2»: не 0 и не 1\n"},
      // The folder's own catalogue serves unless --catalogue names one.
      {{"--check", dir / "setup/vuka.ini"}, 0, ""},
      {{"--check", dir / "setup/vuka.ini", "--catalogue", sample},
       1,
       "*" + (dir / "setup/vuka.ini") + ":2: «Config» / «Languages» = «XYZ»: код «XYZ» не найден"},
      {{"--check", dir / "missing.ini"},
       2,
       "vuka-manager: Cannot open file " + (dir / "missing.ini") + "\n"},
      {{"--check", dir.Path()}, 2, "vuka-manager: Cannot open file " + dir.Path() + "\n"},
      {{"--check", bad, "--catalogue", dir / "missing.ini"},
       2,
       "vuka-manager: Каталог «" + (dir / "missing.ini") +
           "» не найден\nСправка: vuka-manager --help\n"},
      {{"--check", dir / "good.ini", "--catalogue", sample, "extra"},
       2,
       "vuka-manager: Cannot open file extra\n"},
  };
}

// Runs of several files, options in any order, warnings and mistakes of the command line.
std::vector<TCheckCase> CommandLineCases(const TTempDir& dir, const std::string& sample) {
  const std::string bad = dir / "bad.ini";
  const std::string& noSections = kNoSections;
  const std::string warned =
      "*" + (dir / "warn.ini") + ":1: предупреждение: строка «[Display» — заголовок без «]»";
  return {
      // Options and files in any order; the worst status of the files counts.
      {{"--verbose", dir / "empty.ini", "--check", dir / "good.ini", "--catalogue", sample},
       1,
       (dir / "empty.ini") + noSections,
       (dir / "empty.ini") + ": проблем: 1, предупреждений: 0\n" + (dir / "good.ini") +
           ": проблем нет\n"},
      {{"--check", "--quiet", dir / "setup/vuka.ini", dir / "missing.ini", dir / "empty.ini"},
       2,
       "vuka-manager: Cannot open file " + (dir / "missing.ini") + "\n" + (dir / "empty.ini") +
           noSections},
      // Warnings count only with --strict; --quiet leaves them out.
      {{dir / "warn.ini", "--check"}, 0, warned},
      {{"--strict", dir / "warn.ini", "--check"}, 1, warned},
      {{"--check", "--quiet", dir / "warn.ini"}, 0, ""},
      {{"--check", "--get", "A", bad}, 2, "*vuka-manager: --check, --get"},
      {{"--strict", bad}, 2, "*vuka-manager: --strict и --verbose действуют только с --check"},
      {{"--check"}, 2, "*vuka-manager: Не указан ФАЙЛ."},
      {{"--set", "A=1"}, 2, "*vuka-manager: Не указан ФАЙЛ."},
      {{dir / "good.ini", "extra"},
       2,
       "vuka-manager: Лишний аргумент «extra».\nСправка: vuka-manager --help\n"},
  };
}

// The runs over the files of WriteCheckedFiles.
std::vector<TCheckCase> CheckCases(const TTempDir& dir, const std::string& sample) {
  std::vector<TCheckCase> cases = OneFileCases(dir, sample);
  for (TCheckCase& c : CommandLineCases(dir, sample)) cases.push_back(std::move(c));
  return cases;
}

// Runs the program as the case says and checks its exit status and its output.
void ExpectCheckRun(const TTempDir& dir, const TCheckCase& c) {
  std::string shown;
  for (const std::string& argument : c.Arguments) shown += argument + " ";
  SCOPED_TRACE(shown);
  const TRun run = RunProgram(dir, c.Arguments);
  EXPECT_EQ(run.Status, c.Status);
  if (c.Errors.starts_with("*")) {
    EXPECT_TRUE(run.Errors.starts_with(c.Errors.substr(1))) << run.Errors;
  } else {
    EXPECT_EQ(run.Errors, c.Errors);
  }
  EXPECT_EQ(run.Output, c.Output);
}

}  // namespace

TEST(CheckCommand, ExitStatusAndProblemsByLine) {
  TTempDir dir;
  const std::string sample = VUKA_SAMPLE_CATALOGUE;
  WriteCheckedFiles(dir, sample);
  const std::string bad = dir / "bad.ini";
  const std::string badBytes = ReadBytes(bad);
  SetOldModificationTime(bad);
  const std::string badStamp = ModificationStamp(bad);
  for (const TCheckCase& c : CheckCases(dir, sample)) ExpectCheckRun(dir, c);
  EXPECT_EQ(ReadBytes(bad), badBytes);
  EXPECT_EQ(ModificationStamp(bad), badStamp);
}

// A catalogue beside the file or named by --catalogue that is no regular file or is too
// large is refused at once, unread: a FIFO would block for ever, /dev/zero never end.
TEST(CheckCommand, CatalogueNoRegularFileOrTooLargeExitsWithTwo) {
  TTempDir dir;
  const std::vector<std::string> folders = {"fifo", "zero", "big"};
  for (const std::string& folder : folders) {
    std::filesystem::create_directory(dir / folder);
    WriteBytes(dir / (folder + "/vuka.ini"), CrLf("[Config]\nLanguages=RUS\n"));
  }
  ASSERT_EQ(mkfifo((dir / "fifo/version.ini").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir / "zero/version.ini");
  WriteBytes(dir / "big/version.ini", "");
  std::filesystem::resize_file(dir / "big/version.ini", MaxCatalogueBytes + 1);
  const std::string notRegular = "» не является обычным файлом\n";
  const std::string help = "Справка: vuka-manager --help\n";
  const std::string tooLarge = "» слишком велик: " + std::to_string(MaxCatalogueBytes + 1) +
                               " байт, читается не больше " + std::to_string(MaxCatalogueBytes) +
                               "\n";
  const std::vector<TCheckCase> cases = {
      {{"--check", dir / "fifo/vuka.ini"},
       2,
       "vuka-manager: Каталог «" + (dir / "fifo/version.ini") + notRegular},
      {{"--check", dir / "zero/vuka.ini"},
       2,
       "vuka-manager: Каталог «" + (dir / "zero/version.ini") + notRegular},
      {{"--check", dir / "big/vuka.ini"},
       2,
       "vuka-manager: Каталог «" + (dir / "big/version.ini") + tooLarge},
      {{"--check", dir / "big/vuka.ini", "--catalogue", dir / "fifo/version.ini"},
       2,
       "vuka-manager: Каталог «" + (dir / "fifo/version.ini") + notRegular + help},
      {{"--check", dir / "big/vuka.ini", "--catalogue", dir / "zero"},
       2,
       "vuka-manager: Каталог «" + (dir / "zero") + notRegular + help},
  };
  for (const TCheckCase& c : cases) ExpectCheckRun(dir, c);
}

// As an ordinary user: a file that exists but cannot be read is no problem list.
TEST(CheckCommand, UnreadableFileExitsWithTwo) {
  TTempDir dir;
  WriteBytes(dir / "vuka.ini", CrLf("[Config]\nLanguages=\n"));
  chmod((dir / "vuka.ini").c_str(), 0);
  chmod(dir.Path().c_str(), 0777);
  EXPECT_EQ(RunUnprivileged(
                [](const std::string& folder) -> std::string {
                  const std::string command =
                      "env -u DISPLAY QT_QPA_PLATFORM=no-such-platform '" VUKA_PROGRAM
                      "' --check '" +
                      folder + "/vuka.ini' 2>/dev/null";
                  const int status = std::system(command.c_str());
                  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
                  return code == 2 ? "" : "exit status " + std::to_string(code);
                },
                dir.Path()),
            "");
}
