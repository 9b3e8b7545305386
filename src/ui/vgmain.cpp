#include "ui/vgmain.h"

#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <exception>

#include "ui/LabelStyle.h"
#include "ui/app.h"
#include "ui/backcolor.h"
#include "ui/checklistbox.h"
#include "ui/dlgpos.h"
#include "ui/render.h"
#include "ui/sysdialogs.h"

namespace {

constexpr TColor kButtonFace = clSchemeFlag | 15u;
constexpr TColor kActiveCaption = clSchemeFlag | 2u;
constexpr TColor kCaptionText = clSchemeFlag | 9u;

const char* const kWelcomeLines[] = {
    "Добро пожаловать в программу установки  ..................................... Эта программа",
    "установит  .................................... на ваш компьютер.",
    "",
    "Настоятельно рекомендуется закрыть все Windows-приложения перед",
    "запуском этой программы. Нажмите Отмена для выхода из программы",
    "установки и закройте все запущенные вами приложения. Или нажмите далее,",
    "чтобы продолжить установку.",
    "",
    "ПРЕДУПРЕЖДЕНИЕ: Эта программа защищена в соответствии с законом об ",
    "авторском праве и международными соглашениями.",
};

QString WelcomeText() {
  QStringList lines;
  for (const char* line : kWelcomeLines) lines << QString::fromUtf8(line);
  return lines.join(QLatin1Char('\n'));
}

TFontDesc SansSerif8(bool bold) {
  return TFontDesc{"MS Sans Serif", 8, 0, bold, false, false, false};
}

void FillWith(QWidget* widget, QPalette::ColorRole role, TColor color) {
  QPalette palette = widget->palette();
  palette.setColor(role, ToQColor(color));
  widget->setPalette(palette);
}

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
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
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("Visual vuka.ini manager [ROVEL] 1.0"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(ToQFont(SansSerif8(false)));

  BuildMenu();

  Pages_ = Named(new QTabWidget(this), "Pages");
  Pages_->setFixedSize(427, 320);
  Pages_->setDocumentMode(true);
  // Flat tab buttons that light up under the mouse; the current one looks pressed.
  Pages_->tabBar()->setStyleSheet(QStringLiteral(
      "QTabBar::tab { background: transparent; border: 1px solid transparent; padding: 3px 8px;"
      " margin: 2px 1px 1px 1px; }"
      "QTabBar::tab:hover { border-color: palette(light) palette(dark) palette(dark) "
      "palette(light); }"
      "QTabBar::tab:selected { background: palette(midlight);"
      " border-color: palette(dark) palette(light) palette(light) palette(dark); }"));
  const char* const sheets[] = {"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4"};
  const char* const titles[] = {"Внешний вид", "Языки", "Диалоги", "Переменные"};
  for (int i = 0; i < 4; ++i)
    Pages_->addTab(Named(new QWidget, sheets[i]), QString::fromUtf8(titles[i]));
  setCentralWidget(Pages_);
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  BuildMockupPage();
  BuildListPages();

  OpenDlg_ = Named(new QFileDialog(this, QStringLiteral("Выберите файл")), "OpenDlg");
  OpenDlg_->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
  OpenDlg_->setAcceptMode(QFileDialog::AcceptOpen);
  OpenDlg_->setFileMode(QFileDialog::AnyFile);
  OpenDlg_->setNameFilters({QStringLiteral("ini файлы (*.ini)"), QStringLiteral("Все файлы (*)")});
  OpenDlg_->setDefaultSuffix(QStringLiteral("ini"));
  OpenDlg_->selectFile(QStringLiteral("vuka.ini"));

  Pages_->setFocus();
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }

  try {
    FormCreate();
  } catch (const std::exception& error) {
    // The rest of the preparation is skipped; start-up goes on.
    ShowErrorMessage(error.what());
  }
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
  DesktopBitmap();
  NewClick(false);
}

