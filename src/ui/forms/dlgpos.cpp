#include "ui/forms/dlgpos.h"

#include <QLabel>
#include <QPushButton>

#include "ui/support/sysdialogs.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/radiogroup.h"
#include "ui/widgets/render.h"
#include "ui_dlgpos.h"

namespace {
constexpr int kColumnStep = 80;
constexpr int kRowStep = 60;
}  // namespace

TPosForm::TPosForm(TProject& project, QWidget* owner)
    : QDialog(nullptr, DialogWindowFlags()), Project_(project), Owner_(owner) {
  LayOut();
  ConnectHandlers();
}

// The stored form dlgpos.ui lays the controls out; here is what it cannot say.
void TPosForm::LayOut() {
  setFont(DefaultWindowFont());
  Ui::PosForm form;
  form.setupUi(this);
  FillBackground(form.Demo, clBtnFace);
  FillBackground(form.Panel3, clActiveCaption);
  SetPaletteColor(form.Panel3, QPalette::WindowText, clCaptionText);

  Panel1_ = form.Panel1;
  Image1_ = form.Image1;
  Demo_ = form.Demo;
  Panel3_ = form.Panel3;
  Vert_ = form.Vert;
  Goriz_ = form.Goriz;
  BitBtn1_ = form.BitBtn1;
}

void TPosForm::ConnectHandlers() {
  connect(Goriz_, &TRadioGroup::clicked, this, [this] { GorizClick(); });
  connect(Vert_, &TRadioGroup::clicked, this, [this] { VertClick(); });
  connect(BitBtn1_, &QPushButton::clicked, this, &QDialog::accept);
}

// Every choice is taken at once, so the way the dialog closes does not matter.
void TPosForm::EditPosition() {
  const TDialogPosition& position = Project_.DialogPosition;
  Goriz_->SetItemIndex(position.Horizontal);
  Vert_->SetItemIndex(position.Vertical);
  PlaceDemo();
  PlaceOverOwner(this, Owner_);
  SystemDialogs().RunModal(*this);
}

void TPosForm::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TPosForm::FormShow(QObject*) {
  if (Project_.BackgroundEnabled)
    Image1_->PaintGradient(Project_.TopColor, Project_.BottomColor);
  else
    Image1_->ShowDesktop();
}

void TPosForm::GorizClick(QObject*) {
  Project_.DialogPosition.Horizontal = Goriz_->ItemIndex();
  PlaceDemo();
}

void TPosForm::VertClick(QObject*) {
  Project_.DialogPosition.Vertical = Vert_->ItemIndex();
  PlaceDemo();
}

void TPosForm::PlaceDemo() {
  Demo_->move(Goriz_->ItemIndex() * kColumnStep, Vert_->ItemIndex() * kRowStep);
}
