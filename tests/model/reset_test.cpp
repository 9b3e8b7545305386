#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

// model.h alone must declare what the model raises (EInOutError).
#include "cp1251text.h"
#include "model/model.h"
#include "testfiles.h"

namespace {

void ExpectDefaultFonts(const TProject& p) {
  const TFontDesc title{"Times New Roman", 26, 0x00FFFF00u, true, false, false, false};
  const TFontDesc dialog{"Times New Roman", 22, 0x00800000u, true, false, false, false};
  for (const auto& [font, expected] :
       {std::pair{p.TitleFont, title}, std::pair{p.DialogFont, dialog}}) {
    EXPECT_EQ(font.Name, expected.Name);
    EXPECT_EQ(font.Size, expected.Size);
    EXPECT_EQ(font.Color, expected.Color);
    EXPECT_TRUE(font.Bold);
    EXPECT_FALSE(font.Italic || font.Underline || font.StrikeOut);
  }
}

void ExpectDefaultAppearance(const TProject& p) {
  EXPECT_EQ(p.ProgramNameText, Utf8ToCp1251("Демо-программа 1.0"));
  EXPECT_EQ(p.MainTitleCaption, Utf8ToCp1251("Демо-программа 1.0"));
  ExpectDefaultFonts(p);
  EXPECT_TRUE(p.TitleShadow);
  EXPECT_TRUE(p.DialogShadow);
  EXPECT_EQ(p.TitleShadowColor, 0x80000010u);
  EXPECT_EQ(p.DialogShadowColor, 0x80000010u);
  EXPECT_EQ(p.TopColor, 0x00FF0000u);
  EXPECT_EQ(p.BottomColor, 0x00000000u);
  EXPECT_TRUE(p.BackgroundEnabled);
}

void ExpectDefaultVariables(const TProject& p) {
  ASSERT_EQ(p.Variables.size(), 1u);
  EXPECT_EQ(p.Variables[0].Name, "InstallPath");
  EXPECT_EQ(p.Variables[0].Value, Utf8ToCp1251("Введите значение"));
}

// A project that differs from the defaults in every item.
TProject ChangedProject() {
  TProject p;
  p.ProgramNameText = "Other";
  p.MainTitleCaption = "";
  p.DialogTitleCaption = "";
  p.TitleFont = {"Arial", 9, 1, false, true, true, true};
  p.DialogFont = {"Arial", 7, 2, false, true, true, true};
  p.TitleShadow = p.DialogShadow = p.BackgroundEnabled = false;
  p.TitleShadowColor = p.DialogShadowColor = 3;
  p.TopColor = p.BottomColor = 4;
  p.DialogPosition = {0, 2};
  for (TCheckList* list : {&p.Langs, &p.Pred, &p.Post}) {
    list->Append("stale", "S");
    list->SetTick(0, true);
    list->Select(0);
  }
  p.Variables = {{"a", "1"}, {"b", "2"}};
  return p;
}

std::vector<std::string> Names(const TCheckList& list) {
  std::vector<std::string> names;
  names.reserve(static_cast<size_t>(list.Count()));
  for (int32_t i = 0; i < list.Count(); ++i) names.push_back(list.Name(i));
  return names;
}

int32_t TickedCount(const TCheckList& list) {
  int32_t n = 0;
  for (int32_t i = 0; i < list.Count(); ++i) n += list.IsTicked(i) ? 1 : 0;
  return n;
}

}  // namespace

TEST(Project, NewProjectIsTheStartUpState) {
  const TProject p;
  ExpectDefaultAppearance(p);
  ExpectDefaultVariables(p);
  EXPECT_EQ(p.DialogTitleCaption, Utf8ToCp1251("Добро пожаловать"));
  EXPECT_EQ(p.DialogPosition.Horizontal, 1);
  EXPECT_EQ(p.DialogPosition.Vertical, 1);
  EXPECT_EQ(p.Langs.Count() + p.Pred.Count() + p.Post.Count(), 0);
}

TEST(ResetProject, MissingCatalogueRestoresDefaultsWithEmptyListsAndLeavesPositionAndDialogTitle) {
  TTempDir dir;
  TProject p = ChangedProject();
  ResetProject(p, dir / "version.ini");

  ExpectDefaultAppearance(p);
  ExpectDefaultVariables(p);
  EXPECT_EQ(p.DialogTitleCaption, "");
  EXPECT_EQ(p.DialogPosition.Horizontal, 0);
  EXPECT_EQ(p.DialogPosition.Vertical, 2);
  for (const TCheckList* list : {&p.Langs, &p.Pred, &p.Post}) {
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->Selected(), -1);
  }
  EXPECT_FALSE(FileExists(dir / "version.ini"));
}