void TMainForm::AttachDialogs(TStyleDlg* styleDlg, TColorForm* colorForm, TPosForm* posForm) {
  StyleDlg_ = styleDlg;
  ColorForm_ = colorForm;
  PosForm_ = posForm;
}

TStyleDlg& TMainForm::StyleDialog() {
  if (StyleDlg_ == nullptr) {
    OwnStyleDlg_ = std::make_unique<TStyleDlg>(this);
    StyleDlg_ = OwnStyleDlg_.get();
  }
  return *StyleDlg_;
}

TColorForm& TMainForm::ColorDialog() {
  if (ColorForm_ == nullptr) {
    OwnColorForm_ = std::make_unique<TColorForm>(this);
    ColorForm_ = OwnColorForm_.get();
  }
  return *ColorForm_;
}

TPosForm& TMainForm::PosDialog() {
  if (PosForm_ == nullptr) {
    OwnPosForm_ = std::make_unique<TPosForm>(this);
    PosForm_ = OwnPosForm_.get();
  }
  return *PosForm_;
}

void TMainForm::BuildMenu() {
  QMenu* fileMenu = Named(menuBar()->addMenu(QStringLiteral("Файл")), "FileMenu");
  QAction* newAction = Named(fileMenu->addAction(QStringLiteral("Новый")), "New");
  newAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  connect(newAction, &QAction::triggered, this, ReportingErrors([this] { NewClick(true); }));
  QAction* saveAction = Named(fileMenu->addAction(QStringLiteral("Сохранить")), "Save");
  saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  connect(saveAction, &QAction::triggered, this, ReportingErrors([this] { SaveClick(); }));

  QMenu* helpMenu = Named(menuBar()->addMenu(QStringLiteral("Помощь")), "HelpMenu");
  QAction* aboutAction = Named(helpMenu->addAction(QStringLiteral("О программе")), "About");
  connect(aboutAction, &QAction::triggered, this, ReportingErrors([this] { AboutClick(); }));
}

