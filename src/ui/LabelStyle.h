// The label style dialog: font, colours, shadow and visibility of the two titles,
// and the product name.
#pragma once

#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TBevelLine;
class TMainForm;
class TShadowLabel;

class TStyleDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TStyleDlg(TMainForm* mainForm);

  // Opens for the main title; on OK the project and the mock-up take the result.
  void EditMainTitle();
  // Opens for the dialog title.
  void EditDialogTitle();

  // The controls' handlers, as a click on each runs them. The sender is not used.
  void TextFontClick(QObject* sender = nullptr);
  void ShadowColorClick(QObject* sender = nullptr);
  void UseShadowClick(QObject* sender = nullptr);
  void ShowItClick(QObject* sender = nullptr);
  void ProgNameChange(QObject* sender = nullptr);

 private:
  enum class TTarget { MainTitle, DialogTitle };

  // Loads the controls from the project for one of the two titles.
  void Open(TTarget target);
  // Hands the dialog's result to the project and the mock-up.
  void ApplyMainTitle();
  void ApplyDialogTitle();

  TMainForm* MainForm_;
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
