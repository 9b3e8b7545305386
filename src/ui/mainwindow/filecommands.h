// The main window's file commands: "Открыть…", "Сохранить", "Сохранить как…",
// the recent files, a dropped file, the question before unsaved work is dropped,
// and the file changed by another program.
#pragma once

#include <QObject>
#include <QString>
#include <string>
#include <vector>

#include "model/model.h"

class QFileDialog;
class QMainWindow;
class TEditHistory;
class TFileWatch;
class TProjectView;
class TRecentMenu;
class TUnsavedWork;

// The parts of the main window that the file commands use. Not owned.
struct TFileCommandParts {
  QMainWindow* Window = nullptr;
  TProjectView* View = nullptr;
  TEditHistory* History = nullptr;
  TUnsavedWork* Unsaved = nullptr;
  TRecentMenu* Recent = nullptr;
};

class TFileCommands : public QObject {
  Q_OBJECT
 public:
  // The project, the catalogue path and the parts must outlive the commands.
  // Opening a file sets the catalogue path to the catalogue that the file was
  // opened with (see ChooseCatalogue).
  TFileCommands(TProject& project, std::string& cataloguePath, const TFileCommandParts& parts);

  // The file dialog of "Open", "Save" and "Save As", made on first use; it keeps
  // the last chosen folder and name and proposes them again.
  QFileDialog* OpenDlg();
  // Sets the file dialog's title, file types and button anew (in another interface
  // language).
  void Retranslate();

  // "Открыть…": asks about unsaved changes, lets the user choose a file in
  // OpenDlg and opens it (see OpenFile). Raises the open error, and then nothing
  // has changed.
  void OpenClick();
  // Opens the configuration file into the project: every view and the dialogs
  // show it, the caption names it, the edit history starts anew, the file is
  // watched and comes first in the recent files. What the file held that could
  // not be used is then listed in one message box. A file that is missing or
  // cannot be read raises the open error and changes nothing.
  // The catalogue is the "version.ini" in the file's folder when there is one, else
  // the one in use; the overload takes the given catalogue.
  void OpenFile(const QString& fileName);
  void OpenFile(const QString& fileName, const std::string& cataloguePath);
  // A file chosen in the recent files or dropped on the window: asks about
  // unsaved changes and opens it. A file of the recent files that does not open
  // leaves the list; the error is raised.
  void OpenRecent(const QString& fileName);
  void OpenDropped(const QString& fileName);

  // "Сохранить": saves into the project's file, or asks for one (as Save As)
  // when the project has none. False when the user cancelled. Raises on failure.
  bool SaveClick();
  // "Сохранить как…": always asks for the file (the dialog's button reads
  // "Сохранить"), proposing the project's. A new file is a copy of the project's
  // file with the project saved into it (see SaveProjectAs); before it writes into
  // another existing file it asks, and that file keeps its own other lines. False
  // when the user cancelled or answered no. Raises on failure.
  bool SaveAsClick();

  // True when the project may be replaced or closed: nothing to save, saved now,
  // or the user chose not to save. Raises when the save fails.
  bool MayLeaveProject();

 private:
  // Saves into the file (absolute path); variables deleted since the file was
  // opened or last saved leave it. With `copying`, a new file starts as a copy of
  // the project's file (SaveProjectAs). A file changed on disk is asked about
  // first. False when nothing was written.
  bool SaveInto(const QString& file, bool copying = false);
  // The file (absolute path) is the project's own, through links too.
  bool IsProjectFile(const QString& file) const;
  // Asks before "Save As" writes into another existing file: true to go on.
  bool MayWriteInto(const QString& file);
  // The file changed on disk is about to be saved over: true to go on.
  bool MayOverwrite(const QString& file);
  void ShowProblems(const TProblemTexts& problems);
  // The project as it is now is the opened or saved content of the file.
  void MarkSaved(const QString& file);
  // The watched file changed on disk.
  void FileChanged();

  TProject& Project_;
  std::string& CatalogueFile_;
  TFileCommandParts Parts_;
  TFileWatch* Watch_;
  QFileDialog* OpenDlg_ = nullptr;
  bool Asking_ = false;  // a question about the changed file is open
};
