#include "ui/mainwindow/vgmain.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <exception>

#include "ui/dialogs/LabelStyle.h"
#include "ui/dialogs/backcolor.h"
#include "ui/dialogs/dlgpos.h"
#include "ui/mainwindow/cataloguecommand.h"
#include "ui/mainwindow/edithistory.h"
#include "ui/mainwindow/filecommands.h"
#include "ui/mainwindow/menukeys.h"
#include "ui/mainwindow/recentmenu.h"
#include "ui/mainwindow/unsavedwork.h"
#include "ui/support/errorbox.h"
#include "ui/support/filenames.h"
#include "ui/support/language.h"
#include "ui/support/sysdialogs.h"
#include "ui/widgets/accessibility.h"
#include "ui/widgets/checklistbox.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/render.h"
#include "ui/widgets/variablesgrid.h"
#include "ui_vgmain.h"

namespace {

// Connects a menu item to a command.
template <typename Command>
void ConnectAction(QMainWindow* window, QAction* action, Command command) {
  QObject::connect(action, &QAction::triggered, window, ReportingErrors(std::move(command)));
}

// The one local file of a drop; empty for anything else.
QString DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().first();
  if (!url.isLocalFile()) return {};
  const QString file = url.toLocalFile();
  return QFileInfo(file).isFile() ? file : QString();
}

}  // namespace

QString AboutText() {
  return QStringLiteral("Visual vuka.ini maker [ROVEL] Version 1.0\r\n") +
         QString(17, QLatin1Char(' ')) +
         TMainForm::tr("Редактор написан участниками проекта vuka-manager") +
         QStringLiteral("\r\n\r\n") + QString(12, QLatin1Char(' ')) +
         TMainForm::tr("Вопросы и предложения: в трекере задач проекта vuka-manager");
}

TMainForm::TMainForm(QWidget* parent, const std::string& cataloguePath)
    : QMainWindow(parent), Form_(std::make_unique<Ui::MainForm>()), CatalogueFile_(cataloguePath) {
  InstallAccessibility();
  LayOut();
  new TMenuBarKeys(*this, *Form_->MainMenu);
  View_ = std::make_unique<TProjectView>(
      Project_,
      TProjectWidgets{Form_->Pages, Form_->Background, Form_->ProgramName, Form_->DlgName,
                      Form_->DlgCaption, Form_->Langs, Form_->Pred, Form_->Post, Form_->Variables});
  History_ = new TEditHistory(Project_, *View_, this);
  History_->Attach(Form_->Undo, Form_->Redo);
  Unsaved_ = new TUnsavedWork(Project_, *this);
  Recent_ = new TRecentMenu(*Form_->RecentMenu, *Form_->ClearRecent);
  const TFileCommandParts parts{this, View_.get(), History_, Unsaved_, Recent_};
  Files_ = new TFileCommands(Project_, CatalogueFile_, parts);
  Catalogue_ = new TCatalogueCommand(Project_, CatalogueFile_, *Form_->FileMenu, parts);
  ConnectHandlers();
  ConnectEditing();
  setAcceptDrops(true);
  DropTimer_ = new QTimer(this);
  DropTimer_->setSingleShot(true);
  DropTimer_->setInterval(0);
  connect(DropTimer_, &QTimer::timeout, this,
          ReportingErrors([this] { Files_->OpenDropped(DroppedFile_); }));

  Form_->Pages->setFocus();
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
  // Whatever start-up made of the project is where the user begins.
  History_->Clear();
  Unsaved_->MarkSaved();
  Unsaved_->WatchInput();
}

// The dialogs (not child widgets) are destroyed before the window's own widgets.
// Those outlive the project: what they report while they go is no edit.
TMainForm::~TMainForm() {
  for (QObject* view :
       {static_cast<QObject*>(Form_->Langs), static_cast<QObject*>(Form_->Pred),
        static_cast<QObject*>(Form_->Post), static_cast<QObject*>(Form_->Variables)}) {
    view->disconnect(this);
  }
}

// The stored form vgmain.ui lays out the menu, the four pages, the mock-up of
// the setup screen and the list pages; here is what a form cannot say. In the
// form, children come back to front (later siblings are drawn above earlier
// ones), and the welcome text's line height of 13 pixels is the line pitch of
// the classic 8-point dialog font.
void TMainForm::LayOut() {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(DefaultWindowFont());
  Form_->setupUi(this);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  // Flat tab buttons that light up under the mouse; the current one looks pressed.
  Form_->Pages->tabBar()->setStyleSheet(QStringLiteral(
      "QTabBar::tab { background: transparent; border: 1px solid transparent; padding: 3px 8px;"
      " margin: 2px 1px 1px 1px; }"
      "QTabBar::tab:hover { border-color: palette(light) palette(dark) palette(dark) "
      "palette(light); }"
      "QTabBar::tab:selected { background: palette(midlight);"
      " border-color: palette(dark) palette(light) palette(light) palette(dark); }"));
  FillBackground(Form_->Dialog, clBtnFace);
  FillBackground(Form_->Label1, clBtnFace);
  FillBackground(Form_->DlgCaption, clActiveCaption);
  SetPaletteColor(Form_->DlgCaption, QPalette::WindowText, clCaptionText);
  Form_->HeaderPicture->SetPicture(HeaderBitmap());
}

