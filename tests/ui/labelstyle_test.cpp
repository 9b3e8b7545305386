// The label style dialog opened from the mock-up's two titles.
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "dialog_fixture.h"
#include "ui/dialogs/LabelStyle.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/fontcolordialog.h"

namespace {

class LabelStyleTest : public DialogTest {
 protected:
  TStyleDlg* Dlg() { return Windows.StyleDlg; }
  QLineEdit* ProgName() { return Find<QLineEdit>(Dlg(), "ProgName"); }
  QCheckBox* ShowIt() { return Find<QCheckBox>(Dlg(), "ShowIt"); }
  QCheckBox* UseShadow() { return Find<QCheckBox>(Dlg(), "UseShadow"); }
  TShadowLabel* Preview() { return Find<TShadowLabel>(Dlg(), "Preview"); }
  QWidget* Ok() { return Find<QPushButton>(Dlg(), "BitBtn1"); }
  QWidget* Cancel() { return Find<QPushButton>(Dlg(), "BitBtn2"); }

  // Opens the dialog by a click on a mock-up title and runs `act` inside it.
  void OpenFrom(const char* title, std::function<void(QDialog&)> act) {
    ModalActions.push_back([this, act = std::move(act)](QDialog& dialog) {
      EXPECT_EQ(&dialog, Dlg()) << "another dialog opened";
      act(dialog);
    });
    Click(MockUp<TShadowLabel>(title), QPoint(20, 10));
    EXPECT_TRUE(ModalActions.empty()) << "the dialog did not open";
  }
};

TEST_F(LabelStyleTest, TitleSizeAndIcons) {
  EXPECT_EQ(Dlg()->objectName(), "StyleDlg");
  EXPECT_EQ(Dlg()->size(), QSize(382, 200));
  EXPECT_EQ(Dlg()->windowTitle(), "Вид надписи");
  EXPECT_FALSE(Dlg()->isVisible());
  EXPECT_FALSE(Find<QToolButton>(Dlg(), "TextFont")->icon().isNull());
}

TEST_F(LabelStyleTest, MainTitleOpensWithTheProjectAndCancelChangesNothing) {
  const TProject before = Project();
  FontAnswers.push_back(TFontDesc{"Arial", 12, 0x000000FFu, false, true, true, false});
  OpenFrom("ProgramName", [&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Вид надписи на заднем фоне");
    EXPECT_TRUE(ProgName()->isEnabled());
    EXPECT_EQ(ProgName()->text(), "Демо-программа 1.0");
    EXPECT_EQ(Preview()->Caption(), "Демо-программа 1.0");
    EXPECT_EQ(Preview()->FontDesc().Size, 26);
    EXPECT_EQ(Preview()->Color(), 0x00FF0000u);
    EXPECT_EQ(Preview()->ShadowColor(), clBtnShadow);
    EXPECT_EQ(Preview()->ShadowSize(), 3);
    EXPECT_EQ(SwatchColor(Find<QFrame>(Dlg(), "TxtColor")), 0x00FFFF00u);
    EXPECT_TRUE(UseShadow()->isChecked());
    EXPECT_TRUE(ShowIt()->isChecked());
    EXPECT_TRUE(Find<QToolButton>(Dlg(), "ShadowColor")->isEnabled());
    EXPECT_LE((Dlg()->frameGeometry().center() - Main().frameGeometry().center()).manhattanLength(),
              2)
        << "centred on the main window";

    Click(Find<QToolButton>(Dlg(), "TextFont"));
    EXPECT_TRUE(Preview()->FontDesc().Italic);
    EXPECT_EQ(SwatchColor(Find<QFrame>(Dlg(), "TxtColor")), 0x000000FFu);
    QTest::keyClicks(ProgName(), "X");
    EXPECT_EQ(Preview()->Caption(), "Демо-программа 1.0X");
    Click(Cancel());
  });
  ASSERT_EQ(FontStarts.size(), 1u);
  EXPECT_EQ(FontStarts[0].Name, "Times New Roman");
  EXPECT_TRUE(FontStarts[0].Bold);
  EXPECT_EQ(Project().TitleFont.Name, before.TitleFont.Name);
  EXPECT_FALSE(Project().TitleFont.Italic);
  EXPECT_EQ(Project().ProgramNameText, before.ProgramNameText);
  auto* title = MockUp<TShadowLabel>("ProgramName");
  EXPECT_EQ(title->Caption(), "Демо-программа 1.0");
  EXPECT_FALSE(title->FontDesc().Italic);
  EXPECT_EQ(MockUp<QLabel>("DlgCaption")->text(), " Установка Демо-программа 1.0");
}

// Enter answers the focused button: on "Отмена" it cancels.
TEST_F(LabelStyleTest, EnterOnTheFocusedCancelButtonCancels) {
  OpenFrom("ProgramName", [&](QDialog& dialog) {
    Click(ShowIt());
    Cancel()->setFocus();
    QTest::keyClick(Cancel(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
  });
  EXPECT_EQ(Project().MainTitleCaption, Utf8ToCp1251("Демо-программа 1.0"));
}

TEST_F(LabelStyleTest, HiddenMainTitleKeepsTheNameAndWritesAnEmptyProgramName) {
  OpenFrom("ProgramName", [&](QDialog&) {
    Click(ShowIt());
    EXPECT_FALSE(ShowIt()->isChecked());
    EXPECT_EQ(Preview()->Caption(), "");
    // A new name with the title hidden leaves the sample empty.
    ProgName()->selectAll();
    Type(ProgName(), "Новая");
    EXPECT_EQ(Preview()->Caption(), "");
    Click(Ok());
  });
  EXPECT_EQ(Project().ProgramNameText, Utf8ToCp1251("Новая"));
  EXPECT_EQ(Project().MainTitleCaption, "");
  EXPECT_EQ(MockUp<TShadowLabel>("ProgramName")->Caption(), "");
  EXPECT_EQ(MockUp<QLabel>("DlgCaption")->text(), " Установка Новая");

  const auto lines = SaveAndRead();
  EXPECT_TRUE(HasLine(lines, "ShowMainTitle=0"));
  EXPECT_TRUE(HasLine(lines, "ProgramName="));

  // The empty title still opens its dialog, and ticking it brings the name back.
  OpenFrom("ProgramName", [&](QDialog&) {
    EXPECT_FALSE(ShowIt()->isChecked());
    EXPECT_EQ(ProgName()->text(), "Новая");
    Click(ShowIt());
    EXPECT_EQ(Preview()->Caption(), "Новая");
    Click(Ok());
  });
  EXPECT_EQ(Project().MainTitleCaption, Utf8ToCp1251("Новая"));
  EXPECT_EQ(MockUp<TShadowLabel>("ProgramName")->Caption(), "Новая");
  EXPECT_EQ(ValueOf(SaveAndRead(), "ShowMainTitle"), "1");
}

TEST_F(LabelStyleTest, FontShadowAndColourReachTheMockUpAndTheFile) {
  FontAnswers.push_back(TFontDesc{"Arial", 20, 0x0000FF00u, true, true, false, false});
  ColorAnswers.push_back(0x000000FFu);
  OpenFrom("ProgramName", [&](QDialog&) {
    Click(Find<QToolButton>(Dlg(), "TextFont"));
    Click(Find<QToolButton>(Dlg(), "ShadowColor"));
    EXPECT_EQ(Preview()->ShadowColor(), 0x000000FFu);
    EXPECT_EQ(SwatchColor(Find<QFrame>(Dlg(), "SColor")), 0x000000FFu);
    Click(UseShadow());
    EXPECT_EQ(Preview()->ShadowSize(), 0);
    EXPECT_FALSE(Find<QToolButton>(Dlg(), "ShadowColor")->isEnabled());
    QTest::keyClick(Dlg(), Qt::Key_Return);
  });
  ASSERT_EQ(ColorStarts.size(), 1u);
  EXPECT_EQ(ColorStarts[0], clBtnShadow);
  EXPECT_FALSE(Project().TitleShadow);
  EXPECT_EQ(Project().TitleShadowColor, 0x000000FFu);
  auto* title = MockUp<TShadowLabel>("ProgramName");
  EXPECT_EQ(title->FontDesc().Name, "Arial");
  EXPECT_TRUE(title->FontDesc().Italic);
  EXPECT_EQ(title->ShadowSize(), 0);
  EXPECT_EQ(title->ShadowColor(), 0x000000FFu);

  const auto lines = SaveAndRead();
  EXPECT_EQ(ValueOf(lines, "MainTitleFont"), "Arial,20,$FF00,BI");
  EXPECT_EQ(ValueOf(lines, "MainTitleShadow"), "0");
  EXPECT_EQ(ValueOf(lines, "MainTitleShadowColor"), "$0000FF");
}

TEST_F(LabelStyleTest, DialogTitleLeavesTheNameAloneAndCanBeHidden) {
  FontAnswers.push_back(TFontDesc{"Arial", 10, 0, false, true, false, false});
  OpenFrom("DlgName", [&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Вид надписи на диалогах");
    EXPECT_FALSE(ProgName()->isEnabled());
    EXPECT_EQ(ProgName()->text(), "Демо-программа 1.0");
    EXPECT_EQ(Preview()->Caption(), "Пример надписи");
    EXPECT_EQ(Preview()->Color(), 0x00FFFFFFu);
    EXPECT_EQ(Preview()->FontDesc().Size, 22);
    EXPECT_EQ(SwatchColor(Find<QFrame>(Dlg(), "TxtColor")), 0x00800000u);
    Click(Find<QToolButton>(Dlg(), "TextFont"));
    Click(ShowIt());
    EXPECT_EQ(Preview()->Caption(), "");
    Click(ShowIt());
    EXPECT_EQ(Preview()->Caption(), "Пример надписи");
    Click(ShowIt());
    Click(Ok());
  });
  EXPECT_EQ(Project().DialogTitleCaption, "");
  EXPECT_EQ(Project().ProgramNameText, Utf8ToCp1251("Демо-программа 1.0"));
  EXPECT_EQ(MockUp<TShadowLabel>("DlgName")->Caption(), "");
  EXPECT_TRUE(MockUp<TShadowLabel>("ProgramName")->FontDesc().Bold)
      << "the main title is untouched";

  auto lines = SaveAndRead();
  EXPECT_EQ(ValueOf(lines, "ShowDialogTitle"), "0");
  EXPECT_EQ(ValueOf(lines, "DialogTitleFont"), "Arial,10,$0I");

  // "New" leaves the hidden dialog title hidden; the empty title still opens the dialog.
  Main().NewClick(true);
  OpenFrom("DlgName", [&](QDialog&) {
    EXPECT_FALSE(ShowIt()->isChecked());
    Click(ShowIt());
    Click(Ok());
  });
  EXPECT_EQ(Project().DialogTitleCaption, Utf8ToCp1251("Добро пожаловать"));
  EXPECT_EQ(MockUp<TShadowLabel>("DlgName")->Caption(), "Добро пожаловать");
}

// The handlers keep their names and can be run directly; the check boxes cover
// the separator's first row where they overlap it.
TEST_F(LabelStyleTest, HandlersRunByNameAndCheckBoxesCoverTheSeparator) {
  const QImage image = Dlg()->grab().toImage();
  const QRgb dark = Dlg()->palette().color(QPalette::Dark).rgb();
  EXPECT_EQ(image.pixel(300, 96), dark);
  EXPECT_NE(image.pixel(60, 96), dark);
  EXPECT_NE(image.pixel(200, 96), dark);

  FontAnswers.push_back(TFontDesc{"Arial", 12, 0x000000FFu, false, true, false, false});
  ColorAnswers.push_back(0x0000FF00u);
  Dlg()->TextFontClick();
  Dlg()->ShadowColorClick();
  EXPECT_EQ(Preview()->FontDesc().Name, "Arial");
  EXPECT_EQ(SwatchColor(Find<QFrame>(Dlg(), "TxtColor")), 0x000000FFu);
  EXPECT_EQ(Preview()->ShadowColor(), 0x0000FF00u);
  UseShadow()->setChecked(false);
  Dlg()->UseShadowClick();
  EXPECT_EQ(Preview()->ShadowSize(), 0);
  ShowIt()->setChecked(true);
  ProgName()->setEnabled(true);
  ProgName()->setText(QStringLiteral("Имя"));
  Dlg()->ShowItClick();
  EXPECT_EQ(Preview()->Caption(), "Имя");
  ShowIt()->setChecked(false);
  Dlg()->ProgNameChange();
  Dlg()->ShowItClick();
  EXPECT_EQ(Preview()->Caption(), "");
}

TEST_F(LabelStyleTest, ProductNameRefusesCharactersOutsideWindows1251) {
  OpenFrom("ProgramName", [&](QDialog&) {
    ProgName()->clear();
    QTest::keyClicks(ProgName(), "Ab");
    Type(ProgName(), QString::fromUtf8("中"));
    Type(ProgName(), "Вc");
    EXPECT_EQ(ProgName()->text(), "AbВc");
    Click(Ok());
  });
  EXPECT_EQ(Project().ProgramNameText, Utf8ToCp1251("AbВc"));
}

// The font dialog itself: it starts from the given font and colour, and hands
// back the chosen face, size, style and colour.
TEST_F(LabelStyleTest, FontDialogStartsWithTheFontAndReturnsTheChoice) {
  RealFontDialog = true;
  ColorAnswers.push_back(0x00123456u);
  TFontDesc start{"Times New Roman", 22, 0x00800000u, true, false, false, false};

  // Confirmed without changes: the same font, named as before.
  ModalActions.push_back([&](QDialog& dialog) {
    auto* fonts = qobject_cast<TFontColorDialog*>(&dialog);
    ASSERT_NE(fonts, nullptr);
    EXPECT_EQ(fonts->FontDialog()->currentFont().pointSize(), 22);
    EXPECT_TRUE(fonts->FontDialog()->currentFont().bold());
    EXPECT_EQ(fonts->Color(), 0x00800000u);
    dialog.accept();
  });
  TFontDesc font = start;
  ASSERT_TRUE(SystemDialogs().ChooseFont(&Main(), font));
  EXPECT_EQ(font.Name, "Times New Roman");
  EXPECT_EQ(font.Size, 22);
  EXPECT_TRUE(font.Bold);
  EXPECT_FALSE(font.Italic);
  EXPECT_EQ(font.Color, 0x00800000u);

  // Another face, italic, underlined, 14 points and a new colour.
  const QString family = QStringLiteral("DejaVu Sans");
  ModalActions.push_back([&](QDialog& dialog) {
    auto* fonts = qobject_cast<TFontColorDialog*>(&dialog);
    ASSERT_NE(fonts, nullptr);
    QFont chosen(family, 14);
    chosen.setItalic(true);
    chosen.setUnderline(true);
    fonts->FontDialog()->setCurrentFont(chosen);
    // Enter on the focused colour button opens the colour dialog, as a click does.
    auto* colorButton = Find<QPushButton>(&dialog, "ChooseFontColor");
    colorButton->setFocus();
    QTest::keyClick(colorButton, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    // Enter in the font list's own fields confirms the whole dialog.
    QTest::keyClick(fonts->FontDialog()->findChild<QLineEdit*>(), Qt::Key_Return);
  });
  ASSERT_TRUE(SystemDialogs().ChooseFont(&Main(), font));
  EXPECT_EQ(font.Name, family.toStdString());
  EXPECT_EQ(font.Size, 14);
  EXPECT_TRUE(font.Italic);
  EXPECT_TRUE(font.Underline);
  EXPECT_FALSE(font.Bold);
  EXPECT_EQ(font.Color, 0x00123456u);
}

// Cancel leaves the font as it was; the embedded font list confirmed on its own
// confirms the whole dialog.
TEST_F(LabelStyleTest, FontDialogCancelKeepsTheFontAndTheListConfirms) {
  RealFontDialog = true;
  const TFontDesc start{"Times New Roman", 22, 0x00800000u, true, false, false, false};
  ModalActions.push_back([](QDialog& dialog) {
    auto* fonts = qobject_cast<TFontColorDialog*>(&dialog);
    ASSERT_NE(fonts, nullptr);
    QTest::keyClick(fonts->FontDialog()->findChild<QLineEdit*>(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
  });
  TFontDesc kept = start;
  EXPECT_FALSE(SystemDialogs().ChooseFont(&Main(), kept));
  EXPECT_EQ(kept.Name, "Times New Roman");
  EXPECT_EQ(kept.Color, 0x00800000u);

  ModalActions.push_back([](QDialog& dialog) {
    auto* fonts = qobject_cast<TFontColorDialog*>(&dialog);
    ASSERT_NE(fonts, nullptr);
    fonts->FontDialog()->setCurrentFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    fonts->FontDialog()->accept();
    EXPECT_FALSE(dialog.isVisible());
  });
  EXPECT_TRUE(SystemDialogs().ChooseFont(&Main(), kept));
  EXPECT_EQ(kept.Size, 9);
}

}  // namespace
