// Drawing pieces shared by every preview: colours and fonts of the model in Qt
// terms, the vertical gradient fill, the picture box, the shadowed label and the
// built-in desktop picture.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QRect>
#include <QString>
#include <QWidget>

#include "model/model.h"

class QFocusEvent;
class QMouseEvent;
class QPainter;

// Scheme colours are resolved through the model's hook first.
QColor ToQColor(TColor color);
TColor ToTColor(const QColor& color);

// A font description in pixels at 96 dots per inch (26 points are 35 pixels).
QFont ToQFont(const TFontDesc& font);
// The colour is not part of a QFont; it is passed along.
TFontDesc ToFontDesc(const QFont& font, TColor color);

// number * numerator / denominator, multiplied exactly and rounded to the nearest
// integer, halves away from zero.
int MulDiv(int number, int numerator, int denominator);

enum TFillDirection { fdTopToBottom, fdLeftToRight };

// Paints a gradient of `colors` bands into the picture's rectangle.
void GradientFill(QImage& picture, const QRect& rect, TColor startColor, TColor endColor,
                  TFillDirection direction, int colors);

// The built-in desktop picture, 413 by 288 pixels.
const QImage& DesktopBitmap();
// The built-in header picture of the mock dialog, 447 by 62 pixels, 256 colours.
const QImage& HeaderBitmap();
// The 16-by-16 paint-brush icon of the flat "change" buttons.
const QImage& BrushBitmap();
// The program's icon.
QIcon ApplicationIcon();
// Registers the pictures compiled into the library; the functions above call it.
void InitUiResources();

// A left-button click: a press and a release inside the same widget.
class TClickTracker {
 public:
  void Press(QMouseEvent* event);
  // True when the release completes a click inside `area`.
  bool Release(QMouseEvent* event, const QRect& area);

 private:
  bool Pressed_ = false;
};

// Something the user can press as a whole: a click, a key or an assistive tool
// (accessibility) does what a click does.
class TPressable {
 public:
  virtual ~TPressable() = default;
  virtual void Press() = 0;
};

// Draws the keyboard focus mark: a dotted frame a pixel inside the rectangle, light
// and dark dots alternating so that it shows on any background.
void DrawFocusMark(QPainter& painter, const QRect& rect);

// Enter, Return or Space without Ctrl, Alt or Meta: the keys that press a widget.
bool IsPressKey(const QKeyEvent* event);

// A widget that takes left-button clicks anywhere in its rectangle while visible:
// each press and release inside it calls ReportClick(). Every mouse press and release
// stops here, whatever the button. With a focus policy (the mock-up parts have one)
// it also takes the keyboard focus: Enter, Return or Space then does what a click
// does, and the subclass draws the focus mark (PaintFocusMark) while it has it.
template <class Base>
class TClickable : public Base, public TPressable {
 public:
  using Base::Base;
  void Press() override { ReportClick(); }

 protected:
  virtual void ReportClick() = 0;
  void mousePressEvent(QMouseEvent* event) override { Click_.Press(event); }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (Click_.Release(event, this->rect())) ReportClick();
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (IsPressKey(event)) {
      event->accept();
      ReportClick();
    } else {
      Base::keyPressEvent(event);
    }
  }
  void focusInEvent(QFocusEvent* event) override {
    Base::focusInEvent(event);
    this->update();
  }
  void focusOutEvent(QFocusEvent* event) override {
    Base::focusOutEvent(event);
    this->update();
  }
  // Draws the focus mark around the whole widget while it has the focus.
  void PaintFocusMark(QPainter& painter) const {
    if (this->hasFocus()) DrawFocusMark(painter, this->rect());
  }

 private:
  TClickTracker Click_;
};

// Shows an image from its top-left corner, unscaled and cut off at the box's size.
// Emits clicked() on a left-button click inside it.
class TPictureBox : public TClickable<QWidget> {
  Q_OBJECT
 public:
  explicit TPictureBox(QWidget* parent = nullptr);

  // The image painted into; an empty image first becomes one of the box's own size.
  QImage& Picture();
  // Shows a copy of the image, so that later painting never alters the original.
  void SetPicture(const QImage& image);
  // The gradient over the whole box, top to bottom, 64 colours; repaints.
  void PaintGradient(TColor topColor, TColor bottomColor);
  // A copy of the desktop picture; repaints.
  void ShowDesktop();

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void ReportClick() override { emit clicked(); }

 private:
  QImage Picture_;
};

enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };

// A text label drawn twice: first in the shadow colour, moved by the shadow size,
// then in the font's colour. Takes clicks anywhere in its rectangle while visible.
// As a QLabel it also reports its caption as text(), its font as font() (face,
// points, style) with the text colour as the palette's window text, and its other
// properties as Qt properties.
class TShadowLabel : public TClickable<QLabel> {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(uint Color READ Color WRITE SetColor)
  Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
  Q_PROPERTY(uint ShadowColor READ ShadowColor WRITE SetShadowColor)
  Q_PROPERTY(int ShadowSize READ ShadowSize WRITE SetShadowSize)
  Q_PROPERTY(int ShadowPos READ ShadowPos WRITE SetShadowPosIndex)
  Q_PROPERTY(Qt::Alignment Alignment READ Alignment WRITE SetAlignment)
 public:
  explicit TShadowLabel(QWidget* parent = nullptr);

  void SetCaption(const QString& caption);
  QString Caption() const { return Caption_; }
  void SetFontDesc(const TFontDesc& font);  // face, size, style and text colour
  const TFontDesc& FontDesc() const { return Font_; }
  void SetColor(TColor color);  // background colour, painted unless transparent
  TColor Color() const { return Color_; }
  void SetTransparent(bool transparent);
  bool Transparent() const { return Transparent_; }
  void SetAlignment(Qt::Alignment alignment);  // Qt::AlignLeft or Qt::AlignHCenter
  Qt::Alignment Alignment() const { return Alignment_; }
  void SetShadowColor(TColor color);
  TColor ShadowColor() const { return ShadowColor_; }
  void SetShadowSize(int size);
  int ShadowSize() const { return ShadowSize_; }
  void SetShadowPos(TShadowPosition position);
  TShadowPosition ShadowPos() const { return ShadowPos_; }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void ReportClick() override { emit clicked(); }

 private:
  QString Caption_;
  TFontDesc Font_;
  TColor Color_ = 0x80000000u | 15u;  // button face
  bool Transparent_ = false;
  Qt::Alignment Alignment_ = Qt::AlignLeft;
  TColor ShadowColor_ = clBtnHighlight;
  int ShadowSize_ = 1;
  TShadowPosition ShadowPos_ = spLeftTop;
  // The property's writer: a TShadowPosition given as its number.
  void SetShadowPosIndex(int position);
};

// A plain label that takes clicks anywhere in its rectangle while visible.
class TClickLabel : public TClickable<QLabel> {
  Q_OBJECT
  Q_PROPERTY(int LineHeight READ LineHeight WRITE SetLineHeight)
 public:
  explicit TClickLabel(QWidget* parent = nullptr);

  // Lines of text this many pixels apart, from the top-left corner, cut off at
  // the label's edges; 0 leaves the layout to QLabel.
  void SetLineHeight(int pixels);
  int LineHeight() const { return LineHeight_; }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void ReportClick() override { emit clicked(); }

 private:
  int LineHeight_ = 0;
};
