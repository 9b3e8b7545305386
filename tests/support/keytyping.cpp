#include "keytyping.h"

#include <QString>
#include <QTest>

void TypeKeys(QWidget* widget, const QString& text) {
  for (const char32_t c : text.toUcs4()) {
    const QString typed = QString::fromUcs4(&c, 1);
    QTest::sendKeyEvent(QTest::Click, widget, static_cast<Qt::Key>(typed.toUpper().at(0).unicode()),
                        typed, Qt::NoModifier);
  }
}
