// The variables table driven with the mouse and the keyboard as a user does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <string>
#include <utility>
#include <vector>

#include "keytyping.h"
#include "ui/widgets/variablesgrid.h"

namespace {

using TRows = std::vector<std::pair<std::string, std::string>>;  // UTF-8

struct TGridWindow {
  QWidget Window;
  std::vector<TVariableRow> Rows;
  TVariablesGrid* Grid = nullptr;
  QLineEdit* Before = nullptr;
  QLineEdit* After = nullptr;

  explicit TGridWindow(const TRows& rows) {
    for (const auto& [name, value] : rows)
      Rows.push_back({Utf8ToCp1251(name), Utf8ToCp1251(value)});
    Window.resize(427, 320);
    Before = new QLineEdit(&Window);
    Before->setGeometry(0, 290, 100, 20);
    Grid = new TVariablesGrid(&Window);
    Grid->setGeometry(5, 4, 409, 281);
    Grid->Bind(&Rows);
    After = new QLineEdit(&Window);
    After->setGeometry(200, 290, 100, 20);
    Window.show();
    Window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
    Grid->setFocus();
  }

  QWidget* Surface() const { return Grid->viewport(); }
  // Keys go where the window system sends them: to the focus widget.
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) const {
    QTest::keyClick(QApplication::focusWidget(), key, mods);
  }
  // Characters as a keyboard delivers them, Cyrillic ones included.
  void Type(const char* utf8) const {
    TypeKeys(QApplication::focusWidget(), QString::fromUtf8(utf8));
  }
  void Click(int row, int column) const {
    QTest::mouseClick(Surface(), Qt::LeftButton, {}, Grid->CellRect(row, column).center());
  }
  std::string Cell(int column, int row) const {
    const TVariableRow& r = Rows.at(static_cast<size_t>(row - 1));
    return Cp1251ToUtf8(column == 0 ? r.Name : r.Value);
  }
  TRows Texts() const {
    TRows texts;
    for (const TVariableRow& r : Rows)
      texts.emplace_back(Cp1251ToUtf8(r.Name), Cp1251ToUtf8(r.Value));
    return texts;
  }
  std::pair<int, int> Current() const { return {Grid->CurrentRow(), Grid->CurrentColumn()}; }
};

const TRows kThree = {{"A", "1"}, {"B", "2"}, {"C", "3"}};

TRows Many(int count) {
  TRows rows;
  for (int i = 1; i <= count; ++i)
    rows.emplace_back("N" + std::to_string(i), "V" + std::to_string(i));
  return rows;
}

}  // namespace

TEST(VariablesGrid, CellsRowsAndScrollBars) {
  TGridWindow w(Many(15));
  EXPECT_EQ(w.Grid->CellRect(0, 0), QRect(0, 0, 203, 16));
  EXPECT_EQ(w.Grid->CellRect(0, 1), QRect(204, 0, 200, 16));
  EXPECT_EQ(w.Grid->CellRect(2, 1), QRect(204, 34, 200, 16));
  EXPECT_EQ(w.Grid->VisibleDataRows(), 15);
  EXPECT_FALSE(w.Grid->verticalScrollBar()->isVisible());
  EXPECT_FALSE(w.Grid->horizontalScrollBar()->isVisible());
  // A sixteenth row needs the vertical bar, which leaves too little width.
  w.Key(Qt::Key_Insert);
  EXPECT_TRUE(w.Grid->verticalScrollBar()->isVisible());
  EXPECT_TRUE(w.Grid->horizontalScrollBar()->isVisible());
  // Both go again once the rows fit.
  w.Key(Qt::Key_Delete);
  EXPECT_FALSE(w.Grid->verticalScrollBar()->isVisible());
  EXPECT_FALSE(w.Grid->horizontalScrollBar()->isVisible());
  EXPECT_EQ(w.Grid->VisibleDataRows(), 15);
}

