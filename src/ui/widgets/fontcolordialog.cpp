#include "ui/widgets/fontcolordialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>

#include "ui/widgets/accessibility.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/render.h"

QString PlainFamilyName(const QString& family) {
  const qsizetype bracket = family.lastIndexOf(QStringLiteral(" ["));
  if (bracket > 0 && family.endsWith(QLatin1Char(']'))) return family.left(bracket);
  return family;
}

namespace {

// The family's own name for the style of the font. The font list matches
// styles by these names, which are not translated like Qt's generic ones.
QString MatchingStyleName(const QString& family, const QFont& font) {
  const int wanted = font.bold() ? QFont::Bold : QFont::Normal;
  QString best;
  int bestDistance = 0;
  for (const QString& style : QFontDatabase::styles(family)) {
    if (QFontDatabase::italic(family, style) != font.italic()) continue;
    const int weight = QFontDatabase::weight(family, style);
    if ((weight >= QFont::Bold) != font.bold()) continue;
    const int distance = std::abs(weight - wanted);
    if (best.isEmpty() || distance < bestDistance) {
      best = style;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace

TFontColorDialog::TFontColorDialog(QWidget* parent, TColorChooser chooseColor)
    : QDialog(parent, DialogWindowFlags()), ChooseColor_(std::move(chooseColor)) {
  setObjectName(QStringLiteral("SelectFont"));
  setWindowTitle(tr("Шрифт"));

  Fonts_ = new QFontDialog(this);
  Fonts_->setObjectName(QStringLiteral("FontChoice"));
  Fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
  Fonts_->setWindowFlags(Qt::Widget);
  Fonts_->setSizeGripEnabled(false);
  Fonts_->installEventFilter(this);

  auto* colorLabel = new QLabel(tr("Цвет:"), this);
  ColorSwatch_ = MakeSwatch(this, QStringLiteral("FontColor"), QRect(0, 0, 81, 22));
  ColorSwatch_->setFixedSize(81, 22);
  ColorButton_ = new QPushButton(tr("Выбрать цвет..."), this);
  ColorButton_->setObjectName(QStringLiteral("ChooseFontColor"));
  colorLabel->setBuddy(ColorButton_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("Buttons"));
  // The embedded font list brings a hidden default button of its own.
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);

  auto* colorRow = new QHBoxLayout;
  colorRow->addWidget(colorLabel);
  colorRow->addWidget(ColorSwatch_);
  colorRow->addWidget(ColorButton_);
  colorRow->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Fonts_);
  layout->addLayout(colorRow);
  layout->addWidget(buttons);

  connect(ColorButton_, &QPushButton::clicked, this, &TFontColorDialog::ColorClick);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // The embedded font list closing by itself answers the whole dialog.
  connect(Fonts_, &QDialog::finished, this, &QDialog::done);
}

void TFontColorDialog::SetFontDesc(const TFontDesc& font) {
  StartName_ = font.Name;
  const QString name = QString::fromStdString(Cp1251ToUtf8(font.Name));
  QFont start(name);
  start.setPointSize(font.Size > 0 ? font.Size : 8);
  start.setBold(font.Bold);
  start.setItalic(font.Italic);
  start.setUnderline(font.Underline);
  start.setStrikeOut(font.StrikeOut);
  // A face that is not installed starts the list at the face that stands in for it.
  StartFamily_ = QFontDatabase::hasFamily(name) ? name : QFontInfo(start).family();
  start.setFamily(StartFamily_);
  start.setStyleName(MatchingStyleName(StartFamily_, start));
  Fonts_->setCurrentFont(start);
  Color_ = font.Color;
  ShowColor();
}

TFontDesc TFontColorDialog::FontDesc() const {
  const QFont chosen = Fonts_->currentFont();
  TFontDesc font;
  const QString family = PlainFamilyName(chosen.family());
  font.Name = family.compare(StartFamily_, Qt::CaseInsensitive) == 0
                  ? StartName_
                  : Utf8ToCp1251(family.toStdString());
  font.Size = chosen.pointSize() > 0 ? chosen.pointSize() : QFontInfo(chosen).pointSize();
  font.Color = Color_;
  font.Bold = chosen.weight() >= QFont::Bold;
  font.Italic = chosen.style() != QFont::StyleNormal;
  font.Underline = chosen.underline();
  font.StrikeOut = chosen.strikeOut();
  return font;
}

// The embedded font list is a dialog of its own: Esc and Enter would close it
// alone and leave an empty frame. They answer the whole dialog instead.
bool TFontColorDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Fonts_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) {
      reject();
      return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      accept();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFontColorDialog::ColorClick() {
  TColor color = Color_;
  if (!ChooseColor_ || !ChooseColor_(this, color)) return;
  Color_ = color;
  ShowColor();
}

void TFontColorDialog::ShowColor() {
  SetSwatchColor(ColorSwatch_, Color_);
  DescribeChoice(ColorButton_, ColorName(Color_));
}
