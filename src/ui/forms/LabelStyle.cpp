#include "ui/forms/LabelStyle.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "model/defaults.h"
#include "ui/support/errorbox.h"
#include "ui/support/sysdialogs.h"
#include "ui/widgets/cp1251input.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/render.h"

namespace {

QString FromModel(const std::string& text) { return QString::fromStdString(Cp1251ToUtf8(text)); }
std::string ToModel(const QString& text) { return Utf8ToCp1251(text.toStdString()); }

const QString kSampleCaption = QStringLiteral("Пример надписи");
constexpr TColor kWhite = 0x00FFFFFFu;
constexpr int kShadowSize = 3;

}  // namespace

TStyleDlg::TStyleDlg(QWidget* owner) : QDialog(nullptr, DialogWindowFlags()), Owner_(owner) {
  LayOut();
  ConnectHandlers();
}

void TStyleDlg::LayOut() {
  SetUpDialog(this, QStringLiteral("StyleDlg"), QStringLiteral("Вид надписи"), QSize(382, 200));

  Label1_ = new QLabel(QStringLiteral("Название программы:"), this);
  Label1_->setObjectName(QStringLiteral("Label1"));
  Label1_->move(6, 11);
  Label1_->adjustSize();
  ProgName_ = new QLineEdit(this);
  ProgName_->setObjectName(QStringLiteral("ProgName"));
  ProgName_->setGeometry(126, 8, 249, 21);
  InstallCp1251Guard(ProgName_);
  Label1_->setBuddy(ProgName_);

  TextFont_ =
      MakeBrushButton(this, QStringLiteral("TextFont"),
                      QStringLiteral("Выбрать шрифт  и цвет надписи"), QRect(6, 32, 283, 22));
  TxtColor_ = MakeSwatch(this, QStringLiteral("TxtColor"), QRect(294, 32, 81, 22));
  ShadowColor_ =
      MakeBrushButton(this, QStringLiteral("ShadowColor"),
                      QStringLiteral("Выбрать цвет тени надписи"), QRect(6, 56, 283, 22));
  SColor_ = MakeSwatch(this, QStringLiteral("SColor"), QRect(294, 56, 81, 22));
  UseShadow_ = MakeCheckBox(this, QStringLiteral("UseShadow"), QStringLiteral("надпись с тенью"),
                            QRect(7, 80, 113, 17));
  ShowIt_ = MakeCheckBox(this, QStringLiteral("ShowIt"), QStringLiteral("показывать эту надпись"),
                         QRect(128, 80, 161, 17));

  Bevel1_ = new TBevelLine(this, QStringLiteral("Bevel1"), QRect(6, 96, 369, 9));
  // The separator is drawn on the dialog itself: the check boxes, opaque, cover
  // its first row where they overlap it.
  UseShadow_->setAutoFillBackground(true);
  ShowIt_->setAutoFillBackground(true);
  Bevel1_->stackUnder(UseShadow_);

  Preview_ = new TShadowLabel(this);
  Preview_->setObjectName(QStringLiteral("Preview"));
  Preview_->setGeometry(5, 107, 369, 50);
  Preview_->SetTransparent(false);
  Preview_->SetAlignment(Qt::AlignHCenter);
  Preview_->SetFontDesc(TFontDesc{"Times New Roman", 22, 0, false, false, false, false});
  Preview_->SetCaption(QStringLiteral("Примерный вид"));
  Preview_->SetShadowSize(kShadowSize);
  Preview_->SetShadowPos(spRightBottom);
  Preview_->setToolTip(QStringLiteral("Примерный вид надписи"));
  Bevel2_ = new TBevelLine(this, QStringLiteral("Bevel2"), QRect(5, 152, 369, 9));

  BitBtn2_ = MakeButton(this, QStringLiteral("BitBtn2"), QStringLiteral("Отмена"),
                        QRect(184, 168, 89, 25));
  BitBtn1_ =
      MakeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("OK"), QRect(280, 168, 89, 25));
  BitBtn1_->setDefault(true);
}

