#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "cp1251text.h"
#include "model/lineproblem_p.h"
#include "model/linewarnings_p.h"
#include "model/model.h"
#include "projectdiff.h"
#include "testfiles.h"

namespace {

// A catalogue of the test's own: three entries in each list, the last
// post-installation entry being the final dialog.
std::string WriteCatalogue(const TTempDir& dir) {
  std::string path = dir / "version.ini";
  WriteBytes(path, CrLf("[Languages]\nРусский=RUS\nEnglish=ENU\nDeutsch=DEU\n"
                        "[PreInstallDlg]\nЛицензия=License\nПапка=SelectDir\nГотово=Ready\n"
                        "[PostInstallDlg]\nИнформация=InfoAfter\nПерезагрузка=Restart\n"
                        "Завершение=Finished\n"));
  return path;
}

struct TOpened {
  TProject Project;
  std::vector<std::string> Problems;
};

// Opens a file holding the given text (UTF-8 source, written in Windows-1251 with CR LF).
TOpened OpenText(const TTempDir& dir, const std::string& text, TProject start = TProject()) {
  WriteBytes(dir / "vuka.ini", CrLf(text));
  TOpened opened{std::move(start), {}};
  opened.Problems = OpenProject(opened.Project, dir / "vuka.ini", WriteCatalogue(dir));
  return opened;
}

std::string Joined(const std::vector<std::string>& problems) {
  std::string text;
  for (const std::string& problem : problems) text += problem + "\n";
  return text;
}

struct TValueCase {
  const char* Key;
  const char* Value;  // UTF-8
  std::function<std::string(const TProject&)> Item;
  std::string Expected;  // the item's text; empty: as after reset
  const char* Why;       // the reported reason; empty: no report
};

std::string Bool(bool flag) { return flag ? "1" : "0"; }

// Colour and font values, and the items that show how they were read.
std::vector<TValueCase> ColourAndFontCases() {
  const auto top = [](const TProject& p) { return ColorText(p.TopColor); };
  const auto bottom = [](const TProject& p) { return ColorText(p.BottomColor); };
  const auto shadow = [](const TProject& p) { return ColorText(p.TitleShadowColor); };
  const auto title = [](const TProject& p) { return FontText(p.TitleFont); };
  const auto dialog = [](const TProject& p) { return FontText(p.DialogFont); };
  const char* const notColour = "не цвет";
  const char* const notFont = "не шрифт (нужны имя, размер и «$цвет» через запятую)";
  return {
      {"GradientTopColor", "$0000FF", top, "FF", ""},
      {"GradientTopColor", "$abcdef", top, "ABCDEF", ""},
      {"GradientBottomColor", "$0000000000FF", bottom, "FF", ""},
      {"MainTitleShadowColor", "$808080", shadow, "808080", ""},
      {"GradientTopColor", "xyz", top, "", notColour},
      {"GradientTopColor", "FF0000", top, "", notColour},
      {"GradientTopColor", "$", top, "", notColour},
      {"GradientTopColor", "$12G", top, "", notColour},
      {"GradientTopColor", "$1000000", top, "", notColour},
      {"GradientBottomColor", "", bottom, "", notColour},
      {"MainTitleFont", "Arial,10,$0I", title, "Arial|10|0|-|I|-|-", ""},
      {"MainTitleFont", "Times New Roman,26,$FFFF00,B", title, "Times New Roman|26|FFFF00|B|-|-|-",
       ""},
      {"DialogTitleFont", "Шрифт,12,$0,BI", dialog, Cp("Шрифт") + "|12|0|B|I|-|-", ""},
      {"DialogTitleFont", "A, b,7,$B", dialog, "A, b|7|B|-|-|-|-", ""},
      {"DialogTitleFont", "A,1000,$FFFFFF", dialog, "A|1000|FFFFFF|-|-|-|-", ""},
      {"MainTitleFont", "Arial,ten,$0", title, "", "размер шрифта «ten» не число от 1 до 1000"},
      {"MainTitleFont", "Arial,0,$0", title, "", "размер шрифта «0» не число от 1 до 1000"},
      {"MainTitleFont", "Arial,-5,$0", title, "", "размер шрифта «-5» не число от 1 до 1000"},
      {"MainTitleFont", "Arial,1001,$0", title, "", "размер шрифта «1001» не число от 1 до 1000"},
      {"MainTitleFont", "Arial,10,0", title, "", "цвет шрифта «0» не цвет"},
      {"MainTitleFont", "Arial,10,$0,b", title, "", "цвет шрифта «b» не цвет"},
      {"MainTitleFont", ",10,$0", title, "", "нет имени шрифта"},
      {"MainTitleFont", "Arial", title, "", notFont},
      {"MainTitleFont", "Arial,$0", title, "", notFont},
  };
}

// Dialog positions and switches, and the items that show how they were read.
std::vector<TValueCase> PositionAndSwitchCases() {
  const auto position = [](const TProject& p) {
    return std::to_string(p.DialogPosition.Horizontal) + std::to_string(p.DialogPosition.Vertical);
  };
  const auto background = [](const TProject& p) { return Bool(p.BackgroundEnabled); };
  const auto shadows = [](const TProject& p) { return Bool(p.TitleShadow) + Bool(p.DialogShadow); };
  const char* const notPosition = "не положение (нужны два индекса через запятую)";
  return {
      {"DialogPosition", "2,0", position, "20", ""},
      {"DialogPosition", "0 , 2", position, "02", ""},
      {"DialogPosition", "3,1", position, "", "индекс положения вне диапазона от 0 до 2"},
      {"DialogPosition", "1", position, "", notPosition},
      {"DialogPosition", "1,1,1", position, "", notPosition},
      {"DialogPosition", "-1,0", position, "", notPosition},
      {"ShowMainWindow", "0", background, "0", ""},
      {"ShowMainWindow", "yes", background, "", "не 0 и не 1"},
      {"ShowMainWindow", "2", background, "", "не 0 и не 1"},
      {"MainTitleShadow", "0", shadows, "01", ""},
      {"DialogTitleShadow", "0", shadows, "10", ""},
  };
}

}  // namespace

