// Draws the editor's built-in pictures into the directory given as the only
// argument: desktop.png (413x288, the desktop shown when the setup has no
// background window), header.png (447x62, 256 colours, the mock dialog's
// header) and brush.png (16x16, the icon of the "change" buttons). The program's
// icon is drawn by hand in vuka-manager.svg; tools/render-icons.sh renders its PNGs.
//
// Build and run: cmake --build <build dir> --target pictures
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <cstdio>

namespace {

void Cloud(QPainter& p, QRandomGenerator& random, double cx, double cy, double scale) {
  // A cloud is a cluster of soft white puffs, flatter at the bottom.
  for (int i = 0; i < 14; ++i) {
    const double dx = (random.generateDouble() - 0.5) * 70 * scale;
    const double dy = (random.generateDouble() - 0.7) * 18 * scale;
    const double r = (10 + random.generateDouble() * 14) * scale;
    QRadialGradient puff(cx + dx, cy + dy, r);
    puff.setColorAt(0.0, QColor(255, 255, 255, 235));
    puff.setColorAt(0.6, QColor(250, 252, 255, 170));
    puff.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(puff);
    p.drawEllipse(QPointF(cx + dx, cy + dy), r, r);
  }
}

void IconCaption(QPainter& p, int centerX, int top, const QString& text) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(9);
  p.setFont(font);
  const QRect box(centerX - 36, top, 72, 12);
  p.setPen(QColor(0, 0, 0, 160));
  p.drawText(box.translated(1, 1), Qt::AlignHCenter | Qt::AlignTop, text);
  p.setPen(Qt::white);
  p.drawText(box, Qt::AlignHCenter | Qt::AlignTop, text);
}

void ComputerIcon(QPainter& p, int x, int y) {
  p.setPen(QColor(40, 40, 40));
  p.setBrush(QColor(205, 205, 200));
  p.drawRect(x + 3, y + 2, 26, 20);  // monitor
  p.setBrush(QColor(20, 70, 140));
  p.drawRect(x + 6, y + 5, 20, 14);  // screen
  p.setBrush(QColor(205, 205, 200));
  p.drawRect(x + 12, y + 22, 8, 3);  // stand
  p.drawRect(x + 4, y + 25, 24, 5);  // base unit
  p.setPen(QColor(60, 160, 60));
  p.drawPoint(x + 24, y + 27);
}

void FolderIcon(QPainter& p, int x, int y) {
  p.setPen(QColor(120, 90, 10));
  p.setBrush(QColor(230, 190, 70));
  p.drawRect(x + 3, y + 6, 11, 5);  // tab
  p.setBrush(QColor(250, 215, 100));
  p.drawRect(x + 3, y + 9, 26, 19);  // body
  p.setPen(QColor(255, 240, 170));
  p.drawLine(x + 4, y + 10, x + 28, y + 10);
}

void BinIcon(QPainter& p, int x, int y) {
  p.setPen(QColor(50, 50, 60));
  p.setBrush(QColor(190, 200, 210));
  QPolygon body;
  body << QPoint(x + 7, y + 8) << QPoint(x + 25, y + 8) << QPoint(x + 23, y + 29)
       << QPoint(x + 9, y + 29);
  p.drawPolygon(body);
  p.drawRect(x + 5, y + 5, 22, 3);  // lid
  for (int i = 0; i < 3; ++i) p.drawLine(x + 12 + i * 4, y + 11, x + 12 + i * 4, y + 26);
}

void NetworkIcon(QPainter& p, int x, int y) {
  p.setPen(QColor(30, 60, 30));
  p.setBrush(QColor(80, 150, 220));
  p.drawEllipse(QPoint(x + 16, y + 15), 12, 12);  // globe
  p.setBrush(QColor(90, 170, 80));
  p.drawEllipse(QPoint(x + 12, y + 12), 5, 4);
  p.drawEllipse(QPoint(x + 20, y + 19), 4, 5);
  p.setBrush(Qt::NoBrush);
  p.drawLine(x + 4, y + 15, x + 28, y + 15);
}

void DocumentsIcon(QPainter& p, int x, int y) {
  p.setPen(QColor(60, 60, 60));
  p.setBrush(Qt::white);
  p.drawRect(x + 9, y + 3, 18, 24);
  p.drawRect(x + 5, y + 6, 18, 24);
  p.setPen(QColor(120, 120, 160));
  for (int i = 0; i < 5; ++i) p.drawLine(x + 8, y + 11 + i * 4, x + 20, y + 11 + i * 4);
}

