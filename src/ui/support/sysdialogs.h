// The system's modal dialogs and message boxes behind one replaceable seam, so
// that tests can answer them without a running modal loop.
#pragma once

#include <QString>

#include "model/model.h"

class QDialog;
class QFileDialog;
class QWidget;

class TSystemDialogs {
 public:
  virtual ~TSystemDialogs() = default;

  // Runs one of the program's own dialogs modally; returns QDialog::DialogCode.
  virtual int RunModal(QDialog& dialog);
  // Runs the file dialog; true when the user chose a file.
  virtual bool RunFileDialog(QFileDialog& dialog);
  // The colour dialog, custom colours expanded, starting with `color`; true and
  // the chosen colour when the user confirms.
  virtual bool ChooseColor(QWidget* parent, TColor& color);
  // The font dialog with colour, underline and strike-out, starting with `font`.
  virtual bool ChooseFont(QWidget* parent, TFontDesc& font);
  // The error box captioned "Visual RVL" with the error icon.
  virtual void ShowError(QWidget* parent, const QString& text);
  // The About box.
  virtual void ShowAbout(QWidget* parent, const QString& text);
};

TSystemDialogs& SystemDialogs();
// Installs a replacement; nullptr restores the real dialogs. Not owned.
void SetSystemDialogs(TSystemDialogs* dialogs);
