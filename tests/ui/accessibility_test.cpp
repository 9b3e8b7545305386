// What assistive technology learns of the program's own widgets: the mock-up
// parts as described buttons, the check lists' entries with their ticks, and the
// colour and font buttons' current choices.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QToolButton>

#include "mainform_fixture.h"
#include "ui/dialogs/LabelStyle.h"
#include "ui/dialogs/backcolor.h"
#include "ui/mainwindow/edithistory.h"
#include "ui/widgets/checklistbox.h"

namespace {

QString Description(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
}

}  // namespace

TEST_F(MainForm, MockupPartsArePressableButtonsDescribedByTheProject) {
  for (const char* part : {"Background", "ProgramName", "DlgName", "Label1"}) {
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(Find(part));
    EXPECT_EQ(button->role(), QAccessible::Button) << part;
    EXPECT_TRUE(button->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()))
        << part;
  }
  TProject& project = Main().Project();
  project.TopColor = 0x00FF0000u;  // blue
  project.BottomColor = 0x00123456u;
  project.TitleFont.Name = "Arial";
  project.MainTitleCaption = Utf8ToCp1251("Моя программа");
  Main().RefreshMockup();
  EXPECT_EQ(Description(Find("Background")),
            QStringLiteral("Фон: градиент, сверху синий, снизу #563412 — изменить"));
  EXPECT_TRUE(Description(Find("ProgramName"))
                  .startsWith(QStringLiteral("Название программы: «Моя программа», Arial, 26 пт")))
      << Description(Find("ProgramName")).toStdString();
  project.BackgroundEnabled = false;
  Main().RefreshMockup();
  EXPECT_EQ(Description(Find("Background")),
            QStringLiteral("Фон: рисунок рабочего стола — изменить"));
}

TEST_F(MainForm, CheckListEntriesShowAndToggleTheirTicks) {
  auto* langs = Find<TCheckListBox>("Langs");
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(langs);
  EXPECT_EQ(list->role(), QAccessible::List);
  ASSERT_EQ(list->childCount(), langs->List()->Count());
  QAccessibleInterface* entry = list->child(1);
  EXPECT_EQ(entry->text(QAccessible::Name), EntryText(*langs->List(), 1));
  EXPECT_EQ(list->indexOfChild(entry), 1);
  EXPECT_TRUE(entry->state().checkable);
  const bool ticked = langs->List()->IsTicked(1);
  EXPECT_EQ(bool(entry->state().checked), ticked);
  entry->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(langs->List()->IsTicked(1), !ticked);
  EXPECT_EQ(bool(entry->state().checked), !ticked);
  EXPECT_TRUE(Main().History().Stack().canUndo());  // a step like a click
}

TEST_F(MainForm, ColourAndFontButtonsDescribeTheCurrentChoice) {
  Dialogs.OnChooseColor = [](QWidget*, TColor& color) {
    color = 0x000000FFu;  // red
    return true;
  };
  Dialogs.OnModal = [](QDialog& dialog) {
    auto* top = dialog.findChild<QToolButton*>(QStringLiteral("TColor"));
    EXPECT_EQ(Description(top), QStringLiteral("Сейчас: синий"));
    top->click();
    EXPECT_EQ(Description(top), QStringLiteral("Сейчас: красный"));
  };
  Main().BackgroundDblClick();
  Dialogs.OnModal = [](QDialog& dialog) {
    EXPECT_EQ(Description(dialog.findChild<QToolButton*>(QStringLiteral("TextFont"))),
              QStringLiteral("Сейчас: Times New Roman, 26 пт, голубой, полужирный"));
  };
  Main().ProgramNameClick();
}
