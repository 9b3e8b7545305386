// Typing for the user interface tests: text as a keyboard delivers it.
#pragma once

class QString;
class QWidget;

// Sends each character of the text to the widget as its own key press and release,
// with the character's capital as the key: also the Cyrillic and other letters
// that QTest::keyClicks cannot name. A character beyond 16 bits is one press.
void TypeKeys(QWidget* widget, const QString& text);