// The value column does not fit beside the vertical bar: the table still opens,
// and stays after an edit of a value, with the names in view.
TEST(VariablesGrid, TableShowsTheNamesColumnWhenOpenedAndAfterAnEdit) {
  TGridWindow w(Many(30));
  QScrollBar* bar = w.Grid->horizontalScrollBar();
  ASSERT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->value(), 0);
  w.Key(Qt::Key_F2);
  w.Type("x");
  w.Key(Qt::Key_Return);
  w.Key(Qt::Key_Down);
  EXPECT_EQ(bar->value(), 0);
}

TEST(VariablesGrid, InsertAddsAnEmptyRowAboveTheCurrentOneUnlessCtrlOrShift) {
  TGridWindow w(kThree);
  EXPECT_EQ(w.Current(), std::make_pair(1, 1));
  w.Key(Qt::Key_Insert);  // first row
  EXPECT_EQ(w.Texts(), (TRows{{"", ""}, {"A", "1"}, {"B", "2"}, {"C", "3"}}));
  EXPECT_EQ(w.Current(), std::make_pair(1, 1));
  EXPECT_FALSE(w.Grid->IsEditing());
  w.Key(Qt::Key_End, Qt::ControlModifier);  // last row
  w.Key(Qt::Key_Insert);
  EXPECT_EQ(w.Texts(), (TRows{{"", ""}, {"A", "1"}, {"B", "2"}, {"", ""}, {"C", "3"}}));
  EXPECT_EQ(w.Current(), std::make_pair(4, 1));
  w.Key(Qt::Key_Up);  // middle row
  w.Key(Qt::Key_Insert);
  EXPECT_EQ(w.Texts(), (TRows{{"", ""}, {"A", "1"}, {"", ""}, {"B", "2"}, {"", ""}, {"C", "3"}}));
  w.Key(Qt::Key_Insert, Qt::ShiftModifier);
  w.Key(Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(w.Grid->RowCount(), 7);
}

TEST(VariablesGrid, DeleteRemovesTheCurrentRowWithAnyModifier) {
  TGridWindow w(TRows{{"A", "1"}, {"B", "2"}, {"C", "3"}, {"D", "4"}, {"E", "5"}});
  w.Key(Qt::Key_Down);
  w.Key(Qt::Key_Down);
  w.Key(Qt::Key_Delete);  // middle
  EXPECT_EQ(w.Texts(), (TRows{{"A", "1"}, {"B", "2"}, {"D", "4"}, {"E", "5"}}));
  EXPECT_EQ(w.Current(), std::make_pair(3, 1));
  w.Key(Qt::Key_Home, Qt::ControlModifier);
  w.Key(Qt::Key_Delete, Qt::ShiftModifier);  // first
  EXPECT_EQ(w.Texts(), (TRows{{"B", "2"}, {"D", "4"}, {"E", "5"}}));
  EXPECT_EQ(w.Current(), std::make_pair(1, 0));
  w.Key(Qt::Key_End, Qt::ControlModifier);
  w.Key(Qt::Key_Delete, Qt::ControlModifier);  // last: the current cell moves up
  EXPECT_EQ(w.Texts(), (TRows{{"B", "2"}, {"D", "4"}}));
  EXPECT_EQ(w.Current(), std::make_pair(2, 1));
  w.Key(Qt::Key_Delete);
  w.Key(Qt::Key_Delete);  // the only row is emptied and stays
  EXPECT_EQ(w.Texts(), (TRows{{"", ""}}));
  EXPECT_EQ(w.Current(), std::make_pair(1, 1));
}

TEST(VariablesGrid, TypingReplacesTheTextWhileF2Appends) {
  TGridWindow w(TRows{{"InstallPath", "Введите значение"}});
  w.Type("x");
  EXPECT_TRUE(w.Grid->IsEditing());
  EXPECT_EQ(w.Cell(1, 1), "x");  // in the model at once
  w.Type("я");
  EXPECT_EQ(w.Cell(1, 1), "xя");
  w.Key(Qt::Key_Return);
  EXPECT_FALSE(w.Grid->IsEditing());
  w.Key(Qt::Key_Left);
  w.Key(Qt::Key_F2);
  ASSERT_TRUE(w.Grid->IsEditing());
  EXPECT_FALSE(w.Grid->Editor()->hasSelectedText());
  w.Type("s");
  EXPECT_EQ(w.Cell(0, 1), "InstallPaths");
  w.Key(Qt::Key_Return);
  w.Key(Qt::Key_Return);  // Enter opens with all of the text selected
  EXPECT_EQ(w.Grid->Editor()->selectedText(), QStringLiteral("InstallPaths"));
  w.Key(Qt::Key_Escape);
  w.Key(Qt::Key_Right);
  w.Key(Qt::Key_Backspace);  // Backspace starts editing with an empty cell
  EXPECT_TRUE(w.Grid->IsEditing());
  EXPECT_EQ(w.Cell(1, 1), "");
}

TEST(VariablesGrid, EscapeWhileEditingPutsTheEarlierTextBackAndEndsEditing) {
  TGridWindow w(TRows{{"Name", "Word"}});
  int edits = 0;
  QObject::connect(w.Grid, &TVariablesGrid::cellEdited, [&edits] { ++edits; });
  w.Key(Qt::Key_F2);
  w.Type("123");
  EXPECT_EQ(w.Cell(1, 1), "Word123");
  w.Key(Qt::Key_Escape);
  EXPECT_FALSE(w.Grid->IsEditing());
  EXPECT_FALSE(w.Grid->Editor()->isVisible());
  EXPECT_TRUE(w.Grid->hasFocus());
  EXPECT_EQ(w.Cell(1, 1), "Word");
  // Editing that started on a letter remembers the text from before the letter.
  w.Type("z");
  w.Key(Qt::Key_Escape);
  EXPECT_EQ(w.Cell(1, 1), "Word");
  EXPECT_EQ(edits, 0);  // nothing changed: no edit to take back
  // Outside editing Escape changes nothing.
  w.Key(Qt::Key_Insert);
  w.Key(Qt::Key_Escape);
  EXPECT_EQ(w.Texts(), (TRows{{"", ""}, {"Name", "Word"}}));
}

TEST(VariablesGrid, KeysWhileEditingStayInTheEditor) {
  TGridWindow w(kThree);
  w.Key(Qt::Key_Down);
  w.Key(Qt::Key_F2);
  w.Key(Qt::Key_Home);
  w.Key(Qt::Key_Delete);
  w.Key(Qt::Key_Insert);
  EXPECT_TRUE(w.Grid->IsEditing());
  EXPECT_EQ(w.Grid->RowCount(), 4);
  EXPECT_EQ(w.Cell(1, 2), "");
  EXPECT_EQ(w.Current(), std::make_pair(2, 1));
}

// Keys and clicks sent to the table widget itself, not to its editor or its
// viewport, follow the same rules: while a cell is edited the keys are the editor's.
TEST(VariablesGrid, KeysAndClicksSentToTheTableItselfFollowTheSameRules) {
  TGridWindow w(kThree);
  TVariablesGrid* grid = w.Grid;
  const QPoint offset = grid->viewport()->mapTo(grid, QPoint(0, 0));
  QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(2, 0).center() + offset);
  EXPECT_EQ(w.Current(), std::make_pair(2, 0));
  QTest::keyClick(grid, Qt::Key_F2);
  ASSERT_TRUE(grid->IsEditing());
  QTest::keyClick(grid, Qt::Key_Home);
  QTest::keyClick(grid, Qt::Key_Delete);  // deletes the character, not the row
  EXPECT_EQ(grid->RowCount(), 4);
  EXPECT_EQ(w.Cell(0, 2), "");
  QTest::keyClick(grid, Qt::Key_Escape);  // the earlier text comes back
  EXPECT_EQ(w.Cell(0, 2), "B");
  EXPECT_FALSE(grid->IsEditing());
  QTest::keyClick(grid, Qt::Key_Return);
  EXPECT_TRUE(grid->IsEditing());
}

