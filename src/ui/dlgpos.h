// The dialog position dialog: where the setup places its dialogs on the screen.
#pragma once

#include <QDialog>

class TMainForm;

class TPosForm : public QDialog {
  Q_OBJECT
 public:
  explicit TPosForm(TMainForm* mainForm);

  // Shows the dialog modally; the project's position follows every choice at once.
  void EditPosition();

 private:
  TMainForm* MainForm_;
};
