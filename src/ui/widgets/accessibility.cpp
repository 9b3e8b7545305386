#include "ui/widgets/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <map>

#include "ui/widgets/checklistbox.h"
#include "ui/widgets/render.h"
#include "ui/widgets/variablesgrid.h"

namespace {

QString Translate(const char* text) { return QCoreApplication::translate("Accessibility", text); }

// A mock-up part: a button whose press action does what a click does. The press
// comes after the accessibility call returns, since what it opens may be modal.
class TPressableAccessible : public QAccessibleWidget {
 public:
  explicit TPressableAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Button) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
      return widget()->toolTip();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override {
    return QStringList{pressAction()} << QAccessibleWidget::actionNames();
  }
  void doAction(const QString& name) override {
    if (name != pressAction()) {
      QAccessibleWidget::doAction(name);
      return;
    }
    QPointer<QWidget> target = widget();
    QTimer::singleShot(0, target, [target] {
      if (auto* pressable = dynamic_cast<TPressable*>(target.data())) pressable->Press();
    });
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    return name == pressAction() ? QStringList{QStringLiteral("Space")} : QStringList{};
  }
};

// One entry of a check list: a checkable list item named by its text.
class TCheckEntryAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  TCheckEntryAccessible(TCheckListBox* list, int index) : List_(list), Index_(index) {}

  bool isValid() const override {
    return List_ && List_->List() && Index_ < List_->List()->Count();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return List_ ? List_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return List_ ? QAccessible::queryAccessibleInterface(List_.data()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (!isValid()) return {};
    const TCheckList& list = *List_->List();
    if (t == QAccessible::Name) return EntryText(list, Index_);
    if (t == QAccessible::Description && list.Position(Index_) >= 0)
      return QCoreApplication::translate("Accessibility", "место в порядке: %1")
          .arg(list.Position(Index_) + 1);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect item = List_->ItemRect(Index_);
    return QRect(List_->viewport()->mapToGlobal(item.topLeft()), item.size());
  }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    const TCheckList& list = *List_->List();
    state.checkable = true;
    state.checked = list.IsTicked(Index_);
    state.selectable = true;
    state.focusable = true;
    state.selected = list.Selected() == Index_;
    state.focused = state.selected && List_->hasFocus();
    state.invisible = !List_->isVisible();
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }

  QStringList actionNames() const override { return {toggleAction()}; }
  void doAction(const QString& name) override {
    if (name == toggleAction() && isValid()) List_->ToggleEntry(Index_);
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    return name == toggleAction() ? QStringList{QStringLiteral("Space")} : QStringList{};
  }

 private:
  QPointer<TCheckListBox> List_;
  int Index_;
};

// A check list: its children are its entries, made when first asked for and
// unregistered with the list.
class TCheckListAccessible : public QAccessibleWidget {
 public:
  explicit TCheckListAccessible(TCheckListBox* list) : QAccessibleWidget(list, QAccessible::List) {}
  ~TCheckListAccessible() override {
    for (const auto& entry : Entries_) QAccessible::deleteAccessibleInterface(entry.second);
  }

  int childCount() const override { return List()->List() ? List()->List()->Count() : 0; }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    auto found = Entries_.find(index);
    if (found == Entries_.end()) {
      // The registry owns the entry; the list's interface unregisters it.
      auto* entry = new TCheckEntryAccessible(List(), index);
      // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks)
      found = Entries_.emplace(index, QAccessible::registerAccessibleInterface(entry)).first;
    }
    return QAccessible::accessibleInterface(found->second);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (const auto& entry : Entries_) {
      if (QAccessible::accessibleInterface(entry.second) == child) return entry.first;
    }
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    return child(List()->IndexAt(List()->viewport()->mapFromGlobal(QPoint(x, y))));
  }

 private:
  TCheckListBox* List() const { return static_cast<TCheckListBox*>(widget()); }
  mutable std::map<int, QAccessible::Id> Entries_;
};

