// Undo and Redo through the menu's keys: each kind of edit is one step that the
// menu names, taking steps back to the opened file clears the unsaved mark, and
// random edits taken back and made again give the project and its views exactly.
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QUndoStack>
#include <random>

#include "app_fixture.h"
#include "keytyping.h"
#include "projectdiff.h"
#include "ui/mainwindow/edithistory.h"
#include "ui/widgets/checklistbox.h"
#include "ui/widgets/radiogroup.h"
#include "ui/widgets/render.h"
#include "ui/widgets/variablesgrid.h"

namespace {

class UndoRedo : public TAppFixture {
 protected:
  void SetUp() override {
    TAppFixture::SetUp();
    Undo = Find<QAction>("Undo");
    Redo = Find<QAction>("Redo");
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QApplication::setActiveWindow(&Main());
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &Main();
    QTest::keyClick(target, key, modifiers);
  }
  void ShowPage(int index) {
    auto* pages = Find<QTabWidget>("Pages");
    Click(pages->tabBar(), pages->tabBar()->tabRect(index).center());
  }
  void Tick(const char* listName, int index) {
    ShowPage(std::string(listName) == "Langs" ? 1 : 2);
    auto* list = Find<TCheckListBox>(listName);
    const QRect entry = list->ItemRect(index);
    Click(list->viewport(), QPoint(entry.left() + 7, entry.center().y()));
  }
  // Selects the entry by a click on its text and moves it one place in the order by key.
  void Move(const char* listName, int index, Qt::Key key) {
    ShowPage(std::string(listName) == "Langs" ? 1 : 2);
    auto* list = Find<TCheckListBox>(listName);
    const QRect entry = list->ItemRect(index);
    Click(list->viewport(), QPoint(entry.left() + 40, entry.center().y()));
    Key(key, Qt::ControlModifier);
  }
  // Runs a dialog of the mock-up: `edit` changes it, then OK closes it.
  void EditInDialog(const char* part, const std::function<void(QDialog&)>& edit) {
    ShowPage(0);
    Dialogs.OnModal = [edit](QDialog& dialog) {
      edit(dialog);
      Click(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1")));
    };
    Click(Find(part));
    Dialogs.OnModal = nullptr;
  }
  // Types the text into a cell of the table and ends with Enter.
  void EditCell(int row, int column, const QString& text) {
    ShowPage(3);
    auto* grid = Find<TVariablesGrid>("Variables");
    grid->setFocus();
    grid->SetCurrentCell(row, column);
    Key(Qt::Key_F2);
    TypeKeys(QApplication::focusWidget(), text);
    Key(Qt::Key_Return);
  }
  void TableKey(Qt::Key key) {
    ShowPage(3);
    auto* grid = Find<TVariablesGrid>("Variables");
    grid->setFocus();
    grid->SetCurrentCell(grid->RowCount() - 1, 0);
    Key(key);
  }
  void EditAtRandom(std::mt19937& random, int serial);
  // What the views show: the mock-up and the table.
  QStringList Shown() {
    QStringList shown;
    for (const char* name : {"ProgramName", "DlgName"}) {
      auto* title = Find<TShadowLabel>(name);
      shown << title->Caption() << QString::number(title->FontDesc().Size)
            << QString::number(!title->isHidden());
    }
    shown << Find<QLabel>("DlgCaption")->text();
    const QImage background = Find("Background")->grab().toImage();
    shown << QString::number(background.pixel(0, 0)) << QString::number(background.pixel(0, 200));
    auto* grid = Find<TVariablesGrid>("Variables");
    for (int row = 1; row < grid->RowCount(); ++row)
      shown << grid->CellText(0, row) + QLatin1Char('=') + grid->CellText(1, row);
    return shown;
  }

  // The project without the lists' selected entries: a selection marks where
  // the user clicked last and is no edit.
  TProject Edited() const {
    TProject project = Windows.MainForm->Project();
    for (TCheckList* list : {&project.Langs, &project.Pred, &project.Post}) list->Select(-1);
    return project;
  }

  QAction* Undo = nullptr;
  QAction* Redo = nullptr;
};

void UndoRedo::EditAtRandom(std::mt19937& random, int serial) {
  const QString text = QStringLiteral("Шаг %1").arg(serial);
  switch (std::uniform_int_distribution<int>(0, 9)(random)) {
    case 0: Tick("Langs", serial % 3); break;
    case 1: Tick(serial % 2 ? "Pred" : "Post", serial % 2); break;
    case 2:
      EditInDialog("ProgramName", [&](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("ProgName"))->setText(text);
      });
      break;
    case 3:
      EditInDialog("DlgName", [](QDialog& dialog) {
        Click(dialog.findChild<QCheckBox*>(QStringLiteral("UseShadow")));
      });
      break;
    case 4:
      EditInDialog("Background", [](QDialog& dialog) {
        Click(dialog.findChild<QCheckBox*>(QStringLiteral("EnableBackground")));
      });
      break;
    case 5:
      EditInDialog("Label1", [serial](QDialog& dialog) {
        Click(dialog.findChild<TRadioGroup*>(QStringLiteral("Goriz"))->Button(serial % 3));
      });
      break;
    case 6: EditCell(1 + serial % 2, serial % 2, text); break;
    case 7: TableKey(serial % 2 ? Qt::Key_Insert : Qt::Key_Delete); break;
    case 8: Move("Langs", serial % 3, serial % 2 ? Qt::Key_Up : Qt::Key_Down); break;
    default:
      // "New" over unsaved work: the question is answered "Discard".
      Dialogs.OnModal = [](QDialog& dialog) {
        Click(qobject_cast<QMessageBox*>(&dialog)->button(QMessageBox::Discard));
      };
      Key(Qt::Key_N, Qt::ControlModifier);
      Dialogs.OnModal = nullptr;
      break;
  }
}

}  // namespace

