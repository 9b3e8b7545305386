#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

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
  std::string path = dir / "version.ini";
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

// A vuka.ini in UTF-16, as Windows tools write it: Open reads it as the setup does,
// Save writes only the lines it changes, in UTF-16, and keeps the mark and every other line.
TEST(SaveProject, Utf16FileOpensAndStaysUtf16) {
  TTempDir dir;
  WriteBytes(dir / "version.ini", CrLf("[Languages]\nРусский=RUS\n"));
  const std::string file = dir / "vuka.ini";
  const std::string kept[] = {"; комментарий\r\n", "[Чужой]\r\nключ=значение\r\n", "Символ=ā\r\n"};
  for (const bool big : {false, true}) {
    WriteBytes(file,
               Utf16File(kept[0] + kept[1] + "[Variables]\r\nПуть=C:\\Игры\r\n" + kept[2], big));
    TProject p;
    EXPECT_EQ(OpenProject(p, file, dir / "version.ini"), std::vector<std::string>{});
    ASSERT_EQ(p.Variables.size(), 2U);
    EXPECT_EQ(p.Variables[0].Value, Utf8ToCp1251("C:\\Игры"));
    EXPECT_EQ(p.Variables[1].Value, "?");  // as the setup reads a letter outside Windows-1251
    p.Variables[0].Value = "D:\\";
    SaveProject(p, file);
    const std::string saved = ReadBytes(file);
    EXPECT_EQ(saved.substr(0, 2), Utf16File("", big));
    for (const std::string& line : {kept[0], kept[1], kept[2], std::string("Путь=D:\\\r\n")})
      EXPECT_NE(saved.find(Utf16File(line, big).substr(2)), std::string::npos) << line;
    SaveProject(p, file);
    EXPECT_EQ(ReadBytes(file), saved) << "an unchanged save rewrote the file";
  }
}

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

