#include "ui/widgets/cp1251input.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QToolTip>

#include "model/model.h"

std::optional<char32_t> FirstNonCp1251(const QString& text) {
  for (const char32_t codePoint : text.toUcs4()) {
    if (!Cp1251CanHold(codePoint)) return codePoint;
  }
  return std::nullopt;
}

QString Cp1251HintText(char32_t codePoint) {
  const bool printable = QChar::isPrint(codePoint);
  const QString shown = printable ? QString::fromUcs4(&codePoint, 1) : QString();
  const QString code =
      QStringLiteral("U+%1").arg(static_cast<uint>(codePoint), 4, 16, QLatin1Char('0')).toUpper();
  return printable ? QCoreApplication::translate(
                         "Cp1251Input",
                         "Символ «%1» (%2) нельзя ввести: в кодировке Windows-1251, в которой "
                         "сохраняется файл, его нет.")
                         .arg(shown, code)
                   : QCoreApplication::translate(
                         "Cp1251Input",
                         "Символ %1 нельзя ввести: в кодировке Windows-1251, в которой сохраняется "
                         "файл, его нет.")
                         .arg(code);
}

void ShowCp1251Hint(QWidget* field, char32_t codePoint) {
  if (field == nullptr) return;
  QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), Cp1251HintText(codePoint),
                     field);
}

TCp1251Validator::TCp1251Validator(QObject* parent) : QValidator(parent) {}

QValidator::State TCp1251Validator::validate(QString& input, int&) const {
  const std::optional<char32_t> refused = FirstNonCp1251(input);
  if (!refused) return Acceptable;
  ShowCp1251Hint(qobject_cast<QWidget*>(parent()), *refused);
  return Invalid;
}

void InstallCp1251Guard(QLineEdit* edit) { edit->setValidator(new TCp1251Validator(edit)); }
