#include "ui/support/filewatch.h"

#include <QFile>
#include <QFileSystemWatcher>

#include "ui/support/filenames.h"

namespace {

TFileStamp StampOfFile(const QString& file) { return StampOf(ToFileName(file)); }

}  // namespace

TFileWatch::TFileWatch(QObject* parent) : QObject(parent), Watcher_(new QFileSystemWatcher(this)) {
  connect(Watcher_, &QFileSystemWatcher::fileChanged, this, &TFileWatch::SystemNotice);
  // A file replaced by renaming shows in its folder.
  connect(Watcher_, &QFileSystemWatcher::directoryChanged, this, &TFileWatch::SystemNotice);
}

void TFileWatch::Watch(const QString& file) {
  const QStringList watched = Watcher_->files() + Watcher_->directories();
  if (!watched.isEmpty()) Watcher_->removePaths(watched);
  File_ = file;
  Known_ = StampOfFile(file);
  Reported_ = Known_;
  if (file.isEmpty()) return;
  Watcher_->addPath(file);
  const qsizetype slash = file.lastIndexOf(QLatin1Char('/'));
  if (slash > 0) Watcher_->addPath(file.left(slash));
}

bool TFileWatch::ChangedOnDisk(const QString& file) const {
  return !File_.isEmpty() && file == File_ && StampOfFile(File_) != Known_;
}

bool TFileWatch::Missing() const { return !File_.isEmpty() && !StampOfFile(File_).Exists; }

void TFileWatch::SystemNotice() {
  if (File_.isEmpty()) return;
  // A file replaced by renaming is a new file: watch that one from now on.
  if (!Watcher_->files().contains(File_) && QFile::exists(File_)) Watcher_->addPath(File_);
  const TFileStamp now = StampOfFile(File_);
  if (now == Known_ || now == Reported_) return;
  Reported_ = now;
  emit changed();
}
