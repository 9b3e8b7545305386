// The list of files last opened or saved, kept between runs in the
// application's settings (QSettings under the application's title).
#pragma once

#include <QStringList>

class TRecentFiles {
 public:
  // At most this many files are kept.
  static constexpr int MaxFiles = 8;

  // The files, newest first, as absolute paths.
  QStringList Files() const;
  // Puts the file first (taking it out where it was before); the oldest beyond
  // MaxFiles drop out.
  void Add(const QString& file);
  void Remove(const QString& file);
  void Clear();

 private:
  void Store(const QStringList& files);
};