TEST(OpenProject, ValueFormsAreReadOrReportedAndLeaveTheDefault) {
  std::vector<TValueCase> cases = ColourAndFontCases();
  const std::vector<TValueCase> more = PositionAndSwitchCases();
  cases.insert(cases.end(), more.begin(), more.end());
  TTempDir dir;
  TProject reset;
  reset.DialogPosition = {0, 2};  // not the opposite of any case above
  ResetProject(reset, WriteCatalogue(dir));
  for (const TValueCase& c : cases) {
    SCOPED_TRACE(std::string(c.Key) + "=" + c.Value);
    const TOpened opened =
        OpenText(dir, std::string("[Display]\n") + c.Key + "=" + c.Value + "\n", reset);
    EXPECT_EQ(c.Item(opened.Project), c.Expected.empty() ? c.Item(reset) : c.Expected);
    const std::string report = *c.Why == '\0' ? ""
                                              : "«Display» / «" + std::string(c.Key) + "» = «" +
                                                    c.Value + "»: " + c.Why + "\n";
    EXPECT_EQ(Joined(opened.Problems), report);
  }
}

TEST(OpenProject, SequencesTickTheFirstEntryOfEachCodeAndReportWhatTheyCannotUse) {
  TTempDir dir;
  const TOpened opened = OpenText(dir,
                                  "[Config]\n"
                                  "PreInstallDialogSequence=ready, license\n"
                                  "PostInstallDialogSequence=InfoAfter,Finished,Nope\n"
                                  "Languages=DEU,,deu,ENU\n"
                                  "[Display]\nShowFinalDialog=1\n");
  const TProject& p = opened.Project;
  // The ticked entries keep the file's order.
  EXPECT_EQ(ListText(p.Pred), Cp("Лицензия+,Папка-,Готово+,selected -1, order 2 0"));
  // A code that the catalogue does not know is kept, ticked, after the final dialog.
  EXPECT_EQ(ListText(p.Post), Cp("Информация+,Перезагрузка-,Завершение+,Nope?+,selected -1"));
  // The file's languages replace the reset's tick of "Русский"; its selection stays.
  EXPECT_EQ(ListText(p.Langs), Cp("Русский-,English+,Deutsch+,selected 0, order 2 1"));
  const std::string post = "«Config» / «PostInstallDialogSequence» = «InfoAfter,Finished,Nope»: ";
  const std::string langs = "«Config» / «Languages» = «DEU,,deu,ENU»: ";
  EXPECT_EQ(Joined(opened.Problems),
            post +
                "код «Finished» принадлежит последнему диалогу, который включается ключом "
                "«ShowFinalDialog»\n" +
                post + "код «Nope» не найден в каталоге «" + (dir / "version.ini") +
                "»; он оставлен в списке и сохранится в файле как есть\n" + langs + "пустой код\n" +
                langs + "код «deu» указан дважды\n");
}

