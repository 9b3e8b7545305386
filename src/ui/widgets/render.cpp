#include "ui/widgets/render.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

int RedOf(TColor c) { return static_cast<int>(c & 0xFFu); }
int GreenOf(TColor c) { return static_cast<int>((c >> 8) & 0xFFu); }
int BlueOf(TColor c) { return static_cast<int>((c >> 16) & 0xFFu); }

QColor ChannelsToQColor(int r, int g, int b) { return QColor(r & 0xFF, g & 0xFF, b & 0xFF); }

bool SameFont(const TFontDesc& a, const TFontDesc& b) {
  return a.Name == b.Name && a.Size == b.Size && a.Color == b.Color && a.Bold == b.Bold &&
         a.Italic == b.Italic && a.Underline == b.Underline && a.StrikeOut == b.StrikeOut;
}

// Line breaks in captions come as CR LF from the model; Qt breaks on LF alone.
QString QtLineBreaks(const QString& text) {
  QString result = text;
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

}  // namespace

// The resources are compiled into the static library; referencing the
// initialiser keeps the linker from dropping them.
void InitUiResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(vuka);
    return true;
  }();
  (void)done;
}

namespace {

// The built-in pictures are PNG files whose names have no suffix: naming the format
// spares Qt asking every image plug-in whether it reads the file.
constexpr const char* kPictureFormat = "PNG";

QImage LoadResourceImage(const char* name, QImage::Format format) {
  InitUiResources();
  QImage image(QString::fromLatin1(name), kPictureFormat);
  if (image.isNull())
    throw std::runtime_error(std::string("Cannot load the built-in picture ") + name);
  return image.convertToFormat(format);
}

// Stores a property's new value and repaints the widget; an unchanged value does neither.
template <class T>
void ChangeAndRepaint(QWidget& widget, T& field, const T& value) {
  if (value == field) return;
  field = value;
  widget.update();
}

}  // namespace

QColor ToQColor(TColor color) {
  const TColor c = ResolveColor(color);
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

TColor ToTColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return static_cast<TColor>(rgb.red()) | (static_cast<TColor>(rgb.green()) << 8) |
         (static_cast<TColor>(rgb.blue()) << 16);
}

QFont ToQFont(const TFontDesc& font) {
  QFont result(QString::fromStdString(Cp1251ToUtf8(font.Name)));
  result.setPixelSize(std::max(1, MulDiv(font.Size, 96, 72)));
  result.setBold(font.Bold);
  result.setItalic(font.Italic);
  result.setUnderline(font.Underline);
  result.setStrikeOut(font.StrikeOut);
  return result;
}

TFontDesc ToFontDesc(const QFont& font, TColor color) {
  TFontDesc result;
  result.Name = Utf8ToCp1251(font.family().toStdString());
  result.Size = font.pointSize() > 0 ? font.pointSize() : MulDiv(font.pixelSize(), 72, 96);
  result.Color = color;
  result.Bold = font.bold();
  result.Italic = font.italic();
  result.Underline = font.underline();
  result.StrikeOut = font.strikeOut();
  return result;
}

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const int64_t product = static_cast<int64_t>(number) * numerator;
  const int64_t absProduct = product < 0 ? -product : product;
  const int64_t absDenominator = denominator < 0 ? -static_cast<int64_t>(denominator) : denominator;
  int64_t quotient = (absProduct + absDenominator / 2) / absDenominator;
  if ((product < 0) != (denominator < 0)) quotient = -quotient;
  if (quotient > std::numeric_limits<int>::max() || quotient < std::numeric_limits<int>::min())
    return -1;
  return static_cast<int>(quotient);
}

