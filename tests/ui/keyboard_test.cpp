// The main window by keyboard alone: Tab through the mock-up parts, Enter or
// Space on them, F10 and Alt to the menu bar, and Escape in the variables table.
#include <gtest/gtest.h>

#include <QMenu>
#include <QTabWidget>

#include "keytyping.h"
#include "mainform_fixture.h"
#include "ui/widgets/variablesgrid.h"

namespace {

class Keyboard : public MainForm {
 protected:
  void SetUp() override {
    MainForm::SetUp();
    Dialogs.OnModal = [this](QDialog& dialog) { Titles << dialog.windowTitle(); };
  }
  // A key where the window system sends it: to the focus widget of the active window.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QApplication::setActiveWindow(&Main());
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &Main();
    QTest::keyClick(target, key, modifiers);
  }
  QStringList Titles;  // the window titles of the dialogs run
};

}  // namespace

// Each part takes the focus in reading order after the page tabs, shows a focus
// mark, and Enter or Space opens the dialog that a click opens.
TEST_F(Keyboard, TabReachesEachMockupPartAndEnterOrSpaceOpensItsDialog) {
  struct TCase {
    const char* Part;
    int Tabs;
    Qt::Key Key;
    const char* Dialog;
    const char* Title;
  };
  const TCase cases[] = {
      {"Background", 1, Qt::Key_Return, "ColorForm", "Выбор цветов для градиентного заполнения"},
      {"ProgramName", 2, Qt::Key_Space, "StyleDlg", "Вид надписи на заднем фоне"},
      {"DlgName", 3, Qt::Key_Enter, "StyleDlg", "Вид надписи на диалогах"},
      {"Label1", 4, Qt::Key_Space, "PosForm", "Позиция диалога"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Part);
    QWidget* part = Find(c.Part);
    const QImage unfocused = part->grab().toImage();
    Pages()->setFocus();
    for (int i = 0; i < c.Tabs; ++i) Key(Qt::Key_Tab);
    ASSERT_TRUE(QTest::qWaitFor([part] { return part->hasFocus(); }, 1000))
        << QApplication::focusWidget()->objectName().toStdString();
    EXPECT_NE(part->grab().toImage(), unfocused);  // the focus mark
    Dialogs.Modals.clear();
    Titles.clear();
    Key(c.Key);
    EXPECT_EQ(Dialogs.Modals, QStringList{c.Dialog});
    EXPECT_EQ(Titles, QStringList{QString::fromUtf8(c.Title)});
  }
}

TEST_F(Keyboard, F10OrAltAloneOpensTheFirstMenu) {
  auto* fileMenu = Find<QMenu>("FileMenu");
  for (const Qt::Key key : {Qt::Key_F10, Qt::Key_Alt}) {
    SCOPED_TRACE(key);
    Pages()->setFocus();
    // Through the window system's window, which sees the keys before any widget.
    QTest::keyClick(Main().windowHandle(), key);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == fileMenu; }));
    EXPECT_EQ(fileMenu->activeAction(), Find<QAction>("New"));
    QTest::keyClick(fileMenu, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
  }
  // Alt that is part of a shortcut opens nothing.
  QTest::keyPress(Pages(), Qt::Key_Alt);
  QTest::keyClick(Pages(), Qt::Key_X, Qt::AltModifier);
  QTest::keyRelease(Pages(), Qt::Key_Alt);
  QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

// Escape puts the cell's text back and closes its editor; Ctrl+Z and Ctrl+Y then
// take back and make again the edit before it, in the document.
TEST_F(Keyboard, EscapeClosesTheCellEditorAndUndoActsOnTheDocumentAgain) {
  Pages()->setCurrentIndex(3);
  auto* grid = Find<TVariablesGrid>("Variables");
  grid->setFocus();
  const QString original = grid->CellText(1, 1);
  Key(Qt::Key_F2);
  TypeKeys(QApplication::focusWidget(), QStringLiteral("1"));
  Key(Qt::Key_Return);
  const QString edited = original + QStringLiteral("1");
  ASSERT_EQ(grid->CellText(1, 1), edited);

  Key(Qt::Key_F2);
  TypeKeys(QApplication::focusWidget(), QStringLiteral("zz"));
  Key(Qt::Key_Escape);
  EXPECT_FALSE(grid->IsEditing());
  EXPECT_EQ(grid->CellText(1, 1), edited);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(grid->CellText(1, 1), original);
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(grid->CellText(1, 1), edited);
}

// Tab goes through every control of each dialog in reading order, the buttons
// that choose a colour or a font included, and comes back to the first.
TEST_F(Keyboard, TabGoesThroughEachDialogInReadingOrder) {
  const std::pair<const char*, QStringList> cases[] = {
      {"Background", {"TColor", "BColor", "EnableBackground", "BitBtn1", "BitBtn2"}},
      {"ProgramName",
       {"ProgName", "TextFont", "ShadowColor", "UseShadow", "ShowIt", "BitBtn2", "BitBtn1"}},
      {"Label1", {"Vert0", "Goriz0", "BitBtn1"}},
  };
  for (const auto& [part, expected] : cases) {
    SCOPED_TRACE(part);
    QStringList chain;
    const qsizetype count = expected.size();
    Dialogs.OnModal = [&chain, count](QDialog& dialog) {
      QApplication::setActiveWindow(&dialog);
      for (qsizetype i = 0; i <= count; ++i) {
        chain << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      }
    };
    Find(part)->setFocus();
    Key(Qt::Key_Space);
    EXPECT_EQ(chain.join(' ').toStdString(),
              (expected + expected.mid(0, 1)).join(' ').toStdString());
  }
}