// Each entry holds the value of the first catalogue line of its name, as the list was filled.
TEST(SaveProject, WritesTheCodeOfTheFirstCatalogueLineOfEachEntrysName) {
  TTempDir dir;
  const std::string catalogue = dir / "version.ini";
  WriteBytes(catalogue, CrLf("[Languages]\nEnglish = ENU \nENGLISH=ENX\nенглиш=\"RUS\"\n"));
  TProject p;
  ResetProject(p, catalogue);
  for (int32_t i = 0; i < p.Langs.Count(); ++i) p.Langs.SetTick(i, true);
  SaveProject(p, dir / "vuka.ini", catalogue);
  EXPECT_EQ(ReadBytes(dir / "vuka.ini"),
            CrLf(ConfigSection("", "", "ENU,ENU,RUS") + kDisplayDefaults + kVariablesDefaults));
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
  p.Post.Append("final", "Finished");
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

TEST(SaveProject, VariablesSkipEmptyNamesAndQuoteWhatNeedsIt) {
  TTempDir dir;
  TProject p;
  p.Variables = {{"InstallPath", "C:\\a"}, {"", "ignored"}, {"Group", ""}, {"Lead", "'quoted'"}};
  SaveProject(p, dir / "vuka.ini", dir / "version.ini");
  EXPECT_EQ(ReadBytes(dir / "vuka.ini"), CrLf(ConfigSection("", "", "") + kDisplayDefaults +
                                              "[Variables]\n"
                                              "ProgramName=Демо-программа 1.0\n"
                                              "InstallPath=C:\\a\n"
                                              "Group=\n"
                                              "Lead=\"'quoted'\"\n"
                                              "\n"));
}

// Names that are one key to the setup would write one row over the other: Save refuses them,
// naming both rows, and leaves the file as it was. Empty names are not written.
TEST(SaveProject, RowsThatAreOneKeyToTheSetupAreRefusedNamingBoth) {
  TTempDir dir;
  const std::string target = dir / "vuka.ini";
  const std::string before = CrLf("; kept\n[Variables]\nCompany=Old\n");
  const std::string pair = " названы одинаково без учёта регистра букв: ";
  struct TCase {
    std::vector<std::string> Names;
    std::string Message;  // empty: saved
  };
  const TCase cases[] = {
      {{"Company", "", "Company"}, "Переменные в строках 1 и 3" + pair + "«Company» и «Company»"},
      {{"Company", "x", "company"}, "Переменные в строках 1 и 3" + pair + "«Company» и «company»"},
      {{"x", Utf8ToCp1251("Путь"), Utf8ToCp1251("пУТЬ")},
       "Переменные в строках 2 и 3" + pair + "«Путь» и «пУТЬ»"},
      {{Utf8ToCp1251("Ёлка"), "y", Utf8ToCp1251("ёЛКА")},
       "Переменные в строках 1 и 3" + pair + "«Ёлка» и «ёЛКА»"},
      {{"a", "A", "a"}, "Переменные в строках 1 и 2" + pair + "«a» и «A»"},
      {{"x", "y", "programNAME"},
       "Переменная в строке 3 названа «programNAME»: под этим именем в файле записывается "
       "название программы"},
      {{"", "", "Company"}, ""},
      {{"Company", "Compan", Utf8ToCp1251("Сompany")}, ""},  // a Cyrillic "С" is another letter
  };
  for (const TCase& c : cases) {
    WriteBytes(target, before);
    TProject p;
    p.Variables.clear();
    for (const std::string& name : c.Names) p.Variables.push_back({name, "v"});
    const std::string message = SaveError(p, target, dir / "version.ini");
    if (c.Message.empty()) {
      EXPECT_EQ(message, "no error");
      EXPECT_NE(ReadBytes(target), before);
    } else {
      EXPECT_EQ(message.substr(0, c.Message.size()), c.Message) << message;
      EXPECT_EQ(ReadBytes(target), before) << c.Message;
    }
  }
}

TEST(SaveProject, UpdatesAnExistingFileKeepingForeignSectionsAndKeys) {
  TTempDir dir;
  const std::string target = dir / "vuka.ini";
  WriteBytes(target, CrLf("; written by hand\n"
                          "[Setup]\nMode=silent\n\n"
                          "[display]\nCustom = yes\nshowmainwindow=0\nDialogPosition=0,0\n"
                          "[Variables]\nInstallPath=D:\\old\nOld=kept\n"));
  SaveProject(TProject(), target, dir / "version.ini");
  // Changed values replace their lines, new keys follow their section's last key line, a new
  // section goes to the end; the comment and "Custom = yes" stay as they were (once the
  // file was rewritten in the normal form without them).
  EXPECT_EQ(ReadBytes(target),
            CrLf("; written by hand\n"
                 "[Setup]\nMode=silent\n\n"
                 "[display]\nCustom = yes\nShowMainWindow=1\nDialogPosition=1,1\n"
                 "ShowMainTitle=1\nShowDialogTitle=1\nShowFinalDialog=0\n"
                 "GradientTopColor=$FF0000\nGradientBottomColor=$000000\n"
                 "MainTitleFont=Times New Roman,26,$FFFF00,B\nMainTitleShadow=1\n"
                 "MainTitleShadowColor=$808080\nDialogTitleFont=Times New Roman,22,$800000,B\n"
                 "DialogTitleShadow=1\nDialogTitleShadowColor=$808080\n"
                 "[Variables]\nInstallPath=Введите значение\nOld=kept\n"
                 "ProgramName=Демо-программа 1.0\n\n" +
                 ConfigSection("", "", "").substr(0, ConfigSection("", "", "").size() - 1)));
}

TEST(SaveProject, UnchangedSecondSaveLeavesTheFileUntouched) {
  TTempDir dir;
  const std::string catalogue = WriteCatalogue(dir);
  const std::string target = dir / "vuka.ini";
  TProject p;
  ResetProject(p, catalogue);
  SaveProject(p, target, catalogue);
  const std::string withComment = ReadBytes(target) + CrLf("; note\n");
  WriteBytes(target, withComment);

  SaveProject(p, target, catalogue);
  EXPECT_EQ(ReadBytes(target), withComment);

  // Values with blanks or quotes around them are written in quotes, read back as typed,
  // and so leave the file untouched on the next save too.
  const std::vector<TVariableRow> typed = {
      {"Padded", "value "}, {"Lead", "  x"}, {"Single", "'x'"}, {"Double", "\"x\""}};
  p.Variables.insert(p.Variables.end(), typed.begin(), typed.end());
  SaveProject(p, target, catalogue);
  const std::string rewritten = ReadBytes(target);
  EXPECT_TRUE(rewritten.ends_with("\r\n; note\r\n"));  // the comment survives (once it went)
  EXPECT_NE(rewritten.find("Padded=\"value \"\r\nLead=\"  x\"\r\nSingle=\"'x'\"\r\n"
                           "Double=\"\"x\"\"\r\n"),
            std::string::npos);
  TIniDocument written(target, true);
  for (const TVariableRow& row : typed)
    EXPECT_EQ(written.ReadString("Variables", row.Name, "?"), row.Value);
  WriteBytes(target, rewritten + CrLf("; note\n"));
  SaveProject(p, target, catalogue);
  EXPECT_EQ(ReadBytes(target), rewritten + CrLf("; note\n"));
}

TEST(SaveProject, ForeignLinesReadTheSameAfterEverySave) {
  TTempDir dir;
  const std::string target = dir / "vuka.ini";
  struct TCase {
    std::string Before, Kept;  // Kept: the bytes that stay as they were
  };
  // Once these lines came back in the normal form; now they stay byte for byte.
  const TCase cases[] = {
      // A header with a blank after it stays a header: nothing moves into "Variables".
      {"[Variables]\r\n[Note=see manual] \r\nInstallPath=C:\\Old\r\n",
       "[Note=see manual] \r\nInstallPath=C:\\Old\r\n"},
      // Quotes of keys that nobody touched stay as the setup reads them.
      {"[Other]\r\nd=''e''\r\n", "[Other]\r\nd=''e''\r\n"},
      // Lines ending in LF alone, a byte-order mark, headers with blanks or a note.
      {"[Other]\na=1\nb=2\n", "[Other]\na=1\nb=2\n\n[Config]\n"},
      {"\xEF\xBB\xBF[Other]\r\na=1\r\n", "\xEF\xBB\xBF[Other]\r\na=1\r\n"},
      {" [Other] ; note\r\na=1\r\n", " [Other] ; note\r\na=1\r\n"},
  };
  for (const TCase& c : cases) {
    WriteBytes(target, c.Before);
    SaveProject(TProject(), target, dir / "version.ini");
    const std::string once = ReadBytes(target);
    EXPECT_NE(once.find(c.Kept), std::string::npos) << once;
    TIniDocument saved(target, true);
    EXPECT_EQ(saved.ReadString("Variables", "ProgramName", ""), Utf8ToCp1251("Демо-программа 1.0"));
    EXPECT_EQ(saved.ReadString("Variables", "InstallPath", ""), Utf8ToCp1251("Введите значение"));
    SaveProject(TProject(), target, dir / "version.ini");
    EXPECT_EQ(ReadBytes(target), once) << "the second save changed the file";
  }
}

TEST(SaveProject, CatalogueAsTheTargetIsRefusedAndLeftAsItWas) {
  TTempDir dir;
  const std::string catalogue = WriteCatalogue(dir);
  const std::string before = ReadBytes(catalogue);
  TProject p;
  ResetProject(p, catalogue);
  std::filesystem::create_hard_link(catalogue, dir / "hard.ini");
  const std::string viaParent =
      dir.Path() + "/../" + std::filesystem::path(dir.Path()).filename().string() + "/version.ini";
  std::vector<std::string> targets = {catalogue, dir / "hard.ini", viaParent};
#ifndef _WIN32  // symbolic links need a privilege on Windows
  std::filesystem::create_symlink(catalogue, dir / "symbolic.ini");
  targets.push_back(dir / "symbolic.ini");
#endif
  for (const std::string& target : targets) {
    EXPECT_EQ(SaveError(p, target, catalogue), "Cannot open file " + catalogue) << target;
    EXPECT_EQ(ReadBytes(catalogue), before);
  }
}

TEST(SaveProject, CatalogueHeldOpenForWritingServesTheSave) {
  TTempDir dir;
  const std::string catalogue = WriteCatalogue(dir);
  const std::string target = dir / "new/vuka.ini";
  TIniDocument holder(catalogue, false);
  TProject p;
  ResetProject(p, catalogue);
  SaveProject(p, target, catalogue);
  EXPECT_NE(ReadBytes(target).find("Languages=RUS\r\n"), std::string::npos);
}

namespace {

// "" when saving raises the open error for `named`; else what went wrong.
std::string OpenErrorNaming(const TProject& project, const std::string& target,
                            const std::string& catalogue, const std::string& named) {
  try {
    SaveProject(project, target, catalogue);
    return "no error";
  } catch (const EInOutError& error) {
    if (error.what() != "Cannot open file " + named) return std::string("message: ") + error.what();
  }
  return "";
}

std::string SaveWithReadOnlyCatalogue(const std::string& dir) {
  const std::string catalogue = dir + "/version.ini";
  const std::string target = dir + "/vuka.ini";
  TProject p;
  ResetProject(p, catalogue);
  if (p.Langs.Count() != 4) return "lists not filled";
  SaveProject(p, target, catalogue);
  return ReadBytes(target).find("Languages=RUS\r\n") != std::string::npos ? "" : "codes missing";
}

std::string SaveIntoReadOnlyTarget(const std::string& dir) {
  const std::string target = dir + "/vuka.ini";
  return OpenErrorNaming(TProject(), target, dir + "/version.ini", target);
}

}  // namespace

TEST(SaveProject, ReadOnlyCatalogueServesTheSave) {
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

// Refused by its size alone: the sparse target is neither read nor written.
TEST(SaveProject, TargetOverTheSizeLimitIsRefusedNamingItsSize) {
  TTempDir dir;
  const std::string target = dir / "huge.ini";
  WriteBytes(target, "[Setup]\r\n");
  std::filesystem::resize_file(target, MaxConfigurationBytes + 1);
  const std::string stamp = ModificationStamp(target);
  EXPECT_EQ(SaveError(TProject(), target, WriteCatalogue(dir)),
            "File " + target + " is too large for a configuration: 268435457 bytes, at most " +
                "268435456 are read");
  EXPECT_EQ(ModificationStamp(target), stamp);
  EXPECT_EQ(std::filesystem::file_size(target), MaxConfigurationBytes + 1);
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
      {{" [Sec]", "1"}, "Недопустимое имя переменной в строке 3: « [Sec]»"},
      {{" Dup", "1"}, "Недопустимое имя переменной в строке 3: « Dup»"},
      {{"\tTab", "1"}, "Недопустимое имя переменной в строке 3: «\tTab»"},
      {{"Name", std::string("cut\0here", 8)},
       "Недопустимое значение переменной в строке 3: «cut\xEF\xBF\xBDhere»"},
      {{"Name", "bell\x07"}, "Недопустимое значение переменной в строке 3: «bell\x07»"},
      {{"Name", "tab\tinside"}, "Недопустимое значение переменной в строке 3: «tab\tinside»"},
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

  for (const std::string caption : {"Two\nlines", "Bell\x07"}) {
    TProject p;
    p.MainTitleCaption = caption;
    EXPECT_EQ(SaveError(p, target, dir / "version.ini"),
              "Недопустимое название программы: «" + caption + "»");
    EXPECT_FALSE(FileExists(target));
  }
}

TEST(SaveProject, AFontNameOrCatalogueCodeThatCannotBeWrittenLeavesTheFileAsItWas) {
  TTempDir dir;
  const std::string target = dir / "vuka.ini";
  const std::string before = "[A]\r\nb=1\r\n";
  WriteBytes(target, before);
  TProject p;
  p.DialogFont.Name = "Bad\nFont";
  EXPECT_EQ(SaveError(p, target, dir / "version.ini"), "Недопустимое имя шрифта: «Bad\nFont»");
  EXPECT_EQ(ReadBytes(target), before);

  const char catalogue[] = "[Languages]\r\nL=a\0b\r\n";
  WriteBytes(dir / "version.ini", std::string(catalogue, sizeof catalogue - 1));
  TProject q;
  ResetProject(q, dir / "version.ini");
  q.Langs.SetTick(0, true);
  EXPECT_EQ(SaveError(q, target, dir / "version.ini"),
            "Недопустимый код в каталоге: «a\xEF\xBF\xBD"
            "b»");
  EXPECT_EQ(ReadBytes(target), before);
}

TEST(SaveProject, KeysTheFileNamesWithBytesTheSetupTrimsAreReplacedOrTheSaveRefused) {
  TTempDir dir;
  const std::string target = dir / "vuka.ini";
  WriteBytes(target, "[Variables]\r\n\x1AProgramName=Old\r\nPath\x0B=C:\\Old\r\n");
  TProject p;
  p.MainTitleCaption = "New";
  p.Variables = {{"Path", "C:\\New"}};
  SaveProject(p, target, dir / "version.ini");
  const std::string saved = ReadBytes(target);
  EXPECT_NE(saved.find("[Variables]\r\nProgramName=New\r\nPath=C:\\New\r\n\r\n"), std::string::npos)
      << saved;

  // The setup reads the first section called "Display", here the one cut at its NUL.
  const std::string hiding("[Display\0old]\r\nShowMainWindow=0\r\n", 33);
  WriteBytes(target, hiding);
  EXPECT_EQ(SaveError(p, target, dir / "version.ini"),
            "Cannot store section \"Display\": the earlier section \"Display\\x00old\" reads under "
            "the same name");
  EXPECT_EQ(ReadBytes(target), hiding);
}
