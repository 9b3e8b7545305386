#include "ui/dialogs/dlgpos.h"

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
    : QDialog(nullptr, DialogWindowFlags()),
      Form_(std::make_unique<Ui::PosForm>()),
      Project_(project),
      Owner_(owner) {
  LayOut();
  ConnectHandlers();
}

TPosForm::~TPosForm() = default;

// The stored form dlgpos.ui lays the controls out; here is what it cannot say.
void TPosForm::LayOut() {
  setFont(DefaultWindowFont());
  Form_->setupUi(this);
  NameItems();
  FillBackground(Form_->Demo, clBtnFace);
  FillBackground(Form_->Panel3, clActiveCaption);
  SetPaletteColor(Form_->Panel3, QPalette::WindowText, clCaptionText);
}

void TPosForm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::LanguageChange) return;
  Form_->retranslateUi(this);
  NameItems();
}

// The form makes the buttons in Russian where they stand in the tab order; here
// they take the interface language.
void TPosForm::NameItems() {
  Form_->Vert->SetItems({tr("Верх"), tr("Центр"), tr("Низ")});
  Form_->Goriz->SetItems({tr("Слева"), tr("Ценр"), tr("Справа")});
}

void TPosForm::ConnectHandlers() {
  connect(Form_->Goriz, &TRadioGroup::clicked, this, [this] { GorizClick(); });
  connect(Form_->Vert, &TRadioGroup::clicked, this, [this] { VertClick(); });
  connect(Form_->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

// Every choice is taken at once, so the way the dialog closes does not matter.
void TPosForm::EditPosition() {
  const TDialogPosition& position = Project_.DialogPosition;
  Form_->Goriz->SetItemIndex(position.Horizontal);
  Form_->Vert->SetItemIndex(position.Vertical);
  PlaceDemo();
  PlaceOverOwner(this, Owner_);
  SystemDialogs().RunModal(*this);
}

void TPosForm::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TPosForm::FormShow() {
  if (Project_.BackgroundEnabled)
    Form_->Image1->PaintGradient(Project_.TopColor, Project_.BottomColor);
  else
    Form_->Image1->ShowDesktop();
}

void TPosForm::GorizClick() {
  Project_.DialogPosition.Horizontal = Form_->Goriz->ItemIndex();
  PlaceDemo();
}

void TPosForm::VertClick() {
  Project_.DialogPosition.Vertical = Form_->Vert->ItemIndex();
  PlaceDemo();
}

void TPosForm::PlaceDemo() {
  Form_->Demo->move(Form_->Goriz->ItemIndex() * kColumnStep, Form_->Vert->ItemIndex() * kRowStep);
}