TEST(OpenProject, EmptySequenceTicksNothingAndMissingOneKeepsTheReset) {
  TTempDir dir;
  TOpened opened = OpenText(dir, "[Config]\nLanguages=\n");
  EXPECT_EQ(ListText(opened.Project.Langs), Cp("Русский-,English-,Deutsch-,selected 0"));
  EXPECT_EQ(Joined(opened.Problems), "");

  opened = OpenText(dir, "[Config]\nPreInstallDialogSequence=License\n");
  EXPECT_EQ(ListText(opened.Project.Langs), Cp("Русский+,English-,Deutsch-,selected 0"));
  EXPECT_EQ(Joined(opened.Problems), "");
}

TEST(OpenProject, WithoutCatalogueEveryCodeIsUnknownAndTheFinalDialogCannotBeShown) {
  TTempDir dir;
  WriteBytes(dir / "vuka.ini",
             CrLf("[Config]\nLanguages=RUS, x\tc ,rus\nPostInstallDialogSequence=A"
                  "\n[Display]\nShowFinalDialog=1\n"));
  TProject p;
  const std::vector<std::string> problems = OpenProject(p, dir / "vuka.ini", dir / "missing.ini");
  const std::string kept = "» не найден в каталоге «" + (dir / "missing.ini") +
                           "»; он оставлен в списке и сохранится в файле как есть\n";
  const std::string langs =
      "«Config» / «Languages» = «RUS, x\xEF\xBF\xBD"
      "c ,rus»: код «";
  EXPECT_EQ(Joined(problems),
            "«Config» / «PostInstallDialogSequence» = «A»: код «A" + kept + langs + "RUS" + kept +
                langs +
                "x\xEF\xBF\xBD"
                "c» не найден в каталоге и содержит управляющий символ\n" +
                langs + "rus» указан дважды\n" +
                "«Display» / «ShowFinalDialog» = «1»: в каталоге нет диалогов после установки\n");
  // Unknown codes are kept; the last of them is no final dialog.
  EXPECT_EQ(ListText(p.Langs), "RUS?+,selected -1");
  EXPECT_EQ(ListText(p.Post), "A?+,selected -1");
  EXPECT_EQ(p.Pred.Count(), 0);
}

