// Rendering: the banded gradient, MulDiv's rounding, the shadowed label's two
// clipped draws, colours and fonts in Qt terms, and the built-in pictures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QTest>

#include "ui/widgets/render.h"

namespace {

QRgb Rgb(int r, int g, int b) { return qRgb(r, g, b); }

QImage Filled(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// Every pixel of the row has the same colour; returns it.
QRgb RowColour(const QImage& image, int y) {
  const QRgb first = image.pixel(0, y);
  for (int x = 1; x < image.width(); ++x) {
    if (image.pixel(x, y) != first) {
      ADD_FAILURE() << "row " << y << " is not plain at column " << x;
      break;
    }
  }
  return first;
}

// The blue channel of band i of a blue-to-black gradient with n bands.
int BlueOfBand(int i, int n) { return 255 + MulDiv(i, -255, n - 1); }

// Checks a blue-to-black gradient of 64 bands `band` rows high, then `rest` black rows.
void ExpectBlueToBlack(int height, int band, int rest) {
  SCOPED_TRACE(height);
  QImage image = Filled(30, height);
  GradientFill(image, image.rect(), 0x00FF0000u, 0x00000000u, fdTopToBottom, 64);
  for (int i = 0; i < 64; ++i) {
    for (int y = i * band; y < (i + 1) * band; ++y) {
      ASSERT_EQ(RowColour(image, y), Rgb(0, 0, BlueOfBand(i, 64))) << "band " << i << " row " << y;
    }
  }
  for (int y = 64 * band; y < height; ++y)
    ASSERT_EQ(RowColour(image, y), Rgb(0, 0, 0)) << "row " << y;
  EXPECT_EQ(height - 64 * band, rest);
}

}  // namespace

TEST(MulDiv, RoundsToNearestWithHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(1, 1, 2), 1);
  EXPECT_EQ(MulDiv(-1, 1, 2), -1);
  EXPECT_EQ(MulDiv(1, -1, 2), -1);
  EXPECT_EQ(MulDiv(-3, -1, 2), 2);
  EXPECT_EQ(MulDiv(1, 1, 3), 0);
  EXPECT_EQ(MulDiv(2, 1, 3), 1);
  EXPECT_EQ(MulDiv(1, -255, 63), -4);     // -4.05
  EXPECT_EQ(MulDiv(32, -255, 63), -130);  // -129.52
  EXPECT_EQ(MulDiv(26, 96, 72), 35);
  EXPECT_EQ(MulDiv(22, 96, 72), 29);
  // The product is exact beyond 32 bits.
  EXPECT_EQ(MulDiv(2000000000, 3, 4), 1500000000);
  EXPECT_EQ(MulDiv(5, 7, 0), -1);
  EXPECT_EQ(MulDiv(2000000000, 2000000000, 1), -1);
}

TEST(GradientFill, BandsAndLeftoverRowsAtTheThreePreviewHeights) {
  ExpectBlueToBlack(274, 4, 18);  // main mock-up
  ExpectBlueToBlack(176, 2, 48);  // dialog position preview
  ExpectBlueToBlack(109, 1, 45);  // background preview
}

TEST(GradientFill, ChannelsMoveIndependentlyAndBothEndsAreExact) {
  QImage image = Filled(4, 128);
  GradientFill(image, image.rect(), 0x00204080u, 0x00FF00C0u, fdTopToBottom, 64);
  EXPECT_EQ(image.pixel(0, 0), Rgb(0x80, 0x40, 0x20));
  EXPECT_EQ(image.pixel(0, 127), Rgb(0xC0, 0x00, 0xFF));
  // Band 21 of 64: red 128+MulDiv(21,64,63)=149, green 64+MulDiv(21,-64,63)=43, blue
  // 32+MulDiv(21,223,63)=106.
  EXPECT_EQ(image.pixel(3, 42), Rgb(149, 43, 106));
  EXPECT_EQ(image.pixel(3, 43), Rgb(149, 43, 106));
}

