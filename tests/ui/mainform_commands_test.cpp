// The main window's commands New, Save, Save As and About.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QTabWidget>

#include "mainform_fixture.h"
#include "ui/widgets/render.h"

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