TEST(VariablesGrid, VerticalKeysEndEditingUnlessTheCellCannotMove) {
  TGridWindow w(kThree);
  w.Key(Qt::Key_F2);
  w.Key(Qt::Key_Up);  // first row: editing goes on
  EXPECT_TRUE(w.Grid->IsEditing());
  w.Key(Qt::Key_PageUp);
  EXPECT_TRUE(w.Grid->IsEditing());
  w.Type("!");
  w.Key(Qt::Key_Down);
  EXPECT_FALSE(w.Grid->IsEditing());
  EXPECT_EQ(w.Current(), std::make_pair(2, 1));
  EXPECT_EQ(w.Cell(1, 1), "1!");
  w.Key(Qt::Key_Down);
  w.Key(Qt::Key_F2);
  w.Key(Qt::Key_Down);  // last row
  EXPECT_TRUE(w.Grid->IsEditing());
  w.Key(Qt::Key_PageUp);
  EXPECT_FALSE(w.Grid->IsEditing());
  EXPECT_EQ(w.Current(), std::make_pair(1, 1));
}

TEST(VariablesGrid, ClicksMoveStartAndEndEditing) {
  TGridWindow w(kThree);
  w.Click(2, 0);  // not current: only moves
  EXPECT_EQ(w.Current(), std::make_pair(2, 0));
  EXPECT_FALSE(w.Grid->IsEditing());
  w.Click(2, 0);  // current: starts editing, all selected
  ASSERT_TRUE(w.Grid->IsEditing());
  EXPECT_EQ(w.Grid->Editor()->selectedText(), QStringLiteral("B"));
  w.Click(0, 1);  // the header does not end editing
  EXPECT_TRUE(w.Grid->IsEditing());
  EXPECT_TRUE(w.Grid->Editor()->hasFocus());
  w.Type("q");
  EXPECT_EQ(w.Cell(0, 2), "q");
  w.Click(3, 1);  // another data cell ends editing and becomes current
  EXPECT_FALSE(w.Grid->IsEditing());
  EXPECT_EQ(w.Current(), std::make_pair(3, 1));
  // The second press of a double-click on another cell does not start editing.
  const QPoint p = w.Grid->CellRect(1, 0).center();
  QTest::mousePress(w.Surface(), Qt::LeftButton, {}, p);
  QTest::mouseRelease(w.Surface(), Qt::LeftButton, {}, p);
  QTest::mouseDClick(w.Surface(), Qt::LeftButton, {}, p);
  QTest::mouseRelease(w.Surface(), Qt::LeftButton, {}, p);
  EXPECT_EQ(w.Current(), std::make_pair(1, 0));
  EXPECT_FALSE(w.Grid->IsEditing());
}

