// The background dialog: the two gradient colours and whether the setup shows
// its full-screen background window.
#pragma once

#include <QDialog>

class TMainForm;

class TColorForm : public QDialog {
  Q_OBJECT
 public:
  explicit TColorForm(TMainForm* mainForm);

  // Opens with the project's values; on OK the project and the mock-up take them.
  void EditBackground();

 private:
  TMainForm* MainForm_;
};