TEST_F(UndoRedo, EachEditIsOneStepThatTheMenuNames) {
  Tick("Langs", 0);
  EXPECT_TRUE(Main().Project().Langs.IsTicked(0));
  EXPECT_TRUE(Undo->isEnabled());
  EXPECT_EQ(Undo->text(), QStringLiteral("Отменить: галочка «English»"));
  EXPECT_EQ(Redo->text(), QStringLiteral("Повторить"));

  EditInDialog("ProgramName", [](QDialog& dialog) {
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("ProgName"));
    name->clear();
    TypeKeys(name, QStringLiteral("Новое имя"));
  });
  EXPECT_EQ(Find<TShadowLabel>("ProgramName")->Caption(), QStringLiteral("Новое имя"));
  EXPECT_EQ(Undo->text(), QStringLiteral("Отменить: заголовок программы"));
  // A dialog closed with OK that changed nothing is no step.
  EditInDialog("ProgramName", [](QDialog&) {});
  EXPECT_EQ(Main().History().Stack().count(), 2);

  EditCell(1, 1, QStringLiteral("C:\\Program"));
  EXPECT_EQ(Undo->text(), QStringLiteral("Отменить: ячейка «Значение» строки 1"));

  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Find<TVariablesGrid>("Variables")->CellText(1, 1), QStringLiteral("Введите значение"));
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Find<TShadowLabel>("ProgramName")->Caption(), QStringLiteral("Демо-программа 1.0"));
  EXPECT_EQ(Find<QLabel>("DlgCaption")->text(), QStringLiteral(" Установка Демо-программа 1.0"));
  EXPECT_EQ(Redo->text(), QStringLiteral("Повторить: заголовок программы"));
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Find<TShadowLabel>("ProgramName")->Caption(), QStringLiteral("Новое имя"));
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(Main().Project().Langs.IsTicked(0));
  EXPECT_FALSE(Undo->isEnabled());
  EXPECT_EQ(Undo->text(), QStringLiteral("Отменить"));
  // Ctrl+Shift+Z makes a step again too.
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(Main().Project().Langs.IsTicked(0));
}

TEST_F(UndoRedo, StepsBackToTheOpenedFileClearTheUnsavedMark) {
  const QString file = Dir.filePath(QStringLiteral("opened.ini"));
  SaveProject(Main().Project(), Native(file), Native(CataloguePath));
  Main().OpenFile(file);
  EXPECT_FALSE(Undo->isEnabled());
  Tick("Pred", 0);
  TableKey(Qt::Key_Insert);
  QCoreApplication::processEvents();
  EXPECT_TRUE(Main().isWindowModified());
  Key(Qt::Key_Z, Qt::ControlModifier);
  QCoreApplication::processEvents();
  EXPECT_TRUE(Main().isWindowModified());
  Key(Qt::Key_Z, Qt::ControlModifier);
  QCoreApplication::processEvents();
  EXPECT_FALSE(Main().isWindowModified());
  // Saved after a step: that step is the saved state now.
  Key(Qt::Key_Y, Qt::ControlModifier);
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(Main().isWindowModified());
  Key(Qt::Key_Z, Qt::ControlModifier);
  QCoreApplication::processEvents();
  EXPECT_TRUE(Main().isWindowModified());
}

// Random edits of every kind, then every step taken back gives the project
// and its views as they started, and every step made again as they ended.
TEST_F(UndoRedo, RandomEditsUndoneAndRedoneGiveTheStartAndTheEnd) {
  for (const unsigned seed : {1U, 2U, 3U}) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    Main().History().Clear();
    const TProject start = Edited();
    const QStringList startShown = Shown();
    std::mt19937 random(seed);
    // The mark, which follows the changes, agrees with comparing the whole project.
    const auto markAgrees = [this] {
      QCoreApplication::processEvents();
      return Main().isWindowModified() == Main().HasUnsavedChanges();
    };
    for (int serial = 0; serial < 25; ++serial) {
      EditAtRandom(random, serial);
      ASSERT_TRUE(markAgrees()) << "edit " << serial;
    }
    ASSERT_GE(Main().History().Stack().index(), 15);  // nearly every edit is a step
    const TProject end = Edited();
    const QStringList endShown = Shown();

    while (Undo->isEnabled()) {
      Key(Qt::Key_Z, Qt::ControlModifier);
      ASSERT_TRUE(markAgrees());
    }
    EXPECT_TRUE(Edited() == start) << ProjectDifference(Edited(), start);
    EXPECT_EQ(Shown().join(QLatin1Char('|')).toStdString(),
              startShown.join(QLatin1Char('|')).toStdString());
    while (Redo->isEnabled()) {
      Key(Qt::Key_Y, Qt::ControlModifier);
      ASSERT_TRUE(markAgrees());
    }
    EXPECT_TRUE(Edited() == end) << ProjectDifference(Edited(), end);
    EXPECT_EQ(Shown().join(QLatin1Char('|')).toStdString(),
              endShown.join(QLatin1Char('|')).toStdString());
  }
}