TEST(OpenProject, MainTitleFollowsShowMainTitleAndKeepsTheFilesProductName) {
  struct TCase {
    const char* File;
    const char* ProgramNameText;
    const char* MainTitleCaption;
    const char* Problem;
  };
  const char* const demo = "Демо-программа 1.0";
  const std::vector<TCase> cases = {
      {"[Display]\nShowMainTitle=1\n[Variables]\nProgramName=Abc\n", "Abc", "Abc", ""},
      {"[Display]\nShowMainTitle=0\n[Variables]\nProgramName=\n", demo, "", ""},
      {"[Display]\nShowMainTitle=0\n", demo, "", ""},
      {"[Variables]\nProgramName=Abc\n", "Abc", "Abc", ""},
      {"[Variables]\nInstallPath=x\n", demo, demo, ""},
      {"[Display]\nShowMainTitle=0\n[Variables]\nProgramName=Abc\n", "Abc", "",
       "«Variables» / «ProgramName» = «Abc»: заголовок скрыт (ShowMainTitle=0), поэтому название "
       "не показывается и при сохранении будет записано пустым\n"},
      {"[Display]\nShowMainTitle=1\n[Variables]\nProgramName=\n", demo, "",
       "«Variables» / «ProgramName» = «»: название пусто, поэтому заголовок скрыт\n"},
      {"[Variables]\nProgramName=A\tB\nprogramname=C\n", demo, demo,
       "«Variables» / «programname» = «C»: ключ повторяется; используется первое значение\n"
       "«Variables» / «ProgramName» = «A\xEF\xBF\xBD"
       "B»: название содержит управляющий символ\n"},
  };
  TTempDir dir;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.File);
    const TOpened opened = OpenText(dir, c.File);
    EXPECT_EQ(opened.Project.ProgramNameText, Cp(c.ProgramNameText));
    EXPECT_EQ(opened.Project.MainTitleCaption, Cp(c.MainTitleCaption));
    EXPECT_EQ(Joined(opened.Problems), c.Problem);
  }
}

TEST(OpenProject, DialogTitleAndPositionComeFromTheFileElseStayAsTheyWere) {
  TTempDir dir;
  TProject hidden;
  hidden.DialogTitleCaption = "";
  hidden.DialogPosition = {0, 2};
  TOpened opened = OpenText(dir, "[Display]\nShowDialogTitle=1\nDialogPosition=2,1\n", hidden);
  EXPECT_EQ(opened.Project.DialogTitleCaption, Cp("Добро пожаловать"));
  EXPECT_EQ(opened.Project.DialogPosition.Horizontal, 2);
  EXPECT_EQ(opened.Project.DialogPosition.Vertical, 1);

  opened = OpenText(dir, "[Display]\nShowDialogTitle=0\n", TProject());
  EXPECT_EQ(opened.Project.DialogTitleCaption, "");

  opened = OpenText(dir, "[Display]\nShowMainWindow=1\n", hidden);
  EXPECT_EQ(opened.Project.DialogTitleCaption, "");
  EXPECT_EQ(opened.Project.DialogPosition.Horizontal, 0);
  EXPECT_EQ(opened.Project.DialogPosition.Vertical, 2);
  EXPECT_EQ(Joined(opened.Problems), "");
}

TEST(OpenProject, VariablesBecomeRowsInFileOrderAndUnusableLinesAreReported) {
  TTempDir dir;
  const TOpened opened = OpenText(dir,
                                  "[Variables]\n"
                                  "Zeta=1\n"
                                  "ProgramName=P\n"
                                  "alpha='quoted'\n"
                                  "=no name\n"
                                  " lead=2\n"
                                  "[x=3\n"
                                  "ZETA=4\n"
                                  "Путь=C:\\Программы\n"
                                  "tab=a\tb\n"
                                  "del=a\x7F"
                                  "b\n"
                                  "empty=\n");
  const TProject& p = opened.Project;
  std::string rows;
  for (const TVariableRow& row : p.Variables) rows += row.Name + "=" + row.Value + ";";
  EXPECT_EQ(rows, Cp("Zeta=1;alpha=quoted;Путь=C:\\Программы;empty=;"));
  EXPECT_EQ(p.Origin.FileName, dir / "vuka.ini");
  EXPECT_EQ(p.Origin.VariableNames,
            (std::vector<std::string>{"Zeta", "alpha", Cp("Путь"), "empty"}));
  const std::string badName =
      "такое имя переменной нельзя сохранить (пробел или табуляция в начале, «[» в начале или "
      "управляющий символ)\n";
  EXPECT_EQ(Joined(opened.Problems),
            "«Variables» / «» = «no name»: переменная без имени\n"
            "«Variables» / « lead» = «2»: " +
                badName + "«Variables» / «[x» = «3»: " + badName +
                "«Variables» / «ZETA» = «4»: переменная с этим именем уже есть выше; используется "
                "первая\n"
                "«Variables» / «tab» = «a\xEF\xBF\xBD"
                "b»: значение содержит управляющий символ\n"
                "«Variables» / «del» = «a\xEF\xBF\xBD"
                "b»: значение содержит управляющий символ\n");
}

