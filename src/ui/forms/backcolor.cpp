#include "ui/forms/backcolor.h"

#include <QCheckBox>
#include <QPushButton>
#include <QToolButton>

#include "ui/support/errorbox.h"
#include "ui/support/sysdialogs.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/render.h"

namespace {
constexpr int kGradientColors = 64;
}

TColorForm::TColorForm(QWidget* owner) : QDialog(nullptr, DialogWindowFlags()), Owner_(owner) {
  LayOut();
  ConnectHandlers();
}

void TColorForm::LayOut() {
  SetUpDialog(this, QStringLiteral("ColorForm"),
              QStringLiteral("Выбор цветов для градиентного заполнения"), QSize(342, 123));

  TColor_ = MakeBrushButton(this, QStringLiteral("TColor"), QStringLiteral("Верхний цвет"),
                            QRect(8, 8, 201, 22));
  BColor_ = MakeBrushButton(this, QStringLiteral("BColor"), QStringLiteral("Нижний цвет"),
                            QRect(8, 32, 201, 22));
  EnableBackground_ = MakeCheckBox(this, QStringLiteral("EnableBackground"),
                                   QStringLiteral("использовать фон"), QRect(8, 60, 137, 17));
  EnableBackground_->setChecked(true);

  Bevel1_ = new TBevelLine(this, QStringLiteral("Bevel1"), QRect(8, 74, 201, 9));
  // The separator is drawn on the dialog itself: the check box, opaque, covers
  // it where they overlap, so that only its part right of the box shows.
  EnableBackground_->setAutoFillBackground(true);
  Bevel1_->stackUnder(EnableBackground_);

  Preview_ = MakeBorderPanel(this, QStringLiteral("Preview"), QRect(216, 5, 121, 113));
  Back_ = new TPictureBox(PanelClient(Preview_));
  Back_->setObjectName(QStringLiteral("Back"));
  Back_->setGeometry(0, 0, 117, 109);

  BitBtn1_ =
      MakeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("Отмена"), QRect(12, 92, 97, 25));
  BitBtn2_ =
      MakeButton(this, QStringLiteral("BitBtn2"), QStringLiteral("OK"), QRect(116, 92, 91, 25));
  BitBtn2_->setDefault(true);
}

void TColorForm::ConnectHandlers() {
  connect(TColor_, &QToolButton::clicked, this, ReportingErrors([this] { TColorClick(); }));
  connect(BColor_, &QToolButton::clicked, this, ReportingErrors([this] { BColorClick(); }));
  connect(EnableBackground_, &QCheckBox::clicked, this,
          ReportingErrors([this] { EnableBackgroundClick(); }));
  connect(BitBtn2_, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn1_, &QPushButton::clicked, this, &QDialog::reject);
}

bool TColorForm::EditBackground(TProject& project) {
  SetTopColor(project.TopColor);
  SetBottomColor(project.BottomColor);
  EnableBackground_->setChecked(project.BackgroundEnabled);
  EnableBackgroundClick();
  PlaceOverOwner(this, Owner_);

  if (SystemDialogs().RunModal(*this) != QDialog::Accepted) return false;

  project.TopColor = TopColor_;
  project.BottomColor = BottomColor_;
  project.BackgroundEnabled = EnableBackground_->isChecked();
  return true;
}

void TColorForm::SetTopColor(TColor color) {
  TopColor_ = color;
  PaintPreview();
}

void TColorForm::SetBottomColor(TColor color) {
  BottomColor_ = color;
  PaintPreview();
}

void TColorForm::PaintPreview() {
  if (EnableBackground_->isChecked())
    GradientFill(Back_->Picture(), Back_->geometry(), TopColor_, BottomColor_, fdTopToBottom,
                 kGradientColors);
  else
    Back_->SetPicture(DesktopBitmap());
}

void TColorForm::TColorClick(QObject*) {
  TColor color = TopColor_;
  if (!SystemDialogs().ChooseColor(this, color)) return;
  SetTopColor(color);
  Back_->update();
}

void TColorForm::BColorClick(QObject*) {
  TColor color = BottomColor_;
  if (!SystemDialogs().ChooseColor(this, color)) return;
  SetBottomColor(color);
  Back_->update();
}

void TColorForm::EnableBackgroundClick(QObject*) {
  PaintPreview();
  Back_->update();
}
