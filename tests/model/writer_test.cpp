#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "cp1251text.h"
#include "inifile/inifile.h"
#include "model/model.h"
#include "testfiles.h"

namespace {

const char* const kDisplayDefaults =
    "[Display]\n"
    "ShowMainWindow=1\n"
    "ShowMainTitle=1\n"
    "ShowDialogTitle=1\n"
    "ShowFinalDialog=0\n"
    "GradientTopColor=$FF0000\n"
    "GradientBottomColor=$000000\n"
    "MainTitleFont=Times New Roman,26,$FFFF00,B\n"
    "MainTitleShadow=1\n"
    "MainTitleShadowColor=$808080\n"
    "DialogTitleFont=Times New Roman,22,$800000,B\n"
    "DialogTitleShadow=1\n"
    "DialogTitleShadowColor=$808080\n"
    "DialogPosition=1,1\n"
    "\n";

const char* const kVariablesDefaults =
    "[Variables]\n"
    "ProgramName=Демо-программа 1.0\n"
    "InstallPath=Введите значение\n"
    "\n";

std::string ConfigSection(const std::string& pre, const std::string& post,
                          const std::string& languages) {
  return "[Config]\nPreInstallDialogSequence=" + pre + "\nPostInstallDialogSequence=" + post +
         "\nLanguages=" + languages + "\n\n";
}

// A catalogue of the test's own with three entries in each list.
std::string WriteCatalogue(const TTempDir& dir) {
  const std::string path = dir / "version.ini";
  WriteBytes(
      path,
      CrLf("[Languages]\nРусский=RUS\nEnglish = ENU \nенглиш=ENX\nDeutsch=DEU\n"
           "[PreInstallDlg]\nЛицензия=License\nПапка=SelectDir\nГотово=Ready\n"
           "[PostInstallDlg]\nИнформация=InfoAfter\nПерезагрузка=Restart\nЗавершение=Finished\n"));
  return path;
}

std::string SaveError(const TProject& project, const std::string& fileName,
                      const std::string& catalogue) {
  try {
    SaveProject(project, fileName, catalogue);
  } catch (const std::exception& error) {
    return error.what();
  }
  return "no error";
}

}  // namespace

TEST(SaveProject, DefaultProjectMakesItsDirectoryAndTheExactFile) {
  TTempDir dir;
  const std::string target = dir / "missing/deeper/vuka.ini";
  SaveProject(TProject(), target, dir / "version.ini");
  EXPECT_EQ(ReadBytes(target),
            CrLf(ConfigSection("", "", "") + kDisplayDefaults + kVariablesDefaults));
  EXPECT_FALSE(FileExists(dir / "version.ini"));
}

TEST(SaveProject, ListKeysHoldTheCodesOfTickedEntriesInListOrder) {
  TTempDir dir;
  const std::string catalogue = WriteCatalogue(dir);
  TProject p;
  ResetProject(p, catalogue);
  p.Langs.SetTick(3, true);
  p.Pred.SetTick(0, true);
  p.Pred.SetTick(2, true);
  for (int32_t i = 0; i < 3; ++i) p.Post.SetTick(i, true);
  SaveProject(p, dir / "vuka.ini", catalogue);
  std::string display = kDisplayDefaults;
  display.replace(display.find("ShowFinalDialog=0"), 17, "ShowFinalDialog=1");
  EXPECT_EQ(ReadBytes(dir / "vuka.ini"),
            CrLf(ConfigSection("License,Ready", "InfoAfter,Restart", "RUS,DEU") + display +
                 kVariablesDefaults));
}

