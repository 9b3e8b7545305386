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
#include "ui_LabelStyle.h"

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

// The stored form LabelStyle.ui lays the controls out; here is what it cannot say.
// In the form the separator Bevel1 lies under the check boxes, which are opaque
// and cover its first row where they overlap it.
void TStyleDlg::LayOut() {
  setFont(DefaultWindowFont());
  Ui::StyleDlg form;
  form.setupUi(this);
  // The label is as wide as its text in the font at hand.
  form.Label1->adjustSize();
  InstallCp1251Guard(form.ProgName);
  SetBrushPicture(form.TextFont);
  SetBrushPicture(form.ShadowColor);
  form.Preview->SetFontDesc(TFontDesc{"Times New Roman", 22, 0, false, false, false, false});

  Label1_ = form.Label1;
  ProgName_ = form.ProgName;
  TextFont_ = form.TextFont;
  TxtColor_ = form.TxtColor;
  ShadowColor_ = form.ShadowColor;
  SColor_ = form.SColor;
  UseShadow_ = form.UseShadow;
  ShowIt_ = form.ShowIt;
  Bevel1_ = form.Bevel1;
  Preview_ = form.Preview;
  Bevel2_ = form.Bevel2;
  BitBtn2_ = form.BitBtn2;
  BitBtn1_ = form.BitBtn1;
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
