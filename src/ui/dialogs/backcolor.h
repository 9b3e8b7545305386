// The background dialog: the two gradient colours and whether the setup shows
// its full-screen background window. It edits the project it is handed.
#pragma once

#include <QDialog>
#include <memory>

#include "model/model.h"

namespace Ui {
class ColorForm;
}

class TColorForm : public QDialog {
  Q_OBJECT
 public:
  // owner: the window the dialog is centred on and kept above (not its parent).
  explicit TColorForm(QWidget* owner = nullptr);
  ~TColorForm() override;

  // Opens with the project's colours and background switch and runs modally. On
  // OK TopColor, BottomColor and BackgroundEnabled take the dialog's values and
  // true is returned; otherwise `project` is left unchanged.
  bool EditBackground(TProject& project);

  // The colours being chosen. Setting one repaints the preview's picture: the
  // gradient when the background is ticked, else the desktop picture.
  void SetTopColor(TColor color);
  void SetBottomColor(TColor color);
  TColor TopColor() const { return TopColor_; }
  TColor BottomColor() const { return BottomColor_; }

  // The controls' handlers, as a click on each runs them.
  void TColorClick();
  void BColorClick();
  void EnableBackgroundClick();

 protected:
  // Another interface language: every text is set anew in it.
  void changeEvent(QEvent* event) override;

 private:
  // Creates the controls at their places.
  void LayOut();
  void ConnectHandlers();
  // Paints the preview's picture without asking for a repaint.
  void PaintPreview();

  std::unique_ptr<Ui::ColorForm> Form_;
  QWidget* Owner_;
  TColor TopColor_ = 0;
  TColor BottomColor_ = 0;
};