void TMainForm::BuildMockupPage() {
  QWidget* page = Pages_->widget(0);

  auto* border = Named(new QFrame(page), "PreviewBorder");
  border->setGeometry(6, 6, 408, 278);
  border->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  border->setLineWidth(2);
  // The mock screen is the client area inside the 2-pixel border.
  auto* screen = Named(new QWidget(border), "PreviewClient");
  screen->setGeometry(2, 2, 404, 274);

  // Children are created back to front: later siblings are drawn above earlier ones.
  Background_ = Named(new TPictureBox(screen), "Background");
  Background_->setGeometry(0, 0, 404, 274);
  Background_->setCursor(Qt::PointingHandCursor);
  Background_->setToolTip(QStringLiteral("Изменить установки для заднего фона"));
  connect(Background_, &TPictureBox::clicked, this,
          ReportingErrors([this] { BackgroundDblClick(); }));

  ProgramName_ = Named(new TShadowLabel(screen), "ProgramName");
  ProgramName_->setGeometry(8, 4, 396, 57);
  ProgramName_->SetTransparent(true);
  ProgramName_->SetShadowPos(spRightBottom);
  ProgramName_->setCursor(Qt::PointingHandCursor);
  ProgramName_->setToolTip(QStringLiteral("Изменить название программы и вид надписи"));
  connect(ProgramName_, &TShadowLabel::clicked, this,
          ReportingErrors([this] { ProgramNameClick(); }));

  auto* dialog = Named(new QFrame(screen), "Dialog");
  dialog->setGeometry(104, 66, 301, 209);
  dialog->setFrameStyle(QFrame::Panel | QFrame::Raised);
  dialog->setLineWidth(1);
  dialog->setAutoFillBackground(true);
  FillWith(dialog, QPalette::Window, kButtonFace);

  auto* bevel = Named(new QFrame(dialog), "Bevel1");
  bevel->setGeometry(3, 20, 296, 65);
  bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  bevel->setLineWidth(1);
  bevel->setMidLineWidth(0);

  auto* header = Named(new TPictureBox(dialog), "HeaderPicture");
  header->setGeometry(4, 21, 294, 62);
  header->SetPicture(HeaderBitmap());

  DlgName_ = Named(new TShadowLabel(dialog), "DlgName");
  DlgName_->setGeometry(7, 22, 292, 47);
  DlgName_->SetTransparent(true);
  DlgName_->SetShadowPos(spRightBottom);
  DlgName_->setCursor(Qt::PointingHandCursor);
  DlgName_->setToolTip(QStringLiteral("Изменить вид надписи"));
  connect(DlgName_, &TShadowLabel::clicked, this, ReportingErrors([this] { DlgNameClick(); }));

  auto* label1 = Named(new TClickLabel(dialog), "Label1");
  label1->setGeometry(17, 96, 292, 116);
  label1->setWordWrap(false);
  label1->setTextFormat(Qt::PlainText);
  label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label1->setMargin(0);
  label1->setIndent(0);
  label1->SetLineHeight(13);  // the line pitch of the classic 8-point dialog font
  label1->setAutoFillBackground(true);
  FillWith(label1, QPalette::Window, kButtonFace);
  label1->setText(WelcomeText());
  label1->setCursor(Qt::PointingHandCursor);
  label1->setToolTip(QStringLiteral("Настроить позицию диалога"));
  connect(label1, &TClickLabel::clicked, this, ReportingErrors([this] { Label1Click(); }));
  Label1_ = label1;

  DlgCaption_ = Named(new QLabel(dialog), "DlgCaption");
  DlgCaption_->setGeometry(3, 2, 297, 17);
  DlgCaption_->setTextFormat(Qt::PlainText);
  DlgCaption_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  DlgCaption_->setAutoFillBackground(true);
  DlgCaption_->setFont(ToQFont(SansSerif8(true)));
  FillWith(DlgCaption_, QPalette::Window, kActiveCaption);
  FillWith(DlgCaption_, QPalette::WindowText, kCaptionText);
  DlgCaption_->setText(QStringLiteral(" Установка Демо-программа 1.0"));
}

void TMainForm::RefreshTitles() {
  ProgramName_->SetCaption(QString::fromStdString(Cp1251ToUtf8(Project_.MainTitleCaption)));
  ProgramName_->SetFontDesc(Project_.TitleFont);
  ProgramName_->SetShadowColor(Project_.TitleShadowColor);
  ProgramName_->SetShadowSize(Project_.TitleShadow ? 3 : 0);

  DlgName_->SetCaption(QString::fromStdString(Cp1251ToUtf8(Project_.DialogTitleCaption)));
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

void TMainForm::SetMainTitleVisible(bool visible) {
  MainTitleVisible_ = visible;
  ProgramName_->setVisible(visible);
}

bool TMainForm::MainTitleVisible() const { return MainTitleVisible_; }

void TMainForm::SetDialogCaption(const std::string& text) {
  DlgCaption_->setText(QString::fromStdString(Cp1251ToUtf8(text)));
}

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
  RefreshListPages();
  RefreshBackground();
  if (fromMenu) Background_->repaint();
  Pages_->setCurrentIndex(0);
}

void TMainForm::NewClick(QObject* sender) { NewClick(sender != nullptr); }

void TMainForm::LangsDblClick(QObject* sender) {
  if (auto* list = qobject_cast<TCheckListBox*>(sender)) list->LangsDblClick();
}

void TMainForm::SaveClick(QObject*) {
  if (!SystemDialogs().RunFileDialog(*OpenDlg_)) return;
  const QStringList files = OpenDlg_->selectedFiles();
  if (files.isEmpty()) return;
  const QString fileName = files.first();
  // The dialog keeps the chosen folder and name and proposes them on the next "Save".
  SaveProject(Project_, QFile::encodeName(fileName).toStdString(), CatalogueFile_);
}

void TMainForm::AboutClick(QObject*) { SystemDialogs().ShowAbout(this, AboutText()); }
