// Unsaved work in the main window: what the project held when it was last
// opened, saved or reset, and the caption that names the file and carries the
// mark "[*]" while the project differs from that in what "Save" writes.
#pragma once

#include <QObject>
#include <QString>

#include "model/model.h"
#include "model/savedstate.h"

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
  // The caption names the project's file and carries the mark while there are
  // unsaved changes.
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
  TSavedItems Saved_;
  QTimer* Check_ = nullptr;
};