TEST(VariablesGrid, FocusLeavingTheTableEndsEditing) {
  TGridWindow w(kThree);
  w.Key(Qt::Key_F2);
  w.Key(Qt::Key_Tab);
  EXPECT_FALSE(w.Grid->IsEditing());
  EXPECT_TRUE(w.After->hasFocus());
  w.Grid->setFocus();
  w.Key(Qt::Key_F2);
  w.Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_FALSE(w.Grid->IsEditing());
  EXPECT_TRUE(w.Before->hasFocus());
  w.Grid->setFocus();
  w.Key(Qt::Key_F2);
  w.Type("+");
  QTest::mouseClick(w.After, Qt::LeftButton);
  EXPECT_FALSE(w.Grid->IsEditing());
  EXPECT_EQ(w.Cell(1, 1), "1+");
  w.Grid->setFocus();
  w.Key(Qt::Key_F2);
  w.Grid->hide();  // another page
  EXPECT_FALSE(w.Grid->IsEditing());
}

TEST(VariablesGrid, EditorKeepsLineBreaksAndForeignCharactersOut) {
  TGridWindow w(TRows{{"Name", "Value"}});
  w.Key(Qt::Key_F2);
  QApplication::clipboard()->setText(QStringLiteral("\r\nfirst\r\n\r\nsecond\nthird\r\n"));
  w.Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(w.Cell(1, 1), "Value first second third");
  EXPECT_EQ(w.Grid->Editor()->cursorPosition(), w.Grid->Editor()->text().size());
  w.Type("α");  // Greek alpha has no place in Windows-1251
  EXPECT_EQ(w.Cell(1, 1), "Value first second third");
  w.Type("ё€");
  EXPECT_EQ(w.Cell(1, 1), "Value first second thirdё€");
}

