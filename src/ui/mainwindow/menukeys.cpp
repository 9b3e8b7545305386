#include "ui/mainwindow/menukeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace {

constexpr Qt::KeyboardModifiers kOtherModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::MetaModifier;

}  // namespace

TMenuBarKeys::TMenuBarKeys(QWidget& window, QMenuBar& menuBar)
    : QObject(&window), Window_(window), MenuBar_(menuBar) {
  // The application sees every key first, whichever widget of the window has the focus.
  qApp->installEventFilter(this);
}

void TMenuBarKeys::OpenFirstMenu() {
  for (QAction* action : MenuBar_.actions()) {
    if (!action->isVisible() || !action->isEnabled() || action->menu() == nullptr) continue;
    MenuBar_.setActiveAction(action);
    QMenu* menu = action->menu();
    if (!menu->actions().isEmpty()) menu->setActiveAction(menu->actions().first());
    return;
  }
}

bool TMenuBarKeys::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::MouseButtonPress)
    return false;
  // A key reaches the window system's window first, then the focus widget: the
  // widget decides.
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr) return false;
  // Keys of a popup (an open menu) or of another window are theirs.
  if (widget->window() != &Window_ || QApplication::activePopupWidget()) {
    AltAlone_ = false;
    return false;
  }
  if (type == QEvent::MouseButtonPress) {
    AltAlone_ = false;
    return false;
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  const bool alt = key->key() == Qt::Key_Alt && !(key->modifiers() & kOtherModifiers);
  if (type == QEvent::KeyPress) {
    if (key->isAutoRepeat()) return false;
    AltAlone_ = alt;
    if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier) {
      OpenFirstMenu();
      return true;
    }
    return false;
  }
  // A key released: Alt alone opens the menu.
  if (alt && AltAlone_ && !key->isAutoRepeat()) {
    AltAlone_ = false;
    OpenFirstMenu();
    return true;
  }
  return false;
}
