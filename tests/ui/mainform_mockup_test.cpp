// The mock-up on the main window's first page: its elements, titles, gradient and
// header as drawn, and what a click on each element opens.
#include <gtest/gtest.h>

#include <QCursor>
#include <QLabel>

#include "mainform_fixture.h"
#include "ui/widgets/render.h"

TEST_F(MainForm, MockupElementsLieInTheirStackingOrder) {
  // Back to front, in each container.
  auto order = [](QWidget* parent) {
    QStringList names;
    for (QObject* child : parent->children()) {
      if (child->isWidgetType()) names << child->objectName();
    }
    return names;
  };
  EXPECT_EQ(order(Screen()), (QStringList{"Background", "ProgramName", "Dialog"}));
  EXPECT_EQ(order(Find("Dialog")),
            (QStringList{"Bevel1", "HeaderPicture", "DlgName", "Label1", "DlgCaption"}));
}

TEST_F(MainForm, MockupShowsTheDefaultTitlesGradientAndHeader) {
  auto* programName = Find<TShadowLabel>("ProgramName");
  EXPECT_EQ(programName->Caption(), QStringLiteral("Демо-программа 1.0"));
  EXPECT_EQ(programName->FontDesc().Name, "Times New Roman");
  EXPECT_EQ(programName->FontDesc().Size, 26);
  EXPECT_TRUE(programName->FontDesc().Bold);
  EXPECT_EQ(programName->FontDesc().Color, 0x00FFFF00u);
  EXPECT_EQ(programName->ShadowColor(), clBtnShadow);
  EXPECT_EQ(programName->ShadowSize(), 3);
  EXPECT_EQ(programName->ShadowPos(), spRightBottom);
  EXPECT_TRUE(programName->Transparent());

  auto* dlgName = Find<TShadowLabel>("DlgName");
  EXPECT_EQ(dlgName->Caption(), QStringLiteral("Добро пожаловать"));
  EXPECT_EQ(dlgName->FontDesc().Size, 22);
  EXPECT_EQ(dlgName->FontDesc().Color, 0x00800000u);
  EXPECT_EQ(dlgName->ShadowSize(), 3);
  EXPECT_EQ(dlgName->ShadowPos(), spRightBottom);
  EXPECT_TRUE(dlgName->Transparent());

  auto* caption = Find<QLabel>("DlgCaption");
  EXPECT_EQ(caption->text(), QStringLiteral(" Установка Демо-программа 1.0"));
  EXPECT_TRUE(caption->font().bold());
  EXPECT_EQ(caption->font().pixelSize(), 11);

  // Blue to black, band 0 pure blue, the last 18 rows black.
  const QImage background = Background();
  EXPECT_EQ(background.pixel(200, 0), qRgb(0, 0, 255));
  EXPECT_EQ(background.pixel(50, 255), qRgb(0, 0, 0));
  EXPECT_EQ(background.pixel(50, 273), qRgb(0, 0, 0));
  EXPECT_EQ(background.pixel(50, 100), qRgb(0, 0, 255 + MulDiv(25, -255, 63)));

  // The mock screen: title shadow across the top, the dialog at the lower right cut
  // off at the edges (its welcome text's background in the last pixel).
  const QImage screen = Screen()->grab().toImage();
  const QColor buttonFace = ToQColor(clSchemeFlag | 15u);
  EXPECT_EQ(screen.pixelColor(403, 273), buttonFace);
  EXPECT_EQ(screen.pixelColor(50, 273), QColor(0, 0, 0));
  bool shadowSeen = false, titleSeen = false;
  for (int y = 4; y < 61; ++y) {
    for (int x = 8; x < 404; ++x) {
      const QColor c = screen.pixelColor(x, y);
      if (c == ToQColor(clBtnShadow)) shadowSeen = true;
      if (c == QColor(0, 255, 255)) titleSeen = true;
    }
  }
  EXPECT_TRUE(shadowSeen);
  EXPECT_TRUE(titleSeen);
  // The header picture is seen on white from its top-left corner.
  const QImage header = Find("HeaderPicture")->grab().toImage();
  EXPECT_EQ(header.pixel(293, 0), qRgb(255, 255, 255));
  EXPECT_EQ(header.copy(0, 0, 294, 62),
            HeaderBitmap().convertToFormat(header.format()).copy(0, 0, 294, 62));
}

