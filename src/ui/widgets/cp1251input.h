// Text fields whose text goes into the model hold only characters that
// Windows-1251 can encode: anything else is refused as it is typed or pasted,
// and a hint next to the field names the character and says why.
#pragma once

#include <QString>
#include <QValidator>
#include <optional>

class QLineEdit;
class QWidget;

// The first character of the text that Windows-1251 cannot hold.
std::optional<char32_t> FirstNonCp1251(const QString& text);
// "Символ «…» (U+XXXX) нельзя ввести: в кодировке Windows-1251 его нет."
QString Cp1251HintText(char32_t codePoint);
// Shows that hint as a tool tip just below the field.
void ShowCp1251Hint(QWidget* field, char32_t codePoint);

// Refuses input holding a character outside Windows-1251 and shows the hint at
// the field given as its parent (when it is a widget).
class TCp1251Validator : public QValidator {
  Q_OBJECT
 public:
  explicit TCp1251Validator(QObject* parent = nullptr);
  State validate(QString& input, int& pos) const override;
};

// Puts the guard on a one-line edit.
void InstallCp1251Guard(QLineEdit* edit);
