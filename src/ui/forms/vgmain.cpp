#include "ui/forms/vgmain.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>
#include <exception>

#include "ui/forms/LabelStyle.h"
#include "ui/forms/backcolor.h"
#include "ui/forms/dlgpos.h"
#include "ui/support/errorbox.h"
#include "ui/support/filenames.h"
#include "ui/support/sysdialogs.h"
#include "ui/widgets/checklistbox.h"
#include "ui/widgets/render.h"
#include "ui/widgets/variablesgrid.h"

namespace {

QString FromModel(const std::string& text) { return QString::fromStdString(Cp1251ToUtf8(text)); }

// Connects a menu item, found by its object name, to a command.
template <typename Command>
void ConnectAction(QMainWindow* window, const char* name, Command command) {
  auto* action = window->findChild<QAction*>(QString::fromLatin1(name));
  if (action == nullptr) throw std::logic_error(std::string("The menu has no item ") + name);
  QObject::connect(action, &QAction::triggered, window, ReportingErrors(std::move(command)));
}

}  // namespace

QString AboutText() {
  return QStringLiteral("Visual vuka.ini maker [ROVEL] Version 1.0\r\n") +
         QString(17, QLatin1Char(' ')) +
         QStringLiteral("Редактор написан участниками проекта vuka-manager") +
         QStringLiteral("\r\n\r\n") + QString(12, QLatin1Char(' ')) +
         QStringLiteral("Вопросы и предложения: в трекере задач проекта vuka-manager");
}

TMainForm::TMainForm(QWidget* parent, const std::string& cataloguePath)
    : QMainWindow(parent), CatalogueFile_(cataloguePath) {
  LayOut();
  ConnectHandlers();
  AddCatalogueCommand();
  Langs_->Bind(&Project_.Langs);
  Pred_->Bind(&Project_.Pred);
  Post_->Bind(&Project_.Post);
  Variables_->Bind(&Project_.Variables);

  Pages_->setFocus();
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }

  BaseTitle_ = windowTitle();
  try {
    FormCreate();
  } catch (const std::exception& error) {
    // The rest of the preparation is skipped; start-up goes on.
    ShowErrorMessage(error.what());
  }
  // Whatever start-up made of the project is where the user begins.
  MarkSaved();
  WatchForChanges();
}

// The dialogs (not child widgets) are destroyed before the window's own widgets.
TMainForm::~TMainForm() = default;

void TMainForm::ConnectHandlers() {
  ConnectAction(this, "New", [this] {
    if (MayLeaveProject()) NewClick(true);
  });
  ConnectAction(this, "Open", [this] { OpenClick(); });
  ConnectAction(this, "Save", [this] { SaveClick(); });
  ConnectAction(this, "About", [this] { AboutClick(); });
  connect(Background_, &TPictureBox::clicked, this,
          ReportingErrors([this] { BackgroundDblClick(); }));
  connect(ProgramName_, &TShadowLabel::clicked, this,
          ReportingErrors([this] { ProgramNameClick(); }));
  connect(DlgName_, &TShadowLabel::clicked, this, ReportingErrors([this] { DlgNameClick(); }));
  connect(Label1_, &TClickLabel::clicked, this, ReportingErrors([this] { Label1Click(); }));
  // Another page ends any editing in the table; the text typed so far stays.
  connect(Pages_, &QTabWidget::currentChanged, Variables_, &TVariablesGrid::EndEdit);
}

// The desktop picture is read when something first shows it.
void TMainForm::FormCreate() { NewClick(false); }

TStyleDlg& TMainForm::StyleDialog() {
  if (!StyleDlg_) StyleDlg_ = std::make_unique<TStyleDlg>(this);
  return *StyleDlg_;
}

TColorForm& TMainForm::ColorDialog() {
  if (!ColorForm_) ColorForm_ = std::make_unique<TColorForm>(this);
  return *ColorForm_;
}

TPosForm& TMainForm::PosDialog() {
  if (!PosForm_) PosForm_ = std::make_unique<TPosForm>(Project_, this);
  return *PosForm_;
}

