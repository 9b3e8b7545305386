// The dialog position dialog: where the setup places its dialogs on the screen.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class TMainForm;
class TPictureBox;
class TRadioGroup;

class TPosForm : public QDialog {
  Q_OBJECT
 public:
  explicit TPosForm(TMainForm* mainForm);

  // Shows the dialog modally; the project's position follows every choice at once.
  void EditPosition();

  // Runs each time the dialog is shown: paints the miniature screen, the gradient
  // or the desktop picture when the setup shows no background window.
  void FormShow(QObject* sender = nullptr);
  // The radio groups' handlers: the chosen index is the new position at once.
  void GorizClick(QObject* sender = nullptr);
  void VertClick(QObject* sender = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Moves the miniature dialog to the chosen position.
  void PlaceDemo();

  TMainForm* MainForm_;
  QFrame* Panel1_ = nullptr;
  TPictureBox* Image1_ = nullptr;
  QFrame* Demo_ = nullptr;
  QLabel* Panel3_ = nullptr;
  TRadioGroup* Vert_ = nullptr;
  TRadioGroup* Goriz_ = nullptr;
  QPushButton* BitBtn1_ = nullptr;
};