TEST(OpenProject, FileWithoutTheEditorsSectionsGivesOneEmptyRowAndSaysSo) {
  TTempDir dir;
  const TOpened opened = OpenText(dir, "[Other]\nInstallPath=x\n");
  ASSERT_EQ(opened.Project.Variables.size(), 1u);
  EXPECT_EQ(opened.Project.Variables[0].Name, "");
  EXPECT_EQ(opened.Project.Variables[0].Value, "");
  EXPECT_EQ(Joined(opened.Problems),
            "В файле нет ни одного из разделов «Config», «Display» и «Variables»\n");

  const TOpened onlyDisplay = OpenText(dir, "[Display]\nShowMainWindow=1\nShowMainWindow=0\n");
  EXPECT_TRUE(onlyDisplay.Project.BackgroundEnabled);
  EXPECT_EQ(onlyDisplay.Project.Variables.size(), 1u);
  EXPECT_EQ(Joined(onlyDisplay.Problems),
            "«Display» / «ShowMainWindow» = «0»: ключ повторяется; используется первое значение\n");
}

TEST(OpenProject, OpensReadOnlyAndLeavesTheFileUntouched) {
  TTempDir dir;
  const std::string file = dir / "vuka.ini";
  // A comment, blanks around "=", a value in quotes, a last line ending in LF alone:
  // all things that a rewrite would change.
  const std::string bytes = CrLf("; comment\n[Variables]\nA = 'x' \nB=1\n") + "C=2\n";
  WriteBytes(file, bytes);
  SetOldModificationTime(file);
  ASSERT_EQ(chmod(file.c_str(), 0444), 0);
  const std::string stamp = ModificationStamp(file);
  TProject p;
  OpenProject(p, file, WriteCatalogue(dir));
  EXPECT_EQ(ModificationStamp(file), stamp);
  EXPECT_EQ(ReadBytes(file), bytes);
  EXPECT_EQ(p.Variables.size(), 3u);
}

namespace {

// Opening raises "Cannot open file <name>", or the given message, and changes nothing.
std::string ExpectOpenErrorLeavesProjectAlone(const std::string& fileName,
                                              const std::string& catalogue,
                                              std::string message = "") {
  if (message.empty()) message = "Cannot open file " + fileName;
  TProject p;
  p.Variables = {{"kept", "1"}};
  p.DialogTitleCaption = "";
  p.Origin = {"earlier.ini", {"kept"}};
  const TProject before = p;
  try {
    OpenProject(p, fileName, catalogue);
    return "no error for " + fileName;
  } catch (const EInOutError& error) {
    if (std::string(error.what()) != message) return error.what();
  }
  if (!ProjectDifference(p, before).empty()) return ProjectDifference(p, before);
  if (p.Origin.FileName != "earlier.ini") return "origin changed";
  return {};
}

#ifndef _WIN32
std::string OpenUnreadableFile(const std::string& dir) {
  const std::string file = dir + "/locked.ini";
  WriteBytes(file, "[Display]\r\nShowMainWindow=0\r\n");
  if (chmod(file.c_str(), 0) != 0) return "chmod failed";
  return ExpectOpenErrorLeavesProjectAlone(file, dir + "/version.ini");
}
#endif

}  // namespace