TEST(GradientFill, EdgeCasesOfTheRectangleAndTheColourCount) {
  {  // equal colours: one plain rectangle
    QImage image = Filled(10, 50);
    GradientFill(image, image.rect(), 0x00336699u, 0x00336699u, fdTopToBottom, 64);
    for (int y = 0; y < 50; ++y) ASSERT_EQ(RowColour(image, y), Rgb(0x99, 0x66, 0x33));
  }
  {  // fewer than two colours: the start colour only
    QImage image = Filled(10, 50);
    GradientFill(image, image.rect(), 0x000000FFu, 0x00FF0000u, fdTopToBottom, 1);
    for (int y = 0; y < 50; ++y) ASSERT_EQ(RowColour(image, y), Rgb(255, 0, 0));
  }
  {  // an empty rectangle paints nothing
    QImage image = Filled(10, 50);
    GradientFill(image, QRect(0, 0, 10, 0), 0x000000FFu, 0x00FF0000u, fdTopToBottom, 64);
    for (int y = 0; y < 50; ++y) ASSERT_EQ(RowColour(image, y), Rgb(255, 255, 255));
  }
  {  // fewer rows than colours: one band per row, first start, last end
    QImage image = Filled(10, 10);
    GradientFill(image, image.rect(), 0x00FF0000u, 0x00000000u, fdTopToBottom, 64);
    for (int y = 0; y < 10; ++y) ASSERT_EQ(RowColour(image, y), Rgb(0, 0, BlueOfBand(y, 10)));
  }
  {  // one row: two bands of no height, so the row gets the end colour
    QImage image = Filled(10, 1);
    GradientFill(image, image.rect(), 0x00FF0000u, 0x000000FFu, fdTopToBottom, 64);
    EXPECT_EQ(RowColour(image, 0), Rgb(255, 0, 0));
  }
  {  // a rectangle inside the picture leaves the rest alone
    QImage image = Filled(20, 80);
    GradientFill(image, QRect(5, 10, 10, 64), 0x00FF0000u, 0x00000000u, fdTopToBottom, 64);
    EXPECT_EQ(image.pixel(4, 10), Rgb(255, 255, 255));
    EXPECT_EQ(image.pixel(5, 10), Rgb(0, 0, 255));
    EXPECT_EQ(image.pixel(14, 73), Rgb(0, 0, 0));
    EXPECT_EQ(image.pixel(15, 73), Rgb(255, 255, 255));
    EXPECT_EQ(image.pixel(5, 9), Rgb(255, 255, 255));
    EXPECT_EQ(image.pixel(5, 74), Rgb(255, 255, 255));
  }
}

TEST(GradientFill, SchemeColoursAreResolvedFromThePalette) {
  QImage image = Filled(4, 64);
  GradientFill(image, image.rect(), clBtnShadow, clBtnHighlight, fdTopToBottom, 64);
  const QPalette palette = QApplication::palette();
  EXPECT_EQ(image.pixel(0, 0), palette.color(QPalette::Active, QPalette::Dark).rgb());
  EXPECT_EQ(image.pixel(0, 63), palette.color(QPalette::Active, QPalette::Light).rgb());
}

TEST(Colours, ModelColoursAreBlueGreenRedAndSchemeColoursFollowThePalette) {
  EXPECT_EQ(ToQColor(0x00FF0000u), QColor(0, 0, 255));
  EXPECT_EQ(ToQColor(0x000000FFu), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(0x00123456u), QColor(0x56, 0x34, 0x12));
  EXPECT_EQ(ToTColor(QColor(0x56, 0x34, 0x12)), 0x00123456u);
  EXPECT_EQ(ToQColor(clSchemeFlag | 15u),
            QApplication::palette().color(QPalette::Active, QPalette::Button));
  EXPECT_EQ(ToQColor(clSchemeFlag | 2u),
            QApplication::palette().color(QPalette::Active, QPalette::Highlight));
}

TEST(Fonts, PointsBecomePixelsAtNinetySixDotsPerInchAndComeBack) {
  for (const int points : {8, 10, 22, 26, 72}) {
    const TFontDesc font{"Times New Roman", points, 0x00800000u, true, true, true, false};
    const QFont qfont = ToQFont(font);
    EXPECT_EQ(qfont.pixelSize(), MulDiv(points, 96, 72));
    EXPECT_TRUE(qfont.bold());
    EXPECT_TRUE(qfont.italic());
    EXPECT_TRUE(qfont.underline());
    EXPECT_FALSE(qfont.strikeOut());
    const TFontDesc back = ToFontDesc(qfont, font.Color);
    EXPECT_EQ(back.Name, "Times New Roman");
    EXPECT_EQ(back.Size, points);
    EXPECT_EQ(back.Color, 0x00800000u);
    EXPECT_TRUE(back.Bold && back.Italic && back.Underline && !back.StrikeOut);
  }
  // The classic faces map to installed ones.
  EXPECT_EQ(QFontInfo(ToQFont(TFontDesc{"Times New Roman", 26, 0, true})).family(),
            QStringLiteral("Liberation Serif"));
  EXPECT_EQ(QFontInfo(ToQFont(TFontDesc{"MS Sans Serif", 8, 0})).family(),
            QStringLiteral("Liberation Sans"));
}