TEST(SaveProject, LookupTrimsBlanksIgnoresCaseAndGivesEmptyCodesForUnknownNames) {
  TTempDir dir;
  const std::string catalogue = WriteCatalogue(dir);
  TProject p;
  p.Langs.Append("ENGLISH");
  p.Langs.Append(Utf8ToCp1251("Енглиш"));
  p.Langs.Append("english");
  p.Pred.Append("unknown");
  p.Pred.Append("unknown too");
  p.Post.Append(Utf8ToCp1251("Завершение"));
  for (TCheckList* list : {&p.Langs, &p.Pred}) {
    for (int32_t i = 0; i < list->Count(); ++i) list->SetTick(i, true);
  }
  SaveProject(p, dir / "vuka.ini", catalogue);
  // A one-entry post-installation list holds the final dialog only; it is unticked here.
  EXPECT_EQ(ReadBytes(dir / "vuka.ini"),
            CrLf(ConfigSection(",", "", "ENU,ENX,ENU") + kDisplayDefaults + kVariablesDefaults));

  // Without a catalogue every ticked entry contributes an empty code.
  SaveProject(p, dir / "other.ini", dir / "missing.ini");
  EXPECT_EQ(ReadBytes(dir / "other.ini"),
            CrLf(ConfigSection(",", "", ",,") + kDisplayDefaults + kVariablesDefaults));
  EXPECT_FALSE(FileExists(dir / "missing.ini"));
}

TEST(SaveProject, DisplayKeysFollowTheProject) {
  TTempDir dir;
  TProject p;
  p.BackgroundEnabled = false;
  p.MainTitleCaption = "";
  p.DialogTitleCaption = "";
  p.TopColor = 0x000000FFu;
  p.BottomColor = clBtnHighlight;
  p.TitleFont = {"Arial", 10, 0, false, true, true, false};
  p.TitleShadow = false;
  p.TitleShadowColor = 0x00010203u;
  p.DialogFont = {Utf8ToCp1251("Шрифт"), 12, 0x80000008u, true, true, false, true};
  p.DialogShadow = false;
  p.DialogShadowColor = 0x8000000Fu;
  p.DialogPosition = {2, 0};
  p.Post.Append("final");
  p.Post.SetTick(0, true);
  SaveProject(p, dir / "vuka.ini", dir / "version.ini");
  EXPECT_EQ(ReadBytes(dir / "vuka.ini"),
            CrLf(ConfigSection("", "", "") + "[Display]\n"
                                             "ShowMainWindow=0\n"
                                             "ShowMainTitle=0\n"
                                             "ShowDialogTitle=0\n"
                                             "ShowFinalDialog=1\n"
                                             "GradientTopColor=$0000FF\n"
                                             "GradientBottomColor=$FFFFFF\n"
                                             "MainTitleFont=Arial,10,$0I\n"
                                             "MainTitleShadow=0\n"
                                             "MainTitleShadowColor=$010203\n"
                                             "DialogTitleFont=Шрифт,12,$0,BI\n"
                                             "DialogTitleShadow=0\n"
                                             "DialogTitleShadowColor=$C0C0C0\n"
                                             "DialogPosition=2,0\n"
                                             "\n"
                                             "[Variables]\n"
                                             "ProgramName=\n"
                                             "InstallPath=Введите значение\n"
                                             "\n"));
  EXPECT_EQ(p.ProgramNameText, Utf8ToCp1251("Демо-программа 1.0"));
}

TEST(SaveProject, VariablesSkipEmptyNamesAndLaterRowsReplaceEarlierLinesInPlace) {
  TTempDir dir;
  TProject p;
  p.Variables = {{"InstallPath", "C:\\a"},
                 {"", "ignored"},
                 {"Group", ""},
                 {"installpath", "C:\\b"},
                 {"PROGRAMNAME", Utf8ToCp1251("Своё имя")},
                 {" Lead", "'quoted'"}};
  SaveProject(p, dir / "vuka.ini", dir / "version.ini");
  EXPECT_EQ(ReadBytes(dir / "vuka.ini"), CrLf(ConfigSection("", "", "") + kDisplayDefaults +
                                              "[Variables]\n"
                                              "PROGRAMNAME=Своё имя\n"
                                              "installpath=C:\\b\n"
                                              "Group=\n"
                                              " Lead='quoted'\n"
                                              "\n"));
}

