// "Open", the caption that names the file and marks unsaved changes, the question
// before unsaved work is dropped, and opening the file named at start-up: all
// driven through the window with keys and clicks.
#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <functional>

#include "app_fixture.h"
#include "model/savedstate.h"
#include "ui/dialogs/dlgpos.h"
#include "ui/widgets/checklistbox.h"
#include "ui/widgets/radiogroup.h"
#include "ui/widgets/render.h"
#include "ui/widgets/variablesgrid.h"

namespace {

const QString kTitle = QStringLiteral("Visual vuka.ini manager [ROVEL] 1.0");

class OpenAndUnsavedWork : public TAppFixture {
 protected:
  QString Path(const char* name) const { return Dir.filePath(QString::fromUtf8(name)); }

  // The file dialog takes `path` the next times it is shown.
  void ChooseFile(const QString& path) {
    Dialogs.OnFileDialog = [path](QFileDialog& dialog) {
      dialog.selectFile(path);
      return true;
    };
  }
  // The next message boxes are answered with a click on `button`; their texts are kept.
  void AnswerBoxes(QMessageBox::StandardButton button) {
    Dialogs.OnModal = [this, button](QDialog& dialog) {
      auto* box = qobject_cast<QMessageBox*>(&dialog);
      ASSERT_NE(box, nullptr) << dialog.objectName().toStdString();
      EXPECT_EQ(box->windowTitle(), QStringLiteral("Visual RVL"));
      BoxTexts << box->text();
      Click(box->button(button));
    };
  }
  // A shortcut of the menu, pressed while the window is the active one again.
  void Command(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QApplication::setActiveWindow(&Main());
    QTest::keyClick(&Main(), key, modifiers);
  }
  void SaveAs() { Command(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier); }
  // The caption once the input so far has been handled.
  QString Caption() {
    QCoreApplication::processEvents();
    return Main().windowTitle();
  }
  // A change through the mouse: the first language's tick strip.
  void TickFirstLanguage() {
    auto* pages = Find<QTabWidget>("Pages");
    Click(pages->tabBar(), pages->tabBar()->tabRect(1).center());
    auto* langs = Find<TCheckListBox>("Langs");
    const QRect entry = langs->ItemRect(0);
    Click(langs->viewport(), QPoint(entry.left() + 7, entry.center().y()));
  }
  // A project unlike the defaults in every part the window shows.
  TProject Composed() {
    TProject project = Main().Project();
    project.ProgramNameText = project.MainTitleCaption = Utf8ToCp1251("Моя программа 2.0");
    project.TitleFont = {"Arial", 30, 0x0000FF00u, false, true, false, false};
    project.TopColor = 0x000000FFu;
    project.Langs.SetTick(1, false);
    project.Langs.SetTick(0, true);
    project.Pred.SetTick(1, true);
    project.Post.SetTick(1, true);
    project.DialogPosition = {2, 0};
    project.Variables = {{"Alpha", "1"}, {"Beta", Utf8ToCp1251("два")}};
    return project;
  }

  QStringList BoxTexts;
};

std::vector<bool> Ticks(const TCheckList& list) {
  std::vector<bool> ticks;
  ticks.reserve(static_cast<size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) ticks.push_back(list.IsTicked(i));
  return ticks;
}

// Answers the next message box that the real dialogs open, from the caller's timer.
void AnswerNextBox(QTimer& timer, const std::function<void(QMessageBox&)>& answer) {
  timer.disconnect();
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, [answer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    answer(*box);
  });
  timer.start(0);
}

}  // namespace