void GradientFill(QImage& picture, const QRect& rect, TColor startColor, TColor endColor,
                  TFillDirection direction, int colors) {
  if (rect.isEmpty() || picture.isNull()) return;
  QPainter painter(&picture);
  if (colors < 2) {
    painter.fillRect(rect, ToQColor(startColor));
    return;
  }
  const TColor start = ResolveColor(startColor);
  const TColor end = ResolveColor(endColor);
  const int r0 = RedOf(start), g0 = GreenOf(start), b0 = BlueOf(start);
  const int dr = RedOf(end) - r0, dg = GreenOf(end) - g0, db = BlueOf(end) - b0;
  const bool vertical = direction == fdTopToBottom;
  const int extent = vertical ? rect.height() : rect.width();
  const int bands = std::max(2, std::min(colors, extent));
  const int bandSize = extent / bands;
  if (bandSize > 0) {
    for (int i = 0; i < bands; ++i) {
      const QColor color =
          ChannelsToQColor(r0 + MulDiv(i, dr, bands - 1), g0 + MulDiv(i, dg, bands - 1),
                           b0 + MulDiv(i, db, bands - 1));
      const QRect band =
          vertical ? QRect(rect.left(), rect.top() + i * bandSize, rect.width(), bandSize)
                   : QRect(rect.left() + i * bandSize, rect.top(), bandSize, rect.height());
      painter.fillRect(band, color);
    }
  }
  const int rest = extent % bands;
  if (rest > 0) {
    const QRect tail = vertical ? QRect(rect.left(), rect.bottom() + 1 - rest, rect.width(), rest)
                                : QRect(rect.right() + 1 - rest, rect.top(), rest, rect.height());
    painter.fillRect(tail, ToQColor(end));
  }
}

const QImage& DesktopBitmap() {
  static const QImage image = LoadResourceImage(":/DESKTOP", QImage::Format_RGB888);
  return image;
}

const QImage& HeaderBitmap() {
  static const QImage image = LoadResourceImage(":/HEADER", QImage::Format_Indexed8);
  return image;
}

const QImage& BrushBitmap() {
  static const QImage image = LoadResourceImage(":/BRUSH", QImage::Format_ARGB32);
  return image;
}

QIcon ApplicationIcon() {
  InitUiResources();
  // From a picture, not a file name: an icon file without a suffix would be typed
  // through the MIME database first.
  return QIcon(QPixmap(QStringLiteral(":/ICON"), kPictureFormat));
}

// ---- TClickTracker