TEST(SaveProject, UpdatesAnExistingFileKeepingForeignSectionsAndKeys) {
  TTempDir dir;
  const std::string target = dir / "vuka.ini";
  WriteBytes(target, CrLf("; written by hand\n"
                          "[Setup]\nMode=silent\n\n"
                          "[display]\nCustom = yes\nshowmainwindow=0\nDialogPosition=0,0\n"
                          "[Variables]\nInstallPath=D:\\old\nOld=kept\n"));
  SaveProject(TProject(), target, dir / "version.ini");
  EXPECT_EQ(ReadBytes(target),
            CrLf("[Setup]\nMode=silent\n\n"
                 "[display]\nCustom=yes\nShowMainWindow=1\nDialogPosition=1,1\n"
                 "ShowMainTitle=1\nShowDialogTitle=1\nShowFinalDialog=0\n"
                 "GradientTopColor=$FF0000\nGradientBottomColor=$000000\n"
                 "MainTitleFont=Times New Roman,26,$FFFF00,B\nMainTitleShadow=1\n"
                 "MainTitleShadowColor=$808080\nDialogTitleFont=Times New Roman,22,$800000,B\n"
                 "DialogTitleShadow=1\nDialogTitleShadowColor=$808080\n\n"
                 "[Variables]\nInstallPath=Введите значение\nOld=kept\n"
                 "ProgramName=Демо-программа 1.0\n\n" +
                 ConfigSection("", "", "")));
}

TEST(SaveProject, UnchangedSecondSaveLeavesTheFileUntouched) {
  TTempDir dir;
  const std::string catalogue = WriteCatalogue(dir);
  const std::string target = dir / "vuka.ini";
  TProject p;
  ResetProject(p, catalogue);
  SaveProject(p, target, catalogue);
  // A comment survives only as long as the file is not rewritten.
  const std::string withComment = ReadBytes(target) + CrLf("; note\n");
  WriteBytes(target, withComment);

  SaveProject(p, target, catalogue);
  EXPECT_EQ(ReadBytes(target), withComment);

  // A value that reads back differently makes every save rewrite the file.
  p.Variables.push_back({"Padded", "value "});
  SaveProject(p, target, catalogue);
  const std::string rewritten = ReadBytes(target);
  EXPECT_EQ(rewritten.find("; note"), std::string::npos);
  WriteBytes(target, rewritten + CrLf("; note\n"));
  SaveProject(p, target, catalogue);
  EXPECT_EQ(ReadBytes(target), rewritten);
}

TEST(SaveProject, CatalogueAsTheTargetIsRefusedAndLeftAsItWas) {
  TTempDir dir;
  const std::string catalogue = WriteCatalogue(dir);
  const std::string before = ReadBytes(catalogue);
  TProject p;
  ResetProject(p, catalogue);
  EXPECT_EQ(SaveError(p, catalogue, catalogue), "Cannot open file " + catalogue);
  EXPECT_EQ(ReadBytes(catalogue), before);
}

TEST(SaveProject, CatalogueHeldOpenForWritingStopsTheSaveBeforeAnythingIsWritten) {
  TTempDir dir;
  const std::string catalogue = WriteCatalogue(dir);
  const std::string target = dir / "new/vuka.ini";
  TIniDocument holder(catalogue, false);
  EXPECT_EQ(SaveError(TProject(), target, catalogue), "Cannot open file " + catalogue);
  EXPECT_FALSE(FileExists(dir / "new"));
}

namespace {

std::string SaveWithReadOnlyCatalogue(const std::string& dir) {
  const std::string catalogue = dir + "/version.ini";
  const std::string target = dir + "/vuka.ini";
  const std::string before = ReadBytes(target);
  TProject p;
  ResetProject(p, catalogue);  // reading is allowed
  if (p.Langs.Count() != 4) return "lists not filled";
  try {
    SaveProject(p, target, catalogue);
    return "no error";
  } catch (const EInOutError& error) {
    if (error.what() != "Cannot open file " + catalogue)
      return std::string("message: ") + error.what();
  }
  return ReadBytes(target) == before ? "" : "target changed";
}

std::string SaveIntoReadOnlyTarget(const std::string& dir) {
  const std::string target = dir + "/vuka.ini";
  try {
    SaveProject(TProject(), target, dir + "/version.ini");
    return "no error";
  } catch (const EInOutError& error) {
    if (error.what() != "Cannot open file " + target)
      return std::string("message: ") + error.what();
  }
  return "";
}

}  // namespace