TEST_F(OpenAndUnsavedWork, OpenShowsTheSavedFileInEveryViewAndSaveProposesIt) {
  const QString file = Path("saved.ini");
  const TProject saved = Composed();
  SaveProject(saved, Native(file), Native(CataloguePath));
  Dialogs.OnFileDialog = [&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Открыть файл"));
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    dialog.selectFile(file);
    return true;
  };
  Command(Qt::Key_O);
  ASSERT_EQ(Dialogs.Modals, QStringList{"OpenDlg"});  // nothing to save, nothing asked

  EXPECT_EQ(SavedItems(Main().Project()), SavedItems(saved));
  EXPECT_EQ(Find<TShadowLabel>("ProgramName")->Caption(), QStringLiteral("Моя программа 2.0"));
  EXPECT_EQ(Find<TShadowLabel>("ProgramName")->FontDesc().Size, 30);
  EXPECT_EQ(Find("Background")->grab().toImage().pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(Ticks(*Find<TCheckListBox>("Langs")->List()), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(Ticks(*Find<TCheckListBox>("Post")->List()), (std::vector<bool>{false, true}));
  auto* grid = Find<TVariablesGrid>("Variables");
  EXPECT_EQ(grid->RowCount(), 3);
  EXPECT_EQ(grid->CellText(0, 2), QStringLiteral("Beta"));
  EXPECT_EQ(grid->CellText(1, 2), QStringLiteral("два"));
  EXPECT_EQ(Caption(), QStringLiteral("saved.ini[*] — ") + kTitle);
  EXPECT_FALSE(Main().isWindowModified());

  // The dialogs start from the opened project.
  Dialogs.OnModal = [](QDialog& dialog) {
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("ProgName"))) {
      EXPECT_EQ(name->text(), QStringLiteral("Моя программа 2.0"));
    }
    if (auto* across = dialog.findChild<TRadioGroup*>(QStringLiteral("Goriz"))) {
      EXPECT_EQ(across->ItemIndex(), 2);
    }
  };
  Click(Find("ProgramName"));
  Click(Find("Label1"));
  EXPECT_EQ(Dialogs.Modals, (QStringList{"OpenDlg", "StyleDlg", "PosForm"}));

  // "Save As" proposes the opened file, under its own title again.
  Dialogs.OnFileDialog = [&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Выберите файл"));
    EXPECT_EQ(dialog.selectedFiles().value(0), file);
    return false;
  };
  SaveAs();
  EXPECT_EQ(Dialogs.Modals.size(), 4);
}

TEST_F(OpenAndUnsavedWork, ProblemsAreListedAfterOpeningAndAFailedOpenChangesNothing) {
  const QString file = Path("hand.ini");
  WriteCatalogue(file,
                 "[Config]\nLanguages=XXX\n[Display]\nGradientTopColor=blue\n"
                 "[Variables]\nProgramName=Ручная\nKept=1\nЗабыто\n");
  ChooseFile(file);
  Dialogs.OnModal = [&](QDialog& dialog) {
    auto* box = qobject_cast<QMessageBox*>(&dialog);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Visual RVL"));
    EXPECT_TRUE(box->text().contains(QStringLiteral("XXX"))) << box->text().toStdString();
    EXPECT_TRUE(box->text().contains(QStringLiteral("blue"))) << box->text().toStdString();
    EXPECT_TRUE(box->text().contains(QStringLiteral("\nпредупреждение: строка «Забыто»")))
        << box->text().toStdString();
    // Already opened while the box is up.
    EXPECT_EQ(Find<TVariablesGrid>("Variables")->CellText(0, 1), QStringLiteral("Kept"));
    Click(box->button(QMessageBox::Ok));
  };
  Command(Qt::Key_O);
  EXPECT_EQ(Dialogs.Modals, (QStringList{"OpenDlg", "MessageBox"}));

  // A file that went away: the error box, and the window stays as it was.
  const TSavedItems before = SavedItems(Main().Project());
  const QString caption = Caption();
  ChooseFile(Path("gone.ini"));
  Command(Qt::Key_O);
  EXPECT_EQ(TakeErrors(), QStringList{OpenError(Path("gone.ini"))});
  EXPECT_EQ(SavedItems(Main().Project()), before);
  EXPECT_EQ(Caption(), caption);
  Dialogs.OnFileDialog = [&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.selectedFiles().value(0), file);
    return false;
  };
  SaveAs();
}

