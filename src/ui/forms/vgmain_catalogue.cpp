// The main window's catalogue: the command "Каталог…" that changes it, and where
// the window names the catalogue in use without changing its size.
#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QStringList>

#include "ui/forms/edithistory.h"
#include "ui/forms/projectview.h"
#include "ui/forms/unsavedwork.h"
#include "ui/forms/vgmain.h"
#include "ui/support/errorbox.h"
#include "ui/support/filenames.h"
#include "ui/support/sysdialogs.h"
#include "ui/widgets/checklistbox.h"
#include "ui/widgets/variablesgrid.h"
#include "ui_vgmain.h"

namespace {

// At most this many changes are listed in the box itself; all of them behind "Show Details".
constexpr qsizetype kListedChanges = 20;

}  // namespace

void TMainForm::AddCatalogueCommand() {
  QMenu* fileMenu = Form_->FileMenu;
  CatalogueAction_ = new QAction(QStringLiteral("Каталог…"), this);
  CatalogueAction_->setObjectName(QStringLiteral("Catalogue"));
  fileMenu->addAction(CatalogueAction_);
  // The command's tooltip names the catalogue in use.
  fileMenu->setToolTipsVisible(true);
  connect(CatalogueAction_, &QAction::triggered, this,
          ReportingErrors([this] { CatalogueClick(); }));
  ShowCatalogue();
}

void TMainForm::ShowCatalogue() {
  const QString text = QStringLiteral("Каталог: %1").arg(FromFileName(CatalogueFile_));
  CatalogueAction_->setToolTip(text);
  CatalogueAction_->setStatusTip(text);
  for (TCheckListBox* list : {Form_->Langs, Form_->Pred, Form_->Post}) list->setToolTip(text);
}

QFileDialog* TMainForm::CatalogueDlg() {
  if (CatalogueDlg_ != nullptr) return CatalogueDlg_;
  CatalogueDlg_ = new QFileDialog(this, QStringLiteral("Выберите каталог version.ini"));
  CatalogueDlg_->setObjectName(QStringLiteral("CatalogueDlg"));
  CatalogueDlg_->setOptions(QFileDialog::DontUseNativeDialog);
  CatalogueDlg_->setAcceptMode(QFileDialog::AcceptOpen);
  CatalogueDlg_->setFileMode(QFileDialog::ExistingFile);
  CatalogueDlg_->setNameFilters({QStringLiteral("Каталог (version.ini)"),
                                 QStringLiteral("ini файлы (*.ini)"),
                                 QStringLiteral("Все файлы (*)")});
  return CatalogueDlg_;
}

void TMainForm::CatalogueClick(QObject*) {
  QFileDialog& dialog = *CatalogueDlg();
  const QFileInfo current(FromFileName(CatalogueFile_));
  dialog.setDirectory(current.absolutePath());
  dialog.selectFile(current.fileName());
  if (!SystemDialogs().RunFileDialog(dialog)) return;
  const QString file = dialog.selectedFiles().value(0);
  if (file.isEmpty()) return;
  UseCatalogue(ToFileName(QFileInfo(file).absoluteFilePath()));
}

void TMainForm::UseCatalogue(const std::string& cataloguePath) {
  Form_->Variables->EndEdit();
  const TEditState before = History_->Take(TProjectPart::Everything);
  // The project is unchanged when this raises.
  const std::vector<std::string> changes = ChangeCatalogue(Project_, cataloguePath);
  CatalogueFile_ = Project_.Catalogue;
  ShowCatalogue();
  View_->RefreshLists();
  History_->Record(QStringLiteral("каталог"), before);
  Unsaved_->UpdateCaption();
  if (changes.empty()) return;
  QStringList lines;
  for (const std::string& change : changes) lines << QString::fromStdString(change);
  QString text = QStringLiteral("Каталог «%1» загружен, но не все отметки остались как были:\n\n")
                     .arg(FromFileName(cataloguePath)) +
                 lines.mid(0, kListedChanges).join(QLatin1Char('\n'));
  QString details;
  if (lines.size() > kListedChanges) {
    text += QStringLiteral("\n… и ещё %1.").arg(lines.size() - kListedChanges);
    details = lines.join(QLatin1Char('\n'));
  }
  SystemDialogs().ShowMessage(this, text, details);
}