TEST(SaveProject, ReadOnlyCatalogueFailsEverySave) {
  TTempDir dir;
  const std::string catalogue = WriteCatalogue(dir);
  WriteBytes(dir / "vuka.ini", CrLf("[Setup]\nMode=silent\n"));
  chmod(catalogue.c_str(), 0444);
  chmod((dir / "vuka.ini").c_str(), 0666);
  EXPECT_EQ(RunUnprivileged(SaveWithReadOnlyCatalogue, dir.Path()), "");
}

TEST(SaveProject, ReadOnlyTargetFailsWithTheOpenError) {
  TTempDir dir;
  WriteBytes(dir / "vuka.ini", CrLf("[Setup]\nMode=silent\n"));
  chmod((dir / "vuka.ini").c_str(), 0444);
  EXPECT_EQ(RunUnprivileged(SaveIntoReadOnlyTarget, dir.Path()), "");
  EXPECT_EQ(ReadBytes(dir / "vuka.ini"), CrLf("[Setup]\nMode=silent\n"));
}

TEST(SaveProject, FileThatCannotBeCreatedIsReported) {
  TTempDir dir;
  WriteBytes(dir / "plain", "not a directory");
  const std::string target = dir / "plain/sub/vuka.ini";
  const std::string message = SaveError(TProject(), target, dir / "version.ini");
  EXPECT_EQ(message.rfind("Cannot write file " + target + ": ", 0), 0u) << message;
  EXPECT_GT(message.size(), ("Cannot write file " + target + ": ").size());
}

TEST(SaveProject, VariablesThatCannotSurviveTheFileAreRefusedBeforeAnythingIsWritten) {
  TTempDir dir;
  const std::string target = dir / "vuka.ini";
  struct TCase {
    TVariableRow Row;
    std::string Message;
  };
  const TCase cases[] = {
      {{"A=B", "1"}, "Недопустимое имя переменной в строке 3: «A=B»"},
      {{"Line\nBreak", "1"}, "Недопустимое имя переменной в строке 3: «Line\nBreak»"},
      {{"Tab\tInside", "1"}, "Недопустимое имя переменной в строке 3: «Tab\tInside»"},
      {{std::string("Nul\0", 4), "1"}, "Недопустимое имя переменной в строке 3: «Nul\xEF\xBF\xBD»"},
      {{";Comment", "1"}, "Недопустимое имя переменной в строке 3: «;Comment»"},
      {{"[Section]", "1"}, "Недопустимое имя переменной в строке 3: «[Section]»"},
      {{Utf8ToCp1251("Путь "), "1"}, "Недопустимое имя переменной в строке 3: «Путь »"},
      {{"Trailing\t", "1"}, "Недопустимое имя переменной в строке 3: «Trailing\t»"},
      {{"Name", Utf8ToCp1251("две\r\nстроки")},
       "Недопустимое значение переменной в строке 3: «две\r\nстроки»"},
      {{"Name", "cr\ronly"}, "Недопустимое значение переменной в строке 3: «cr\ronly»"},
  };
  for (const TCase& c : cases) {
    TProject p;
    p.Variables = {{"First", "1"}, {"", "skipped"}, c.Row, {"Last", "\n"}};
    EXPECT_EQ(SaveError(p, target, dir / "version.ini"), c.Message);
    EXPECT_FALSE(FileExists(target));
  }

  TProject p;
  p.MainTitleCaption = "Two\nlines";
  EXPECT_EQ(SaveError(p, target, dir / "version.ini"),
            "Недопустимое название программы: «Two\nlines»");
  EXPECT_FALSE(FileExists(target));
}