TEST(Pictures, BuiltInPicturesHaveTheirSizesAndDepths) {
  const QImage& desktop = DesktopBitmap();
  EXPECT_EQ(desktop.size(), QSize(413, 288));
  EXPECT_EQ(desktop.format(), QImage::Format_RGB888);
  EXPECT_EQ(&desktop, &DesktopBitmap());

  const QImage& header = HeaderBitmap();
  ASSERT_EQ(header.size(), QSize(447, 62));
  EXPECT_LE(header.colorCount(), 256);
  // White above the credit line; the credit lies in rows 48 to 58 from column 5.
  bool creditSeen = false;
  for (int y = 0; y < 62; ++y) {
    for (int x = 0; x < 294; ++x) {
      const bool white = header.pixel(x, y) == qRgb(255, 255, 255);
      if (!white) {
        ASSERT_TRUE(y >= 48 && y <= 58 && x >= 5) << x << "," << y;
        creditSeen = true;
      }
    }
  }
  EXPECT_TRUE(creditSeen);

  EXPECT_EQ(BrushBitmap().size(), QSize(16, 16));
  EXPECT_FALSE(ApplicationIcon().isNull());
}

TEST(PictureBox, ShowsACopySoThatPaintingLeavesTheDesktopPictureAlone) {
  TPictureBox box;
  box.resize(100, 80);
  box.ShowDesktop();
  EXPECT_EQ(box.Picture().size(), QSize(413, 288));
  const QRgb before = DesktopBitmap().pixel(10, 10);
  box.PaintGradient(0x000000FFu, 0x000000FFu);
  EXPECT_EQ(box.Picture().pixel(10, 10), qRgb(255, 0, 0));
  EXPECT_EQ(DesktopBitmap().pixel(10, 10), before);
  // Outside the box the copy keeps the desktop.
  EXPECT_EQ(box.Picture().pixel(200, 200), DesktopBitmap().pixel(200, 200));

  TPictureBox empty;
  empty.resize(40, 30);
  empty.PaintGradient(0x00FF0000u, 0x00000000u);
  EXPECT_EQ(empty.Picture().size(), QSize(40, 30));

  // Shown unscaled from the top-left corner and cut off at the box's size.
  empty.SetPicture(DesktopBitmap());
  const QImage shown = empty.grab().toImage();
  EXPECT_EQ(shown.size(), QSize(40, 30));
  EXPECT_EQ(shown.pixel(39, 29), DesktopBitmap().pixel(39, 29));
}

namespace {

constexpr TColor kRed = 0x000000FFu;
constexpr TColor kBlack = 0x00000000u;
constexpr TColor kWhite = 0x00FFFFFFu;

// Bounding boxes of the pure-shadow (red) and pure-text (black) pixels.
struct TInk {
  QRect Shadow;
  QRect Text;
};

TInk InkOf(const QImage& image) {
  TInk ink;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 60 && c.blue() < 60) ink.Shadow |= QRect(x, y, 1, 1);
      if (c.red() < 60 && c.green() < 60 && c.blue() < 60) ink.Text |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

void Prepare(TShadowLabel& label, const QString& caption, int width, int height) {
  label.resize(width, height);
  label.SetCaption(caption);
  label.SetFontDesc(TFontDesc{"DejaVu Sans", 20, kBlack, true});
  label.SetColor(kWhite);
  label.SetTransparent(false);
  label.SetShadowColor(kRed);
}

}  // namespace

TEST(ShadowLabel, ShadowLiesShadowSizePixelsTowardsItsPosition) {
  struct Case {
    TShadowPosition Pos;
    int Dx, Dy;
  };
  for (const Case c : {Case{spRightBottom, 3, 3}, Case{spLeftTop, -3, -3},
                       Case{spLeftBottom, -3, 3}, Case{spRightTop, 3, -3}}) {
    SCOPED_TRACE(c.Pos);
    TShadowLabel label;
    // Centred on its second line, the text keeps off the edges: neither draw is cut off.
    Prepare(label, QStringLiteral("\n\u2588"), 120, 90);
    label.SetAlignment(Qt::AlignHCenter);
    label.SetShadowSize(3);
    label.SetShadowPos(c.Pos);
    const TInk ink = InkOf(label.grab().toImage());
    ASSERT_FALSE(ink.Text.isEmpty());
    ASSERT_FALSE(ink.Shadow.isEmpty());
    // The shadow is the text's shape moved; the text hides the overlap.
    EXPECT_EQ(ink.Shadow.united(ink.Text), ink.Text.united(ink.Text.translated(c.Dx, c.Dy)));
  }
}

