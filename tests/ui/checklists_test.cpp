// The check lists driven with the mouse and the keyboard as a user does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "ui/widgets/checklistbox.h"
#include "ui/widgets/render.h"

namespace {

// One list in a window of the main window's size, shown and active.
struct TListWindow {
  QWidget Window;
  TCheckList List;
  TCheckListBox* View = nullptr;
  QLineEdit* Other = nullptr;

  TListWindow(const std::vector<std::string>& utf8Names, const QRect& geometry, int columns) {
    for (const std::string& name : utf8Names) List.Append(Utf8ToCp1251(name), name);
    Window.resize(427, 320);
    View = new TCheckListBox(&Window);
    View->setGeometry(geometry);
    View->SetColumns(columns);
    View->Bind(&List);
    Other = new QLineEdit(&Window);
    Other->setGeometry(0, 300, 100, 20);
    Window.show();
    Window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
    View->setFocus();
  }

  QWidget* Surface() const { return View->viewport(); }
  QPoint Strip(int index) const {
    const QRect r = View->ItemRect(index);
    return QPoint(r.left() + 7, r.center().y());
  }
  QPoint Text(int index) const {
    const QRect r = View->ItemRect(index);
    return QPoint(r.left() + 60, r.center().y());
  }
  void Press(const QPoint& pos, Qt::MouseButton button = Qt::LeftButton) const {
    QTest::mousePress(Surface(), button, {}, pos);
    QTest::mouseRelease(Surface(), button, {}, pos);
  }
  // What a widget receives from the window system for a double-click: press,
  // release, then the double-click in place of the second press, release.
  void DoubleClick(const QPoint& pos) const {
    QTest::mousePress(Surface(), Qt::LeftButton, {}, pos);
    QTest::mouseRelease(Surface(), Qt::LeftButton, {}, pos);
    QTest::mouseDClick(Surface(), Qt::LeftButton, {}, pos);
    QTest::mouseRelease(Surface(), Qt::LeftButton, {}, pos);
  }
  void Key(Qt::Key key) const { QTest::keyClick(View, key); }
  std::vector<bool> Ticks() const {
    std::vector<bool> ticks;
    ticks.reserve(List.Count());
    for (int i = 0; i < List.Count(); ++i) ticks.push_back(List.IsTicked(i));
    return ticks;
  }
};

const QRect kPred(16, 21, 377, 129);
const QRect kLangs(8, 16, 393, 257);

std::vector<std::string> Names(int count) {
  std::vector<std::string> names;
  names.reserve(count);
  for (int i = 0; i < count; ++i) names.push_back("Entry " + std::to_string(i));
  return names;
}

}  // namespace

TEST(CheckListBox, EntriesAreThirteenPixelsAndLangsHasColumnsOf196) {
  TListWindow w(Names(25), kLangs, 2);
  EXPECT_EQ(w.View->ItemHeight(), 13);
  EXPECT_EQ(w.View->ColumnWidth(), 196);
  const int rows = w.View->RowsPerColumn();
  EXPECT_EQ(rows, (257 - 4) / 13);
  EXPECT_EQ(w.View->ItemRect(1), QRect(0, 13, 196, 13));
  EXPECT_EQ(w.View->ItemRect(rows), QRect(196, 0, 196, 13));
  // The second column takes clicks like the first.
  w.Press(w.Strip(rows + 2));
  EXPECT_EQ(w.List.Selected(), rows + 2);
  EXPECT_TRUE(w.List.IsTicked(rows + 2));
}

