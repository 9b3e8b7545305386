// Every text of the four windows fits the widget that shows it, measured with
// the fonts the program actually uses on this system (the substitutes of the
// classic faces) and the style that draws it.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>

#include "app_fixture.h"
#include "ui/dialogs/LabelStyle.h"
#include "ui/dialogs/backcolor.h"
#include "ui/dialogs/dlgpos.h"
#include "ui/support/language.h"
#include "ui/widgets/render.h"

namespace {

// A button's text without the "&" that marks its shortcut letter.
QString Shown(QString text) { return text.remove(QRegularExpression(QStringLiteral("&(?!&)"))); }

// The room that the widget's text needs, and the room it has; an empty text
// needs none.
struct TRoom {
  QSize Needed;
  QSize Given;
};

TRoom LabelRoom(const QLabel& label, const QString& text) {
  const QFontMetrics metrics(label.font());
  const QRect inside = label.contentsRect().adjusted(label.margin(), label.margin(),
                                                     -label.margin(), -label.margin());
  if (label.wordWrap()) return {{0, label.heightForWidth(inside.width())}, {0, inside.height()}};
  QSize needed = metrics.size(0, text);
  // A label that draws its lines at a fixed pitch.
  const QVariant pitch = label.property("LineHeight");
  if (pitch.isValid())
    needed.setHeight(static_cast<int>(text.count(QLatin1Char('\n')) + 1) * pitch.toInt());
  return {needed, inside.size()};
}

TRoom ButtonRoom(const QAbstractButton& button) {
  const QFontMetrics metrics(button.font());
  const QString text = Shown(button.text());
  const QStyle* style = button.style();
  if (qobject_cast<const QCheckBox*>(&button)) {
    // The indicator, the gap and the text, as the style lays them out.
    const int indicator = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &button);
    const int gap = style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, &button);
    return {{indicator + gap + metrics.horizontalAdvance(text), metrics.height()}, button.size()};
  }
  if (qobject_cast<const QRadioButton*>(&button)) {
    const int indicator = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, &button);
    const int gap = style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, &button);
    return {{indicator + gap + metrics.horizontalAdvance(text), metrics.height()}, button.size()};
  }
  // A push or tool button: the text inside the button's frame, an icon beside it.
  const int icon = button.icon().isNull() ? 0 : button.iconSize().width() + 4;
  return {{metrics.horizontalAdvance(text) + icon + 4, metrics.height()}, button.size()};
}

// Each widget with a text: where the text does not fit, one line naming it.
QStringList Overflows(QWidget& window) {
  QStringList found;
  const auto check = [&found](const QWidget& widget, const QString& text, const TRoom& room) {
    if (text.isEmpty()) return;
    if (room.Needed.width() > room.Given.width() || room.Needed.height() > room.Given.height()) {
      found << QStringLiteral("%1 \"%2\": needs %3x%4, has %5x%6")
                   .arg(widget.objectName(), text)
                   .arg(room.Needed.width())
                   .arg(room.Needed.height())
                   .arg(room.Given.width())
                   .arg(room.Given.height());
    }
  };
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    // Windows of their own (the table's hint) size themselves to their text; the
    // welcome text shows the top of the setup's dialog, cut by the screen's edge
    // as the real screen would cut it.
    if (widget->isWindow() || qobject_cast<TClickLabel*>(widget) != nullptr) continue;
    widget->ensurePolished();
    if (auto* shadow = qobject_cast<TShadowLabel*>(widget)) {
      check(*shadow, shadow->Caption(), LabelRoom(*shadow, shadow->Caption()));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      check(*label, label->text(), LabelRoom(*label, label->text()));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      check(*button, button->text(), ButtonRoom(*button));
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
      const QFontMetrics metrics(group->font());
      // The frames draw their titles 8 pixels in.
      check(*group, group->title(),
            {{8 + metrics.horizontalAdvance(group->title()), 0}, group->size()});
    } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
      const QFontMetrics metrics(tabs->font());
      for (int i = 0; i < tabs->count(); ++i) {
        check(*tabs, tabs->tabText(i),
              {{metrics.horizontalAdvance(tabs->tabText(i)), 0}, tabs->tabRect(i).size()});
      }
    }
  }
  return found;
}

}  // namespace

using TextsFit = TAppFixture;

TEST_F(TextsFit, EveryTextOfTheFourWindowsFitsItsWidget) {
  // In each interface language, Russian last.
  for (const QString& language : {QStringLiteral("en"), QStringLiteral("ru")}) {
    SetInterfaceLanguage(language);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    for (QWidget* window : std::initializer_list<QWidget*>{&Main(), Windows.StyleDlg,
                                                           Windows.ColorForm, Windows.PosForm}) {
      SCOPED_TRACE((language + QLatin1Char(' ') + window->objectName()).toStdString());
      // Both uses of the label style dialog show different texts.
      EXPECT_EQ(Overflows(*window).join(QLatin1Char('\n')).toStdString(), "");
    }
  }
}
