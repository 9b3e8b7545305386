#include "ui/dialogs/LabelStyle.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "model/defaults.h"
#include "ui/support/errorbox.h"
#include "ui/support/sysdialogs.h"
#include "ui/widgets/accessibility.h"
#include "ui/widgets/cp1251input.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/render.h"
#include "ui_LabelStyle.h"

namespace {

QString FromModel(const std::string& text) { return QString::fromStdString(Cp1251ToUtf8(text)); }
std::string ToModel(const QString& text) { return Utf8ToCp1251(text.toStdString()); }

QString SampleCaption() { return TStyleDlg::tr("Пример надписи"); }
constexpr TColor kWhite = 0x00FFFFFFu;
constexpr int kShadowSize = 3;

}  // namespace

TStyleDlg::TStyleDlg(QWidget* owner)
    : QDialog(nullptr, DialogWindowFlags()),
      Form_(std::make_unique<Ui::StyleDlg>()),
      Owner_(owner) {
  LayOut();
  ConnectHandlers();
}

TStyleDlg::~TStyleDlg() = default;

// The stored form LabelStyle.ui lays the controls out; here is what it cannot say.
// In the form the separator Bevel1 lies under the check boxes, which are opaque
// and cover its first row where they overlap it.
void TStyleDlg::LayOut() {
  setFont(DefaultWindowFont());
  Form_->setupUi(this);
  // The label is as wide as its text in the font at hand.
  Form_->Label1->adjustSize();
  InstallCp1251Guard(Form_->ProgName);
  SetBrushPicture(Form_->TextFont);
  SetBrushPicture(Form_->ShadowColor);
  Form_->Preview->SetFontDesc(TFontDesc{"Times New Roman", 22, 0, false, false, false, false});
}

void TStyleDlg::ConnectHandlers() {
  connect(Form_->TextFont, &QToolButton::clicked, this,
          ReportingErrors([this] { TextFontClick(); }));
  connect(Form_->ShadowColor, &QToolButton::clicked, this,
          ReportingErrors([this] { ShadowColorClick(); }));
  connect(Form_->UseShadow, &QCheckBox::clicked, this,
          ReportingErrors([this] { UseShadowClick(); }));
  connect(Form_->ShowIt, &QCheckBox::clicked, this, ReportingErrors([this] { ShowItClick(); }));
  connect(Form_->ProgName, &QLineEdit::textChanged, this, [this] { ProgNameChange(); });
  connect(Form_->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Form_->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
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

  Target_ = target;
  ShowTitle();
  Form_->ProgName->setEnabled(mainTitle);
  Form_->ProgName->setText(FromModel(project.ProgramNameText));
  Form_->Preview->SetCaption(mainTitle ? FromModel(project.ProgramNameText) : SampleCaption());

  SetSwatchColor(Form_->TxtColor, font.Color);
  SetSwatchColor(Form_->SColor, shadowColor);

  Form_->Preview->SetFontDesc(font);
  Form_->Preview->SetShadowColor(shadowColor);
  Form_->Preview->SetColor(mainTitle ? project.TopColor : kWhite);

  Form_->UseShadow->setChecked(mainTitle ? project.TitleShadow : project.DialogShadow);
  Form_->ShowIt->setChecked(
      !(mainTitle ? project.MainTitleCaption : project.DialogTitleCaption).empty());
  UseShadowClick();
  ShowItClick();
  DescribeChoices();

  PlaceOverOwner(this, Owner_);
}

void TStyleDlg::DescribeChoices() {
  DescribeChoice(Form_->TextFont, FontSummary(Form_->Preview->FontDesc()));
  DescribeChoice(Form_->ShadowColor, ColorName(Form_->Preview->ShadowColor()));
}

void TStyleDlg::ApplyMainTitle(TProject& project) const {
  project.ProgramNameText = ToModel(Form_->ProgName->text());
  project.TitleFont = Form_->Preview->FontDesc();
  project.TitleShadowColor = Form_->Preview->ShadowColor();
  project.TitleShadow = Form_->UseShadow->isChecked();
  project.MainTitleCaption = Form_->ShowIt->isChecked() ? project.ProgramNameText : std::string();
}

void TStyleDlg::ApplyDialogTitle(TProject& project) const {
  project.DialogFont = Form_->Preview->FontDesc();
  project.DialogShadowColor = Form_->Preview->ShadowColor();
  project.DialogShadow = Form_->UseShadow->isChecked();
  project.DialogTitleCaption = Form_->ShowIt->isChecked() ? DefaultDialogTitle() : std::string();
}

void TStyleDlg::TextFontClick() {
  TFontDesc font = Form_->Preview->FontDesc();
  if (SystemDialogs().ChooseFont(this, font)) Form_->Preview->SetFontDesc(font);
  SetSwatchColor(Form_->TxtColor, Form_->Preview->FontDesc().Color);
  DescribeChoices();
}

void TStyleDlg::ShadowColorClick() {
  TColor color = Form_->Preview->ShadowColor();
  if (!SystemDialogs().ChooseColor(this, color)) return;
  Form_->Preview->SetShadowColor(color);
  SetSwatchColor(Form_->SColor, color);
  DescribeChoices();
}

void TStyleDlg::UseShadowClick() {
  Form_->Preview->SetShadowSize(Form_->UseShadow->isChecked() ? kShadowSize : 0);
  Form_->ShadowColor->setEnabled(Form_->UseShadow->isChecked());
}

void TStyleDlg::ShowItClick() {
  if (!Form_->ShowIt->isChecked())
    Form_->Preview->SetCaption(QString());
  else
    Form_->Preview->SetCaption(Form_->ProgName->isEnabled() ? Form_->ProgName->text()
                                                            : SampleCaption());
}

void TStyleDlg::ShowTitle() {
  if (!Target_) return;
  setWindowTitle(*Target_ == TTarget::MainTitle ? tr("Вид надписи на заднем фоне")
                                                : tr("Вид надписи на диалогах"));
}

void TStyleDlg::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::LanguageChange) return;
  Form_->retranslateUi(this);
  Form_->Label1->adjustSize();
  ShowTitle();
  if (!Target_) return;
  ShowItClick();
  DescribeChoices();
}

void TStyleDlg::ProgNameChange() {
  if (Form_->ShowIt->isChecked()) Form_->Preview->SetCaption(Form_->ProgName->text());
}
