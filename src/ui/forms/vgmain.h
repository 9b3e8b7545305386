// The main window: menu, four pages, the mock-up of the setup screen, and the
// commands "New", "Open", "Save" and "About". The window holds the project; every page
// is a view of it, and the three editing dialogs, which the window owns, edit
// the parts of it that the mock-up shows.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "model/model.h"
#include "ui/support/savedstate.h"

class QAction;
class QFileDialog;
class QLabel;
class QTabWidget;
class QTimer;
class TCheckListBox;
class TClickLabel;
class TColorForm;
class TPictureBox;
class TPosForm;
class TShadowLabel;
class TStyleDlg;
class TVariablesGrid;

// The text of the About box, lines separated by CR LF.
QString AboutText();

class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  // cataloguePath: the catalogue to start with (normally beside the executable).
  explicit TMainForm(QWidget* parent = nullptr, const std::string& cataloguePath = CataloguePath());
  ~TMainForm() override;

  // The catalogue in use: where "New" fills the lists from and "Save" looks codes up.
  const std::string& CatalogueFile() const { return CatalogueFile_; }

  TProject& Project() { return Project_; }
  const TProject& Project() const { return Project_; }

  // The three editing dialogs, owned by this window and created hidden on first
  // use (start-up asks for them right after the window, in this order).
  TStyleDlg& StyleDialog();
  TColorForm& ColorDialog();
  TPosForm& PosDialog();

  // Menu commands. "New" with a sender (from the menu) repaints the background at
  // once; the menu asks about unsaved changes before it calls "New".
  void NewClick(bool fromMenu);
  void NewClick(QObject* sender);
  // Asks about unsaved changes, lets the user choose a file in OpenDlg and opens it
  // (see OpenFile). Raises the open error, and then nothing has changed.
  void OpenClick(QObject* sender = nullptr);
  // Lets the user choose a file in OpenDlg and saves the project into it; variables
  // deleted since the file was opened or last saved leave that file.
  void SaveClick(QObject* sender = nullptr);
  void AboutClick(QObject* sender = nullptr);
  // "Каталог…": lets the user choose a catalogue in CatalogueDlg and uses it (UseCatalogue).
  void CatalogueClick(QObject* sender = nullptr);
  // Reloads the three lists from the catalogue, keeping every tick whose code it knows,
  // and lists what could not be kept as it was in one message box. The project is
  // otherwise kept. Raises when the catalogue cannot be read, and then nothing changes.
  void UseCatalogue(const std::string& cataloguePath);
  // The file dialog of "Каталог…", made on first use; it proposes the catalogue in use.
  QFileDialog* CatalogueDlg();

  // The double-click handler of the three lists: inverts the selected entry of
  // the list that raised it (Langs, Pred or Post).
  void LangsDblClick(QObject* sender);

  // Clicks on the mock-up (the sender is not examined): each opens the dialog
  // that edits the clicked part, and the mock-up shows what it changed.
  void ProgramNameClick(QObject* sender = nullptr);
  void DlgNameClick(QObject* sender = nullptr);
  void BackgroundDblClick(QObject* sender = nullptr);
  void Label1Click(QObject* sender = nullptr);

  // The mock-up follows the project: both titles (caption, font, shadow colour,
  // shadow size 3 or 0) and the background (gradient or desktop picture).
  void RefreshMockup();
  // View state that the project does not hold and "New" leaves alone.
  void SetMainTitleVisible(bool visible);
  bool MainTitleVisible() const;
  void SetDialogCaption(const std::string& text);  // Windows-1251; the mock title bar

  // The file dialog of "Open" and "Save", made on first use; it keeps the last
  // chosen folder and name and proposes them again.
  QFileDialog* OpenDlg();

  // Opens the configuration file into the project: every page, the mock-up and the
  // dialogs show it, the caption names it and "Save" proposes it. What the file
  // held that could not be used is then listed in one message box. A file that is
  // missing or cannot be read raises the open error and changes nothing. The
  // catalogue is the "version.ini" in the file's folder when there is one, else the
  // one in use; the overload takes the given catalogue.
  void OpenFile(const QString& fileName);
  void OpenFile(const QString& fileName, const std::string& cataloguePath);

  // True while the project differs from what was last opened, saved or reset in
  // what "Save" writes or in the product name; the caption then carries the mark.
  bool HasUnsavedChanges() const;

 protected:
  // Closing asks about unsaved changes; Cancel, or a save cancelled or failed, keeps the window.
  void closeEvent(QCloseEvent* event) override;
  // Any key or mouse input anywhere may edit the project: the mark follows afterwards.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The part of the project that an editing dialog changed.
  enum class TEdited { MainTitle, DialogTitle, Background };

  // Creates the menu, the pages and their controls at their places (vgmain_layout.cpp).
  void LayOut();
  void ConnectHandlers();

  void FormCreate();
  // The mock-up shows what a dialog changed: the one place that follows an edit.
  void ShowEdited(TEdited part);
  void RefreshTitles();
  void RefreshBackground();
  // Reloads the three lists only.
  void RefreshLists();

  // The catalogue (vgmain_catalogue.cpp). Adds "Каталог…" to the file menu.
  void AddCatalogueCommand();
  // Names the catalogue in use in the command's tooltip and the lists' tooltips.
  void ShowCatalogue();

  // Unsaved work (vgmain_file.cpp).
  // True when the project may be replaced or closed: nothing to save, saved now,
  // or the user chose not to save. Raises when the save fails.
  bool MayLeaveProject();
  // Runs OpenDlg and saves; false when the user cancelled. Raises on failure.
  bool SaveToChosenFile();
  // Every view shows the project just opened.
  void ShowProject();
  void ShowProblems(const std::vector<std::string>& problems);
  // The project as it is now counts as saved.
  void MarkSaved();
  // Checks for changes after input anywhere in the application.
  void WatchForChanges();
  void ScheduleModifiedCheck();
  // The caption names the file and carries the mark while there are unsaved changes.
  void UpdateCaption();

  TProject Project_;
  std::string CatalogueFile_;
  bool MainTitleVisible_ = true;
  TSavedItems Saved_;
  QString BaseTitle_;
  QTimer* ModifiedCheck_ = nullptr;

  QTabWidget* Pages_ = nullptr;
  TPictureBox* Background_ = nullptr;
  TShadowLabel* ProgramName_ = nullptr;
  TShadowLabel* DlgName_ = nullptr;
  QLabel* DlgCaption_ = nullptr;
  TClickLabel* Label1_ = nullptr;
  QFileDialog* OpenDlg_ = nullptr;
  QFileDialog* CatalogueDlg_ = nullptr;
  QAction* CatalogueAction_ = nullptr;

  TCheckListBox* Langs_ = nullptr;
  TCheckListBox* Pred_ = nullptr;
  TCheckListBox* Post_ = nullptr;
  TVariablesGrid* Variables_ = nullptr;

  std::unique_ptr<TStyleDlg> StyleDlg_;
  std::unique_ptr<TColorForm> ColorForm_;
  std::unique_ptr<TPosForm> PosForm_;
};
