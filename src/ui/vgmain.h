// The main window: menu, four pages, the mock-up of the setup screen, and the
// commands "New", "Save" and "About". The window holds the project; every page
// and dialog is a view of it.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "model/model.h"

class QFileDialog;
class QLabel;
class QTabWidget;
class TCheckListBox;
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

  // The three dialogs created hidden at start-up, after this window.
  void AttachDialogs(TStyleDlg* styleDlg, TColorForm* colorForm, TPosForm* posForm);

  // Menu commands. "New" with a sender (from the menu) repaints the background at once.
  void NewClick(bool fromMenu);
  void NewClick(QObject* sender);
  void SaveClick(QObject* sender = nullptr);
  void AboutClick(QObject* sender = nullptr);

  // The double-click handler of the three lists: inverts the selected entry of
  // the list that raised it (Langs, Pred or Post).
  void LangsDblClick(QObject* sender);

  // Clicks on the mock-up (the sender is not examined).
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

  QFileDialog* OpenDlg() const { return OpenDlg_; }

 private:
  void FormCreate();
  void RefreshTitles();
  void RefreshBackground();
  void BuildMenu();
  void BuildMockupPage();
  // The pages "Языки", "Диалоги" and "Переменные" (vgmain_lists.cpp).
  void BuildListPages();
  // Reloads the lists and the table from the project after "New" (vgmain_lists.cpp).
  void RefreshListPages();
  // Reloads the three lists only (vgmain_lists.cpp).
  void RefreshLists();
  // The dialogs attached at start-up; a window created alone makes its own on first use.
  TStyleDlg& StyleDialog();
  TColorForm& ColorDialog();
  TPosForm& PosDialog();

  TProject Project_;
  std::string CatalogueFile_;
  bool MainTitleVisible_ = true;

  QTabWidget* Pages_ = nullptr;
  TPictureBox* Background_ = nullptr;
  TShadowLabel* ProgramName_ = nullptr;
  TShadowLabel* DlgName_ = nullptr;
  QLabel* DlgCaption_ = nullptr;
  QLabel* Label1_ = nullptr;
  QFileDialog* OpenDlg_ = nullptr;

  TCheckListBox* Langs_ = nullptr;
  TCheckListBox* Pred_ = nullptr;
  TCheckListBox* Post_ = nullptr;
  TVariablesGrid* Variables_ = nullptr;

  TStyleDlg* StyleDlg_ = nullptr;
  TColorForm* ColorForm_ = nullptr;
  TPosForm* PosForm_ = nullptr;
  std::unique_ptr<TStyleDlg> OwnStyleDlg_;
  std::unique_ptr<TColorForm> OwnColorForm_;
  std::unique_ptr<TPosForm> OwnPosForm_;
};
