// The check lists on their pages of the main window: layout, "New" and "Save".
#include <QAbstractButton>
#include <QGroupBox>
#include <QMenu>
#include <QMessageBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include "app_fixture.h"
#include "ui/widgets/checklistbox.h"

namespace {

class ListPages : public TAppFixture {
 protected:
  void ShowPage(int index) {
    auto* pages = Find<QTabWidget>("Pages");
    Click(pages->tabBar(), pages->tabBar()->tabRect(index).center());
    ASSERT_EQ(pages->currentIndex(), index);
  }
  void ClickStrip(TCheckListBox* list, int index) {
    const QRect r = list->ItemRect(index);
    Click(list->viewport(), QPoint(r.left() + 7, r.center().y()));
  }
  void Shortcut(Qt::Key key) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &Main();
    QTest::keyClick(target, key, Qt::ControlModifier);
  }
  // Saves through the file dialog into a file of the temporary directory.
  QByteArray Save() {
    const QString file = Dir.filePath(QStringLiteral("vuka.ini"));
    Dialogs.OnFileDialog = [file](QFileDialog& dialog) {
      dialog.selectFile(file);
      return true;
    };
    Shortcut(Qt::Key_S);
    return ReadBytes(file);
  }
  // The codes of the ticked entries in their order.
  static std::string Order(const TCheckList& list) {
    std::string codes;
    for (const int32_t index : list.Order()) codes += list.Code(index) + ' ';
    return codes;
  }
  // A right click on the entry's text, then a click on the menu's action.
  void ChooseInMenu(TCheckListBox* list, int index, const char* action) {
    QTimer::singleShot(0, [action] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      QAction* chosen = menu->findChild<QAction*>(QString::fromLatin1(action));
      ASSERT_NE(chosen, nullptr);
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
    });
    const QRect r = list->ItemRect(index);
    QWidget* window = list->window();
    const QPoint at = list->viewport()->mapTo(window, QPoint(r.left() + 40, r.center().y()));
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, Qt::NoModifier, at);
    QApplication::setActiveWindow(window);  // the menu took it
  }
  static std::vector<bool> Ticks(const TCheckList& list) {
    std::vector<bool> ticks;
    ticks.reserve(list.Count());
    for (int i = 0; i < list.Count(); ++i) ticks.push_back(list.IsTicked(i));
    return ticks;
  }
};

}  // namespace

TEST_F(ListPages, LanguagesInTwoColumnsAndTabGoesFromPredToPost) {
  EXPECT_EQ(Find<TCheckListBox>("Langs")->ColumnWidth(), 196);
  EXPECT_EQ(Find<TCheckListBox>("Pred")->Columns(), 1);
  ShowPage(2);
  Find<TCheckListBox>("Pred")->setFocus();
  QTest::keyClick(Find<TCheckListBox>("Pred"), Qt::Key_Tab);
  EXPECT_TRUE(Find<TCheckListBox>("Post")->hasFocus());
}

