#include "ui/forms/dlgpos.h"

#include <QLabel>
#include <QPushButton>

#include "ui/support/sysdialogs.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/radiogroup.h"
#include "ui/widgets/render.h"

namespace {
constexpr int kColumnStep = 80;
constexpr int kRowStep = 60;
}  // namespace

TPosForm::TPosForm(TProject& project, QWidget* owner)
    : QDialog(nullptr, DialogWindowFlags()), Project_(project), Owner_(owner) {
  LayOut();
  ConnectHandlers();
}

void TPosForm::LayOut() {
  SetUpDialog(this, QStringLiteral("PosForm"), QStringLiteral("Позиция диалога"), QSize(334, 243));

  LayOutMiniature();
  Vert_ = new TRadioGroup(this, QStringLiteral("Vert"), QStringLiteral(" Вертикаль "),
                          {QStringLiteral("Верх"), QStringLiteral("Центр"), QStringLiteral("Низ")},
                          1, QRect(256, 2, 73, 186));
  Vert_->SetItemIndex(1);
  Goriz_ =
      new TRadioGroup(this, QStringLiteral("Goriz"), QStringLiteral(" Горизонталь "),
                      {QStringLiteral("Слева"), QStringLiteral("Ценр"), QStringLiteral("Справа")},
                      3, QRect(6, 192, 241, 41));
  Goriz_->SetItemIndex(1);

  BitBtn1_ =
      MakeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("OK"), QRect(255, 203, 75, 25));
  BitBtn1_->setDefault(true);
}

// The miniature screen: a bordered panel with the picture and the setup dialog.
void TPosForm::LayOutMiniature() {
  Panel1_ = MakeBorderPanel(this, QStringLiteral("Panel1"), QRect(8, 8, 240, 180));
  QWidget* screen = PanelClient(Panel1_);
  Image1_ = new TPictureBox(screen);
  Image1_->setObjectName(QStringLiteral("Image1"));
  Image1_->setGeometry(0, 0, 236, 176);

  Demo_ = new QFrame(screen);
  Demo_->setObjectName(QStringLiteral("Demo"));
  Demo_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Demo_->setLineWidth(1);
  FillBackground(Demo_, clBtnFace);
  Demo_->setGeometry(80, 60, 80, 60);

  Panel3_ = new QLabel(QStringLiteral(" Setup"), Demo_);
  Panel3_->setObjectName(QStringLiteral("Panel3"));
  Panel3_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  FillBackground(Panel3_, clActiveCaption);
  SetPaletteColor(Panel3_, QPalette::WindowText, clCaptionText);
  Panel3_->setFont(DefaultWindowFont());
  Panel3_->setGeometry(1, 1, 78, 14);
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