QFileDialog* TMainForm::OpenDlg() {
  if (OpenDlg_ != nullptr) return OpenDlg_;
  OpenDlg_ = new QFileDialog(this, QStringLiteral("Выберите файл"));
  OpenDlg_->setObjectName(QStringLiteral("OpenDlg"));
  OpenDlg_->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
  OpenDlg_->setAcceptMode(QFileDialog::AcceptOpen);
  OpenDlg_->setFileMode(QFileDialog::AnyFile);
  OpenDlg_->setNameFilters({QStringLiteral("ini файлы (*.ini)"), QStringLiteral("Все файлы (*)")});
  OpenDlg_->setDefaultSuffix(QStringLiteral("ini"));
  OpenDlg_->selectFile(QStringLiteral("vuka.ini"));
  return OpenDlg_;
}

void TMainForm::ProgramNameClick(QObject*) {
  if (StyleDialog().EditMainTitle(Project_)) ShowEdited(TEdited::MainTitle);
}

void TMainForm::DlgNameClick(QObject*) {
  if (StyleDialog().EditDialogTitle(Project_)) ShowEdited(TEdited::DialogTitle);
}

void TMainForm::BackgroundDblClick(QObject*) {
  if (ColorDialog().EditBackground(Project_)) ShowEdited(TEdited::Background);
}

// The position is taken at every choice; the mock-up does not show it.
void TMainForm::Label1Click(QObject*) {
  PosDialog().EditPosition();
  UpdateCaption();
}

void TMainForm::ShowEdited(TEdited part) {
  // The mock title bar names the product whether the main title is shown or not.
  if (part == TEdited::MainTitle)
    SetDialogCaption(Utf8ToCp1251(" Установка ") + Project_.ProgramNameText);
  RefreshMockup();
  // The main title goes away with the background window and comes back with it.
  if (part == TEdited::Background) SetMainTitleVisible(Project_.BackgroundEnabled);
  UpdateCaption();
}

void TMainForm::RefreshTitles() {
  ProgramName_->SetCaption(FromModel(Project_.MainTitleCaption));
  ProgramName_->SetFontDesc(Project_.TitleFont);
  ProgramName_->SetShadowColor(Project_.TitleShadowColor);
  ProgramName_->SetShadowSize(Project_.TitleShadow ? 3 : 0);

  DlgName_->SetCaption(FromModel(Project_.DialogTitleCaption));
  DlgName_->SetFontDesc(Project_.DialogFont);
  DlgName_->SetShadowColor(Project_.DialogShadowColor);
  DlgName_->SetShadowSize(Project_.DialogShadow ? 3 : 0);
}

void TMainForm::RefreshBackground() {
  if (Project_.BackgroundEnabled) {
    Background_->PaintGradient(Project_.TopColor, Project_.BottomColor);
  } else {
    Background_->ShowDesktop();
  }
}

void TMainForm::RefreshMockup() {
  RefreshTitles();
  RefreshBackground();
}

void TMainForm::RefreshLists() {
  Langs_->Reload();
  Pred_->Reload();
  Post_->Reload();
}

void TMainForm::SetMainTitleVisible(bool visible) {
  MainTitleVisible_ = visible;
  ProgramName_->setVisible(visible);
}

bool TMainForm::MainTitleVisible() const { return MainTitleVisible_; }

void TMainForm::SetDialogCaption(const std::string& text) { DlgCaption_->setText(FromModel(text)); }

void TMainForm::NewClick(bool fromMenu) {
  try {
    ResetProject(Project_, CatalogueFile_);
  } catch (...) {
    // The titles and the emptied lists are already reset; the rest (the table,
    // the background and the page) is skipped.
    RefreshTitles();
    RefreshLists();
    throw;
  }
  RefreshTitles();
  RefreshLists();
  Variables_->Reset();
  RefreshBackground();
  if (fromMenu) Background_->repaint();
  Pages_->setCurrentIndex(0);
  MarkSaved();
}

void TMainForm::NewClick(QObject* sender) { NewClick(sender != nullptr); }

void TMainForm::LangsDblClick(QObject* sender) {
  if (auto* list = qobject_cast<TCheckListBox*>(sender)) list->LangsDblClick();
}

// The About box also names the catalogue in use.
void TMainForm::AboutClick(QObject*) {
  SystemDialogs().ShowAbout(
      this, AboutText() + QStringLiteral("\r\n\r\nКаталог: ") + FromFileName(CatalogueFile_));
}