TEST_F(ListPages, NewTicksRussianAgainAndClearsTheOtherTicks) {
  auto* langs = Find<TCheckListBox>("Langs");
  auto* pred = Find<TCheckListBox>("Pred");
  EXPECT_EQ(Ticks(*langs->List()), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(langs->List()->Selected(), 1);
  ShowPage(1);
  ClickStrip(langs, 0);
  ClickStrip(langs, 1);
  EXPECT_EQ(Ticks(Main().Project().Langs), (std::vector<bool>{true, false, false}));
  ShowPage(2);
  ClickStrip(pred, 1);
  EXPECT_TRUE(Main().Project().Pred.IsTicked(1));

  // Not saved: the question about the changes is answered "Discard".
  Dialogs.OnModal = [](QDialog& box) {
    if (auto* question = qobject_cast<QMessageBox*>(&box))
      Click(question->button(QMessageBox::Discard));
  };
  Shortcut(Qt::Key_N);
  EXPECT_EQ(Find<QTabWidget>("Pages")->currentIndex(), 0);
  EXPECT_EQ(Ticks(Main().Project().Langs), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(Main().Project().Langs.Selected(), 1);
  EXPECT_EQ(Ticks(Main().Project().Pred), (std::vector<bool>{false, false}));
  EXPECT_EQ(Main().Project().Pred.Selected(), -1);
  // Nothing selected in Pred: the space bar there changes nothing.
  ShowPage(2);
  pred->setFocus();
  QTest::keyClick(pred, Qt::Key_Space);
  EXPECT_EQ(Ticks(Main().Project().Pred), (std::vector<bool>{false, false}));
}

TEST_F(ListPages, TicksChosenWithTheMouseAreSaved) {
  ShowPage(2);
  auto* pred = Find<TCheckListBox>("Pred");
  const QRect second = pred->ItemRect(1);
  // A double-click on the text ticks the entry.
  QWidget* surface = pred->viewport();
  const QPoint at(second.left() + 50, second.center().y());
  QTest::mousePress(surface, Qt::LeftButton, {}, at);
  QTest::mouseRelease(surface, Qt::LeftButton, {}, at);
  QTest::mouseDClick(surface, Qt::LeftButton, {}, at);
  QTest::mouseRelease(surface, Qt::LeftButton, {}, at);
  ClickStrip(Find<TCheckListBox>("Post"), 1);  // the final dialog
  const QByteArray text = Save();
  EXPECT_TRUE(text.contains("PreInstallDialogSequence=ReadMe\r\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("PostInstallDialogSequence=\r\n"));
  EXPECT_TRUE(text.contains("ShowFinalDialog=1\r\n"));
  EXPECT_TRUE(text.contains("Languages=RUS\r\n"));
}

// The setup takes the ticked entries in their order: a move by key or by the entry's
// menu is one step of the history, and Save writes the order.
TEST_F(ListPages, TickedEntriesMoveInTheOrderByKeyAndByMenu) {
  auto* langs = Find<TCheckListBox>("Langs");
  const TCheckList& list = Main().Project().Langs;
  ShowPage(1);
  ClickStrip(langs, 0);  // English: before the ticked Русский
  ClickStrip(langs, 2);  // Deutsch: after it
  EXPECT_EQ(Order(list), "ENU RUS DEU ");
  QTest::keyClick(langs, Qt::Key_Up, Qt::ControlModifier);  // Deutsch, selected by its tick
  EXPECT_EQ(Order(list), "ENU DEU RUS ");
  EXPECT_EQ(Find<QAction>("Undo")->text(), QStringLiteral("Отменить: порядок «Deutsch»"));
  ChooseInMenu(langs, 0, "MoveDownAction");
  EXPECT_EQ(Order(list), "DEU ENU RUS ");
  EXPECT_EQ(list.Selected(), 0);
  QTest::keyClick(langs, Qt::Key_Down, Qt::ControlModifier);
  QTest::keyClick(langs, Qt::Key_Down, Qt::ControlModifier);  // at the end already
  EXPECT_EQ(Order(list), "DEU RUS ENU ");

  Shortcut(Qt::Key_Z);
  Shortcut(Qt::Key_Z);
  EXPECT_EQ(Order(list), "ENU DEU RUS ");
  Find<QAction>("Redo")->trigger();
  EXPECT_EQ(Order(list), "DEU ENU RUS ");
  ClickStrip(langs, 2);  // Deutsch unticked; taking it back puts it first again
  Shortcut(Qt::Key_Z);
  EXPECT_EQ(Order(list), "DEU ENU RUS ");
  EXPECT_TRUE(Main().HasUnsavedChanges());
  EXPECT_TRUE(Save().contains("Languages=DEU,ENU,RUS\r\n"));
  EXPECT_FALSE(Main().HasUnsavedChanges());

  // The final dialog has no place in the order: it does not move.
  ShowPage(2);
  auto* post = Find<TCheckListBox>("Post");
  ClickStrip(post, 1);
  ClickStrip(post, 0);
  QTest::keyClick(post, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(Order(Main().Project().Post), "Shortcuts ");
  EXPECT_EQ(Find<QAction>("Undo")->text(), QStringLiteral("Отменить: галочка «Ярлыки»"));
}

namespace {

class OnePostEntry : public ListPages {
 protected:
  std::optional<std::string> CatalogueText() const override {
    return std::string(
        "[Languages]\nрусский=RUS\nРусский=RU2\n[PostInstallDlg]\nЗавершение=Finished\n");
  }
};

}  // namespace

TEST_F(OnePostEntry, TheOnlyPostEntryIsTheFinalDialog) {
  // The first of two equal names, in whatever letter case, is ticked.
  EXPECT_EQ(Ticks(Main().Project().Langs), (std::vector<bool>{true, false}));
  ShowPage(2);
  EXPECT_EQ(Find<TCheckListBox>("Pred")->List()->Count(), 0);
  ClickStrip(Find<TCheckListBox>("Post"), 0);
  const QByteArray text = Save();
  EXPECT_TRUE(text.contains("PostInstallDialogSequence=\r\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("ShowFinalDialog=1\r\n"));
}
