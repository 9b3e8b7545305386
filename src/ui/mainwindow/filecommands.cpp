#include "ui/mainwindow/filecommands.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>

#include "ui/mainwindow/edithistory.h"
#include "ui/mainwindow/projectview.h"
#include "ui/mainwindow/recentmenu.h"
#include "ui/mainwindow/unsavedwork.h"
#include "ui/support/errorbox.h"
#include "ui/support/filenames.h"
#include "ui/support/filewatch.h"
#include "ui/support/sysdialogs.h"
#include "ui/widgets/variablesgrid.h"

namespace {

QString Absolute(const QString& file) { return QFileInfo(file).absoluteFilePath(); }

QString ShortName(const QString& file) { return QFileInfo(file).fileName(); }

// The file dialog proposes this file (folder and name) next time.
void Propose(QFileDialog& dialog, const QString& file) {
  const QFileInfo info(file);
  dialog.setDirectory(info.absolutePath());
  dialog.selectFile(info.fileName());
}

// The file dialog's button for each way it is used.
void SetAcceptMode(QFileDialog& dialog, QFileDialog::AcceptMode mode) {
  dialog.setAcceptMode(mode);
  dialog.setLabelText(QFileDialog::Accept, mode == QFileDialog::AcceptOpen
                                               ? TFileCommands::tr("Открыть")
                                               : TFileCommands::tr("Сохранить"));
}

// While it exists, the file dialog asks for an existing file to open; otherwise it
// asks for a file to save into.
class TOpenMode {
 public:
  explicit TOpenMode(QFileDialog& dialog)
      : Dialog_(dialog), Title_(dialog.windowTitle()), Mode_(dialog.fileMode()) {
    Dialog_.setWindowTitle(TFileCommands::tr("Открыть файл"));
    Dialog_.setFileMode(QFileDialog::ExistingFile);
    SetAcceptMode(Dialog_, QFileDialog::AcceptOpen);
  }
  ~TOpenMode() {
    SetAcceptMode(Dialog_, QFileDialog::AcceptSave);
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

TFileCommands::TFileCommands(TProject& project, std::string& cataloguePath,
                             const TFileCommandParts& parts)
    : QObject(parts.Window),
      Project_(project),
      CatalogueFile_(cataloguePath),
      Parts_(parts),
      Watch_(new TFileWatch(this)) {
  connect(Watch_, &TFileWatch::changed, this, ReportingErrors([this] { FileChanged(); }));
}

QFileDialog* TFileCommands::OpenDlg() {
  if (OpenDlg_ != nullptr) return OpenDlg_;
  OpenDlg_ = new QFileDialog(Parts_.Window);
  OpenDlg_->setObjectName(QStringLiteral("OpenDlg"));
  OpenDlg_->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
  // "Save As" asks its own question before it writes into another existing file.
  SetAcceptMode(*OpenDlg_, QFileDialog::AcceptSave);
  OpenDlg_->setFileMode(QFileDialog::AnyFile);
  Retranslate();
  OpenDlg_->setDefaultSuffix(QStringLiteral("ini"));
  OpenDlg_->selectFile(QStringLiteral("vuka.ini"));
  return OpenDlg_;
}

void TFileCommands::Retranslate() {
  if (OpenDlg_ == nullptr) return;
  OpenDlg_->setWindowTitle(tr("Выберите файл"));
  OpenDlg_->setNameFilters({tr("ini файлы (*.ini)"), tr("Все файлы (*)")});
  SetAcceptMode(*OpenDlg_, OpenDlg_->acceptMode());
}

void TFileCommands::OpenClick() {
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

void TFileCommands::OpenFile(const QString& fileName) {
  OpenFile(fileName, ChooseCatalogue(ToFileName(Absolute(fileName)), CatalogueFile_));
}

void TFileCommands::OpenFile(const QString& fileName, const std::string& cataloguePath) {
  const QString path = Absolute(fileName);
  Parts_.View->Widgets().Variables->EndEdit();
  // The project is unchanged when this raises.
  const TProblemTexts problems = OpenProject(Project_, ToFileName(path), cataloguePath);
  CatalogueFile_ = Project_.Catalogue;
  Parts_.View->ShowProject();
  Parts_.View->ShowTitleBarOf();
  Propose(*OpenDlg(), path);
  Parts_.History->Clear();
  MarkSaved(path);
  ShowProblems(problems);
}

void TFileCommands::OpenRecent(const QString& fileName) {
  if (!MayLeaveProject()) return;
  try {
    OpenFile(fileName);
  } catch (...) {
    Parts_.Recent->Remove(fileName);
    throw;
  }
}

void TFileCommands::OpenDropped(const QString& fileName) {
  if (MayLeaveProject()) OpenFile(fileName);
}

void TFileCommands::ShowProblems(const TProblemTexts& problems) {
  const QString name = ShortName(FromFileName(Project_.Origin.FileName));
  ShowListMessage(Parts_.Window,
                  tr("Файл «%1» открыт, но не всё в нём удалось использовать:").arg(name),
                  problems);
}

bool TFileCommands::SaveClick() {
  const QString file = FromFileName(Project_.Origin.FileName);
  return file.isEmpty() ? SaveAsClick() : SaveInto(Absolute(file));
}

bool TFileCommands::SaveAsClick() {
  QFileDialog& dialog = *OpenDlg();
  const QString current = FromFileName(Project_.Origin.FileName);
  if (!current.isEmpty()) Propose(dialog, current);
  if (!SystemDialogs().RunFileDialog(dialog)) return false;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return false;
  // The dialog keeps the chosen folder and name and proposes them on the next "Save As".
  const QString file = Absolute(files.first());
  if (!IsProjectFile(file) && QFileInfo::exists(file) && !MayWriteInto(file)) return false;
  return SaveInto(file, true);
}

bool TFileCommands::IsProjectFile(const QString& file) const {
  if (Project_.Origin.FileName.empty()) return false;
  const QFileInfo origin(FromFileName(Project_.Origin.FileName));
  const QFileInfo target(file);
  if (origin.exists() && target.exists())
    return origin.canonicalFilePath() == target.canonicalFilePath();
  return origin.absoluteFilePath() == target.absoluteFilePath();
}

bool TFileCommands::MayWriteInto(const QString& file) {
  return SystemDialogs().AskWriteInto(Parts_.Window,
                                      tr("Файл «%1» уже существует.\n"
                                         "Записать проект в него? Строки файла, которые редактор "
                                         "не меняет, останутся как есть.")
                                          .arg(QDir::toNativeSeparators(file)));
}

bool TFileCommands::SaveInto(const QString& file, bool copying) {
  if (Watch_->ChangedOnDisk(file) && !Watch_->Missing() && !MayOverwrite(file)) return false;
  if (copying)
    SaveProjectAs(Project_, ToFileName(file));
  else
    SaveAndRemember(Project_, ToFileName(file));
  MarkSaved(file);
  return true;
}

bool TFileCommands::MayOverwrite(const QString& file) {
  const QString question =
      tr("Файл «%1» изменён другой программой после того, как редактор его прочёл.\n"
         "Перезаписать его, перечитать (изменения в редакторе пропадут) "
         "или отменить сохранение?")
          .arg(QDir::toNativeSeparators(file));
  Asking_ = true;
  const TChangedFileAnswer answer = SystemDialogs().AskOverwrite(Parts_.Window, question);
  Asking_ = false;
  if (answer == TChangedFileAnswer::Reread) OpenFile(file);
  return answer == TChangedFileAnswer::Overwrite;
}

void TFileCommands::MarkSaved(const QString& file) {
  Parts_.History->SetClean();
  Parts_.Unsaved->MarkSaved();
  Parts_.Recent->Add(file);
  Watch_->Watch(file);
}

bool TFileCommands::MayLeaveProject() {
  Parts_.View->Widgets().Variables->EndEdit();
  Parts_.Unsaved->UpdateCaption();
  if (!Parts_.Unsaved->HasUnsavedChanges()) return true;
  const QString file = FromFileName(Project_.Origin.FileName);
  const QString question = file.isEmpty()
                               ? tr("Сохранить изменения?")
                               : tr("Сохранить изменения в файле «%1»?").arg(ShortName(file));
  switch (SystemDialogs().AskSaveChanges(Parts_.Window, question)) {
    case QMessageBox::Save: return SaveClick();
    case QMessageBox::Discard: return true;
    default: return false;
  }
}

void TFileCommands::FileChanged() {
  const QString file = Watch_->File();
  // Only the project's own file counts, and one question at a time.
  if (Asking_ || file != Absolute(FromFileName(Project_.Origin.FileName))) return;
  const QString name = QDir::toNativeSeparators(file);
  if (Watch_->Missing()) {
    SystemDialogs().ShowMessage(Parts_.Window,
                                tr("Файл «%1» удалён или переименован другой программой.\n"
                                   "«Сохранить» запишет его заново.")
                                    .arg(name),
                                QString());
    return;
  }
  // With unsaved work, "Save" asks before it writes.
  if (Parts_.Unsaved->HasUnsavedChanges()) return;
  Asking_ = true;
  const bool reread = SystemDialogs().AskReread(
      Parts_.Window, tr("Файл «%1» изменён другой программой.\nПрочитать его заново?").arg(name));
  Asking_ = false;
  if (reread) OpenFile(file);
}
