#include "ui/mainwindow/recentmenu.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

TRecentMenu::TRecentMenu(QMenu& menu, QAction& clear) : QObject(&menu), Menu_(menu), Clear_(clear) {
  connect(&Menu_, &QMenu::aboutToShow, this, &TRecentMenu::Rebuild);
  connect(&Clear_, &QAction::triggered, this, [this] {
    Files_.Clear();
    Rebuild();
  });
  Rebuild();
}

void TRecentMenu::Add(const QString& file) {
  Files_.Add(file);
  Rebuild();
}

void TRecentMenu::Remove(const QString& file) {
  Files_.Remove(file);
  Rebuild();
}

void TRecentMenu::Rebuild() {
  // Later: the entry whose command runs now may be one of them.
  for (QAction* action : Menu_.actions()) {
    Menu_.removeAction(action);
    if (action != &Clear_) action->deleteLater();
  }
  const QStringList files = Files_.Files();
  int number = 0;
  for (const QString& file : files) {
    ++number;
    // "&" would underline the next letter of the name.
    QString shown = QDir::toNativeSeparators(file);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    auto* entry = new QAction(QStringLiteral("&%1 %2").arg(number).arg(shown), &Menu_);
    Menu_.addAction(entry);
    entry->setObjectName(QStringLiteral("Recent%1").arg(number));
    entry->setData(file);
    entry->setEnabled(QFileInfo(file).isFile());
    connect(entry, &QAction::triggered, this, [this, file] { emit openRequested(file); });
  }
  if (!files.isEmpty()) Menu_.addSeparator();
  Menu_.addAction(&Clear_);
  Clear_.setEnabled(!files.isEmpty());
  Menu_.setEnabled(true);
}
