// The main window: its start-up state, the mock-up's layout and what a click on
// each element opens, and the commands New, Save and About.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QCursor>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <cstring>
#include <functional>
#include <stdexcept>

#include "app_fixture.h"
#include "ui/forms/vgmain.h"
#include "ui/support/errorbox.h"
#include "ui/widgets/render.h"
#include "ui/widgets/variablesgrid.h"

namespace {

class MainForm : public TAppFixture {
 protected:
  void SetUp() override {
    TAppFixture::SetUp();
    // Every mock-up click here only needs to know which dialog opened.
    Dialogs.OnModal = [](QDialog&) {};
  }

  QImage Background() { return Find("Background")->grab().toImage(); }
  QTabWidget* Pages() { return Find<QTabWidget>("Pages"); }
  QWidget* Screen() { return Find("PreviewClient"); }
};

// Each menu of the bar: its name and title, then each entry's name, text and shortcuts.
void ExpectMenus(const QMenuBar& bar) {
  struct TEntry {
    const char* Name;
    const char* Text;
    QList<QKeySequence> Keys;
  };
  const std::vector<std::pair<TEntry, std::vector<TEntry>>> expected = {
      {{"FileMenu", "Файл", {}},
       {{"New", "Новый", {QKeySequence(QStringLiteral("Ctrl+N"))}},
        {"Open", "Открыть…", {QKeySequence(QStringLiteral("Ctrl+O"))}},
        {"RecentMenu", "Недавние файлы", {}},
        {"Save", "Сохранить", {QKeySequence(QStringLiteral("Ctrl+S"))}},
        {"SaveAs", "Сохранить как…", {QKeySequence(QStringLiteral("Ctrl+Shift+S"))}},
        {"Catalogue", "Каталог…", {}}}},
      {{"EditMenu", "Правка", {}},
       {{"Undo", "Отменить", {QKeySequence(QStringLiteral("Ctrl+Z"))}},
        {"Redo",
         "Повторить",
         {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}}}},
      {{"HelpMenu", "Помощь", {}}, {{"About", "О программе", {}}}}};
  // A submenu's entry is named by the submenu.
  const auto name = [](const QAction* action) {
    return action->menu() ? action->menu()->objectName() : action->objectName();
  };
  const QList<QAction*> menus = bar.actions();
  ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
  for (qsizetype m = 0; m < menus.size(); ++m) {
    const auto& [menu, entries] = expected[static_cast<size_t>(m)];
    EXPECT_EQ(name(menus[m]), QString::fromUtf8(menu.Name));
    EXPECT_EQ(menus[m]->text(), QString::fromUtf8(menu.Text));
    const QList<QAction*> actions = menus[m]->menu()->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(entries.size())) << menu.Name;
    for (qsizetype e = 0; e < actions.size(); ++e) {
      const TEntry& entry = entries[static_cast<size_t>(e)];
      EXPECT_EQ(name(actions[e]), QString::fromUtf8(entry.Name));
      EXPECT_EQ(actions[e]->text(), QString::fromUtf8(entry.Text));
      EXPECT_EQ(actions[e]->shortcuts(), entry.Keys) << entry.Name;
    }
  }
}

}  // namespace

