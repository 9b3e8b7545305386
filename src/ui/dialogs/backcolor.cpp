#include "ui/dialogs/backcolor.h"

#include <QCheckBox>
#include <QPushButton>
#include <QToolButton>

#include "ui/support/errorbox.h"
#include "ui/support/sysdialogs.h"
#include "ui/widgets/accessibility.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/render.h"
#include "ui_backcolor.h"

namespace {
constexpr int kGradientColors = 64;
}

TColorForm::TColorForm(QWidget* owner)
    : QDialog(nullptr, DialogWindowFlags()),
      Form_(std::make_unique<Ui::ColorForm>()),
      Owner_(owner) {
  LayOut();
  ConnectHandlers();
}

TColorForm::~TColorForm() = default;

// The stored form backcolor.ui lays the controls out; here is what it cannot say.
// In the form the separator lies under the check box, which is opaque and covers
// it where they overlap, so that only its part right of the box shows.
void TColorForm::LayOut() {
  setFont(DefaultWindowFont());
  Form_->setupUi(this);
  SetBrushPicture(Form_->TColor);
  SetBrushPicture(Form_->BColor);
}

void TColorForm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::LanguageChange) return;
  Form_->retranslateUi(this);
  // The colour buttons describe the colours once the dialog has shown them.
  if (!Form_->TColor->accessibleDescription().isEmpty()) {
    DescribeChoice(Form_->TColor, ColorName(TopColor_));
    DescribeChoice(Form_->BColor, ColorName(BottomColor_));
  }
}

void TColorForm::ConnectHandlers() {
  connect(Form_->TColor, &QToolButton::clicked, this, ReportingErrors([this] { TColorClick(); }));
  connect(Form_->BColor, &QToolButton::clicked, this, ReportingErrors([this] { BColorClick(); }));
  connect(Form_->EnableBackground, &QCheckBox::clicked, this,
          ReportingErrors([this] { EnableBackgroundClick(); }));
  connect(Form_->BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
  connect(Form_->BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

bool TColorForm::EditBackground(TProject& project) {
  SetTopColor(project.TopColor);
  SetBottomColor(project.BottomColor);
  Form_->EnableBackground->setChecked(project.BackgroundEnabled);
  EnableBackgroundClick();
  PlaceOverOwner(this, Owner_);

  if (SystemDialogs().RunModal(*this) != QDialog::Accepted) return false;

  project.TopColor = TopColor_;
  project.BottomColor = BottomColor_;
  project.BackgroundEnabled = Form_->EnableBackground->isChecked();
  return true;
}

void TColorForm::SetTopColor(TColor color) {
  TopColor_ = color;
  DescribeChoice(Form_->TColor, ColorName(color));
  PaintPreview();
}

void TColorForm::SetBottomColor(TColor color) {
  BottomColor_ = color;
  DescribeChoice(Form_->BColor, ColorName(color));
  PaintPreview();
}

void TColorForm::PaintPreview() {
  if (Form_->EnableBackground->isChecked())
    GradientFill(Form_->Back->Picture(), Form_->Back->geometry(), TopColor_, BottomColor_,
                 fdTopToBottom, kGradientColors);
  else
    Form_->Back->SetPicture(DesktopBitmap());
}

void TColorForm::TColorClick() {
  TColor color = TopColor_;
  if (!SystemDialogs().ChooseColor(this, color)) return;
  SetTopColor(color);
  Form_->Back->update();
}

void TColorForm::BColorClick() {
  TColor color = BottomColor_;
  if (!SystemDialogs().ChooseColor(this, color)) return;
  SetBottomColor(color);
  Form_->Back->update();
}

void TColorForm::EnableBackgroundClick() {
  PaintPreview();
  Form_->Back->update();
}