TEST(ResetProject, FillsTheListsInFileOrderAndTicksOnlyRussian) {
  TTempDir dir;
  WriteBytes(dir / "version.ini",
             CrLf("; comment\n"
                  "[Other]\nx=1\n"
                  "[Languages]\nEnglish=ENU\nРусский=RUS\n Deutsch = DEU \nno equals sign\n"
                  "[PreInstallDlg]\nЛицензия=License\nПапка=SelectDir\n"
                  "[PostInstallDlg]\nПерезагрузка=Restart\nЗавершение=Finished\n"));
  TProject p = ChangedProject();
  ResetProject(p, dir / "version.ini");

  EXPECT_EQ(Names(p.Langs),
            (std::vector<std::string>{"English", Utf8ToCp1251("Русский"), " Deutsch"}));
  EXPECT_EQ(Names(p.Pred),
            (std::vector<std::string>{Utf8ToCp1251("Лицензия"), Utf8ToCp1251("Папка")}));
  EXPECT_EQ(Names(p.Post),
            (std::vector<std::string>{Utf8ToCp1251("Перезагрузка"), Utf8ToCp1251("Завершение")}));
  EXPECT_TRUE(p.Langs.IsTicked(1));
  EXPECT_EQ(p.Langs.Selected(), 1);
  EXPECT_EQ(TickedCount(p.Langs), 1);
  EXPECT_EQ(TickedCount(p.Pred) + TickedCount(p.Post), 0);
  EXPECT_EQ(p.Pred.Selected(), -1);
  EXPECT_EQ(p.Post.Selected(), -1);
}

TEST(ResetProject, RussianInOtherLetterCaseIsTickedAndWithoutItNothingIs) {
  TTempDir dir;
  WriteBytes(dir / "version.ini", CrLf("[LANGUAGES]\nEnglish=ENU\nрусский=RUS\nРУССКИЙ=RU2\n"));
  TProject p;
  ResetProject(p, dir / "version.ini");
  EXPECT_EQ(p.Langs.Selected(), 1);
  EXPECT_EQ(TickedCount(p.Langs), 1);
  EXPECT_TRUE(p.Langs.IsTicked(1));

  WriteBytes(dir / "version.ini", CrLf("[Languages]\nEnglish=ENU\nРусский язык=RUS\n"));
  ResetProject(p, dir / "version.ini");
  EXPECT_EQ(p.Langs.Count(), 2);
  EXPECT_EQ(p.Langs.Selected(), -1);
  EXPECT_EQ(TickedCount(p.Langs), 0);
}

TEST(ResetProject, DuplicatedSectionListsOnlyTheFirstOnesEntries) {
  TTempDir dir;
  WriteBytes(dir / "version.ini", CrLf("[Languages]\nEnglish=ENU\n[PreInstallDlg]\nA=a\n[languages]"
                                       "\nРусский=RUS\n[Languages]\nX=x\n"));
  TProject p;
  ResetProject(p, dir / "version.ini");
  EXPECT_EQ(Names(p.Langs), std::vector<std::string>{"English"});
  EXPECT_EQ(Names(p.Pred), std::vector<std::string>{"A"});
  EXPECT_EQ(p.Langs.Selected(), -1);
}

TEST(ResetProject, SampleCatalogueOffersRussianAndEndsWithTheFinalDialog) {
  TProject p;
  ResetProject(p, VUKA_SAMPLE_CATALOGUE);
  EXPECT_GE(p.Langs.Count(), 4);
  EXPECT_EQ(p.Langs.Name(p.Langs.Selected()), Utf8ToCp1251("Русский"));
  EXPECT_GE(p.Pred.Count(), 4);
  EXPECT_GE(p.Post.Count(), 2);
  EXPECT_EQ(p.Post.Name(p.Post.Count() - 1), Utf8ToCp1251("Завершение установки"));

  const std::string bytes = ReadBytes(VUKA_SAMPLE_CATALOGUE);
  EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
    }
    if (bytes[i] == '\r') {
      EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at " << i;
    }
  }
}

namespace {

#ifndef _WIN32
std::string ResetWithUnreadableCatalogue(const std::string& dir) {
  const std::string catalogue = dir + "/version.ini";
  TProject p;
  p.TopColor = 4;
  p.Langs.Append("stale", "S");
  p.Variables = {{"a", "1"}};
  try {
    ResetProject(p, catalogue);
    return "no error";
  } catch (const EInOutError& error) {
    if (error.what() != "Cannot open file " + catalogue)
      return std::string("message: ") + error.what();
  }
  // The reset stops at the catalogue: defaults before it are applied, the table is left.
  if (p.TopColor != 0x00FF0000u) return "appearance not reset";
  if (p.Langs.Count() != 0) return "lists not emptied";
  if (p.Variables.size() != 1 || p.Variables[0].Name != "a") return "variables reset";
  return "";
}
#endif

}  // namespace

#ifndef _WIN32  // Windows has no mode that forbids reading
TEST(ResetProject, CatalogueThatCannotBeOpenedRaisesTheOpenError) {
  TTempDir dir;
  WriteBytes(dir / "version.ini", CrLf("[Languages]\nРусский=RUS\n"));
  chmod((dir / "version.ini").c_str(), 0);
  EXPECT_EQ(RunUnprivileged(ResetWithUnreadableCatalogue, dir.Path()), "");
}
#endif