TEST_F(MainForm, StartsWithTitleSizeMenuAndTheAppearancePageFocused) {
  EXPECT_EQ(Main().objectName(), QStringLiteral("MainForm"));
  EXPECT_EQ(Main().windowTitle(), QStringLiteral("Visual vuka.ini manager [ROVEL] 1.0"));
  EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Visual RVL"));
  // The client area under the menu bar is 427 by 320 and cannot be resized.
  EXPECT_EQ(Pages()->geometry(), QRect(0, Main().menuBar()->height(), 427, 320));
  EXPECT_EQ(Main().size(), QSize(427, Main().menuBar()->height() + 320));
  EXPECT_EQ(Main().minimumSize(), Main().maximumSize());
  EXPECT_TRUE(Main().windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(Main().windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(Main().font().pixelSize(), 11);

  ExpectMenus(*Main().menuBar());
  // Nothing to undo yet.
  EXPECT_FALSE(Find<QAction>("Undo")->isEnabled());
  EXPECT_FALSE(Find<QAction>("Redo")->isEnabled());

  ASSERT_EQ(Pages()->count(), 4);
  const char* const names[] = {"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4"};
  const QStringList texts = {QStringLiteral("Внешний вид"), QStringLiteral("Языки"),
                             QStringLiteral("Диалоги"), QStringLiteral("Переменные")};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Pages()->widget(i)->objectName(), QString::fromLatin1(names[i]));
    EXPECT_EQ(Pages()->tabText(i), texts[i]);
  }
  EXPECT_EQ(Pages()->currentIndex(), 0);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
  EXPECT_TRUE(Pages()->hasFocus());

  // The lists come from the catalogue with "Русский" ticked and selected.
  const TProject& project = Main().Project();
  ASSERT_EQ(project.Langs.Count(), 3);
  EXPECT_TRUE(project.Langs.IsTicked(1));
  EXPECT_EQ(project.Langs.Selected(), 1);
  EXPECT_EQ(project.Pred.Count(), 2);
  EXPECT_EQ(project.Post.Count(), 2);
}

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