// Past twenty problems the box lists every one of them in a list that reads them one by one.
TEST_F(OpenAndUnsavedWork, ManyProblemsAreAllListedInTheBox) {
  const QString file = Path("many.ini");
  std::string text = "[Variables]\n";
  for (int i = 0; i < 31; ++i) text += "k=" + std::to_string(i) + "\n";
  WriteCatalogue(file, text);
  TProject project;
  const std::vector<std::string> expected =
      OpenProject(project, Native(file), Native(CataloguePath));
  ASSERT_EQ(expected.size(), 30U);
  ChooseFile(file);
  int rows = -1;
  Dialogs.OnModal = [&](QDialog& dialog) {
    auto* box = qobject_cast<QMessageBox*>(&dialog);
    auto* list = dialog.findChild<QListView*>("ProblemList");
    ASSERT_TRUE(box != nullptr && list != nullptr);
    EXPECT_TRUE(box->text().endsWith(QStringLiteral("ещё 10."))) << box->text().toStdString();
    rows = list->model()->rowCount();
    for (int row = 0; row < rows; ++row)
      EXPECT_EQ(list->model()->index(row, 0).data(),
                QString::fromStdString(expected[static_cast<size_t>(row)]));
    dialog.reject();
  };
  Command(Qt::Key_O);
  EXPECT_EQ(rows, 30);
}

// Each command that drops the project, with each answer to the question; the window
// closes also by Ctrl+Q and by Alt+F4, which no window manager may have taken.
TEST_F(OpenAndUnsavedWork, UnsavedChangesAreAskedAboutOnCloseNewAndOpen) {
  struct TCommand {
    const char* Name;
    bool Closes, Opens;
    std::function<void()> Run;
  };
  const TCommand commands[] = {
      {"close", true, false, [this] { Main().close(); }},
      {"Ctrl+Q", true, false, [this] { Command(Qt::Key_Q); }},
      {"Alt+F4", true, false, [this] { Command(Qt::Key_F4, Qt::AltModifier); }},
      {"new", false, false, [this] { Command(Qt::Key_N); }},
      {"open", false, true, [this] { Command(Qt::Key_O); }},
  };
  const QString other = Path("other.ini");
  SaveProject(Composed(), Native(other), Native(CataloguePath));
  const QString target = Path("target.ini");
  for (const TCommand& command : commands) {
    for (const QMessageBox::StandardButton answer :
         {QMessageBox::Cancel, QMessageBox::Discard, QMessageBox::Save}) {
      SCOPED_TRACE(testing::Message() << command.Name << ", answer " << answer);
      Main().NewClick(true);
      Main().show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
      QApplication::setActiveWindow(&Main());
      Command(Qt::Key_N);  // nothing to save: no question
      ASSERT_TRUE(Dialogs.Modals.isEmpty());
      QFile::remove(target);
      TickFirstLanguage();
      const TSavedItems edited = SavedItems(Main().Project());
      ASSERT_TRUE(Main().HasUnsavedChanges());
      AnswerBoxes(answer);
      // The save goes to `target`, the opening to `other`.
      Dialogs.OnFileDialog = [&](QFileDialog& dialog) {
        const bool opening = dialog.windowTitle() == QStringLiteral("Открыть файл");
        dialog.selectFile(opening ? other : target);
        return true;
      };
      const bool closing = command.Closes;
      command.Run();

      ASSERT_EQ(Dialogs.Modals.value(0), QStringLiteral("SaveChangesBox"));
      EXPECT_EQ(QFile::exists(target), answer == QMessageBox::Save);
      const bool wentOn = answer != QMessageBox::Cancel;
      EXPECT_EQ(SavedItems(Main().Project()) == edited, !wentOn || closing);
      EXPECT_EQ(Main().isVisible(), !closing || !wentOn);
      // Closing without saving leaves the project as it was.
      EXPECT_EQ(Main().HasUnsavedChanges(), !wentOn || (closing && answer == QMessageBox::Discard));
      if (command.Opens && wentOn) {
        EXPECT_EQ(Main().Project().Origin.FileName, Native(other));
      }
      Dialogs.Modals.clear();
      Dialogs.OnModal = nullptr;
    }
  }
}

