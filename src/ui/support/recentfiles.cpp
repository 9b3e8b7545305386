#include "ui/support/recentfiles.h"

#include <QFileInfo>
#include <QSettings>

#include "ui/support/apptitle.h"

namespace {

const QString kKey = QStringLiteral("RecentFiles");

QSettings Settings() { return QSettings(ApplicationTitle(), ApplicationTitle()); }

QString Absolute(const QString& file) { return QFileInfo(file).absoluteFilePath(); }

}  // namespace

QStringList TRecentFiles::Files() const {
  QStringList files = Settings().value(kKey).toStringList();
  files.removeAll(QString());
  return files.mid(0, MaxFiles);
}

void TRecentFiles::Add(const QString& file) {
  QStringList files = Files();
  const QString path = Absolute(file);
  files.removeAll(path);
  files.prepend(path);
  Store(files.mid(0, MaxFiles));
}

void TRecentFiles::Remove(const QString& file) {
  QStringList files = Files();
  files.removeAll(Absolute(file));
  Store(files);
}

void TRecentFiles::Clear() { Store({}); }

void TRecentFiles::Store(const QStringList& files) {
  QSettings settings = Settings();
  settings.setValue(kKey, files);
  settings.sync();
}