QImage Desktop() {
  QImage image(413, 288, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient sky(0, 0, 0, 288);
  sky.setColorAt(0.0, QColor(40, 100, 190));
  sky.setColorAt(0.55, QColor(95, 160, 225));
  sky.setColorAt(1.0, QColor(170, 210, 245));
  p.fillRect(image.rect(), sky);
  p.setRenderHint(QPainter::Antialiasing);
  QRandomGenerator random(1251);
  Cloud(p, random, 150, 50, 1.2);
  Cloud(p, random, 320, 95, 1.0);
  Cloud(p, random, 230, 170, 1.4);
  Cloud(p, random, 380, 230, 0.9);
  Cloud(p, random, 110, 245, 1.1);
  p.setRenderHint(QPainter::Antialiasing, false);

  // The column of desktop icons at the left edge.
  struct Item {
    void (*draw)(QPainter&, int, int);
    const char* caption;
  };
  const Item items[] = {{ComputerIcon, "Компьютер"},
                        {DocumentsIcon, "Документы"},
                        {NetworkIcon, "Сеть"},
                        {FolderIcon, "Программы"},
                        {BinIcon, "Корзина"}};
  int top = 8;
  for (const Item& item : items) {
    item.draw(p, 20, top);
    IconCaption(p, 36, top + 33, QString::fromUtf8(item.caption));
    top += 56;
  }
  p.end();
  return image.convertToFormat(QImage::Format_RGB888);
}

QImage Header() {
  QImage image(447, 62, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  // A faint one-line credit near the lower edge (rows 48 to 58, from column 5).
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(10);
  p.setFont(font);
  p.setPen(QColor(200, 200, 200));
  p.drawText(QRect(5, 48, 370, 11), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromUtf8("Visual vuka.ini manager [ROVEL] 1.0 — вид программы установки"));
  // A grey mark at the right end (columns 379 to 446), beyond what the mock dialog shows.
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(170, 170, 170), 3));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRect(385, 5, 52, 52));
  QFont mark(QStringLiteral("DejaVu Serif"));
  mark.setPixelSize(26);
  mark.setBold(true);
  p.setFont(mark);
  p.drawText(QRect(379, 0, 68, 62), Qt::AlignCenter, QStringLiteral("V"));
  p.end();
  // 256 colours, as the original header.
  return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}

void Brush(QPainter& p, double scale) {
  p.scale(scale, scale);
  p.setRenderHint(QPainter::Antialiasing);
  // Handle from the upper right to the ferrule, bristles at the lower left.
  QPainterPath handle;
  handle.moveTo(14.5, 0.8);
  handle.lineTo(15.5, 1.8);
  handle.lineTo(8.6, 9.2);
  handle.lineTo(6.8, 7.4);
  handle.closeSubpath();
  p.setPen(QPen(QColor(90, 45, 10), 0.6));
  p.setBrush(QColor(170, 95, 35));
  p.drawPath(handle);
  QPainterPath ferrule;
  ferrule.moveTo(6.2, 7.0);
  ferrule.lineTo(9.0, 9.8);
  ferrule.lineTo(7.6, 11.2);
  ferrule.lineTo(4.8, 8.4);
  ferrule.closeSubpath();
  p.setPen(QPen(QColor(70, 70, 80), 0.6));
  p.setBrush(QColor(200, 200, 210));
  p.drawPath(ferrule);
  QPainterPath bristles;
  bristles.moveTo(4.6, 8.6);
  bristles.lineTo(7.4, 11.4);
  bristles.cubicTo(6.0, 13.8, 3.2, 15.4, 0.6, 15.4);
  bristles.cubicTo(0.6, 12.6, 2.2, 10.0, 4.6, 8.6);
  p.setPen(QPen(QColor(0, 40, 120), 0.6));
  p.setBrush(QColor(30, 110, 230));
  p.drawPath(bristles);
}

QImage BrushIcon() {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  Brush(p, 1.0);
  p.end();
  return image;
}

bool Save(const QImage& image, const QString& dir, const char* name) {
  const QString path = dir + QLatin1Char('/') + QLatin1String(name);
  if (image.save(path, "PNG", 9)) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw-pictures <output directory>\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  const bool ok = Save(Desktop(), dir, "desktop.png") && Save(Header(), dir, "header.png") &&
                  Save(BrushIcon(), dir, "brush.png");
  return ok ? 0 : 1;
}
