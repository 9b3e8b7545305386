// The main window's file commands and its guard of unsaved work: "Open" and
// "Save", the question before the project is replaced or the window closes, and
// the caption that names the file and marks unsaved changes.
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>
#include <exception>

#include "ui/forms/vgmain.h"
#include "ui/support/errorbox.h"
#include "ui/support/filenames.h"
#include "ui/support/sysdialogs.h"
#include "ui/widgets/checklistbox.h"
#include "ui/widgets/variablesgrid.h"

namespace {

// At most this many problems are listed in the box itself; all of them behind "Show Details".
constexpr qsizetype kListedProblems = 20;

// The file dialog proposes this file (folder and name) next time.
void Propose(QFileDialog& dialog, const QString& file) {
  const QFileInfo info(file);
  dialog.setDirectory(info.absolutePath());
  dialog.selectFile(info.fileName());
}

// While it exists, the file dialog asks for an existing file to open.
class TOpenMode {
 public:
  explicit TOpenMode(QFileDialog& dialog)
      : Dialog_(dialog), Title_(dialog.windowTitle()), Mode_(dialog.fileMode()) {
    Dialog_.setWindowTitle(QStringLiteral("Открыть файл"));
    Dialog_.setFileMode(QFileDialog::ExistingFile);
  }
  ~TOpenMode() {
    Dialog_.setFileMode(Mode_);
    Dialog_.setWindowTitle(Title_);
  }
  TOpenMode(const TOpenMode&) = delete;
  TOpenMode& operator=(const TOpenMode&) = delete;

 private:
  QFileDialog& Dialog_;
  QString Title_;
  QFileDialog::FileMode Mode_;
};

}  // namespace

void TMainForm::OpenClick(QObject*) {
  if (!MayLeaveProject()) return;
  QFileDialog& dialog = *OpenDlg();
  const QString proposed = dialog.selectedFiles().value(0);
  QString file;
  {
    const TOpenMode openMode(dialog);
    if (SystemDialogs().RunFileDialog(dialog)) file = dialog.selectedFiles().value(0);
  }
  if (file.isEmpty()) return;
  try {
    OpenFile(file);
  } catch (...) {
    // Nothing changes, not even what "Save" proposes.
    Propose(dialog, proposed);
    throw;
  }
}

void TMainForm::OpenFile(const QString& fileName) {
  const std::string file = ToFileName(QFileInfo(fileName).absoluteFilePath());
  OpenFile(fileName, ChooseCatalogue(file, CatalogueFile_));
}

void TMainForm::OpenFile(const QString& fileName, const std::string& cataloguePath) {
  const QString path = QFileInfo(fileName).absoluteFilePath();
  Variables_->EndEdit();
  // The project is unchanged when this raises.
  const std::vector<std::string> problems = OpenProject(Project_, ToFileName(path), cataloguePath);
  CatalogueFile_ = Project_.Catalogue;
  ShowCatalogue();
  ShowProject();
  Propose(*OpenDlg(), path);
  MarkSaved();
  ShowProblems(problems);
}

void TMainForm::ShowProject() {
  RefreshTitles();
  RefreshLists();
  Variables_->Reset();
  RefreshBackground();
  SetMainTitleVisible(Project_.BackgroundEnabled);
  SetDialogCaption(Utf8ToCp1251(" Установка ") + Project_.ProgramNameText);
  Pages_->setCurrentIndex(0);
}

void TMainForm::ShowProblems(const std::vector<std::string>& problems) {
  if (problems.empty()) return;
  QStringList lines;
  for (const std::string& problem : problems) lines << QString::fromStdString(problem);
  const QString name = QFileInfo(FromFileName(Project_.Origin.FileName)).fileName();
  QString text =
      QStringLiteral("Файл «%1» открыт, но не всё в нём удалось использовать:\n\n").arg(name) +
      lines.mid(0, kListedProblems).join(QLatin1Char('\n'));
  QString details;
  if (lines.size() > kListedProblems) {
    text += QStringLiteral("\n… и ещё %1.").arg(lines.size() - kListedProblems);
    details = lines.join(QLatin1Char('\n'));
  }
  SystemDialogs().ShowMessage(this, text, details);
}

void TMainForm::SaveClick(QObject*) { SaveToChosenFile(); }

bool TMainForm::SaveToChosenFile() {
  QFileDialog& dialog = *OpenDlg();
  if (!SystemDialogs().RunFileDialog(dialog)) return false;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return false;
  // The dialog keeps the chosen folder and name and proposes them on the next "Save".
  SaveAndRemember(Project_, ToFileName(files.first()), CatalogueFile_);
  MarkSaved();
  return true;
}

bool TMainForm::MayLeaveProject() {
  Variables_->EndEdit();
  UpdateCaption();
  if (!HasUnsavedChanges()) return true;
  const QString file = FromFileName(Project_.Origin.FileName);
  const QString question =
      file.isEmpty()
          ? QStringLiteral("Сохранить изменения?")
          : QStringLiteral("Сохранить изменения в файле «%1»?").arg(QFileInfo(file).fileName());
  switch (SystemDialogs().AskSaveChanges(this, question)) {
    case QMessageBox::Save: return SaveToChosenFile();
    case QMessageBox::Discard: return true;
    default: return false;
  }
}

void TMainForm::closeEvent(QCloseEvent* event) {
  bool mayClose = false;
  // Qt's widget code is built without exception support: nothing may leave here.
  try {
    mayClose = MayLeaveProject();
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

bool TMainForm::HasUnsavedChanges() const { return SavedItems(Project_) != Saved_; }

void TMainForm::MarkSaved() {
  Saved_ = SavedItems(Project_);
  UpdateCaption();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::InputMethod: ScheduleModifiedCheck(); break;
    default: break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::WatchForChanges() {
  ModifiedCheck_ = new QTimer(this);
  ModifiedCheck_->setSingleShot(true);
  ModifiedCheck_->setInterval(0);
  connect(ModifiedCheck_, &QTimer::timeout, this, &TMainForm::UpdateCaption);
  qApp->installEventFilter(this);
}

// Once the input has been handled, and once for a burst of input.
void TMainForm::ScheduleModifiedCheck() {
  if (!ModifiedCheck_->isActive()) ModifiedCheck_->start();
}

void TMainForm::UpdateCaption() {
  const bool modified = HasUnsavedChanges();
  const QString file = FromFileName(Project_.Origin.FileName);
  QString title;
  if (file.isEmpty()) {
    title = modified ? BaseTitle_ + QStringLiteral("[*]") : BaseTitle_;
  } else {
    // "[*][*]" shows a literal "[*]" that a file name may hold.
    QString name = QFileInfo(file).fileName();
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    title = name + QStringLiteral("[*] — ") + BaseTitle_;
  }
  if (windowTitle() != title) setWindowTitle(title);
  setWindowModified(modified);
}