void TClickTracker::Press(QMouseEvent* event) {
  Pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

bool TClickTracker::Release(QMouseEvent* event, const QRect& area) {
  const bool click =
      Pressed_ && event->button() == Qt::LeftButton && area.contains(event->position().toPoint());
  Pressed_ = false;
  event->accept();
  return click;
}

// ---- Keyboard focus

void DrawFocusMark(QPainter& painter, const QRect& rect) {
  painter.save();
  painter.setClipping(false);
  painter.setBrush(Qt::NoBrush);
  const QRect frame = rect.adjusted(1, 1, -2, -2);
  painter.setPen(QPen(Qt::white, 1, Qt::SolidLine));
  painter.drawRect(frame);
  painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
  painter.drawRect(frame);
  painter.restore();
}

bool IsPressKey(const QKeyEvent* event) {
  const int key = event->key();
  const bool pressKey = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
  return pressKey &&
         !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

// ---- TPictureBox

TPictureBox::TPictureBox(QWidget* parent) : TClickable(parent) {}

QImage& TPictureBox::Picture() {
  if (Picture_.isNull()) {
    Picture_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    Picture_.fill(Qt::white);
  }
  return Picture_;
}

void TPictureBox::SetPicture(const QImage& image) {
  Picture_ = image.copy();
  update();
}

void TPictureBox::PaintGradient(TColor topColor, TColor bottomColor) {
  GradientFill(Picture(), rect(), topColor, bottomColor, fdTopToBottom, 64);
  update();
}

void TPictureBox::ShowDesktop() { SetPicture(DesktopBitmap()); }

void TPictureBox::paintEvent(QPaintEvent*) {
  if (Picture_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), Picture_);
  PaintFocusMark(painter);
}

// ---- TShadowLabel

TShadowLabel::TShadowLabel(QWidget* parent) : TClickable(parent) { setTextFormat(Qt::PlainText); }

void TShadowLabel::SetCaption(const QString& caption) {
  if (caption == Caption_) return;
  Caption_ = caption;
  setText(caption);
  update();
}

void TShadowLabel::SetFontDesc(const TFontDesc& font) {
  if (SameFont(font, Font_)) return;
  Font_ = font;
  // Reported in points; the drawing uses the pixel size of ToQFont.
  QFont reported = ToQFont(font);
  if (font.Size > 0) reported.setPointSize(font.Size);
  setFont(reported);
  QPalette colors = palette();
  colors.setColor(QPalette::WindowText, ToQColor(font.Color));
  setPalette(colors);
  update();
}

void TShadowLabel::SetColor(TColor color) { ChangeAndRepaint(*this, Color_, color); }

void TShadowLabel::SetTransparent(bool transparent) {
  ChangeAndRepaint(*this, Transparent_, transparent);
}

void TShadowLabel::SetAlignment(Qt::Alignment alignment) {
  ChangeAndRepaint(*this, Alignment_, alignment);
}

void TShadowLabel::SetShadowColor(TColor color) { ChangeAndRepaint(*this, ShadowColor_, color); }

void TShadowLabel::SetShadowSize(int size) { ChangeAndRepaint(*this, ShadowSize_, size); }

void TShadowLabel::SetShadowPos(TShadowPosition position) {
  ChangeAndRepaint(*this, ShadowPos_, position);
}

void TShadowLabel::SetShadowPosIndex(int position) {
  if (position < spLeftTop || position > spRightTop)
    throw std::invalid_argument("A shadow position is a number from 0 to 3, not " +
                                std::to_string(position));
  SetShadowPos(static_cast<TShadowPosition>(position));
}

void TShadowLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!Transparent_) painter.fillRect(rect(), ToQColor(Color_));

  const QRect textRect = rect().adjusted(1, 0, -1, 0);
  int dx = 0, dy = 0;
  switch (ShadowPos_) {
    case spLeftTop:
      dx = -ShadowSize_;
      dy = -ShadowSize_;
      break;
    case spLeftBottom:
      dx = -ShadowSize_;
      dy = ShadowSize_;
      break;
    case spRightBottom:
      dx = ShadowSize_;
      dy = ShadowSize_;
      break;
    case spRightTop:
      dx = ShadowSize_;
      dy = -ShadowSize_;
      break;
  }
  // The alignment flags are unsigned; QPainter takes them as an int.
  const int flags = static_cast<int>(Qt::AlignTop | (Alignment_ & Qt::AlignHorizontal_Mask) |
                                     Qt::TextExpandTabs | Qt::TextShowMnemonic);
  const QString text = QtLineBreaks(Caption_);
  painter.setFont(ToQFont(Font_));

  const QRect shadowRect = textRect.translated(dx, dy);
  painter.setClipRect(shadowRect);
  painter.setPen(ToQColor(ShadowColor_));
  painter.drawText(shadowRect, flags, text);

  painter.setClipRect(textRect);
  painter.setPen(ToQColor(Font_.Color));
  painter.drawText(textRect, flags, text);
  PaintFocusMark(painter);
}

// ---- TClickLabel

TClickLabel::TClickLabel(QWidget* parent) : TClickable(parent) {}

void TClickLabel::SetLineHeight(int pixels) { ChangeAndRepaint(*this, LineHeight_, pixels); }

void TClickLabel::paintEvent(QPaintEvent* event) {
  if (LineHeight_ <= 0) {
    QLabel::paintEvent(event);
    QPainter painter(this);
    PaintFocusMark(painter);
    return;
  }
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(palette().color(foregroundRole()));
  const QStringList lines = QtLineBreaks(text()).split(QLatin1Char('\n'));
  for (int i = 0; i < lines.size() && i * LineHeight_ < height(); ++i) {
    const QRect line(0, i * LineHeight_, width(), LineHeight_);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextExpandTabs, lines[i]);
  }
  PaintFocusMark(painter);
}