TEST(OpenProject, MissingUnreadableOrNonRegularFileRaisesAndLeavesTheProject) {
  TTempDir dir;
  EXPECT_EQ(ExpectOpenErrorLeavesProjectAlone(dir / "missing.ini", dir / "version.ini"), "");
  EXPECT_EQ(ExpectOpenErrorLeavesProjectAlone(dir.Path(), dir / "version.ini"), "");
  EXPECT_EQ(ExpectOpenErrorLeavesProjectAlone("/dev/zero", dir / "version.ini"), "");
#ifndef _WIN32  // Windows has no mode that forbids reading
  EXPECT_EQ(RunUnprivileged(OpenUnreadableFile, dir.Path()), "");
#endif
}

// A file too large for a configuration is refused by its size alone (a sparse
// file: nothing of it may be read); at the limit it is read.
TEST(OpenProject, FileOverTheSizeLimitIsRefusedNamingItsSize) {
  TTempDir dir;
  const std::string file = dir / "huge.ini";
  WriteBytes(file, "[Display]\r\nShowMainWindow=0\r\n;");
  ASSERT_EQ(truncate(file.c_str(), static_cast<off_t>(MaxConfigurationBytes)), 0);
  TProject p;
  EXPECT_EQ(OpenProject(p, file, dir / "version.ini").size(), 0u);
  EXPECT_FALSE(p.BackgroundEnabled);

  ASSERT_EQ(truncate(file.c_str(), static_cast<off_t>(MaxConfigurationBytes) + 1), 0);
  EXPECT_EQ(ExpectOpenErrorLeavesProjectAlone(
                file, dir / "version.ini",
                "File " + file + " is too large for a configuration: 268435457 bytes, at most " +
                    "268435456 are read"),
            "");
}

// The compact texts that Open returns give back every text in order: repeats
// of the problem before, records across the pieces they are kept in, and more
// distinct reasons than it keeps as words.
TEST(OpenProject, ProblemTextsGiveBackEveryTextInOrder) {
  std::mt19937 random(5);
  TProblemTexts texts;
  std::vector<std::string> expected;
  for (int i = 0; i < 20000; ++i) {
    const std::string key = "k" + std::to_string(random() % 3);
    const std::string value(random() % 50 == 0 ? 70000 : random() % 3, 'v');
    const std::string why = "reason " + std::to_string(i < 10000 ? random() % 4 : random() % 100);
    if (random() % 10 == 0) {
      texts.Add(key + why);
      expected.push_back(key + why);
    } else if (random() % 10 == 0) {
      const std::string line = key + value;
      const TLineWarning warning{TWarningKind::LineWithoutEquals, 0, "Display", line};
      texts.AddWarning(warning);
      expected.push_back(ShownProblem(WarningProblem(warning)));
    } else {
      texts.AddLine("Variables", key, value, why);
      expected.push_back(LineProblem("Variables", key, value, why).Text);
    }
    // Reading one text on its own, also before more are added.
    if (i % 4999 == 0) {
      const size_t j = expected.size() - 1 - random() % expected.size() / 2;
      EXPECT_EQ(texts.At(j), expected[j]) << j;
    }
  }
  EXPECT_EQ(texts.size(), expected.size());
  EXPECT_TRUE(texts == expected);
  for (int n = 0; n < 3000; ++n) {
    const size_t i = n < 1000 ? static_cast<size_t>(n) : random() % expected.size();
    ASSERT_EQ(texts.At(i), expected[i]) << i;
  }
  EXPECT_THROW(texts.At(expected.size()), std::out_of_range);
  EXPECT_EQ(static_cast<std::vector<std::string>>(texts), expected);
  EXPECT_TRUE(TProblemTexts() == std::vector<std::string>{});
}

// The names of the file's origin come back as they went in, of any length.
TEST(OpenProject, OriginNamesGiveBackEveryNameOfAnyLength) {
  std::vector<std::string> names;
  for (const size_t size : {0, 1, 127, 128, 300, 16383, 16384, 70000}) {
    names.emplace_back(size, static_cast<char>('a' + names.size()));
  }
  TNameList list;
  for (const std::string& name : names) list.push_back(name);
  EXPECT_TRUE(list == names);
  EXPECT_EQ(list, TNameList(names));
  EXPECT_EQ(std::vector<std::string>(list.begin(), list.end()), names);
}