void TMainForm::ConnectHandlers() {
  ConnectAction(this, Form_->New, [this] {
    if (Files_->MayLeaveProject()) NewClick(true);
  });
  ConnectAction(this, Form_->Open, [this] { Files_->OpenClick(); });
  ConnectAction(this, Form_->Save, [this] { SaveClick(); });
  ConnectAction(this, Form_->SaveAs, [this] { Files_->SaveAsClick(); });
  ConnectAction(this, Form_->Undo, [this] { UndoClick(); });
  ConnectAction(this, Form_->Redo, [this] { RedoClick(); });
  ConnectAction(this, Form_->About, [this] { AboutClick(); });
  // Closing by keyboard also where no window manager offers Alt+F4; unsaved work is
  // asked about as for any close. No menu entry, so the menus look as they did.
  auto* quit = new QAction(this);
  quit->setObjectName(QStringLiteral("QuitShortcut"));
  quit->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Q), QKeySequence(Qt::ALT | Qt::Key_F4)});
  addAction(quit);
  connect(quit, &QAction::triggered, this, &QWidget::close);
  ConnectAction(this, Form_->LanguageRussian, [] { ChooseLanguage(QStringLiteral("ru")); });
  ConnectAction(this, Form_->LanguageEnglish, [] { ChooseLanguage(QStringLiteral("en")); });
  ShowLanguage();
  connect(Recent_, &TRecentMenu::openRequested, this, [this](const QString& file) {
    ReportingErrors([this, file] { Files_->OpenRecent(file); })();
  });
  connect(Form_->Background, &TPictureBox::clicked, this,
          ReportingErrors([this] { BackgroundDblClick(); }));
  connect(Form_->ProgramName, &TShadowLabel::clicked, this,
          ReportingErrors([this] { ProgramNameClick(); }));
  connect(Form_->DlgName, &TShadowLabel::clicked, this,
          ReportingErrors([this] { DlgNameClick(); }));
  connect(Form_->Label1, &TClickLabel::clicked, this, ReportingErrors([this] { Label1Click(); }));
  // Another page ends any editing in the table; the text typed so far stays.
  connect(Form_->Pages, &QTabWidget::currentChanged, Form_->Variables, &TVariablesGrid::EndEdit);
}

