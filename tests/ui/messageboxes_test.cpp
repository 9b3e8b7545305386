// The program's message boxes and its application object: the full stop of an
// error text, the real About and error boxes, Qt's own texts in Russian, and an
// exception that escapes an event handler.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <stdexcept>

#include "app_fixture.h"
#include "ui/support/errorbox.h"

TEST(ErrorBox, FullStopFollowsALetterOrDigitButNotPunctuation) {
  EXPECT_EQ(ErrorBoxText("Cannot open file /tmp/a.ini"),
            QStringLiteral("Cannot open file /tmp/a.ini."));
  EXPECT_EQ(ErrorBoxText("code 7"), QStringLiteral("code 7."));
  EXPECT_EQ(ErrorBoxText("Нет файла"), QStringLiteral("Нет файла."));
  EXPECT_EQ(ErrorBoxText("path /tmp/"), QStringLiteral("path /tmp/."));  // "/" sorts after "."
  EXPECT_EQ(ErrorBoxText("done."), QStringLiteral("done."));
  EXPECT_EQ(ErrorBoxText("stop!"), QStringLiteral("stop!"));
  EXPECT_EQ(ErrorBoxText("(error)"), QStringLiteral("(error)"));
  EXPECT_EQ(ErrorBoxText("a-"), QStringLiteral("a-"));
  EXPECT_EQ(ErrorBoxText("a "), QStringLiteral("a "));
  EXPECT_EQ(ErrorBoxText(""), QString());
}

namespace {

// Inspects the message box that the real dialogs open, then presses a key in it.
void AnswerNextBox(Qt::Key key, const std::function<void(QMessageBox&)>& inspect) {
  QTimer::singleShot(0, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      ADD_FAILURE() << "no message box";
      return;
    }
    inspect(*box);
    QTest::keyClick(box, key);
  });
}

}  // namespace

TEST(MessageBoxes, RealAboutAndErrorBoxesHaveTheirCaptionIconAndOneButton) {
  TSystemDialogs real;
  bool inspected = false;
  AnswerNextBox(Qt::Key_Escape, [&](QMessageBox& box) {
    inspected = true;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Visual RVL"));
    EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
    ASSERT_EQ(box.buttons().size(), 1);
    EXPECT_EQ(box.buttons()[0]->text(), QStringLiteral("OK"));
    EXPECT_EQ(box.defaultButton(), box.buttons()[0]);
    EXPECT_EQ(box.text(), QStringLiteral("line one\nline two"));
  });
  real.ShowAbout(nullptr, QStringLiteral("line one\r\nline two"));  // Esc closes it
  EXPECT_TRUE(inspected);

  inspected = false;
  AnswerNextBox(Qt::Key_Return, [&](QMessageBox& box) {
    inspected = true;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Visual RVL"));
    EXPECT_EQ(box.icon(), QMessageBox::Critical);
    EXPECT_EQ(box.buttons().size(), 1);
    EXPECT_EQ(box.text(), QStringLiteral("Cannot open file x."));
  });
  real.ShowError(nullptr, QStringLiteral("Cannot open file x."));
  EXPECT_TRUE(inspected);
}

TEST(Translation, ToolkitTextsAreRussian) {
  QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
}

TEST(ApplicationObject, AnExceptionEscapingAnEventHandlerIsShownAndTheProgramGoesOn) {
  TTestDialogs dialogs;
  SetSystemDialogs(&dialogs);
  struct TThrower : QObject {
    int Delivered = 0;
    bool event(QEvent* event) override {
      if (event->type() != QEvent::User) return QObject::event(event);
      if (++Delivered == 1) throw std::runtime_error("Broken handler");
      return true;
    }
  } thrower;
  QEvent first(QEvent::User);
  EXPECT_FALSE(QCoreApplication::sendEvent(&thrower, &first));
  EXPECT_EQ(dialogs.Errors, QStringList{QStringLiteral("Broken handler.")});
  QEvent second(QEvent::User);
  EXPECT_TRUE(QCoreApplication::sendEvent(&thrower, &second));
  EXPECT_EQ(thrower.Delivered, 2);
  SetSystemDialogs(&DefaultTestDialogs());
}
