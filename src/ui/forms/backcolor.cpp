#include "ui/forms/backcolor.h"

#include <QCheckBox>
#include <QPushButton>
#include <QToolButton>

#include "ui/support/errorbox.h"
#include "ui/support/sysdialogs.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/render.h"
#include "ui_backcolor.h"

namespace {
constexpr int kGradientColors = 64;
}

TColorForm::TColorForm(QWidget* owner) : QDialog(nullptr, DialogWindowFlags()), Owner_(owner) {
  LayOut();
  ConnectHandlers();
}

// The stored form backcolor.ui lays the controls out; here is what it cannot say.
// In the form the separator lies under the check box, which is opaque and covers
// it where they overlap, so that only its part right of the box shows.
void TColorForm::LayOut() {
  setFont(DefaultWindowFont());
  Ui::ColorForm form;
  form.setupUi(this);
  SetBrushPicture(form.TColor);
  SetBrushPicture(form.BColor);

  TColor_ = form.TColor;
  BColor_ = form.BColor;
  EnableBackground_ = form.EnableBackground;
  Bevel1_ = form.Bevel1;
  Preview_ = form.Preview;
  Back_ = form.Back;
  BitBtn1_ = form.BitBtn1;
  BitBtn2_ = form.BitBtn2;
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
