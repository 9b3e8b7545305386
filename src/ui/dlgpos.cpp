#include "ui/dlgpos.h"

#include <QLabel>
#include <QPushButton>

#include "ui/dialogparts.h"
#include "ui/radiogroup.h"
#include "ui/render.h"
#include "ui/sysdialogs.h"
#include "ui/vgmain.h"

namespace {
constexpr int kGradientColors = 64;
constexpr int kColumnStep = 80;
constexpr int kRowStep = 60;
constexpr TColor kButtonFace = clSchemeFlag | 15u;
constexpr TColor kActiveCaption = clSchemeFlag | 2u;
constexpr TColor kCaptionText = clSchemeFlag | 9u;
}  // namespace

TPosForm::TPosForm(TMainForm* mainForm)
    : QDialog(nullptr, DialogWindowFlags()), MainForm_(mainForm) {
  setObjectName(QStringLiteral("PosForm"));
  setWindowTitle(QStringLiteral("Позиция диалога"));
  setFont(DefaultWindowFont());
  setFixedSize(334, 243);

  Panel1_ = MakeBorderPanel(this, QStringLiteral("Panel1"), QRect(8, 8, 240, 180));
  QWidget* screen = PanelClient(Panel1_);
  Image1_ = new TPictureBox(screen);
  Image1_->setObjectName(QStringLiteral("Image1"));
  Image1_->setGeometry(0, 0, 236, 176);

  Demo_ = new QFrame(screen);
  Demo_->setObjectName(QStringLiteral("Demo"));
  Demo_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Demo_->setLineWidth(1);
  Demo_->setAutoFillBackground(true);
  QPalette demoPalette = Demo_->palette();
  demoPalette.setColor(QPalette::Window, ToQColor(kButtonFace));
  Demo_->setPalette(demoPalette);
  Demo_->setGeometry(80, 60, 80, 60);

  Panel3_ = new QLabel(QStringLiteral(" Setup"), Demo_);
  Panel3_->setObjectName(QStringLiteral("Panel3"));
  Panel3_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Panel3_->setAutoFillBackground(true);
  QPalette titlePalette = Panel3_->palette();
  titlePalette.setColor(QPalette::Window, ToQColor(kActiveCaption));
  titlePalette.setColor(QPalette::WindowText, ToQColor(kCaptionText));
  Panel3_->setPalette(titlePalette);
  Panel3_->setFont(DefaultWindowFont());
  Panel3_->setGeometry(1, 1, 78, 14);

  Vert_ = new TRadioGroup(this, QStringLiteral("Vert"), QStringLiteral(" Вертикаль "),
                          {QStringLiteral("Верх"), QStringLiteral("Центр"), QStringLiteral("Низ")},
                          1, QRect(256, 2, 73, 186));
  Vert_->SetItemIndex(1);
  Goriz_ =
      new TRadioGroup(this, QStringLiteral("Goriz"), QStringLiteral(" Горизонталь "),
                      {QStringLiteral("Слева"), QStringLiteral("Ценр"), QStringLiteral("Справа")},
                      3, QRect(6, 192, 241, 41));
  Goriz_->SetItemIndex(1);

  BitBtn1_ = new QPushButton(QStringLiteral("OK"), this);
  BitBtn1_->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1_->setGeometry(255, 203, 75, 25);
  BitBtn1_->setDefault(true);

  connect(Goriz_, &TRadioGroup::clicked, this, [this] { GorizClick(); });
  connect(Vert_, &TRadioGroup::clicked, this, [this] { VertClick(); });
  connect(BitBtn1_, &QPushButton::clicked, this, &QDialog::accept);
}

// Every choice is taken at once, so the way the dialog closes does not matter.
void TPosForm::EditPosition() {
  const TDialogPosition& position = MainForm_->Project().DialogPosition;
  Goriz_->SetItemIndex(position.Horizontal);
  Vert_->SetItemIndex(position.Vertical);
  PlaceDemo();
  PlaceOverOwner(this, MainForm_);
  SystemDialogs().RunModal(*this);
}

void TPosForm::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TPosForm::FormShow(QObject*) {
  const TProject& project = MainForm_->Project();
  if (project.BackgroundEnabled)
    Image1_->PaintGradient(project.TopColor, project.BottomColor);
  else
    Image1_->ShowDesktop();
}

void TPosForm::GorizClick(QObject*) {
  MainForm_->Project().DialogPosition.Horizontal = Goriz_->ItemIndex();
  PlaceDemo();
}

void TPosForm::VertClick(QObject*) {
  MainForm_->Project().DialogPosition.Vertical = Vert_->ItemIndex();
  PlaceDemo();
}

void TPosForm::PlaceDemo() {
  Demo_->move(Goriz_->ItemIndex() * kColumnStep, Vert_->ItemIndex() * kRowStep);
}
