// Test support for the three editing dialogs, over the application fixture:
// the program's modal dialogs run synchronously with one scripted action each,
// and the colour and font dialogs answer with prepared values.
#pragma once

#include <QCheckBox>
#include <QKeyEvent>
#include <QMessageBox>
#include <deque>
#include <vector>

#include "app_fixture.h"
#include "ui/widgets/render.h"

class DialogTest : public TAppFixture {
 protected:
  // Starts the application with the dialog answers below in place.
  void SetUp() override;

  TProject& Project() { return Main().Project(); }

  // The child of that name and type below the parent; a missing one fails the test.
  template <typename T>
  T* Find(QWidget* parent, const char* name) {
    T* widget = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  // The main window's child of that name and type; a missing one fails the test.
  template <typename T>
  T* MockUp(const char* name) {
    return Find<T>(&Main(), name);
  }

  // A click as the user makes it, through the window: on a check box or radio
  // button at its box, elsewhere at the given point or the middle.
  static void Click(QWidget* widget, std::optional<QPoint> at = std::nullopt);

  // Types text key by key as the keyboard delivers it, also letters that
  // QTest::keyClicks cannot name.
  static void Type(QWidget* widget, const QString& text);

  // Saves through the main window's "Save" and returns the file's lines.
  std::vector<std::string> SaveAndRead();
  static bool HasLine(const std::vector<std::string>& lines, const std::string& line);
  // The value of the key's line, or "<missing>".
  static std::string ValueOf(const std::vector<std::string>& lines, const std::string& key);

  // Each modal run takes the next action (a run without one fails the test); a
  // dialog still open after it is rejected.
  std::deque<std::function<void(QDialog&)>> ModalActions;
  // Answers of the colour and font dialogs in order; nullopt cancels.
  std::deque<std::optional<TColor>> ColorAnswers;
  std::deque<std::optional<TFontDesc>> FontAnswers;
  // What the colour and font dialogs were started with.
  std::vector<TColor> ColorStarts;
  std::vector<TFontDesc> FontStarts;
  bool RealFontDialog = false;
};
