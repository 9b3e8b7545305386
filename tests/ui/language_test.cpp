// The interface language: in English no text of the four windows and the file
// dialogs is left in Russian, and back in Russian every text is as it was.
#include <QAbstractButton>
#include <QAction>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>
#include <map>
#include <vector>

#include "app_fixture.h"
#include "ui/dialogs/LabelStyle.h"
#include "ui/dialogs/backcolor.h"
#include "ui/dialogs/dlgpos.h"
#include "ui/support/language.h"
#include "ui/widgets/render.h"
#include "ui/widgets/variablesgrid.h"

namespace {

// Texts that show the document, not the editor: the mock-up's titles, welcome text
// and title bar. The language menu names each language in that language.
bool IsDocumentOrAutonym(const QObject& object) {
  static const QStringList names = {QStringLiteral("ProgramName"), QStringLiteral("DlgName"),
                                    QStringLiteral("Label1"), QStringLiteral("DlgCaption"),
                                    QStringLiteral("LanguageRussian")};
  return names.contains(object.objectName());
}

using TTexts = std::map<QString, QString>;  // "object path/what" -> text

void Add(TTexts& texts, const QObject& object, const QString& what, const QString& text) {
  if (text.isEmpty()) return;
  QString path;
  for (const QObject* o = &object; o != nullptr; o = o->parent())
    path.prepend(o->objectName() + QLatin1Char('/'));
  // Unnamed siblings of one kind are told apart by their place among the children.
  if (object.objectName().isEmpty() && object.parent() != nullptr)
    path += QString::number(object.parent()->children().indexOf(&object));
  texts[path + what] = text;
}

void AddWidgetTexts(TTexts& texts, const QWidget& widget) {
  if (widget.isWindow()) Add(texts, widget, QStringLiteral("title"), widget.windowTitle());
  Add(texts, widget, QStringLiteral("tooltip"), widget.toolTip());
  Add(texts, widget, QStringLiteral("statustip"), widget.statusTip());
  Add(texts, widget, QStringLiteral("name"), widget.accessibleName());
  // A mock-up title's description quotes the title, which is the document's.
  const auto* title = qobject_cast<const TShadowLabel*>(&widget);
  Add(texts, widget, QStringLiteral("description"),
      title == nullptr ? widget.accessibleDescription()
                       : QString(widget.accessibleDescription()).remove(title->Caption()));
  if (IsDocumentOrAutonym(widget)) return;
  if (const auto* label = qobject_cast<const QLabel*>(&widget))
    Add(texts, widget, QStringLiteral("text"), label->text());
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
    Add(texts, widget, QStringLiteral("text"), button->text());
  if (const auto* group = qobject_cast<const QGroupBox*>(&widget))
    Add(texts, widget, QStringLiteral("title"), group->title());
  if (const auto* menu = qobject_cast<const QMenu*>(&widget))
    Add(texts, widget, QStringLiteral("menu"), menu->title());
  if (const auto* tabs = qobject_cast<const QTabBar*>(&widget)) {
    for (int i = 0; i < tabs->count(); ++i) {
      Add(texts, widget, QStringLiteral("tab%1").arg(i), tabs->tabText(i));
      Add(texts, widget, QStringLiteral("tabtip%1").arg(i), tabs->tabToolTip(i));
    }
  }
  if (const auto* grid = qobject_cast<const TVariablesGrid*>(&widget))
    Add(texts, widget, QStringLiteral("header"),
        grid->CellText(0, 0) + QLatin1Char('|') + grid->CellText(1, 0));
}

// Every text a user can meet in the window and everything in it, hidden parts too.
TTexts Texts(QWidget& window) {
  TTexts texts;
  AddWidgetTexts(texts, window);
  for (const QWidget* widget : window.findChildren<QWidget*>()) AddWidgetTexts(texts, *widget);
  for (const QAction* action : window.findChildren<QAction*>()) {
    if (action->isSeparator() || IsDocumentOrAutonym(*action)) continue;
    Add(texts, *action, QStringLiteral("text"), action->text());
    if (action->toolTip() != QString(action->text()).remove(QLatin1Char('&')))
      Add(texts, *action, QStringLiteral("tooltip"), action->toolTip());
    Add(texts, *action, QStringLiteral("statustip"), action->statusTip());
  }
  return texts;
}

// The texts that still hold a Cyrillic letter.
QStringList Russian(const TTexts& texts) {
  static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
  QStringList found;
  for (const auto& [where, text] : texts) {
    if (text.contains(cyrillic)) found << where + QStringLiteral(": ") + text;
  }
  return found;
}

// The texts that differ from before, or appeared or went.
QStringList Changes(const TTexts& before, const TTexts& after) {
  QStringList changes;
  for (const auto& [where, text] : before) {
    const auto found = after.find(where);
    const QString now = found == after.end() ? QStringLiteral("(none)") : found->second;
    if (now != text) changes << where + QStringLiteral(": ") + text + QStringLiteral(" -> ") + now;
  }
  for (const auto& [where, text] : after) {
    if (before.count(where) == 0) changes << where + QStringLiteral(": (none) -> ") + text;
  }
  return changes;
}

}  // namespace

using Language = TAppFixture;

TEST_F(Language, EnglishLeavesNoRussianTextAndRussianComesBackAsItWas) {
  // The file dialogs exist once their commands ran.
  Dialogs.OnFileDialog = [](QFileDialog&) { return false; };
  for (const char* command : {"Open", "Catalogue"}) Find<QAction>(command)->trigger();
  Dialogs.Modals.clear();
  const std::vector<QWidget*> windows = {&Main(),
                                         Windows.StyleDlg,
                                         Windows.ColorForm,
                                         Windows.PosForm,
                                         Find<QFileDialog>("OpenDlg"),
                                         Find<QFileDialog>("CatalogueDlg")};
  std::vector<TTexts> russian(windows.size());
  for (size_t i = 0; i < windows.size(); ++i) russian[i] = Texts(*windows[i]);

  // The menu's choice switches at once and is kept for the next start.
  Find<QAction>("LanguageEnglish")->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(SavedInterfaceLanguage(), QStringLiteral("en"));
  for (QWidget* window : windows) {
    SCOPED_TRACE(window->objectName().toStdString());
    EXPECT_EQ(Russian(Texts(*window)).join(QLatin1Char('\n')).toStdString(), "");
  }
  EXPECT_EQ(Main().windowTitle(), QStringLiteral("Visual vuka.ini manager [ROVEL] 1.0"));
  EXPECT_TRUE(Find<QAction>("LanguageEnglish")->isChecked());

  Find<QAction>("LanguageRussian")->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(SavedInterfaceLanguage(), QStringLiteral("ru"));
  for (size_t i = 0; i < windows.size(); ++i) {
    SCOPED_TRACE(windows[i]->objectName().toStdString());
    EXPECT_EQ(Changes(russian[i], Texts(*windows[i])).join(QLatin1Char('\n')).toStdString(), "");
  }
  EXPECT_TRUE(Find<QAction>("LanguageRussian")->isChecked());
}