// The welcome text keeps its line breaks; the dialog's edge cuts its last lines.
TEST_F(MainForm, MockupWelcomeTextIsCutByTheDialogEdge) {
  auto* label1 = Find<TClickLabel>("Label1");
  const QStringList lines = label1->text().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 10);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Добро пожаловать в программу установки  ....")));
  EXPECT_TRUE(lines[2].isEmpty());
  EXPECT_EQ(lines[8],
            QStringLiteral("ПРЕДУПРЕЖДЕНИЕ: Эта программа защищена в соответствии с законом об "));
  EXPECT_EQ(lines[9], QStringLiteral("авторском праве и международными соглашениями."));
  EXPECT_FALSE(label1->wordWrap());
  // With 13-pixel lines the dialog's edge cuts the ninth line and hides the tenth:
  EXPECT_EQ(label1->LineHeight(), 13);
  const QImage dialog = Find("Dialog")->grab().toImage();
  auto inkInRows = [&](int top, int bottom) {
    for (int y = top; y <= bottom && y < dialog.height(); ++y) {
      for (int x = 17; x < dialog.width() - 1; ++x) {
        if (qGray(dialog.pixel(x, y)) < 100) return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(inkInRows(96 + 6 * 13, 96 + 7 * 13 - 1));   // the seventh line
  EXPECT_FALSE(inkInRows(96 + 7 * 13, 96 + 8 * 13 - 1));  // the eighth is empty
  EXPECT_TRUE(inkInRows(96 + 8 * 13, 207));               // the ninth, cut off
}

// Each clickable part of the mock-up says what a click changes, and shows a hand.
TEST_F(MainForm, MockupPartsHintWhatAClickChanges) {
  const struct {
    const char* Name;
    QString Hint;
  } hints[] = {{"Background", QStringLiteral("Изменить установки для заднего фона")},
               {"ProgramName", QStringLiteral("Изменить название программы и вид надписи")},
               {"DlgName", QStringLiteral("Изменить вид надписи")},
               {"Label1", QStringLiteral("Настроить позицию диалога")}};
  for (const auto& h : hints) {
    EXPECT_EQ(Find(h.Name)->toolTip(), h.Hint) << h.Name;
    EXPECT_EQ(Find(h.Name)->cursor().shape(), Qt::PointingHandCursor) << h.Name;
  }
}

// Read as plain Qt widgets, the titles report their text, font and colour, and
// their shadow as Qt properties.
TEST_F(MainForm, TitlesReadAsQtLabelsWithTheirFontAndShadowProperties) {
  auto* title = Find<QLabel>("ProgramName");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), QStringLiteral("Демо-программа 1.0"));
  EXPECT_EQ(title->font().family(), QStringLiteral("Times New Roman"));
  EXPECT_EQ(title->font().pointSize(), 26);
  EXPECT_TRUE(title->font().bold());
  EXPECT_FALSE(title->font().italic());
  EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(0, 255, 255));
  EXPECT_EQ(title->property("ShadowSize").toInt(), 3);
  EXPECT_EQ(title->property("ShadowColor").toUInt(), clBtnShadow);
  EXPECT_EQ(title->property("ShadowPos").toInt(), static_cast<int>(spRightBottom));
  EXPECT_TRUE(title->property("Transparent").toBool());

  auto* dialogTitle = Find<QLabel>("DlgName");
  ASSERT_NE(dialogTitle, nullptr);
  EXPECT_EQ(dialogTitle->property("Caption").toString(), QStringLiteral("Добро пожаловать"));
  EXPECT_EQ(dialogTitle->font().pointSize(), 22);
  EXPECT_EQ(dialogTitle->palette().color(QPalette::WindowText), QColor(0, 0, 128));
}

