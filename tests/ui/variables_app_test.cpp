// The variables table on its page of the main window: "Save" while a cell is
// being edited, page switches and "New".
#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabBar>
#include <QTabWidget>
#include <QToolTip>

#include "app_fixture.h"
#include "keytyping.h"
#include "ui/widgets/variablesgrid.h"

namespace {

class VariablesPage : public TAppFixture {
 protected:
  void SetUp() override {
    TAppFixture::SetUp();
    Pages = Find<QTabWidget>("Pages");
    Grid = Find<TVariablesGrid>("Variables");
    ShowPage(3);
    Grid->setFocus();  // as after a click on a cell that is not current
  }
  void ShowPage(int index) {
    Click(Pages->tabBar(), Pages->tabBar()->tabRect(index).center());
    ASSERT_EQ(Pages->currentIndex(), index);
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, mods);
  }
  // Characters as a keyboard delivers them, into the focused widget.
  void Type(const QString& text) { TypeKeys(QApplication::focusWidget(), text); }
  QByteArray Save() {
    const QString file = Dir.filePath(QStringLiteral("vuka.ini"));
    Dialogs.OnFileDialog = [file](QFileDialog& dialog) {
      dialog.selectFile(file);
      return true;
    };
    Key(Qt::Key_S, Qt::ControlModifier);
    return ReadBytes(file);
  }

  QTabWidget* Pages = nullptr;
  TVariablesGrid* Grid = nullptr;
};

}  // namespace

TEST_F(VariablesPage, TableLiesOnItsPageWithTheDefaultRow) {
  EXPECT_EQ(Grid->parentWidget()->objectName(), QStringLiteral("TabSheet4"));
  EXPECT_EQ(Grid->geometry(), QRect(5, 4, 409, 281));
  EXPECT_EQ(Grid->RowCount(), 2);
  EXPECT_EQ(Grid->CellText(0, 0), QStringLiteral("Переменная"));
  EXPECT_EQ(Grid->CellText(1, 0), QStringLiteral("Значение"));
  EXPECT_EQ(Grid->CellText(0, 1), QStringLiteral("InstallPath"));
  EXPECT_EQ(Grid->CellText(1, 1), QStringLiteral("Введите значение"));
  EXPECT_EQ(Grid->CurrentRow(), 1);
  EXPECT_EQ(Grid->CurrentColumn(), 1);
}

TEST_F(VariablesPage, SaveWhileEditingWritesTheTextTypedSoFar) {
  Click(Grid->viewport(), Grid->CellRect(1, 1).center());  // the current cell: editing starts
  ASSERT_TRUE(Grid->IsEditing());
  Type(QStringLiteral("C:\\Программы"));
  const QByteArray text = Save();
  EXPECT_TRUE(text.contains(Utf8ToCp1251("InstallPath=C:\\Программы\r\n").c_str()))
      << text.toStdString();
  EXPECT_TRUE(Grid->IsEditing());
  EXPECT_EQ(Grid->Editor()->text(), QStringLiteral("C:\\Программы"));
}

TEST_F(VariablesPage, EmptiedRowIsNotWrittenAndAnotherPageEndsEditing) {
  Key(Qt::Key_Delete);
  EXPECT_EQ(Grid->RowCount(), 2);
  QByteArray text = Save();
  EXPECT_FALSE(text.contains("InstallPath")) << text.toStdString();
  // A value without a name is not written either.
  Type(QStringLiteral("v"));
  Key(Qt::Key_Return);
  Key(Qt::Key_Insert);
  Key(Qt::Key_Left);
  Type(QStringLiteral("Path"));
  ASSERT_TRUE(Grid->IsEditing());
  ShowPage(1);
  EXPECT_FALSE(Grid->IsEditing());
  ShowPage(3);
  EXPECT_EQ(Grid->CellText(0, 1), QStringLiteral("Path"));
  text = Save();
  EXPECT_TRUE(text.contains("\r\nPath=\r\n")) << text.toStdString();
  EXPECT_FALSE(text.contains("=v\r\n"));
}

TEST_F(VariablesPage, NewEndsEditingAndResetsTheTable) {
  Key(Qt::Key_Insert);
  Key(Qt::Key_F2);
  Type(QStringLiteral("x"));
  ASSERT_TRUE(Grid->IsEditing());
  // Not saved: the question about the changes is answered "Discard".
  Dialogs.OnModal = [](QDialog& box) {
    if (auto* question = qobject_cast<QMessageBox*>(&box))
      Click(question->button(QMessageBox::Discard));
  };
  Key(Qt::Key_N, Qt::ControlModifier);
  EXPECT_FALSE(Grid->IsEditing());
  EXPECT_EQ(Pages->currentIndex(), 0);
  EXPECT_EQ(Grid->RowCount(), 2);
  EXPECT_EQ(Grid->CellText(0, 1), QStringLiteral("InstallPath"));
  EXPECT_EQ(Grid->CurrentRow(), 1);
  EXPECT_EQ(Grid->CurrentColumn(), 1);
  // Typing right after "New" replaces the value.
  ShowPage(3);
  Grid->setFocus();
  Type(QStringLiteral("D"));
  EXPECT_EQ(Main().Project().Variables.at(0).Value, "D");
}

// Names that one file cannot hold twice are marked in both rows as they are typed, with the
// reason at the editor and over the cell; the mark goes with the clash. Save refuses them and
// leaves the file and the unsaved mark as they were.
TEST_F(VariablesPage, NamesAlikeButForLetterCaseAreMarkedAndNotSaved) {
  const QByteArray saved = Save();
  const QString file = Dir.filePath(QStringLiteral("vuka.ini"));
  Key(Qt::Key_Insert);  // above InstallPath, which goes to row 2
  Key(Qt::Key_Left);
  Type(QStringLiteral("installPAT"));
  EXPECT_FALSE(Grid->NameClashes(1) || Grid->NameClashes(2));
  Type(QStringLiteral("H"));
  EXPECT_TRUE(Grid->NameClashes(1) && Grid->NameClashes(2));
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("строках 1 и 2")))
      << QToolTip::text().toStdString();
  EXPECT_EQ(Grid->NameClashHint(2), QToolTip::text());
  const QRect other = Grid->CellRect(2, 0);
  EXPECT_EQ(Grid->viewport()->grab().toImage().pixelColor(other.right() - 3, other.center().y()),
            QColor(255, 216, 216));

  Key(Qt::Key_S, Qt::ControlModifier);
  const QStringList errors = TakeErrors();
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(
      errors[0].contains(QStringLiteral("строках 1 и 2 названы одинаково без учёта "
                                        "регистра букв: «installPATH» и «InstallPath»")))
      << errors[0].toStdString();
  EXPECT_EQ(ReadBytes(file), saved);
  EXPECT_TRUE(Main().HasUnsavedChanges());

  // Renamed, neither row is marked; named ProgramName, the row alone is.
  Key(Qt::Key_Escape);
  Type(QStringLiteral("Other"));
  EXPECT_FALSE(Grid->NameClashes(1) || Grid->NameClashes(2));
  Key(Qt::Key_Escape);
  Type(QStringLiteral("programname"));
  Key(Qt::Key_Return);
  EXPECT_TRUE(Grid->NameClashes(1));
  EXPECT_FALSE(Grid->NameClashes(2));
  // A deleted row takes its mark along; taking the deletion back brings it again.
  Key(Qt::Key_Delete);
  EXPECT_FALSE(Grid->NameClashes(1));
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(Grid->NameClashes(1));
  EXPECT_FALSE(Grid->NameClashes(2));
}
