// The system's modal dialogs and message boxes behind one replaceable seam, so
// that tests can answer them without a running modal loop.
#pragma once

#include <QMessageBox>
#include <QString>
#include <string>
#include <vector>

#include "model/model.h"

class QDialog;
class QFileDialog;
class QWidget;

// The answers to the question before a file changed by another program is saved over.
enum class TChangedFileAnswer { Overwrite, Reread, Cancel };

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
  // Asks whether to save the changes, in the message box "SaveChangesBox" (run
  // through RunModal) with Save, Discard and Cancel; a box closed otherwise answers Cancel.
  virtual QMessageBox::StandardButton AskSaveChanges(QWidget* parent, const QString& text);
  // An information box captioned with the application title, named "MessageBox"
  // and run through RunModal; `details` (optional) goes behind the "Show Details" button.
  virtual void ShowMessage(QWidget* parent, const QString& text, const QString& details);
  // The same box with every one of the lines (UTF-8; they must stay unchanged while
  // it is up) in a list below its text, named "ProblemList", which makes a line
  // into a QString only when it shows it.
  virtual void ShowMessage(QWidget* parent, const QString& text, const TProblemTexts& lines);
  // Asks whether to read the file again, in the message box "RereadBox" (run
  // through RunModal) with Yes and No; a box closed otherwise answers No.
  virtual bool AskReread(QWidget* parent, const QString& text);
  // Asks what to do with a file that changed on disk before it is saved over, in
  // the message box "OverwriteBox" (run through RunModal) with the buttons
  // "Перезаписать" ("Overwrite"), "Перечитать" ("Reread") and "Отмена"
  // ("Cancel"), named so; a box closed otherwise answers Cancel.
  virtual TChangedFileAnswer AskOverwrite(QWidget* parent, const QString& text);
  // Asks whether to save into another existing file, in the message box
  // "WriteIntoBox" (run through RunModal) with Yes and No, No the default; a box
  // closed otherwise answers No.
  virtual bool AskWriteInto(QWidget* parent, const QString& text);
};

TSystemDialogs& SystemDialogs();
// Installs a replacement; nullptr restores the real dialogs. Not owned.
void SetSystemDialogs(TSystemDialogs* dialogs);

// Shows `heading` and below it the lines (UTF-8) in one ShowMessage box: at most
// twenty in the box itself, then how many more there are, and then all of them
// behind "Show Details". Nothing when there are no lines.
void ShowListMessage(QWidget* parent, const QString& heading,
                     const std::vector<std::string>& lines);
// The same for Open's problems, which are never all made into QStrings: those
// beyond the first twenty are read in the box's list of all of them.
void ShowListMessage(QWidget* parent, const QString& heading, const TProblemTexts& lines);
