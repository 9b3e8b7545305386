// Which catalogue a project uses, where Open's problems stand in the file, and that
// Save looks codes up in the project's own catalogue only.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cp1251text.h"
#include "inifile/inifile.h"
#include "model/model.h"
#include "projectdiff.h"
#include "testfiles.h"

namespace {

#ifndef _WIN32
std::string UnreadableCatalogue(const std::string& dir) {
  const std::string problem = CatalogueProblem(dir + "/version.ini");
  const std::string expected = "Каталог «" + dir + "/version.ini» нельзя прочитать";
  return problem.rfind(expected, 0) == 0 ? "" : "got «" + problem + "»";
}

// Runs the step in a child process that a hang or an endless read cannot outlive:
// its error text, "no error", or how the child ended.
std::string ErrorWithin(unsigned seconds, const std::function<void()>& step) {
  int fds[2];
  if (pipe(fds) != 0) return "pipe failed";
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    alarm(seconds);
    std::string result = "no error";
    try {
      step();
    } catch (const std::exception& error) {
      result = error.what();
    }
    _exit(write(fds[1], result.data(), result.size()) == static_cast<ssize_t>(result.size()) ? 0
                                                                                             : 1);
  }
  close(fds[1]);
  std::string result;
  char buffer[256];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
    result.append(buffer, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) return "ended by signal " + std::to_string(WTERMSIG(status));
  return result;
}
#endif

}  // namespace

TEST(ChooseCatalogue, TheFilesOwnFolderWinsOverTheCurrentCatalogue) {
  TTempDir dir;
  std::filesystem::create_directories(dir / "own");
  std::filesystem::create_directories(dir / "upper");
  std::filesystem::create_directories(dir / "none/version.ini");  // a folder, no catalogue
  WriteBytes(dir / "own/version.ini", "");
  WriteBytes(dir / "upper/VERSION.INI", "");
  const std::string current = dir / "current.ini";
  struct TCase {
    std::string File;
    std::string Chosen;
  };
  const std::vector<TCase> cases = {
      {dir / "own/vuka.ini", dir / "own/version.ini"},
      {dir / "own/missing.ini", dir / "own/version.ini"},
#ifdef _WIN32  // file names ignore letter case: the name as looked up finds it
      {dir / "upper/vuka.ini", dir / "upper/version.ini"},
#else
      {dir / "upper/vuka.ini", dir / "upper/VERSION.INI"},
#endif
      {dir / "none/vuka.ini", current},
      {dir / "nowhere/vuka.ini", current},
  };
  for (const TCase& c : cases) EXPECT_EQ(ChooseCatalogue(c.File, current), c.Chosen) << c.File;
}

TEST(CatalogueProblem, NamesAMissingFolderOrUnreadableCatalogue) {
  TTempDir dir;
  WriteBytes(dir / "version.ini", "[Languages]\n");
  EXPECT_EQ(CatalogueProblem(dir / "version.ini"), "");
  EXPECT_EQ(CatalogueProblem(dir / "missing.ini"),
            "Каталог «" + (dir / "missing.ini") + "» не найден");
  EXPECT_EQ(CatalogueProblem(dir.Path()),
            "Каталог «" + dir.Path() + "» не является обычным файлом");
#ifndef _WIN32  // Windows has no mode that forbids reading
  chmod((dir / "version.ini").c_str(), 0);
  EXPECT_EQ(RunUnprivileged(UnreadableCatalogue, dir.Path()), "");
#endif
}

#ifndef _WIN32  // no FIFOs or devices on Windows
// A FIFO would block for ever and a link to /dev/zero read until memory runs out.
TEST(Catalogue, NoRegularFileOrTooLargeIsRefusedUnread) {
  TTempDir dir;
  const std::string file = dir / "vuka.ini";
  WriteBytes(file, CrLf("[Config]\nLanguages=RUS\n"));
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir / "zero");
  std::filesystem::create_directory(dir / "folder");
  WriteBytes(dir / "big", "");
  std::filesystem::resize_file(dir / "big", MaxCatalogueBytes + 1);  // sparse: nothing to read
  const std::string notRegular = "» не является обычным файлом";
  const std::string engineRefusal = ": not a regular file";
  struct TCase {
    std::string Catalogue, Why, Engine;  // the engine's own refusal, when it has one
  };
  const std::vector<TCase> cases = {
      {dir / "fifo", notRegular, engineRefusal},
      {dir / "zero", notRegular, engineRefusal},
      {dir / "folder", notRegular, ""},
      {dir / "big",
       "» слишком велик: " + std::to_string(MaxCatalogueBytes + 1) + " байт, читается не больше " +
           std::to_string(MaxCatalogueBytes),
       ""}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Catalogue);
    const std::string refusal = "Каталог «" + c.Catalogue + c.Why;
    EXPECT_EQ(CatalogueProblem(c.Catalogue), refusal);
    TProject p;
    EXPECT_EQ(ErrorWithin(5, [&] { OpenProject(p, file, c.Catalogue); }), refusal);
    EXPECT_EQ(ErrorWithin(5, [&] { ResetProject(p, c.Catalogue); }), refusal);
    EXPECT_EQ(ErrorWithin(5, [&] { ChangeCatalogue(p, c.Catalogue); }), refusal);
    // Should the path turn into a FIFO or a device after the check, the engine refuses it.
    if (!c.Engine.empty()) {
      EXPECT_EQ(ErrorWithin(5, [&] { const TIniDocument read(c.Catalogue, true); }),
                "Cannot open file " + c.Catalogue + c.Engine);
    }
    // Save writes the codes that the lists hold and does not read the catalogue.
    p.Catalogue = c.Catalogue;
    EXPECT_EQ(ErrorWithin(5, [&] { SaveProject(p, dir / "new.ini", c.Catalogue); }), "no error");
  }
}
#endif

