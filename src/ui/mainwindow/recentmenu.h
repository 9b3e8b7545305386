// The submenu "Недавние файлы": the files last opened or saved, newest first,
// a missing one greyed, and "Очистить список" below them.
#pragma once

#include <QObject>
#include <QString>

#include "ui/support/recentfiles.h"

class QAction;
class QMenu;

class TRecentMenu : public QObject {
  Q_OBJECT
 public:
  // menu: the submenu, holding the command `clear` ("Очистить список").
  TRecentMenu(QMenu& menu, QAction& clear);

  // The file was opened or saved: it comes first.
  void Add(const QString& file);
  // The file no longer opens: it leaves the list.
  void Remove(const QString& file);
  // Shows the list as it is now (also before the submenu opens).
  void Rebuild();

 signals:
  // The user chose a file of the list.
  void openRequested(const QString& file);

 private:
  QMenu& Menu_;
  QAction& Clear_;
  TRecentFiles Files_;
};
