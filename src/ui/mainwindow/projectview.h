// The main window's views of the project: the mock-up of the setup screen (both
// titles, the mock title bar, the background), the three check lists and the
// variables table. The views only show; they change nothing in the project.
#pragma once

#include <QString>
#include <string>

#include "model/model.h"

class QLabel;
class QTabWidget;
class TCheckListBox;
class TPictureBox;
class TShadowLabel;
class TVariablesGrid;

// The widgets of the main window that show the project. Not owned.
struct TProjectWidgets {
  QTabWidget* Pages = nullptr;
  TPictureBox* Background = nullptr;
  TShadowLabel* ProgramName = nullptr;
  TShadowLabel* DlgName = nullptr;
  QLabel* DlgCaption = nullptr;
  TCheckListBox* Langs = nullptr;
  TCheckListBox* Pred = nullptr;
  TCheckListBox* Post = nullptr;
  TVariablesGrid* Variables = nullptr;
};

// What the mock-up shows that the project does not hold: whether the main title
// is shown and the text of the mock title bar.
struct TMockupState {
  bool MainTitleVisible = true;
  QString DialogCaption;

  bool operator==(const TMockupState&) const = default;
};

// The part of the project that an editing dialog changed.
enum class TEdited { MainTitle, DialogTitle, Background };

class TProjectView {
 public:
  // Binds the lists and the table to the project, which must outlive the view.
  TProjectView(TProject& project, const TProjectWidgets& widgets);

  const TProjectWidgets& Widgets() const { return Widgets_; }

  // Every view shows the project as it is now, on the first page: the titles,
  // the lists, the table (current cell back at the first row) and the background.
  // The mock title bar and the main title's visibility stay; see ShowTitleBarOf.
  void ShowProject();
  // The mock title bar names the project's product and the main title shows
  // with the background window, as after opening a file.
  void ShowTitleBarOf();
  // The mock-up shows what a dialog changed.
  void ShowEdited(TEdited part);

  // The mock-up follows the project: both titles (caption, font, shadow colour,
  // shadow size 3 or 0) and the background (gradient or desktop picture).
  void RefreshTitles();
  void RefreshBackground();
  void RefreshMockup();
  // Reloads the three lists only.
  void RefreshLists();
  // Re-reads the table's rows, keeping the current cell where it can.
  void RefreshVariables();

  void SetMainTitleVisible(bool visible);
  bool MainTitleVisible() const { return MainTitleVisible_; }
  void SetDialogCaption(const std::string& text);  // Windows-1251; the mock title bar

  TMockupState Mockup() const;
  void SetMockup(const TMockupState& state);

 private:
  TProject& Project_;
  TProjectWidgets Widgets_;
  bool MainTitleVisible_ = true;
};