TEST(ShadowLabel, ZeroShadowIsHiddenUnderTheTextAndTransparencyKeepsTheBackground) {
  TShadowLabel label;
  Prepare(label, QStringLiteral("\u2588 Ab"), 120, 40);
  label.SetShadowSize(0);
  EXPECT_TRUE(InkOf(label.grab().toImage()).Shadow.isEmpty());

  // Opaque: the background colour fills the label.
  label.SetColor(0x0000FF00u);
  EXPECT_EQ(label.grab().toImage().pixel(119, 39), qRgb(0, 255, 0));

  // Transparent: what is behind the label shows.
  QWidget parent;
  parent.resize(120, 40);
  parent.setAutoFillBackground(true);
  QPalette palette;
  palette.setColor(QPalette::Window, QColor(0, 0, 255));
  parent.setPalette(palette);
  auto* over = new TShadowLabel(&parent);
  Prepare(*over, QStringLiteral("\u2588 Ab"), 120, 40);
  EXPECT_EQ(parent.grab().toImage().pixel(119, 39), qRgb(255, 255, 255));
  over->SetTransparent(true);
  EXPECT_EQ(parent.grab().toImage().pixel(119, 39), qRgb(0, 0, 255));
}

TEST(ShadowLabel, EachDrawIsCutOffAtItsOwnRectangle) {
  // A caption far wider than the label: the text rectangle loses one pixel at
  // each side, the shadow's rectangle is that one moved 3 to the right.
  TShadowLabel label;
  Prepare(label, QString(20, QChar(0x2588)), 80, 40);
  label.SetShadowSize(3);
  label.SetShadowPos(spRightBottom);
  const TInk ink = InkOf(label.grab().toImage());
  EXPECT_EQ(ink.Text.right(), 78);
  EXPECT_EQ(ink.Shadow.right(), 79);
  EXPECT_GE(ink.Text.left(), 1);

  // Moved to the left-top, the shadow's rectangle starts 2 pixels left of the
  // label, so the shadow reaches column 0 while the text never does.
  label.SetShadowPos(spLeftTop);
  const TInk left = InkOf(label.grab().toImage());
  EXPECT_EQ(left.Text.left(), 1);
  EXPECT_EQ(left.Shadow.left(), 0);
  EXPECT_LE(left.Shadow.right(), 75);
}

TEST(ShadowLabel, AmpersandUnderlinesTheNextCharacterAndADoubledOneShowsItself) {
  TShadowLabel doubled;
  Prepare(doubled, QStringLiteral("A&&B"), 120, 40);
  doubled.SetShadowSize(0);
  TShadowLabel single;
  Prepare(single, QStringLiteral("A&B"), 120, 40);
  single.SetShadowSize(0);
  TShadowLabel plain;
  Prepare(plain, QStringLiteral("AB"), 120, 40);
  plain.SetShadowSize(0);
  // "&&" shows one "&" between the letters: wider than "AB".
  EXPECT_GT(InkOf(doubled.grab().toImage()).Text.width(),
            InkOf(plain.grab().toImage()).Text.width());
  // "&B" shows "B" underlined: as wide as "AB" but reaching lower.
  const QRect underlined = InkOf(single.grab().toImage()).Text;
  const QRect letters = InkOf(plain.grab().toImage()).Text;
  EXPECT_EQ(underlined.left(), letters.left());
  EXPECT_GT(underlined.bottom(), letters.bottom());
}

TEST(ShadowLabel, SettingAPropertyToItsValueDoesNotRepaint) {
  TShadowLabel label;
  label.resize(50, 20);
  label.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&label));
  label.SetShadowSize(3);
  QApplication::processEvents();
  int paints = 0;
  struct Counter : QObject {
    int* Paints;
    explicit Counter(int* paints) : Paints(paints) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) ++*Paints;
      return false;
    }
  } counter(&paints);
  label.installEventFilter(&counter);
  label.SetShadowSize(3);
  label.SetCaption(QString());
  QApplication::processEvents();
  EXPECT_EQ(paints, 0);
  label.SetShadowSize(2);
  QApplication::processEvents();
  EXPECT_EQ(paints, 1);
}