TEST_F(OpenAndUnsavedWork, CaptionMarksUnsavedChangesAndNamesTheFile) {
  EXPECT_EQ(Caption(), kTitle);
  EXPECT_FALSE(Main().isWindowModified());
  TickFirstLanguage();
  EXPECT_EQ(Caption(), kTitle + QStringLiteral("[*]"));
  EXPECT_TRUE(Main().isWindowModified());
  TickFirstLanguage();  // undone: as it was
  EXPECT_EQ(Caption(), kTitle);
  EXPECT_FALSE(Main().isWindowModified());

  TickFirstLanguage();
  ChooseFile(Path("vuka.ini"));
  Command(Qt::Key_S);
  EXPECT_EQ(Caption(), QStringLiteral("vuka.ini[*] — ") + kTitle);
  EXPECT_FALSE(Main().isWindowModified());
  TickFirstLanguage();
  EXPECT_TRUE(Main().isWindowModified());
  // A save that fails keeps the mark: the catalogue may not be written.
  ChooseFile(CataloguePath);
  AnswerBoxes(QMessageBox::Yes);  // to the question before writing into another file
  SaveAs();
  EXPECT_EQ(TakeErrors().size(), 1);
  EXPECT_TRUE(Main().isWindowModified());
  EXPECT_EQ(Caption(), QStringLiteral("vuka.ini[*] — ") + kTitle);
}

TEST_F(OpenAndUnsavedWork, SavingIntoTheOpenedFileRemovesDeletedVariablesOnly) {
  const QString file = Path("vars.ini");
  const QString copy = Path("copy.ini");
  const char* text = "[Variables]\nProgramName=P\nA=1\nB=2\nC=3\n[Own]\nX=1\n";
  WriteCatalogue(file, text);
  WriteCatalogue(copy, text);
  ChooseFile(file);
  Command(Qt::Key_O);
  auto* pages = Find<QTabWidget>("Pages");
  Click(pages->tabBar(), pages->tabBar()->tabRect(3).center());
  auto* grid = Find<TVariablesGrid>("Variables");
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Down);  // row B
  QTest::keyClick(grid, Qt::Key_Delete);
  ASSERT_EQ(grid->CellText(0, 2), QStringLiteral("C"));

  Command(Qt::Key_S);  // into the opened file: B leaves it, the rest stays
  const QByteArray written = ReadBytes(file);
  EXPECT_FALSE(written.contains("B=")) << written.toStdString();
  EXPECT_TRUE(written.contains("\r\nA=1\r\nC=3\r\n")) << written.toStdString();
  EXPECT_TRUE(written.contains("[Own]\r\nX=1\r\n")) << written.toStdString();
  // Any other existing file is asked about: "Нет" writes nothing, "Да" only adds and changes
  // keys, the file keeping its own other lines.
  const QByteArray before = ReadBytes(copy);
  ChooseFile(copy);
  AnswerBoxes(QMessageBox::No);
  SaveAs();
  EXPECT_EQ(Dialogs.Modals.mid(1), (QStringList{"OpenDlg", "WriteIntoBox"}));
  EXPECT_EQ(BoxTexts.value(0), QStringLiteral("Файл «%1» уже существует.\nЗаписать проект в "
                                              "него? Строки файла, которые редактор не меняет, "
                                              "останутся как есть.")
                                   .arg(QDir::toNativeSeparators(copy)));
  EXPECT_EQ(ReadBytes(copy), before);
  EXPECT_EQ(Main().Project().Origin.FileName, Native(file));
  AnswerBoxes(QMessageBox::Yes);
  SaveAs();
  EXPECT_TRUE(ReadBytes(copy).contains("\r\nB=2\r\n"));
  EXPECT_TRUE(ReadBytes(copy).contains("[Own]\r\nX=1\r\n"));
  EXPECT_EQ(Main().Project().Origin.FileName, Native(copy));
}

