#include "ui/framemouse.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QMouseEvent>

namespace {

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

}  // namespace

bool ForwardMouseToViewport(QAbstractScrollArea& area, QEvent* event) {
  if (Forwarding || !IsForwardedMouseEvent(event)) return false;
  auto* mouse = static_cast<QMouseEvent*>(event);
  QWidget* viewport = area.viewport();
  QMouseEvent moved(mouse->type(), viewport->mapFrom(&area, mouse->position()),
                    mouse->scenePosition(), mouse->globalPosition(), mouse->button(),
                    mouse->buttons(), mouse->modifiers(), mouse->pointingDevice());
  moved.setTimestamp(mouse->timestamp());
  struct TForwarding {
    TForwarding() { Forwarding = true; }
    ~TForwarding() { Forwarding = false; }
  } forwarding;
  QCoreApplication::sendEvent(viewport, &moved);
  event->setAccepted(moved.isAccepted());
  return true;
}

void KeepMouseInViewport(QEvent* event) {
  if (IsForwardedMouseEvent(event)) event->accept();
}