TEST(ProblemLines, FindTheKeyAsTheLoaderDoesAndCountLinesAsAnEditor) {
  struct TCase {
    const char* Bytes;
    TOpenProblem Problem;
    int32_t Line;
  };
  const std::vector<TCase> cases = {
      {"[Config]\r\nLanguages=X\r\n", {"Config", "Languages", 0, ""}, 2},
      {"[Config]\n\r\nlanguages=X", {"config", "LANGUAGES", 0, ""}, 3},
      {"[Config]\nA=1\nLanguages=X\n", {"Config", "Languages", 0, ""}, 3},
      {"[Config]\nA=1\r\n\rLanguages=X\rB=2\n", {"Config", "Languages", 0, ""}, 4},
      {"[Config]\rA=1\rLanguages=X\r", {"Config", "Languages", 0, ""}, 3},
      {";c\r\n\r\n[Config]\r\n;Languages=Y\r\nLanguages \t=X\r\n",
       {"Config", "Languages", 0, ""},
       5},
      {"[Config]\r\nLanguages=X\r\nlanguages=Y\r\n", {"Config", "Languages", 1, ""}, 3},
      {"[Config]\r\nLanguages=X\r\n", {"Config", "Languages", 1, ""}, 0},
      // The second section of a name is dropped by the loader.
      {"[Config]\r\nA=1\r\n[CONFIG]\r\nLanguages=X\r\n", {"Config", "Languages", 0, ""}, 0},
      // Blanks around a header leave it a header, as for the loader.
      {"[Config]\r\n[Other] \r\nLanguages=X\r\n", {"Config", "Languages", 0, ""}, 0},
      {"[Other]\r\n [Config]\r\nLanguages=X\r\n", {"Config", "Languages", 0, ""}, 3},
      {"[Other]\r\nLanguages=X\r\n", {"Config", "Languages", 0, ""}, 0},
      {"Languages=X\r\n[Config]\r\n", {"Config", "Languages", 0, ""}, 0},
      {"[Config]\r\nLanguages=X\r\n", {"", "", 0, "whole file"}, 0},
      // A problem that knows its line keeps it.
      {"[Config]\r\nLanguages=X\r\n", {"Config", "Languages", 0, "", true, 7}, 7},
      {"[Config]\r\n", {"", "", 0, "", true, 1}, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Bytes);
    EXPECT_EQ(ProblemLines(c.Bytes, {c.Problem}), std::vector<int32_t>{c.Line});
  }
}

TEST(OpenProjectReport, PlacesEachProblemOnItsKeysLine) {
  TTempDir dir;
  WriteBytes(dir / "version.ini", CrLf("[Languages]\nРусский=RUS\n"));
  const std::string file = dir / "vuka.ini";
  WriteBytes(file,
             CrLf("[Display]\nShowMainWindow=2\nShowMainWindow=1\n"
                  "[Variables]\nA=1\n a=2\nA=3\nB=\x01x\nb=2\nB=3\n[Config]\nLanguages=RUS,XX\n"));
  TProject p;
  const std::vector<TOpenProblem> problems = OpenProjectReport(p, file, dir / "version.ini");
  std::string places;
  for (const TOpenProblem& problem : problems) {
    places += problem.Section + "/" + problem.Key + "#" + std::to_string(problem.Occurrence) + " ";
  }
  EXPECT_EQ(places,
            "Config/Languages#0 Display/ShowMainWindow#1 Display/ShowMainWindow#0 "
            "Variables/ a#0 Variables/A#1 Variables/B#0 Variables/B#2 ");
  EXPECT_EQ(ProblemLines(ReadBytes(file), problems), (std::vector<int32_t>{12, 3, 2, 6, 7, 8, 10}));
  // The check, which keeps no rows, finds the very same problems.
  std::string checked;
  CheckProjectFile(file, dir / "version.ini", [&checked](const TOpenProblem& problem) {
    checked += problem.Section + "/" + problem.Key + "#" + std::to_string(problem.Occurrence) + " ";
  });
  EXPECT_EQ(checked, places);
}

