// The main window: menu, four pages, the mock-up of the setup screen, and the
// commands "New", "Open", "Save", "Save As", "Undo", "Redo" and "About". The
// window holds the project; every page is a view of it, and the three editing
// dialogs, which the window owns, edit the parts of it that the mock-up shows.
// The window's work is shared out: TProjectView shows the project, TEditHistory
// keeps the steps to undo, TFileCommands opens and saves, TCatalogueCommand
// changes the catalogue; here are the editing commands and the handlers that
// tie them together.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "model/model.h"
#include "ui/mainwindow/projectview.h"

class QTimer;
class TCatalogueCommand;
class TColorForm;
class TEditHistory;
struct TEditState;
class TFileCommands;
class TPosForm;
class TRecentMenu;
class TStyleDlg;
class TUnsavedWork;
namespace Ui {
class MainForm;
}

// The text of the About box, lines separated by CR LF.
QString AboutText();

class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  // cataloguePath: the catalogue to start with (normally beside the executable).
  explicit TMainForm(QWidget* parent = nullptr, const std::string& cataloguePath = CataloguePath());
  ~TMainForm() override;

  // The catalogue in use: where "New" fills the lists (names and codes) from.
  const std::string& CatalogueFile() const { return CatalogueFile_; }

  TProject& Project() { return Project_; }
  const TProject& Project() const { return Project_; }

  // The three editing dialogs, owned by this window and created hidden on first
  // use (start-up asks for them right after the window, in this order).
  TStyleDlg& StyleDialog();
  TColorForm& ColorDialog();
  TPosForm& PosDialog();

  // The steps that "Undo" takes back.
  TEditHistory& History() { return *History_; }

  // Menu commands. "New" from the menu repaints the background at once and is a
  // step of the edit history; the menu asks about unsaved changes before it
  // calls "New".
  void NewClick(bool fromMenu);
  // Saves the project into the file it was opened from or last saved to; a
  // project without a file asks for one in the file dialog. Variables deleted
  // since the file was opened or last saved leave that file. A file changed on
  // disk by another program is asked about first.
  void SaveClick();
  // Takes back the last edit, or makes it again (an edit of a cell ends first).
  void UndoClick();
  void RedoClick();
  void AboutClick();
  // "Interface language": the window and its dialogs switch to the language at
  // once, and the choice is kept for the next start.
  static void ChooseLanguage(const QString& code);

  // The double-click handler of the three lists: inverts the selected entry of
  // the list that raised it (Langs, Pred or Post).
  void LangsDblClick(QObject* sender);

  // Clicks on the mock-up: each opens the dialog that edits the clicked part,
  // and the mock-up shows what it changed.
  void ProgramNameClick();
  void DlgNameClick();
  void BackgroundDblClick();
  void Label1Click();

  // The mock-up follows the project: both titles (caption, font, shadow colour,
  // shadow size 3 or 0) and the background (gradient or desktop picture).
  void RefreshMockup();
  // View state that the project does not hold and "New" leaves alone.
  void SetMainTitleVisible(bool visible);
  bool MainTitleVisible() const;
  void SetDialogCaption(const std::string& text);  // Windows-1251; the mock title bar

  // Opens the configuration file into the project: every page, the mock-up and the
  // dialogs show it, the caption names it and "Save" writes into it. What the file
  // held that could not be used is then listed in one message box. A file that is
  // missing or cannot be read raises the open error and changes nothing.
  // The catalogue is the "version.ini" in the file's folder when there is one, else
  // the one in use; the overload takes the given catalogue.
  void OpenFile(const QString& fileName);
  void OpenFile(const QString& fileName, const std::string& cataloguePath);

  // True while the project differs from what was last opened, saved or reset in
  // what "Save" writes or in the product name; the caption then carries the mark.
  bool HasUnsavedChanges() const;

 protected:
  // Another interface language: every text of the window is set anew in it.
  void changeEvent(QEvent* event) override;
  // Closing asks about unsaved changes; Cancel, or a save cancelled or failed, keeps the window.
  void closeEvent(QCloseEvent* event) override;
  // One file dropped on the window opens as "Open" opens it; other drops are refused.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Creates the menu, the pages and their controls at their places.
  void LayOut();
  void ConnectHandlers();
  void ConnectEditing();

  void FormCreate();
  // The language menu ticks the interface language.
  void ShowLanguage();
  // A dialog edited a part of the project: the mock-up shows it and the edit
  // is one step of the history (none when the dialog changed nothing).
  void ShowEdited(TEdited part, const QString& step, const TEditState& before);

  std::unique_ptr<Ui::MainForm> Form_;
  TProject Project_;
  std::string CatalogueFile_;

  std::unique_ptr<TProjectView> View_;
  TEditHistory* History_ = nullptr;
  TUnsavedWork* Unsaved_ = nullptr;
  TRecentMenu* Recent_ = nullptr;
  TFileCommands* Files_ = nullptr;
  // The file of the last drop, opened once the drop is over.
  QString DroppedFile_;
  QTimer* DropTimer_ = nullptr;
  TCatalogueCommand* Catalogue_ = nullptr;

  std::unique_ptr<TStyleDlg> StyleDlg_;
  std::unique_ptr<TColorForm> ColorForm_;
  std::unique_ptr<TPosForm> PosForm_;
};
