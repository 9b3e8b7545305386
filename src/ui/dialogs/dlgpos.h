// The dialog position dialog: where the setup places its dialogs on the screen.
// It is bound to one project and edits its DialogPosition at once, at every choice.
#pragma once

#include <QDialog>
#include <memory>

#include "model/model.h"

namespace Ui {
class PosForm;
}

class TPosForm : public QDialog {
  Q_OBJECT
 public:
  // project: whose DialogPosition the dialog edits and whose background the
  // miniature screen shows; it must outlive the dialog. owner: the window the
  // dialog is centred on and kept above (not its parent).
  explicit TPosForm(TProject& project, QWidget* owner = nullptr);
  ~TPosForm() override;

  // Shows the project's position and runs the dialog modally. Every choice is
  // taken at once, so the way the dialog closes does not matter.
  void EditPosition();

  // Runs each time the dialog is shown: paints the miniature screen, the gradient
  // or the desktop picture when the setup shows no background window.
  void FormShow();
  // The radio groups' handlers: the chosen index is the new position at once.
  void GorizClick();
  void VertClick();

 protected:
  void showEvent(QShowEvent* event) override;
  // Another interface language: every text is set anew in it.
  void changeEvent(QEvent* event) override;

 private:
  // Creates the controls at their places.
  void LayOut();
  void ConnectHandlers();
  // The radio buttons' texts in the interface language.
  void NameItems();
  // Moves the miniature dialog to the chosen position.
  void PlaceDemo();

  std::unique_ptr<Ui::PosForm> Form_;
  TProject& Project_;
  QWidget* Owner_;
};