// Every change that "Save" would write becomes a step of the history.
void TMainForm::ConnectEditing() {
  Form_->Redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  for (TCheckListBox* list : {Form_->Langs, Form_->Pred, Form_->Post}) {
    connect(list, &TCheckListBox::tickToggled, this, [this, list](int index, int position) {
      History_->RecordTick(*list, index, position);
    });
    connect(list, &TCheckListBox::orderMoved, this, [this, list](int index, int from, int to) {
      History_->RecordMove(*list, index, from, to);
    });
  }
  TVariablesGrid* grid = Form_->Variables;
  connect(grid, &TVariablesGrid::cellEdited, this, [this](int row, int column) {
    History_->RecordRowChange(
        row,
        tr("ячейка «%1» строки %2").arg(column == 0 ? tr("Переменная") : tr("Значение")).arg(row));
  });
  connect(grid, &TVariablesGrid::rowInserted, this, [this](int row) {
    Unsaved_->RowInserted(row - 1);
    History_->RecordRowInserted(row, tr("вставка строки %1").arg(row));
  });
  connect(grid, &TVariablesGrid::rowDeleted, this, [this](int row) {
    Unsaved_->RowDeleted(row - 1);
    History_->RecordRowDeleted(row, tr("удаление строки %1").arg(row));
  });
  // The unsaved mark compares only the rows that changed.
  connect(grid, &TVariablesGrid::rowChanged, this,
          [this](int row) { Unsaved_->RowChanged(row - 1); });
  connect(History_, &TEditHistory::rowsChanged, this, [this](int index) {
    if (index < 0)
      Unsaved_->RowsChanged();
    else
      Unsaved_->RowChanged(index);
  });
  connect(History_, &TEditHistory::changed, Unsaved_, &TUnsavedWork::UpdateCaption);
  connect(History_, &TEditHistory::changed, Catalogue_, &TCatalogueCommand::FollowProject);
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

void TMainForm::OpenFile(const QString& fileName) { Files_->OpenFile(fileName); }

void TMainForm::OpenFile(const QString& fileName, const std::string& cataloguePath) {
  Files_->OpenFile(fileName, cataloguePath);
}

void TMainForm::SaveClick() { Files_->SaveClick(); }

bool TMainForm::HasUnsavedChanges() const { return Unsaved_->HasUnsavedChanges(); }

void TMainForm::UndoClick() {
  Form_->Variables->EndEdit();
  History_->Undo();
}

void TMainForm::RedoClick() {
  Form_->Variables->EndEdit();
  History_->Redo();
}

void TMainForm::ProgramNameClick() {
  const TEditState before = History_->Take(TProjectPart::Settings);
  if (StyleDialog().EditMainTitle(Project_))
    ShowEdited(TEdited::MainTitle, tr("заголовок программы"), before);
}

void TMainForm::DlgNameClick() {
  const TEditState before = History_->Take(TProjectPart::Settings);
  if (StyleDialog().EditDialogTitle(Project_))
    ShowEdited(TEdited::DialogTitle, tr("заголовок диалога"), before);
}

void TMainForm::BackgroundDblClick() {
  const TEditState before = History_->Take(TProjectPart::Settings);
  if (ColorDialog().EditBackground(Project_)) ShowEdited(TEdited::Background, tr("фон"), before);
}

// The position is taken at every choice; the mock-up does not show it. The
// dialog as a whole is one step.
void TMainForm::Label1Click() {
  const TEditState before = History_->Take(TProjectPart::Settings);
  PosDialog().EditPosition();
  History_->Record(tr("положение диалога"), before);
  Unsaved_->UpdateCaption();
}

void TMainForm::ShowEdited(TEdited part, const QString& step, const TEditState& before) {
  View_->ShowEdited(part);
  History_->Record(step, before);
  Unsaved_->UpdateCaption();
}

void TMainForm::RefreshMockup() { View_->RefreshMockup(); }

void TMainForm::SetMainTitleVisible(bool visible) { View_->SetMainTitleVisible(visible); }

bool TMainForm::MainTitleVisible() const { return View_->MainTitleVisible(); }

void TMainForm::SetDialogCaption(const std::string& text) { View_->SetDialogCaption(text); }

void TMainForm::NewClick(bool fromMenu) {
  const TEditState before = History_->Take(TProjectPart::Everything);
  try {
    ResetProject(Project_, CatalogueFile_);
  } catch (...) {
    // The titles and the emptied lists are already reset; the rest (the table,
    // the background and the page) is skipped.
    View_->RefreshTitles();
    View_->RefreshLists();
    if (fromMenu) History_->Record(tr("новый проект"), before);
    throw;
  }
  View_->ShowProject();
  if (fromMenu) {
    Form_->Background->repaint();
    History_->Record(tr("новый проект"), before);
  }
  History_->SetClean();
  Unsaved_->MarkSaved();
}

void TMainForm::LangsDblClick(QObject* sender) {
  if (auto* list = qobject_cast<TCheckListBox*>(sender)) list->LangsDblClick();
}

// The About box also names the catalogue in use.
void TMainForm::AboutClick() {
  SystemDialogs().ShowAbout(this, AboutText() + QStringLiteral("\r\n\r\n") + tr("Каталог: ") +
                                      FromFileName(CatalogueFile_));
}

void TMainForm::ChooseLanguage(const QString& code) {
  SetInterfaceLanguage(code);
  SaveInterfaceLanguage(code);
}

void TMainForm::ShowLanguage() {
  Form_->LanguageRussian->setChecked(InterfaceLanguage() == QStringLiteral("ru"));
  Form_->LanguageEnglish->setChecked(InterfaceLanguage() == QStringLiteral("en"));
}

void TMainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::LanguageChange) return;
  Form_->retranslateUi(this);
  // Qt names the tab bar's scroll buttons once, as it makes them.
  const char* const left = "Scroll Left";
  const char* const right = "Scroll Right";
  for (QToolButton* button : Form_->Pages->tabBar()->findChildren<QToolButton*>()) {
    const bool isLeft = button->objectName() == QStringLiteral("ScrollLeftButton");
    button->setAccessibleName(QCoreApplication::translate("QTabBar", isLeft ? left : right));
  }
  ShowLanguage();
  View_->RefreshMockup();
  History_->UpdateActions();
  Files_->Retranslate();
  Catalogue_->Retranslate();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  bool mayClose = false;
  // Qt's widget code is built without exception support: nothing may leave here.
  try {
    mayClose = Files_->MayLeaveProject();
  } catch (const std::exception& error) {
    ShowErrorMessage(error.what());
  } catch (...) {
    ShowErrorMessage("Unknown error");
  }
  if (mayClose) {
    QMainWindow::closeEvent(event);
  } else {
    event->ignore();
  }
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedFile(event->mimeData()).isEmpty()) {
    event->ignore();
  } else {
    event->acceptProposedAction();
  }
}

void TMainForm::dropEvent(QDropEvent* event) {
  const QString file = DroppedFile(event->mimeData());
  if (file.isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  // Once the drop is over: the question about unsaved work must not hold the
  // program that dragged the file.
  DroppedFile_ = file;
  DropTimer_->start();
}
