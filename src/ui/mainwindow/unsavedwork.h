// Unsaved work in the main window: what the project held when it was last
// opened, saved or reset, and the caption that names the file and carries the
// mark "[*]" while the project differs from that in what "Save" writes.
#pragma once

#include <QObject>
#include <QString>

#include "model/model.h"
#include "model/savedstate.h"
#include "model/savedvariables.h"

class QMainWindow;
class QTimer;

class TUnsavedWork : public QObject {
  Q_OBJECT
 public:
  // The window's caption as it is now is the title without a file. The project
  // and the window must outlive this object.
  TUnsavedWork(const TProject& project, QMainWindow& window);

  // True while the project differs from what was last opened, saved or reset in
  // what "Save" writes or in the product name.
  bool HasUnsavedChanges() const;
  // The project as it is now counts as saved; the caption follows.
  void MarkSaved();
  // The variables row at `index` (from 0) changed in place, was inserted there or
  // deleted from there (the only row: emptied), or rows were inserted, erased or
  // replaced at once: the caption's next look compares only what changed.
  void RowChanged(int index);
  void RowInserted(int index);
  void RowDeleted(int index);
  void RowsChanged();
  // The caption names the project's file and carries the mark while there are
  // unsaved changes. It relies on being told of every change of the variables
  // rows (RowChanged, RowsChanged) but a change of their number.
  void UpdateCaption();
  // Looks again after any key or mouse input anywhere in the application, once
  // the input has been handled (a burst of input is looked at once).
  void WatchInput();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const TProject& Project_;
  QMainWindow& Window_;
  QString BaseTitle_;
  TSavedItems Saved_;  // but the variables rows
  TSavedVariables Variables_;
  QTimer* Check_ = nullptr;
};