// "Save As" under a new name takes along everything of the opened file that the editor does
// not own, through the save dialog ("Сохранить", and no question of Qt's own), which
// opening turns into an open dialog.
TEST_F(OpenAndUnsavedWork, SaveAsANewNameKeepsWhatTheOpenedFileHolds) {
  const QString file = Path("vars.ini");
  const QByteArray text = "; by hand\n[Own]\nX = 1\n\n[Variables]\nProgramName=P\nA=1\nB=2\n";
  WriteBytes(Native(file), text.toStdString());
  ChooseFile(file);
  Command(Qt::Key_O);
  auto* pages = Find<QTabWidget>("Pages");
  Click(pages->tabBar(), pages->tabBar()->tabRect(3).center());
  auto* grid = Find<TVariablesGrid>("Variables");
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key_Delete);  // B
  const QString target = Path("new.ini");
  Dialogs.OnFileDialog = [target](QFileDialog& dialog) {
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.labelText(QFileDialog::Accept), QStringLiteral("Сохранить"));
    dialog.selectFile(target);
    // Qt's own question would run a box of its own here: it is not asked.
    QTimer::singleShot(0, [] {
      if (QWidget* box = QApplication::activeModalWidget()) {
        ADD_FAILURE() << "the file dialog asked";
        box->close();
      }
    });
    WriteBytes(Native(target), "[Mine]\n");  // as if it existed, for Qt's question
    static_cast<QDialog&>(dialog).accept();  // the dialog's own "Сохранить"
    QFile::remove(target);
    return dialog.result() == QDialog::Accepted;
  };
  SaveAs();
  const QByteArray saved = ReadBytes(target);
  EXPECT_TRUE(saved.startsWith("; by hand\n[Own]\nX = 1\n\n[Variables]\nProgramName=P\nA=1\n"))
      << saved.toStdString();
  EXPECT_FALSE(saved.contains("B=2"));
  EXPECT_TRUE(saved.contains("[Display]"));
  EXPECT_EQ(ReadBytes(file), text);
  EXPECT_EQ(Main().Project().Origin.FileName, Native(target));
  EXPECT_FALSE(Main().HasUnsavedChanges());

  Dialogs.OnFileDialog = [](QFileDialog& dialog) {
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.labelText(QFileDialog::Accept), QStringLiteral("Открыть"));
    return false;
  };
  Command(Qt::Key_O);
}

TEST_F(OpenAndUnsavedWork, StartUpReportsAMissingFileAndOpensAnExistingOne) {
  const TSavedItems defaults = SavedItems(Main().Project());
  OpenAtStartUp(Windows, Path("missing.ini"));
  EXPECT_EQ(TakeErrors(), QStringList{OpenError(Path("missing.ini"))});
  EXPECT_EQ(SavedItems(Main().Project()), defaults);
  EXPECT_EQ(Caption(), kTitle);

  const QString file = Path("start.ini");
  SaveProject(Composed(), Native(file), Native(CataloguePath));
  OpenAtStartUp(Windows, file);
  EXPECT_EQ(SavedItems(Main().Project()), SavedItems(Composed()));
  EXPECT_EQ(Caption(), QStringLiteral("start.ini[*] — ") + kTitle);
}

// The real question: Qt's own Russian button texts, the clicked button is the
// answer, and Esc (or closing the box) answers Cancel.
TEST(SaveChangesBox, RealBoxAnswersWithTheClickedButtonAndEscapeCancels) {
  TSystemDialogs real;
  QTimer timer;
  AnswerNextBox(timer, [](QMessageBox& box) {
    EXPECT_EQ(box.objectName(), QStringLiteral("SaveChangesBox"));
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Visual RVL"));
    EXPECT_EQ(box.text(), QStringLiteral("Сохранить изменения?"));
    EXPECT_EQ(box.button(QMessageBox::Save)->text(), QStringLiteral("Сохранить"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Отмена"));
    EXPECT_NE(box.button(QMessageBox::Discard)->text(), QStringLiteral("Discard"));
    EXPECT_EQ(static_cast<QAbstractButton*>(box.defaultButton()), box.button(QMessageBox::Save));
    QTest::mouseClick(box.button(QMessageBox::Discard), Qt::LeftButton);
  });
  EXPECT_EQ(real.AskSaveChanges(nullptr, QStringLiteral("Сохранить изменения?")),
            QMessageBox::Discard);
  AnswerNextBox(timer, [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
  EXPECT_EQ(real.AskSaveChanges(nullptr, QStringLiteral("?")), QMessageBox::Cancel);
}