TEST_F(MainForm, NewResetsTheProjectButKeepsPositionDialogTitleCaptionBarAndTitleVisibility) {
  TProject& project = Main().Project();
  project.TopColor = 0x000000FFu;
  project.TitleFont.Size = 10;
  project.TitleShadow = false;
  project.BackgroundEnabled = false;
  project.Langs.SetTick(0, true);
  project.Pred.SetTick(1, true);
  project.Variables = {{"A", "1"}, {"B", "2"}};
  project.DialogTitleCaption.clear();
  project.DialogPosition = {0, 2};
  Main().RefreshMockup();
  Main().SetMainTitleVisible(false);
  Main().SetDialogCaption(Utf8ToCp1251(" Установка Другая"));
  Pages()->setCurrentIndex(3);
  EXPECT_NE(Background().pixel(0, 0), qRgb(0, 0, 255));  // the desktop picture

  // Not saved: the question about the changes is answered "Discard".
  Dialogs.OnModal = [](QDialog& box) {
    if (auto* question = qobject_cast<QMessageBox*>(&box))
      Click(question->button(QMessageBox::Discard));
  };
  QTest::keyClick(&Main(), Qt::Key_N, Qt::ControlModifier);

  EXPECT_EQ(Pages()->currentIndex(), 0);
  EXPECT_EQ(Background().pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(Background().pixel(0, 273), qRgb(0, 0, 0));
  EXPECT_EQ(project.TitleFont.Size, 26);
  EXPECT_EQ(Find<TShadowLabel>("ProgramName")->FontDesc().Size, 26);
  EXPECT_EQ(Find<TShadowLabel>("ProgramName")->ShadowSize(), 3);
  EXPECT_TRUE(project.BackgroundEnabled);
  EXPECT_FALSE(project.Langs.IsTicked(0));
  EXPECT_TRUE(project.Langs.IsTicked(1));
  EXPECT_FALSE(project.Pred.IsTicked(1));
  ASSERT_EQ(project.Variables.size(), 1u);
  EXPECT_EQ(Cp1251ToUtf8(project.Variables[0].Name), "InstallPath");
  EXPECT_EQ(Cp1251ToUtf8(project.Variables[0].Value), "Введите значение");
  // Left alone:
  EXPECT_FALSE(Main().MainTitleVisible());
  EXPECT_FALSE(Find("ProgramName")->isVisible());
  EXPECT_TRUE(project.DialogTitleCaption.empty());
  EXPECT_TRUE(Find<TShadowLabel>("DlgName")->Caption().isEmpty());
  EXPECT_EQ(Find<QLabel>("DlgCaption")->text(), QStringLiteral(" Установка Другая"));
  EXPECT_EQ(project.DialogPosition.Horizontal, 0);
  EXPECT_EQ(project.DialogPosition.Vertical, 2);
}

TEST_F(MainForm, SaveWritesWhatTheWriterWritesIntoTheFileAndSaveAsAsks) {
  TProject& project = Main().Project();
  project.Pred.SetTick(0, true);
  project.Post.SetTick(1, true);
  project.Variables.push_back({"Extra", Utf8ToCp1251("значение")});
  const QString target = Dir.filePath(QStringLiteral("new/setup.ini"));

  Dialogs.OnFileDialog = [&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.objectName(), QStringLiteral("OpenDlg"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Выберите файл"));
    EXPECT_EQ(dialog.nameFilters(), (QStringList{"ini файлы (*.ini)", "Все файлы (*)"}));
    EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("ini"));
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(QFileInfo(dialog.selectedFiles().value(0)).fileName(), QStringLiteral("vuka.ini"));
    // As a user would: go to the folder, type a name in a folder still to be made.
    dialog.setDirectory(Dir.path());
    dialog.selectFile(QStringLiteral("new/setup.ini"));
    return true;
  };
  QTest::keyClick(&Main(), Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(Dialogs.Modals, QStringList{"OpenDlg"});

  const QString reference = Dir.filePath(QStringLiteral("reference.ini"));
  SaveProject(project, Native(reference), Native(CataloguePath));
  const QByteArray written = ReadBytes(target);
  EXPECT_FALSE(written.isEmpty());
  EXPECT_EQ(written, ReadBytes(reference));
  EXPECT_TRUE(written.contains("PreInstallDialogSequence=License\r\n"));
  EXPECT_TRUE(written.contains("ShowFinalDialog=1\r\n"));

  // The next Save writes straight into that file.
  Dialogs.OnFileDialog = nullptr;
  project.Pred.SetTick(1, true);
  SaveProject(project, Native(reference), Native(CataloguePath));
  QTest::keyClick(&Main(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Dialogs.Modals.size(), 1);
  EXPECT_EQ(ReadBytes(target), ReadBytes(reference));

  // Save As asks, proposing that file; cancelling writes nothing.
  Dialogs.OnFileDialog = [&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Выберите файл"));
    EXPECT_EQ(dialog.selectedFiles().value(0).toStdString(), target.toStdString());
    return false;
  };
  QTest::keyClick(&Main(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Dialogs.Modals.size(), 2);
  EXPECT_EQ(Main().Project().Origin.FileName, Native(target));

  // A name without an extension gets ".ini".
  Dialogs.OnFileDialog = [&](QFileDialog& dialog) {
    dialog.setDirectory(Dir.path());
    dialog.selectFile(QStringLiteral("plain"));
    return true;
  };
  QTest::keyClick(&Main(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(ReadBytes(Dir.filePath(QStringLiteral("plain.ini"))), ReadBytes(reference));
}

TEST_F(MainForm, AFailingSaveShowsTheErrorWithAFullStopAndTheProgramGoesOn) {
  const QByteArray catalogue = ReadBytes(CataloguePath);
  // The target document holds the catalogue open for writing, so the catalogue
  // cannot be opened a second time.
  Dialogs.OnFileDialog = [&](QFileDialog& dialog) {
    dialog.setDirectory(Dir.path());
    dialog.selectFile(QStringLiteral("version.ini"));
    return true;
  };
  Dialogs.OnModal = [](QDialog& box) {  // "Да" to writing into another existing file
    Click(qobject_cast<QMessageBox*>(&box)->button(QMessageBox::Yes));
  };
  QTest::keyClick(&Main(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(TakeErrors(), QStringList{OpenError(CataloguePath)});
  EXPECT_EQ(ReadBytes(CataloguePath), catalogue);

  // The window still answers, once active again after the question.
  Dialogs.OnModal = nullptr;
  QApplication::setActiveWindow(&Main());
  Pages()->setCurrentIndex(2);
  QTest::keyClick(&Main(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(Pages()->currentIndex(), 0);
}

TEST_F(MainForm, AboutShowsTheProductLineAndTheIndentedCredits) {
  QMenuBar* bar = Main().menuBar();
  QMenu* help = Find<QMenu>("HelpMenu");
  QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                    bar->actionGeometry(help->menuAction()).center());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
  QAction* about = help->actions().value(0);
  QTest::mouseClick(help, Qt::LeftButton, Qt::NoModifier, help->actionGeometry(about).center());
  ASSERT_EQ(Dialogs.Abouts.size(), 1);

  // The product and credit lines, then the catalogue in use after an empty line.
  const QStringList lines = Dialogs.Abouts[0].split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 6);
  EXPECT_TRUE(lines[4].isEmpty());
  EXPECT_EQ(lines[5], QStringLiteral("Каталог: ") + CataloguePath);
  EXPECT_EQ(lines[0], QStringLiteral("Visual vuka.ini maker [ROVEL] Version 1.0"));
  EXPECT_TRUE(lines[1].startsWith(QString(17, QLatin1Char(' '))));
  EXPECT_NE(lines[1].at(17), QLatin1Char(' '));
  EXPECT_TRUE(lines[2].isEmpty());
  EXPECT_TRUE(lines[3].startsWith(QString(12, QLatin1Char(' '))));
  EXPECT_NE(lines[3].at(12), QLatin1Char(' '));
}

namespace {

class MainFormWithoutCatalogue : public TAppFixture {
 protected:
  std::optional<std::string> CatalogueText() const override { return std::nullopt; }
};

}  // namespace

TEST_F(MainFormWithoutCatalogue, StartsWithEmptyListsTheInstallPathRowAndTheGradient) {
  const TProject& project = Main().Project();
  EXPECT_EQ(project.Langs.Count(), 0);
  EXPECT_EQ(project.Langs.Selected(), -1);
  EXPECT_EQ(project.Pred.Count(), 0);
  EXPECT_EQ(project.Post.Count(), 0);
  ASSERT_EQ(project.Variables.size(), 1u);
  EXPECT_EQ(project.Variables[0].Name, "InstallPath");
  const QImage background = Find("Background")->grab().toImage();
  EXPECT_EQ(background.pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(background.pixel(0, 273), qRgb(0, 0, 0));
}

TEST(ErrorBox, FullStopFollowsALetterOrDigitButNotPunctuation) {
  EXPECT_EQ(ErrorBoxText("Cannot open file /tmp/a.ini"),
            QStringLiteral("Cannot open file /tmp/a.ini."));
  EXPECT_EQ(ErrorBoxText("code 7"), QStringLiteral("code 7."));
  EXPECT_EQ(ErrorBoxText("Нет файла"), QStringLiteral("Нет файла."));
  EXPECT_EQ(ErrorBoxText("path /tmp/"), QStringLiteral("path /tmp/."));  // "/" sorts after "."
  EXPECT_EQ(ErrorBoxText("done."), QStringLiteral("done."));
  EXPECT_EQ(ErrorBoxText("stop!"), QStringLiteral("stop!"));
  EXPECT_EQ(ErrorBoxText("(error)"), QStringLiteral("(error)"));
  EXPECT_EQ(ErrorBoxText("a-"), QStringLiteral("a-"));
  EXPECT_EQ(ErrorBoxText("a "), QStringLiteral("a "));
  EXPECT_EQ(ErrorBoxText(""), QString());
}

namespace {

// Inspects the message box that the real dialogs open, then presses a key in it.
void AnswerNextBox(Qt::Key key, const std::function<void(QMessageBox&)>& inspect) {
  QTimer::singleShot(0, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      ADD_FAILURE() << "no message box";
      return;
    }
    inspect(*box);
    QTest::keyClick(box, key);
  });
}

}  // namespace

TEST(MessageBoxes, RealAboutAndErrorBoxesHaveTheirCaptionIconAndOneButton) {
  TSystemDialogs real;
  bool inspected = false;
  AnswerNextBox(Qt::Key_Escape, [&](QMessageBox& box) {
    inspected = true;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Visual RVL"));
    EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
    ASSERT_EQ(box.buttons().size(), 1);
    EXPECT_EQ(box.buttons()[0]->text(), QStringLiteral("OK"));
    EXPECT_EQ(box.defaultButton(), box.buttons()[0]);
    EXPECT_EQ(box.text(), QStringLiteral("line one\nline two"));
  });
  real.ShowAbout(nullptr, QStringLiteral("line one\r\nline two"));  // Esc closes it
  EXPECT_TRUE(inspected);

  inspected = false;
  AnswerNextBox(Qt::Key_Return, [&](QMessageBox& box) {
    inspected = true;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Visual RVL"));
    EXPECT_EQ(box.icon(), QMessageBox::Critical);
    EXPECT_EQ(box.buttons().size(), 1);
    EXPECT_EQ(box.text(), QStringLiteral("Cannot open file x."));
  });
  real.ShowError(nullptr, QStringLiteral("Cannot open file x."));
  EXPECT_TRUE(inspected);
}

TEST(Translation, ToolkitTextsAreRussian) {
  QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
}

TEST(ApplicationObject, AnExceptionEscapingAnEventHandlerIsShownAndTheProgramGoesOn) {
  TTestDialogs dialogs;
  SetSystemDialogs(&dialogs);
  struct TThrower : QObject {
    int Delivered = 0;
    bool event(QEvent* event) override {
      if (event->type() != QEvent::User) return QObject::event(event);
      if (++Delivered == 1) throw std::runtime_error("Broken handler");
      return true;
    }
  } thrower;
  QEvent first(QEvent::User);
  EXPECT_FALSE(QCoreApplication::sendEvent(&thrower, &first));
  EXPECT_EQ(dialogs.Errors, QStringList{QStringLiteral("Broken handler.")});
  QEvent second(QEvent::User);
  EXPECT_TRUE(QCoreApplication::sendEvent(&thrower, &second));
  EXPECT_EQ(thrower.Delivered, 2);
  SetSystemDialogs(&DefaultTestDialogs());
}

namespace {

// The catalogue is there but cannot be read: it is a socket, no regular file.
class MainFormWithUnopenableCatalogue : public TAppFixture {
 protected:
  std::optional<std::string> CatalogueText() const override { return std::nullopt; }
  void BeforeWindows() override {
    Socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(Socket, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(CataloguePath);
    ASSERT_LT(static_cast<size_t>(path.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    ASSERT_EQ(::bind(Socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  }
  void TearDown() override {
    if (Socket >= 0) ::close(Socket);
    TAppFixture::TearDown();
  }
  int Socket = -1;
};

}  // namespace

// "New" stops at the catalogue: the table keeps its current cell and the page stays.
TEST_F(MainFormWithUnopenableCatalogue, AFailedNewLeavesTheTableAndThePageAlone) {
  Dialogs.Errors.clear();
  auto* pages = Find<QTabWidget>("Pages");
  pages->setCurrentIndex(3);
  auto* table = Find<TVariablesGrid>("Variables");
  QTest::keyClick(table, Qt::Key_Home);
  ASSERT_EQ(table->CurrentColumn(), 0);
  QTest::keyClick(&Main(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(TakeErrors().size(), 1);
  EXPECT_EQ(pages->currentIndex(), 3);
  EXPECT_EQ(table->CurrentRow(), 1);
  EXPECT_EQ(table->CurrentColumn(), 0);
}

TEST_F(MainFormWithUnopenableCatalogue, StartUpShowsTheOpenErrorSkipsTheRestAndGoesOn) {
  EXPECT_EQ(
      TakeErrors(),
      QStringList{QStringLiteral("Каталог «%1» не является обычным файлом.").arg(CataloguePath)});

  // The titles were reset before the catalogue was opened; the lists stay empty,
  // the table keeps its start-up row, and the gradient is not painted.
  EXPECT_EQ(Find<TShadowLabel>("ProgramName")->Caption(), QStringLiteral("Демо-программа 1.0"));
  EXPECT_EQ(Main().Project().Langs.Count(), 0);
  EXPECT_EQ(Main().Project().Variables.size(), 1u);
  EXPECT_NE(Find("Background")->grab().toImage().pixel(0, 0), qRgb(0, 0, 255));

  // Start-up went on: the dialogs exist, and the window works once the catalogue is fixed.
  EXPECT_NE(Windows.StyleDlg, nullptr);
  EXPECT_NE(Windows.ColorForm, nullptr);
  EXPECT_NE(Windows.PosForm, nullptr);
  ASSERT_TRUE(QFile::remove(CataloguePath));
  WriteCatalogue(CataloguePath, SampleCatalogue());
  QTest::keyClick(&Main(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(Main().Project().Langs.Count(), 3);
  EXPECT_EQ(Find("Background")->grab().toImage().pixel(0, 0), qRgb(0, 0, 255));
}
