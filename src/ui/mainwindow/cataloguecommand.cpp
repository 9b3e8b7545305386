#include "ui/mainwindow/cataloguecommand.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>

#include "ui/mainwindow/edithistory.h"
#include "ui/mainwindow/projectview.h"
#include "ui/mainwindow/unsavedwork.h"
#include "ui/support/errorbox.h"
#include "ui/support/filenames.h"
#include "ui/support/sysdialogs.h"
#include "ui/widgets/checklistbox.h"
#include "ui/widgets/variablesgrid.h"

TCatalogueCommand::TCatalogueCommand(TProject& project, std::string& cataloguePath, QMenu& fileMenu,
                                     const TFileCommandParts& parts)
    : QObject(parts.Window),
      Project_(project),
      CatalogueFile_(cataloguePath),
      Parts_(parts),
      Action_(new QAction(tr("Каталог…"), this)) {
  Action_->setObjectName(QStringLiteral("Catalogue"));
  fileMenu.addAction(Action_);
  // The command's tooltip names the catalogue in use.
  fileMenu.setToolTipsVisible(true);
  connect(Action_, &QAction::triggered, this, ReportingErrors([this] { CatalogueClick(); }));
  ShowCatalogue();
}

void TCatalogueCommand::ShowCatalogue() {
  const QString text = tr("Каталог: %1").arg(FromFileName(CatalogueFile_));
  Action_->setToolTip(text);
  Action_->setStatusTip(text);
  const TProjectWidgets& widgets = Parts_.View->Widgets();
  for (TCheckListBox* list : {widgets.Langs, widgets.Pred, widgets.Post}) list->setToolTip(text);
}

void TCatalogueCommand::FollowProject() {
  if (!Project_.Catalogue.empty()) CatalogueFile_ = Project_.Catalogue;
  ShowCatalogue();
}

QFileDialog* TCatalogueCommand::CatalogueDlg() {
  if (CatalogueDlg_ != nullptr) return CatalogueDlg_;
  CatalogueDlg_ = new QFileDialog(Parts_.Window);
  CatalogueDlg_->setObjectName(QStringLiteral("CatalogueDlg"));
  CatalogueDlg_->setOptions(QFileDialog::DontUseNativeDialog);
  CatalogueDlg_->setAcceptMode(QFileDialog::AcceptOpen);
  CatalogueDlg_->setFileMode(QFileDialog::ExistingFile);
  NameDialog();
  return CatalogueDlg_;
}

void TCatalogueCommand::NameDialog() {
  if (CatalogueDlg_ == nullptr) return;
  CatalogueDlg_->setWindowTitle(tr("Выберите каталог version.ini"));
  CatalogueDlg_->setLabelText(QFileDialog::Accept, tr("Открыть"));
  CatalogueDlg_->setNameFilters(
      {tr("Каталог (version.ini)"), tr("ini файлы (*.ini)"), tr("Все файлы (*)")});
}

void TCatalogueCommand::Retranslate() {
  Action_->setText(tr("Каталог…"));
  ShowCatalogue();
  NameDialog();
}

void TCatalogueCommand::CatalogueClick() {
  QFileDialog& dialog = *CatalogueDlg();
  const QFileInfo current(FromFileName(CatalogueFile_));
  dialog.setDirectory(current.absolutePath());
  dialog.selectFile(current.fileName());
  if (!SystemDialogs().RunFileDialog(dialog)) return;
  const QString file = dialog.selectedFiles().value(0);
  if (file.isEmpty()) return;
  UseCatalogue(ToFileName(QFileInfo(file).absoluteFilePath()));
}

void TCatalogueCommand::UseCatalogue(const std::string& cataloguePath) {
  Parts_.View->Widgets().Variables->EndEdit();
  const TEditState before = Parts_.History->Take(TProjectPart::Everything);
  // The project is unchanged when this raises.
  const std::vector<std::string> changes = ChangeCatalogue(Project_, cataloguePath);
  CatalogueFile_ = Project_.Catalogue;
  ShowCatalogue();
  Parts_.View->RefreshLists();
  Parts_.History->Record(tr("каталог"), before);
  Parts_.Unsaved->UpdateCaption();
  ShowListMessage(Parts_.Window,
                  tr("Каталог «%1» загружен, но не все отметки остались как были:")
                      .arg(FromFileName(cataloguePath)),
                  changes);
}
