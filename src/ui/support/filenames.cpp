#include "ui/support/filenames.h"

#include <QByteArray>
#include <QFile>

#ifdef _WIN32

std::string ToFileName(const QString& path) { return path.toUtf8().toStdString(); }

QString FromFileName(const std::string& path) { return QString::fromStdString(path); }

#else

std::string ToFileName(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString FromFileName(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

#endif
