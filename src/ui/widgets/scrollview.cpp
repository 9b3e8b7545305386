#include "ui/widgets/scrollview.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace {

constexpr int kNotch = 120;  // angle delta of one wheel notch

bool IsForwardedMouseEvent(const QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: return true;
    default: return false;
  }
}

bool Forwarding = false;

// True when `event` was a mouse event for the area itself and was handed to its
// viewport in viewport coordinates.
bool ForwardMouseToViewport(QAbstractScrollArea& area, QEvent* event) {
  if (Forwarding || !IsForwardedMouseEvent(event)) return false;
  auto* mouse = static_cast<QMouseEvent*>(event);
  QWidget* viewport = area.viewport();
  QMouseEvent moved(mouse->type(), viewport->mapFrom(&area, mouse->position()),
                    mouse->scenePosition(), mouse->globalPosition(), mouse->button(),
                    mouse->buttons(), mouse->modifiers(), mouse->pointingDevice());
  moved.setTimestamp(mouse->timestamp());
  // Reset even when a handler throws.
  struct TForwarding {
    TForwarding() { Forwarding = true; }
    ~TForwarding() { Forwarding = false; }
  } forwarding;
  QCoreApplication::sendEvent(viewport, &moved);
  event->setAccepted(moved.isAccepted());
  return true;
}

}  // namespace

TScrollView::TScrollView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setBackgroundRole(QPalette::Base);
  NameScrollBars();
}

void TScrollView::NameScrollBars() {
  horizontalScrollBar()->setAccessibleName(tr("Прокрутка по горизонтали"));
  verticalScrollBar()->setAccessibleName(tr("Прокрутка по вертикали"));
}

void TScrollView::UpdateScrollBars() {
  if (UpdatingBars_) return;
  UpdatingBars_ = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{UpdatingBars_};
  DecideScrollBars();
}

void TScrollView::SetBar(Qt::Orientation orientation, bool shown, int maximum, int pageStep,
                         int singleStep) {
  const Qt::ScrollBarPolicy policy = shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  QScrollBar* bar = nullptr;
  if (orientation == Qt::Horizontal) {
    setHorizontalScrollBarPolicy(policy);
    bar = horizontalScrollBar();
  } else {
    setVerticalScrollBarPolicy(policy);
    bar = verticalScrollBar();
  }
  bar->setRange(0, std::max(0, maximum));
  bar->setPageStep(pageStep);
  bar->setSingleStep(singleStep);
}

int TScrollView::TakeWheelNotches(const QWheelEvent* event) {
  WheelRemainder_ += event->angleDelta().y();
  const int notches = WheelRemainder_ / kNotch;
  WheelRemainder_ -= notches * kNotch;
  return notches;
}

bool TScrollView::event(QEvent* event) {
  if (ForwardMouseToViewport(*this, event)) return true;
  return QAbstractScrollArea::event(event);
}

bool TScrollView::viewportEvent(QEvent* event) {
  const bool handled = QAbstractScrollArea::viewportEvent(event);
  if (IsForwardedMouseEvent(event)) event->accept();
  return handled;
}

void TScrollView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void TScrollView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
    UpdateScrollBars();
  if (event->type() == QEvent::LanguageChange) NameScrollBars();
}

void TScrollView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void TScrollView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}