TEST(CheckListBox, PressSelectsAndInvertsOnlyOnTheStrip) {
  TListWindow w({"Один", "Два", "Три"}, kPred, 1);
  w.Press(w.Text(1));
  EXPECT_EQ(w.List.Selected(), 1);
  EXPECT_EQ(w.Ticks(), (std::vector<bool>{false, false, false}));

  w.Press(w.Strip(2));
  EXPECT_EQ(w.List.Selected(), 2);
  EXPECT_EQ(w.Ticks(), (std::vector<bool>{false, false, true}));
  w.Press(w.Strip(2));
  EXPECT_FALSE(w.List.IsTicked(2));

  // Another button, or a press below the last entry, changes no tick.
  w.Press(w.Strip(0), Qt::RightButton);
  w.Press(QPoint(7, 3 * 13 + 20));
  EXPECT_EQ(w.Ticks(), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(w.List.Selected(), 2);
}

TEST(CheckListBox, DoubleClickLeavesTheEntryInvertedOnce) {
  TListWindow w({"A", "B", "C"}, kPred, 1);
  w.DoubleClick(w.Text(0));
  EXPECT_TRUE(w.List.IsTicked(0));
  w.DoubleClick(w.Strip(1));
  EXPECT_TRUE(w.List.IsTicked(1));
  EXPECT_EQ(w.List.Selected(), 1);
  w.DoubleClick(w.Strip(0));
  w.DoubleClick(w.Text(1));
  EXPECT_EQ(w.Ticks(), (std::vector<bool>{false, false, false}));
}

// QTest::mouseDClick on a widget delivers the double-click event alone, without
// the first press: the entry still ends up inverted once, on the strip as well.
TEST(CheckListBox, DoubleClickWithoutItsFirstPressStillInvertsOnce) {
  TListWindow w({"A", "B", "C"}, kPred, 1);
  QTest::mouseDClick(w.Surface(), Qt::LeftButton, {}, w.Strip(1));
  EXPECT_EQ(w.Ticks(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(w.List.Selected(), 1);
  QTest::mouseDClick(w.Surface(), Qt::LeftButton, {}, w.Text(2));
  EXPECT_EQ(w.Ticks(), (std::vector<bool>{false, true, true}));
  // A press on one entry does not pair with a double-click on another.
  w.Press(w.Strip(0));
  QTest::mouseDClick(w.Surface(), Qt::LeftButton, {}, w.Strip(1));
  EXPECT_EQ(w.Ticks(), (std::vector<bool>{true, false, true}));
}

// Clicks sent to the list widget itself rather than its viewport land on the
// entry at that place.
TEST(CheckListBox, ClicksSentToTheListItselfLandOnTheEntryThere) {
  TListWindow w({"A", "B", "C"}, kPred, 1);
  const QPoint offset = w.Surface()->mapTo(w.View, QPoint(0, 0));
  QTest::mouseClick(w.View, Qt::LeftButton, {}, w.Strip(1) + offset);
  EXPECT_EQ(w.Ticks(), (std::vector<bool>{false, true, false}));
  QTest::mouseClick(w.View, Qt::LeftButton, {}, w.Text(2) + offset);
  EXPECT_EQ(w.List.Selected(), 2);
  QTest::mouseDClick(w.View, Qt::LeftButton, {}, w.Text(0) + offset);
  EXPECT_EQ(w.Ticks(), (std::vector<bool>{true, true, false}));
}

TEST(CheckListBox, SpaceInvertsTheSelectedEntryOnly) {
  TListWindow w({"A", "B"}, kPred, 1);
  w.Key(Qt::Key_Space);  // nothing selected yet
  EXPECT_EQ(w.Ticks(), (std::vector<bool>{false, false}));
  w.Press(w.Text(1));
  w.Key(Qt::Key_Space);
  EXPECT_EQ(w.Ticks(), (std::vector<bool>{false, true}));
  w.Key(Qt::Key_Space);
  EXPECT_EQ(w.Ticks(), (std::vector<bool>{false, false}));
}

TEST(CheckListBox, EmptyListIgnoresClicksKeysAndDoubleClicks) {
  TListWindow w({}, kPred, 1);
  w.Press(QPoint(7, 6));
  w.DoubleClick(QPoint(40, 6));
  w.Key(Qt::Key_Space);
  w.Key(Qt::Key_Down);
  w.Key(Qt::Key_End);
  EXPECT_EQ(w.List.Count(), 0);
  EXPECT_EQ(w.List.Selected(), -1);
}

TEST(CheckListBox, MovementKeysSelectWithoutTicking) {
  TListWindow w(Names(20), kPred, 1);  // 9 whole entries in view
  w.Key(Qt::Key_Down);
  EXPECT_EQ(w.List.Selected(), 0);
  w.Key(Qt::Key_Down);
  w.Key(Qt::Key_Down);
  w.Key(Qt::Key_Up);
  EXPECT_EQ(w.List.Selected(), 1);
  w.Key(Qt::Key_End);
  EXPECT_EQ(w.List.Selected(), 19);
  EXPECT_TRUE(w.View->verticalScrollBar()->isVisible());
  EXPECT_EQ(w.View->IndexAt(w.Text(19)), 19);
  EXPECT_TRUE(w.Surface()->rect().contains(w.View->ItemRect(19)));
  w.Key(Qt::Key_PageUp);
  EXPECT_LT(w.List.Selected(), 19);
  w.Key(Qt::Key_Home);
  EXPECT_EQ(w.List.Selected(), 0);
  EXPECT_EQ(w.View->ScrollPosition(), 0);
  EXPECT_EQ(w.Ticks(), std::vector<bool>(20, false));
}

TEST(CheckListBox, LeftAndRightMoveBetweenColumnsInLangs) {
  TListWindow w(Names(30), kLangs, 2);
  const int rows = w.View->RowsPerColumn();
  w.Press(w.Text(3));
  w.Key(Qt::Key_Right);
  EXPECT_EQ(w.List.Selected(), 3 + rows);
  w.Key(Qt::Key_Right);  // already in the last column
  EXPECT_EQ(w.List.Selected(), 3 + rows);
  w.Key(Qt::Key_Left);
  EXPECT_EQ(w.List.Selected(), 3);
  w.Key(Qt::Key_Left);
  EXPECT_EQ(w.List.Selected(), 3);
  EXPECT_EQ(w.Ticks(), std::vector<bool>(30, false));
}

TEST(CheckListBox, LangsScrollsSidewaysOnlyWhenTwoColumnsDoNotHoldTheEntries) {
  {
    TListWindow w(Names(2 * 19), kLangs, 2);
    EXPECT_FALSE(w.View->horizontalScrollBar()->isVisible());
  }
  TListWindow w(Names(80), kLangs, 2);
  EXPECT_TRUE(w.View->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(w.View->verticalScrollBar()->isVisible());
  // The bar takes room from the entries: whole rows only.
  EXPECT_EQ(w.View->RowsPerColumn(), w.Surface()->height() / w.View->ItemHeight());
  w.Press(w.Text(0));
  w.Key(Qt::Key_End);
  EXPECT_GT(w.View->ScrollPosition(), 0);
  EXPECT_EQ(w.View->IndexAt(w.Text(79)), 79);
  w.Press(w.Strip(79));
  EXPECT_TRUE(w.List.IsTicked(79));
}

TEST(CheckListBox, SelectionIsHighlightedAlsoWithoutFocusAndTheBoxIsFlat) {
  TListWindow w({"A & B", "C"}, kPred, 1);
  w.Press(w.Strip(0));
  w.Other->setFocus();
  QApplication::processEvents();
  ASSERT_FALSE(w.View->hasFocus());
  const QImage image = w.Surface()->grab().toImage();
  const QColor highlight = w.View->palette().color(QPalette::Active, QPalette::Highlight);
  const QColor base = w.View->palette().color(QPalette::Active, QPalette::Base);
  EXPECT_EQ(image.pixelColor(w.View->ItemRect(0).right() - 2, 6), highlight);
  // The strip is not highlighted; the box is framed in the button shadow colour.
  EXPECT_EQ(image.pixelColor(0, 6), base);
  EXPECT_EQ(image.pixelColor(1, 0), ToQColor(clBtnShadow));
  EXPECT_EQ(image.pixelColor(13, 12), ToQColor(clBtnShadow));
  EXPECT_EQ(image.pixelColor(1, 13 + 6), ToQColor(clBtnShadow));
  // Ticked: the check mark inside; unticked: the box is empty.
  const QColor text = w.View->palette().color(QPalette::Active, QPalette::Text);
  EXPECT_EQ(image.pixelColor(1 + 5, 7), text);
  EXPECT_EQ(image.pixelColor(1 + 5, 13 + 7), base);
}