// The variables table: a table whose value is the current cell as read out.
class TGridAccessible : public QAccessibleWidget {
 public:
  explicit TGridAccessible(QWidget* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) {
      const auto* grid = static_cast<TVariablesGrid*>(widget());
      return grid->CellText(grid->CurrentColumn(), grid->CurrentRow());
    }
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return nullptr;
  if (className == QLatin1String("TCheckListBox"))
    return new TCheckListAccessible(static_cast<TCheckListBox*>(widget));
  if (className == QLatin1String("TVariablesGrid")) return new TGridAccessible(widget);
  // Pictures and labels are pressable parts when they take the focus.
  const bool pressable = className == QLatin1String("TPictureBox") ||
                         className == QLatin1String("TShadowLabel") ||
                         className == QLatin1String("TClickLabel");
  if (pressable && widget->focusPolicy() != Qt::NoFocus) return new TPressableAccessible(widget);
  return nullptr;
}

void SendForEntry(QAccessibleEvent& event, int index) {
  event.setChild(index);
  QAccessible::updateAccessibility(&event);
}

}  // namespace

// One of the sixteen basic colours by name, any other by its hexadecimal red,
// green and blue.
QString ColorName(TColor color) {
  struct TNamed {
    QRgb Rgb;
    const char* Name;
  };
  static constexpr TNamed kNames[] = {
      {0x000000, QT_TRANSLATE_NOOP("Accessibility", "чёрный")},
      {0x800000, QT_TRANSLATE_NOOP("Accessibility", "тёмно-красный")},
      {0x008000, QT_TRANSLATE_NOOP("Accessibility", "зелёный")},
      {0x808000, QT_TRANSLATE_NOOP("Accessibility", "оливковый")},
      {0x000080, QT_TRANSLATE_NOOP("Accessibility", "тёмно-синий")},
      {0x800080, QT_TRANSLATE_NOOP("Accessibility", "фиолетовый")},
      {0x008080, QT_TRANSLATE_NOOP("Accessibility", "сине-зелёный")},
      {0x808080, QT_TRANSLATE_NOOP("Accessibility", "серый")},
      {0xC0C0C0, QT_TRANSLATE_NOOP("Accessibility", "серебристый")},
      {0xFF0000, QT_TRANSLATE_NOOP("Accessibility", "красный")},
      {0x00FF00, QT_TRANSLATE_NOOP("Accessibility", "ярко-зелёный")},
      {0xFFFF00, QT_TRANSLATE_NOOP("Accessibility", "жёлтый")},
      {0x0000FF, QT_TRANSLATE_NOOP("Accessibility", "синий")},
      {0xFF00FF, QT_TRANSLATE_NOOP("Accessibility", "малиновый")},
      {0x00FFFF, QT_TRANSLATE_NOOP("Accessibility", "голубой")},
      {0xFFFFFF, QT_TRANSLATE_NOOP("Accessibility", "белый")},
  };
  const QColor qcolor = ToQColor(color);
  for (const TNamed& named : kNames) {
    if (qcolor.rgb() == (named.Rgb | 0xFF000000u)) return Translate(named.Name);
  }
  return qcolor.name();
}

QString FontSummary(const TFontDesc& font) {
  QString summary = QCoreApplication::translate("Accessibility", "%1, %2 пт, %3")
                        .arg(QString::fromStdString(Cp1251ToUtf8(font.Name)))
                        .arg(font.Size)
                        .arg(ColorName(font.Color));
  if (font.Bold) summary += QCoreApplication::translate("Accessibility", ", полужирный");
  if (font.Italic) summary += QCoreApplication::translate("Accessibility", ", курсив");
  return summary;
}

void DescribeChoice(QWidget* button, const QString& current) {
  button->setAccessibleDescription(
      QCoreApplication::translate("Accessibility", "Сейчас: %1").arg(current));
}

void InstallAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
}

void AnnounceEntryChecked(TCheckListBox* list, int index) {
  if (!QAccessible::isActive()) return;
  QAccessible::State changed;
  changed.checked = true;
  QAccessibleStateChangeEvent event(list, changed);
  SendForEntry(event, index);
}

void AnnounceEntrySelected(TCheckListBox* list, int index) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent selection(list, QAccessible::Selection);
  SendForEntry(selection, index);
  if (list->hasFocus()) {
    QAccessibleEvent focus(list, QAccessible::Focus);
    SendForEntry(focus, index);
  }
}

void AnnounceEntryDescription(TCheckListBox* list, int index) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(list, QAccessible::DescriptionChanged);
  SendForEntry(event, index);
}

void AnnounceValue(QWidget* widget, const QString& value) {
  if (!QAccessible::isActive()) return;
  QAccessibleValueChangeEvent event(widget, value);
  QAccessible::updateAccessibility(&event);
}
