#include "ui/support/errorbox.h"

#include <QApplication>

#include "ui/support/sysdialogs.h"

QString ErrorBoxText(const std::string& utf8Message) {
  std::string text = utf8Message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
    text += '.';
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void ShowErrorMessage(const std::string& utf8Message) {
  SystemDialogs().ShowError(QApplication::activeWindow(), ErrorBoxText(utf8Message));
}
