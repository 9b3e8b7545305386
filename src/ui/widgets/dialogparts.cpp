#include "ui/widgets/dialogparts.h"

#include <QCheckBox>
#include <QDialog>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QWindow>

#include "ui/widgets/render.h"

namespace {

constexpr int kBorderWidth = 2;

template <typename T>
T* MakeTextControl(QWidget* parent, const QString& name, const QString& text,
                   const QRect& geometry) {
  auto* control = new T(text, parent);
  control->setObjectName(name);
  control->setGeometry(geometry);
  return control;
}

}  // namespace

void SetPaletteColor(QWidget* widget, QPalette::ColorRole role, TColor color) {
  QPalette palette = widget->palette();
  palette.setColor(role, ToQColor(color));
  widget->setPalette(palette);
}

void FillBackground(QWidget* widget, TColor color) {
  widget->setAutoFillBackground(true);
  SetPaletteColor(widget, QPalette::Window, color);
}

void SetUpDialog(QDialog* dialog, const QString& name, const QString& title, const QSize& size) {
  dialog->setObjectName(name);
  dialog->setWindowTitle(title);
  dialog->setFont(DefaultWindowFont());
  dialog->setFixedSize(size);
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

QToolButton* MakeBrushButton(QWidget* parent, const QString& name, const QString& text,
                             const QRect& geometry) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(text);
  button->setIcon(QIcon(QPixmap::fromImage(BrushBitmap())));
  button->setIconSize(QSize(16, 16));
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setGeometry(geometry);
  return button;
}

QCheckBox* MakeCheckBox(QWidget* parent, const QString& name, const QString& text,
                        const QRect& geometry) {
  return MakeTextControl<QCheckBox>(parent, name, text, geometry);
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text,
                        const QRect& geometry) {
  return MakeTextControl<QPushButton>(parent, name, text, geometry);
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

QFrame* MakeBorderPanel(QWidget* parent, const QString& name, const QRect& geometry) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  panel->setLineWidth(kBorderWidth);
  panel->setGeometry(geometry);
  auto* client = new QWidget(panel);
  client->setObjectName(name + QStringLiteral("Client"));
  client->setGeometry(panel->contentsRect());
  return panel;
}

QWidget* PanelClient(QFrame* panel) {
  return panel->findChild<QWidget*>(panel->objectName() + QStringLiteral("Client"),
                                    Qt::FindDirectChildrenOnly);
}

TBevelLine::TBevelLine(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

TBevelLine::TBevelLine(QWidget* parent, const QString& name, const QRect& geometry)
    : TBevelLine(parent) {
  setObjectName(name);
  setGeometry(geometry);
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