TEST_F(MainForm, EachClickableElementOpensItsDialogAndTheOthersNone) {
  Click(Find("Background"), QPoint(50, 150));
  Click(Find("ProgramName"));
  Click(Find("DlgName"));
  Click(Find("Label1"), QPoint(10, 10));
  EXPECT_EQ(Dialogs.Modals, (QStringList{"ColorForm", "StyleDlg", "StyleDlg", "PosForm"}));

  Dialogs.Modals.clear();
  Click(Find("Dialog"), QPoint(8, 90));
  Click(Find("DlgCaption"), QPoint(10, 8));
  Click(Find("Bevel1"), QPoint(0, 30));
  Click(Find("HeaderPicture"), QPoint(100, 55));
  Click(Find("PreviewBorder"), QPoint(1, 1));
  EXPECT_TRUE(Dialogs.Modals.isEmpty()) << Dialogs.Modals.join(' ').toStdString();
}

// A main window created on its own, without the start-up's three dialogs, makes
// each dialog itself when its element is first clicked.
TEST(MainFormAlone, MockupClicksOpenTheDialogsTheWindowMakesItself) {
  QTemporaryDir dir;  // no catalogue
  TTestDialogs dialogs;
  dialogs.OnModal = [](QDialog&) {};
  SetSystemDialogs(&dialogs);
  {
    TMainForm form(nullptr, Native(dir.filePath(QStringLiteral("version.ini"))));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    for (const char* name : {"Background", "ProgramName", "DlgName", "Label1", "Background"}) {
      QTest::mouseClick(form.findChild<QWidget*>(QString::fromLatin1(name)), Qt::LeftButton, {},
                        QPoint(20, 20));
    }
  }
  SetSystemDialogs(&DefaultTestDialogs());
  EXPECT_EQ(dialogs.Modals,
            (QStringList{"ColorForm", "StyleDlg", "StyleDlg", "PosForm", "ColorForm"}));
}

// The handlers keep their names and can be run directly; the lists' handler
// takes the list that raised it.
TEST_F(MainForm, HandlersRunByName) {
  const TCheckList& langs = Main().Project().Langs;
  const int russian = langs.Selected();
  ASSERT_TRUE(langs.IsTicked(russian));
  Main().LangsDblClick(Find("Langs"));
  EXPECT_FALSE(langs.IsTicked(russian));
  Main().LangsDblClick(nullptr);
  EXPECT_FALSE(langs.IsTicked(russian));
  Main().NewClick(false);
  EXPECT_TRUE(langs.IsTicked(russian));
  Main().AboutClick();
  EXPECT_EQ(Dialogs.Abouts.size(), 1);
  Main().BackgroundDblClick();
  Main().Label1Click();
  EXPECT_EQ(Dialogs.Modals, (QStringList{"ColorForm", "PosForm"}));
}

TEST_F(MainForm, TitleRectangleTakesClicksWhileEmptyAndPassesThemOnWhileHidden) {
  // An empty caption still takes clicks anywhere in the rectangle.
  Main().Project().MainTitleCaption.clear();
  Main().RefreshMockup();
  Click(Find("ProgramName"), QPoint(390, 50));
  EXPECT_EQ(Dialogs.Modals, QStringList{"StyleDlg"});

  // A hidden title takes none: the background gets them.
  Main().SetMainTitleVisible(false);
  EXPECT_FALSE(Main().MainTitleVisible());
  Click(Find("Background"), QPoint(8 + 390, 4 + 50));
  EXPECT_EQ(Dialogs.Modals, (QStringList{"StyleDlg", "ColorForm"}));

  // Likewise the dialog title's rectangle while that title is empty.
  Main().Project().DialogTitleCaption.clear();
  Main().RefreshMockup();
  Click(Find("DlgName"), QPoint(280, 40));
  EXPECT_EQ(Dialogs.Modals.last(), QStringLiteral("StyleDlg"));
}