TEST(VariablesGrid, MovementKeysAndWheel) {
  TGridWindow w(Many(40));
  const int visible = w.Grid->VisibleDataRows();
  ASSERT_GT(visible, 2);
  w.Key(Qt::Key_PageDown);
  EXPECT_EQ(w.Current(), std::make_pair(visible, 1));
  EXPECT_EQ(w.Grid->TopRow(), visible);
  w.Key(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(w.Current(), std::make_pair(2 * visible - 1, 1));
  w.Key(Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(w.Current(), std::make_pair(visible, 1));
  w.Key(Qt::Key_Down, Qt::ControlModifier);  // scrolls only
  EXPECT_EQ(w.Grid->TopRow(), visible + 1);
  EXPECT_EQ(w.Current(), std::make_pair(visible, 1));
  w.Key(Qt::Key_Home);
  EXPECT_EQ(w.Current(), std::make_pair(visible, 0));
  w.Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(w.Current(), std::make_pair(40, 1));
  EXPECT_EQ(w.Grid->TopRow() + visible - 1, 40);
  w.Key(Qt::Key_Down);
  EXPECT_EQ(w.Current(), std::make_pair(40, 1));
  w.Key(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(w.Current(), std::make_pair(1, 0));
  EXPECT_EQ(w.Grid->TopRow(), 1);

  const QPoint at = w.Grid->CellRect(3, 0).center();
  QWheelEvent down(at, w.Surface()->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, {},
                   Qt::NoScrollPhase, false);
  QApplication::sendEvent(w.Surface(), &down);
  QApplication::sendEvent(w.Surface(), &down);
  EXPECT_EQ(w.Current(), std::make_pair(3, 0));
  QWheelEvent up(at, w.Surface()->mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton, {},
                 Qt::NoScrollPhase, false);
  for (int i = 0; i < 5; ++i) QApplication::sendEvent(w.Surface(), &up);
  EXPECT_EQ(w.Current(), std::make_pair(1, 0));
}

TEST(VariablesGrid, HintLiesBelowTheCellUnderThePointerAndGoesForAnotherCell) {
  TGridWindow w(kThree);
  const QRect cell = w.Grid->CellRect(2, 1);
  QTest::mouseMove(w.Surface(), cell.center());
  // The host's hint delay has passed.
  QHelpEvent help(QEvent::ToolTip, cell.center(), w.Surface()->mapToGlobal(cell.center()));
  QApplication::sendEvent(w.Surface(), &help);
  QLabel* hint = w.Grid->HintWindow();
  ASSERT_TRUE(hint->isVisible());
  EXPECT_EQ(hint->pos(), w.Surface()->mapToGlobal(QPoint(cell.left(), cell.top() + 16 + 6)));
  EXPECT_EQ(hint->text(), QStringLiteral("INS - добавить переменную,\nDEL - удалить переменную."));
  EXPECT_EQ(TVariablesGrid::HintText,
            QStringLiteral("INS - добавить переменную,\r\nDEL - удалить переменную."));
  EXPECT_EQ(hint->palette().color(QPalette::Window), QColor(255, 255, 0));
  QTest::mouseMove(w.Surface(), cell.center() + QPoint(20, 3));  // same cell
  EXPECT_TRUE(hint->isVisible());
  QTest::mouseMove(w.Surface(), w.Grid->CellRect(2, 0).center());
  EXPECT_FALSE(hint->isVisible());
}

TEST(VariablesGrid, CurrentCellIsHighlightedAlsoWithoutFocus) {
  TGridWindow w(kThree);
  w.After->setFocus();
  QApplication::processEvents();
  const QImage image = w.Surface()->grab().toImage();
  const QPalette& pal = w.Grid->palette();
  const QRect current = w.Grid->CellRect(1, 1);
  EXPECT_EQ(image.pixelColor(current.right() - 2, current.bottom() - 1),
            pal.color(QPalette::Active, QPalette::Highlight));
  const QRect other = w.Grid->CellRect(1, 0);
  EXPECT_EQ(image.pixelColor(other.right() - 2, other.bottom() - 1),
            pal.color(QPalette::Active, QPalette::Base));
  EXPECT_EQ(image.pixelColor(100, 8), pal.color(QPalette::Active, QPalette::Button));  // header
}