// The problems of "Variables" lines come from a second reading of the section: a file
// changed before it is refused rather than reported with problems it does not hold.
TEST(OpenProjectReport, RefusesAFileChangedBetweenItsReadings) {
  TTempDir dir;
  const std::string file = dir / "vuka.ini";
  WriteBytes(file, CrLf("[Display]\nShowMainWindow=2\n[Variables]\nA=1\na=2\n"));
  TProject p;
  const TProject before = p;
  std::vector<std::string> reported;
  const auto report = [&](const TOpenProblem& problem) {
    if (reported.empty()) WriteBytes(file, CrLf("[Variables]\nB=1\na=2\n"));
    reported.push_back(problem.Key);
  };
  EXPECT_THROW(OpenProjectReport(p, file, dir / "version.ini", report), EInOutError);
  EXPECT_EQ(reported, std::vector<std::string>{"ShowMainWindow"});
  EXPECT_TRUE(p == before);
}

TEST(SaveProject, LooksCodesUpInTheProjectsOwnCatalogueOnly) {
  TTempDir dir;
  WriteBytes(dir / "version.ini", CrLf("[Languages]\nРусский=RUS\n"));
  WriteBytes(dir / "other.ini", CrLf("[Languages]\nРусский=OTHER\n"));
  TProject p;
  ResetProject(p, dir / "version.ini");
  EXPECT_EQ(p.Catalogue, dir / "version.ini");
  EXPECT_THROW(SaveProject(p, dir / "vuka.ini", dir / "other.ini"), std::invalid_argument);
  EXPECT_FALSE(FileExists(dir / "vuka.ini"));
  SaveProject(p, dir / "vuka.ini");
  EXPECT_NE(ReadBytes(dir / "vuka.ini").find("Languages=RUS\r\n"), std::string::npos);
  OpenProject(p, dir / "vuka.ini", dir / "other.ini");
  EXPECT_EQ(p.Catalogue, dir / "other.ini");
}

TEST(CheckList, CatalogueEntriesComeBeforeUnknownOnes) {
  TCheckList list;
  list.Append("A", "a");
  list.AppendUnknown("X");
  EXPECT_EQ(list.KnownCount(), 1);
  EXPECT_FALSE(list.IsUnknown(0));
  EXPECT_TRUE(list.IsUnknown(1));
  EXPECT_FALSE(list.IsUnknown(2));
  EXPECT_THROW(list.Append("B", "b"), std::logic_error);
  list.Clear();
  list.Append("B", "b");
  EXPECT_EQ(list.KnownCount(), 1);
}

TEST(ChangeCatalogue, KeepsEveryTickWhoseCodeTheNewCatalogueKnows) {
  TTempDir dir;
  WriteBytes(dir / "old.ini", CrLf("[Languages]\nРусский=RUS\nEnglish=ENU\nDeutsch=DEU\n"
                                   "[PreInstallDlg]\nЛицензия=License\n"
                                   "[PostInstallDlg]\nИнфо=Info\nКонец=Finished\n"));
  WriteBytes(dir / "new.ini", CrLf("[Languages]\nАнглийский=enu\nРусский=RUS\nФранцузский=FRA\n"
                                   "[PreInstallDlg]\nПапка=Dir\n"
                                   "[PostInstallDlg]\nФинал=Done\n"));
  TProject p;
  ResetProject(p, dir / "old.ini");
  p.Langs.SetTick(1, true);
  p.Langs.AppendUnknown("FRA");
  p.Langs.SetTick(3, true);
  p.Langs.AppendUnknown("XX");  // unticked: not written, so gone
  p.Pred.SetTick(0, true);
  p.Post.SetTick(0, true);
  p.Post.SetTick(1, true);
  p.ProgramNameText = "kept";

  const std::vector<std::string> problems = ChangeCatalogue(p, dir / "new.ini");
  EXPECT_EQ(p.Catalogue, dir / "new.ini");
  EXPECT_EQ(ListText(p.Langs), Cp("Английский+,Русский+,Французский+,selected 1, order 1 0 2"));
  EXPECT_EQ(ListText(p.Pred), Cp("Папка-,License?+,selected -1"));
  EXPECT_EQ(ListText(p.Post), Cp("Финал+,Info?+,selected -1"));
  EXPECT_EQ(p.ProgramNameText, "kept");
  const std::string kept = "» не найден в каталоге «" + (dir / "new.ini") +
                           "»; он оставлен в списке и сохранится в файле как есть";
  EXPECT_EQ(problems, (std::vector<std::string>{
                          "«Config» / «PreInstallDialogSequence» = «License»: код «License" + kept,
                          "«Config» / «PostInstallDialogSequence» = «Info»: код «Info" + kept}));

  // A catalogue that is no file changes nothing.
  const std::string before = ListText(p.Langs) + ListText(p.Pred) + ListText(p.Post);
  std::filesystem::create_directories(dir / "folder.ini");
  EXPECT_ANY_THROW(ChangeCatalogue(p, dir / "folder.ini"));
  EXPECT_EQ(ListText(p.Langs) + ListText(p.Pred) + ListText(p.Post), before);
  EXPECT_EQ(p.Catalogue, dir / "new.ini");
}