void TStyleDlg::ConnectHandlers() {
  connect(TextFont_, &QToolButton::clicked, this, ReportingErrors([this] { TextFontClick(); }));
  connect(ShadowColor_, &QToolButton::clicked, this,
          ReportingErrors([this] { ShadowColorClick(); }));
  connect(UseShadow_, &QCheckBox::clicked, this, ReportingErrors([this] { UseShadowClick(); }));
  connect(ShowIt_, &QCheckBox::clicked, this, ReportingErrors([this] { ShowItClick(); }));
  connect(ProgName_, &QLineEdit::textChanged, this, [this] { ProgNameChange(); });
  connect(BitBtn1_, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn2_, &QPushButton::clicked, this, &QDialog::reject);
}

bool TStyleDlg::EditMainTitle(TProject& project) {
  Open(TTarget::MainTitle, project);
  if (SystemDialogs().RunModal(*this) != QDialog::Accepted) return false;
  ApplyMainTitle(project);
  return true;
}

bool TStyleDlg::EditDialogTitle(TProject& project) {
  Open(TTarget::DialogTitle, project);
  if (SystemDialogs().RunModal(*this) != QDialog::Accepted) return false;
  ApplyDialogTitle(project);
  return true;
}

void TStyleDlg::Open(TTarget target, const TProject& project) {
  const bool mainTitle = target == TTarget::MainTitle;
  const TFontDesc& font = mainTitle ? project.TitleFont : project.DialogFont;
  const TColor shadowColor = mainTitle ? project.TitleShadowColor : project.DialogShadowColor;

  setWindowTitle(mainTitle ? QStringLiteral("Вид надписи на заднем фоне")
                           : QStringLiteral("Вид надписи на диалогах"));
  ProgName_->setEnabled(mainTitle);
  ProgName_->setText(FromModel(project.ProgramNameText));
  Preview_->SetCaption(mainTitle ? FromModel(project.ProgramNameText) : kSampleCaption);

  SetSwatchColor(TxtColor_, font.Color);
  SetSwatchColor(SColor_, shadowColor);

  Preview_->SetFontDesc(font);
  Preview_->SetShadowColor(shadowColor);
  Preview_->SetColor(mainTitle ? project.TopColor : kWhite);

  UseShadow_->setChecked(mainTitle ? project.TitleShadow : project.DialogShadow);
  ShowIt_->setChecked(!(mainTitle ? project.MainTitleCaption : project.DialogTitleCaption).empty());
  UseShadowClick();
  ShowItClick();

  PlaceOverOwner(this, Owner_);
}

void TStyleDlg::ApplyMainTitle(TProject& project) const {
  project.ProgramNameText = ToModel(ProgName_->text());
  project.TitleFont = Preview_->FontDesc();
  project.TitleShadowColor = Preview_->ShadowColor();
  project.TitleShadow = UseShadow_->isChecked();
  project.MainTitleCaption = ShowIt_->isChecked() ? project.ProgramNameText : std::string();
}

void TStyleDlg::ApplyDialogTitle(TProject& project) const {
  project.DialogFont = Preview_->FontDesc();
  project.DialogShadowColor = Preview_->ShadowColor();
  project.DialogShadow = UseShadow_->isChecked();
  project.DialogTitleCaption = ShowIt_->isChecked() ? DefaultDialogTitle() : std::string();
}

void TStyleDlg::TextFontClick(QObject*) {
  TFontDesc font = Preview_->FontDesc();
  if (SystemDialogs().ChooseFont(this, font)) Preview_->SetFontDesc(font);
  SetSwatchColor(TxtColor_, Preview_->FontDesc().Color);
}

void TStyleDlg::ShadowColorClick(QObject*) {
  TColor color = Preview_->ShadowColor();
  if (!SystemDialogs().ChooseColor(this, color)) return;
  Preview_->SetShadowColor(color);
  SetSwatchColor(SColor_, color);
}

void TStyleDlg::UseShadowClick(QObject*) {
  Preview_->SetShadowSize(UseShadow_->isChecked() ? kShadowSize : 0);
  ShadowColor_->setEnabled(UseShadow_->isChecked());
}

void TStyleDlg::ShowItClick(QObject*) {
  if (!ShowIt_->isChecked())
    Preview_->SetCaption(QString());
  else
    Preview_->SetCaption(ProgName_->isEnabled() ? ProgName_->text() : kSampleCaption);
}

void TStyleDlg::ProgNameChange(QObject*) {
  if (ShowIt_->isChecked()) Preview_->SetCaption(ProgName_->text());
}
