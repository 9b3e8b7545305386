// The main window's command "Каталог…", which changes the catalogue that "New"
// and the lists take their names and codes from, and where the window names the
// catalogue in use without changing its size: the command's tooltip and the
// lists' tooltips.
#pragma once

#include <QObject>
#include <string>

#include "model/model.h"
#include "ui/mainwindow/filecommands.h"

class QAction;
class QFileDialog;
class QMenu;

class TCatalogueCommand : public QObject {
  Q_OBJECT
 public:
  // Adds the command (object name "Catalogue") at the end of `fileMenu`. The
  // project, the catalogue path and the parts (all but Recent, which it does not
  // use) must outlive the command.
  TCatalogueCommand(TProject& project, std::string& cataloguePath, QMenu& fileMenu,
                    const TFileCommandParts& parts);

  // The file dialog of "Каталог…", made on first use; it proposes the catalogue in use.
  QFileDialog* CatalogueDlg();
  // "Каталог…": lets the user choose a catalogue in CatalogueDlg and uses it (UseCatalogue).
  void CatalogueClick();
  // Reloads the three lists from the catalogue, keeping every tick whose code it knows,
  // and lists what could not be kept as it was in one message box; one step of the
  // edit history. The project is otherwise kept. Raises when the catalogue cannot be
  // read, and then nothing changes.
  void UseCatalogue(const std::string& cataloguePath);
  // The catalogue in use follows the project's (after an open or a step taken back).
  void FollowProject();
  // Sets the command's texts and its dialog's anew (in another interface language).
  void Retranslate();

 private:
  // The dialog's title and file types.
  void NameDialog();
  // Names the catalogue in use in the command's tooltip and the lists' tooltips.
  void ShowCatalogue();

  TProject& Project_;
  std::string& CatalogueFile_;
  TFileCommandParts Parts_;
  QAction* Action_;
  QFileDialog* CatalogueDlg_ = nullptr;
};
