#include "ui/widgets/dialogparts.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QWindow>

#include "ui/widgets/render.h"

void SetPaletteColor(QWidget* widget, QPalette::ColorRole role, TColor color) {
  QPalette palette = widget->palette();
  palette.setColor(role, ToQColor(color));
  widget->setPalette(palette);
}

void FillBackground(QWidget* widget, TColor color) {
  widget->setAutoFillBackground(true);
  SetPaletteColor(widget, QPalette::Window, color);
}

Qt::WindowFlags DialogWindowFlags() {
  return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
}

QFont DefaultWindowFont() {
  TFontDesc font;
  font.Name = "MS Sans Serif";
  font.Size = 8;
  return ToQFont(font);
}

void SetBrushPicture(QToolButton* button) {
  button->setIcon(QIcon(QPixmap::fromImage(BrushBitmap())));
}

QFrame* MakeSwatch(QWidget* parent, const QString& name, const QRect& geometry) {
  auto* swatch = new QFrame(parent);
  swatch->setObjectName(name);
  swatch->setFrameStyle(QFrame::Panel | QFrame::Raised);
  swatch->setLineWidth(1);
  swatch->setAutoFillBackground(true);
  swatch->setGeometry(geometry);
  return swatch;
}

void SetSwatchColor(QFrame* swatch, TColor color) {
  SetPaletteColor(swatch, QPalette::Window, color);
}

TColor SwatchColor(const QFrame* swatch) {
  return ToTColor(swatch->palette().color(QPalette::Window));
}

TBevelLine::TBevelLine(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TBevelLine::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(0, 0, width() - 1, 0);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(0, 1, width() - 1, 1);
}

void PlaceOverOwner(QWidget* dialog, QWidget* owner) {
  if (owner == nullptr) return;
  dialog->winId();
  if (dialog->windowHandle() != nullptr && owner->window()->windowHandle() != nullptr)
    dialog->windowHandle()->setTransientParent(owner->window()->windowHandle());
  const QRect outer = owner->frameGeometry();
  const QSize frame = dialog->frameGeometry().size();
  dialog->move(outer.center() - QPoint(frame.width() / 2, frame.height() / 2));
}
