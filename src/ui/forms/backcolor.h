// The background dialog: the two gradient colours and whether the setup shows
// its full-screen background window. It edits the project it is handed.
#pragma once

#include <QDialog>

#include "model/model.h"

class QCheckBox;
class QFrame;
class QPushButton;
class QToolButton;
class TBevelLine;
class TPictureBox;

class TColorForm : public QDialog {
  Q_OBJECT
 public:
  // owner: the window the dialog is centred on and kept above (not its parent).
  explicit TColorForm(QWidget* owner = nullptr);

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

  // The controls' handlers, as a click on each runs them. The sender is not used.
  void TColorClick(QObject* sender = nullptr);
  void BColorClick(QObject* sender = nullptr);
  void EnableBackgroundClick(QObject* sender = nullptr);

 private:
  // Creates the controls at their places.
  void LayOut();
  void ConnectHandlers();
  // Paints the preview's picture without asking for a repaint.
  void PaintPreview();

  QWidget* Owner_;
  TColor TopColor_ = 0;
  TColor BottomColor_ = 0;

  QToolButton* TColor_ = nullptr;
  QToolButton* BColor_ = nullptr;
  QCheckBox* EnableBackground_ = nullptr;
  TBevelLine* Bevel1_ = nullptr;
  QFrame* Preview_ = nullptr;
  TPictureBox* Back_ = nullptr;
  QPushButton* BitBtn1_ = nullptr;
  QPushButton* BitBtn2_ = nullptr;
};
