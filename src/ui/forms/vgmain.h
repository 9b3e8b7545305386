// The main window: menu, four pages, the mock-up of the setup screen, and the
// commands "New", "Save" and "About". The window holds the project; every page
// is a view of it, and the three editing dialogs, which the window owns, edit
// the parts of it that the mock-up shows.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "model/model.h"

class QFileDialog;
class QLabel;
class QTabWidget;
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
  // cataloguePath: where "New" and "Save" find the catalogue (normally beside the executable).
  explicit TMainForm(QWidget* parent = nullptr, const std::string& cataloguePath = CataloguePath());
  ~TMainForm() override;

  const std::string& CatalogueFile() const { return CatalogueFile_; }

  TProject& Project() { return Project_; }
  const TProject& Project() const { return Project_; }

  // The three editing dialogs, owned by this window and created hidden on first
  // use (start-up asks for them right after the window, in this order).
  TStyleDlg& StyleDialog();
  TColorForm& ColorDialog();
  TPosForm& PosDialog();

  // Menu commands. "New" with a sender (from the menu) repaints the background at once.
  void NewClick(bool fromMenu);
  void NewClick(QObject* sender);
  void SaveClick(QObject* sender = nullptr);
  void AboutClick(QObject* sender = nullptr);

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

  // The file dialog of "Save", made on first use; it keeps the last chosen
  // folder and name and proposes them again.
  QFileDialog* OpenDlg();

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

  TProject Project_;
  std::string CatalogueFile_;
  bool MainTitleVisible_ = true;

  QTabWidget* Pages_ = nullptr;
  TPictureBox* Background_ = nullptr;
  TShadowLabel* ProgramName_ = nullptr;
  TShadowLabel* DlgName_ = nullptr;
  QLabel* DlgCaption_ = nullptr;
  TClickLabel* Label1_ = nullptr;
  QFileDialog* OpenDlg_ = nullptr;

  TCheckListBox* Langs_ = nullptr;
  TCheckListBox* Pred_ = nullptr;
  TCheckListBox* Post_ = nullptr;
  TVariablesGrid* Variables_ = nullptr;

  std::unique_ptr<TStyleDlg> StyleDlg_;
  std::unique_ptr<TColorForm> ColorForm_;
  std::unique_ptr<TPosForm> PosForm_;
};
