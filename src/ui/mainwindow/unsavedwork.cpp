#include "ui/mainwindow/unsavedwork.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QTimer>

#include "ui/support/filenames.h"

TUnsavedWork::TUnsavedWork(const TProject& project, QMainWindow& window)
    : QObject(&window), Project_(project), Window_(window), BaseTitle_(window.windowTitle()) {}

bool TUnsavedWork::HasUnsavedChanges() const {
  return SavedSettingItems(Project_) != Saved_ || Variables_.DiffersFrom(Project_.Variables);
}

void TUnsavedWork::MarkSaved() {
  Saved_ = SavedSettingItems(Project_);
  Variables_.MarkSaved(Project_.Variables);
  UpdateCaption();
}

void TUnsavedWork::RowChanged(int index) {
  Variables_.RowChanged(Project_.Variables, static_cast<size_t>(index));
}

void TUnsavedWork::RowInserted(int index) {
  Variables_.RowInserted(Project_.Variables, static_cast<size_t>(index));
}

void TUnsavedWork::RowDeleted(int index) {
  if (Variables_.Rows() == Project_.Variables.size())
    RowChanged(index);
  else
    Variables_.RowErased(Project_.Variables, static_cast<size_t>(index));
}

void TUnsavedWork::RowsChanged() { Variables_.Recount(Project_.Variables); }

void TUnsavedWork::UpdateCaption() {
  // Rows added or taken away unannounced are compared again.
  if (Variables_.Rows() != Project_.Variables.size()) RowsChanged();
  const bool modified = SavedSettingItems(Project_) != Saved_ || Variables_.Differs();
  const QString file = FromFileName(Project_.Origin.FileName);
  QString title;
  if (file.isEmpty()) {
    title = modified ? BaseTitle_ + QStringLiteral("[*]") : BaseTitle_;
  } else {
    // "[*][*]" shows a literal "[*]" that a file name may hold.
    QString name = QFileInfo(file).fileName();
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    title = name + QStringLiteral("[*] — ") + BaseTitle_;
  }
  if (Window_.windowTitle() != title) Window_.setWindowTitle(title);
  Window_.setWindowModified(modified);
}

void TUnsavedWork::WatchInput() {
  Check_ = new QTimer(this);
  Check_->setSingleShot(true);
  Check_->setInterval(0);
  connect(Check_, &QTimer::timeout, this, &TUnsavedWork::UpdateCaption);
  qApp->installEventFilter(this);
}

bool TUnsavedWork::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::InputMethod:
      if (!Check_->isActive()) Check_->start();
      break;
    default: break;
  }
  return QObject::eventFilter(watched, event);
}
