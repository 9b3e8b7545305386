// Watches the open configuration file for changes by other programs: the
// system's notice (QFileSystemWatcher) and the file's stamp (identity, size and
// modification time) as the editor last read or wrote it.
#pragma once

#include <QObject>
#include <QString>

#include "model/filestamp.h"

class QFileSystemWatcher;

class TFileWatch : public QObject {
  Q_OBJECT
 public:
  explicit TFileWatch(QObject* parent = nullptr);

  // Watches the file (an absolute path) as it is now: the editor has just read
  // or written it. An empty name watches nothing.
  void Watch(const QString& file);
  QString File() const { return File_; }
  // True when the file is this one (an absolute path) and differs on disk from
  // what the editor last read or wrote: changed, replaced, deleted or renamed.
  bool ChangedOnDisk(const QString& file) const;
  // True when the watched file is gone from its place.
  bool Missing() const;

 signals:
  // The file differs from what the editor last read or wrote, in a way not
  // acknowledged yet; emitted once per change.
  void changed();

 private:
  void SystemNotice();

  QFileSystemWatcher* Watcher_;
  QString File_;
  TFileStamp Known_;     // as the editor last read or wrote it
  TFileStamp Reported_;  // the last change reported
};
