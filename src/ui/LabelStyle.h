// The label style dialog: font, colours, shadow and visibility of the two titles,
// and the product name.
#pragma once

#include <QDialog>

class TMainForm;

class TStyleDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TStyleDlg(TMainForm* mainForm);

  // Opens for the main title; on OK the project and the mock-up take the result.
  void EditMainTitle();
  // Opens for the dialog title.
  void EditDialogTitle();

 private:
  TMainForm* MainForm_;
};
