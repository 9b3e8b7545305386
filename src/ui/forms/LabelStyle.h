// The label style dialog: font, colours, shadow and visibility of the two titles,
// and the product name. It edits the project it is handed and knows no window
// but the owner it is centred on.
#pragma once

#include <QDialog>

#include "model/model.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TBevelLine;
class TShadowLabel;

class TStyleDlg : public QDialog {
  Q_OBJECT
 public:
  // owner: the window the dialog is centred on and kept above (not its parent).
  explicit TStyleDlg(QWidget* owner = nullptr);

  // Opens with the main title of `project` and runs modally. On OK the product
  // name, TitleFont, TitleShadowColor, TitleShadow and MainTitleCaption take the
  // result and true is returned; otherwise `project` is left unchanged.
  bool EditMainTitle(TProject& project);
  // The same for the dialog title: DialogFont, DialogShadowColor, DialogShadow
  // and DialogTitleCaption; the product name is not changed.
  bool EditDialogTitle(TProject& project);

  // The controls' handlers, as a click on each runs them. The sender is not used.
  void TextFontClick(QObject* sender = nullptr);
  void ShadowColorClick(QObject* sender = nullptr);
  void UseShadowClick(QObject* sender = nullptr);
  void ShowItClick(QObject* sender = nullptr);
  void ProgNameChange(QObject* sender = nullptr);

 private:
  enum class TTarget { MainTitle, DialogTitle };

  // Creates the controls at their places.
  void LayOut();
  void ConnectHandlers();
  // Loads the controls from the project for one of the two titles.
  void Open(TTarget target, const TProject& project);
  // Writes the dialog's result into the project.
  void ApplyMainTitle(TProject& project) const;
  void ApplyDialogTitle(TProject& project) const;

  QWidget* Owner_;
  QLabel* Label1_ = nullptr;
  QLineEdit* ProgName_ = nullptr;
  QToolButton* TextFont_ = nullptr;
  QFrame* TxtColor_ = nullptr;
  QToolButton* ShadowColor_ = nullptr;
  QFrame* SColor_ = nullptr;
  QCheckBox* UseShadow_ = nullptr;
  QCheckBox* ShowIt_ = nullptr;
  TBevelLine* Bevel1_ = nullptr;
  TShadowLabel* Preview_ = nullptr;
  TBevelLine* Bevel2_ = nullptr;
  QPushButton* BitBtn2_ = nullptr;
  QPushButton* BitBtn1_ = nullptr;
};
