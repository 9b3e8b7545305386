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
  void SetUp() override {
    TAppFixture::SetUp();
    Dialogs.OnModal = [this](QDialog& dialog) {
      if (ModalActions.empty()) return;
      auto action = std::move(ModalActions.front());
      ModalActions.pop_front();
      action(dialog);
    };
    Dialogs.OnChooseColor = [this](QWidget*, TColor& color) {
      ColorStarts.push_back(color);
      if (ColorAnswers.empty()) return false;
      const std::optional<TColor> answer = ColorAnswers.front();
      ColorAnswers.pop_front();
      if (answer) color = *answer;
      return answer.has_value();
    };
    Dialogs.OnChooseFont = [this](QWidget* parent, TFontDesc& font) {
      // The program's own font dialog, run through the modal seam.
      if (RealFontDialog) return Dialogs.TSystemDialogs::ChooseFont(parent, font);
      FontStarts.push_back(font);
      if (FontAnswers.empty()) return false;
      const std::optional<TFontDesc> answer = FontAnswers.front();
      FontAnswers.pop_front();
      if (answer) font = *answer;
      return answer.has_value();
    };
  }

  TProject& Project() { return Main().Project(); }

  template <typename T>
  T* Find(QWidget* parent, const char* name) {
    T* widget = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  template <typename T>
  T* MockUp(const char* name) {
    return Find<T>(&Main(), name);
  }

  // A click as the user makes it, through the window: on a check box or radio
  // button at its box, elsewhere at the given point or the middle.
  static void Click(QWidget* widget, std::optional<QPoint> at = std::nullopt) {
    ASSERT_NE(widget, nullptr);
    if (!at && (qobject_cast<QCheckBox*>(widget) || widget->inherits("QRadioButton")))
      at = QPoint(7, widget->height() / 2);
    TAppFixture::Click(widget, at);
  }

  // Types text key by key as the keyboard delivers it, also letters that
  // QTest::keyClicks cannot name.
  static void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(widget, &press);
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(widget, &release);
    }
  }

  // Saves through the main window's "Save" and returns the file's lines.
  std::vector<std::string> SaveAndRead() {
    const QString path = Dir.filePath(QStringLiteral("vuka.ini"));
    Dialogs.OnFileDialog = [path](QFileDialog& dialog) {
      dialog.selectFile(path);
      return true;
    };
    // An existing file that is not the project's is asked about first: "Да".
    if (QFile::exists(path) && Main().Project().Origin.FileName != Native(path)) {
      ModalActions.push_front(
          [](QDialog& box) { Click(qobject_cast<QMessageBox*>(&box)->button(QMessageBox::Yes)); });
    }
    Main().SaveClick();
    std::vector<std::string> lines;
    for (const QByteArray& line : ReadBytes(path).split('\n'))
      lines.push_back(line.trimmed().toStdString());
    return lines;
  }
  static bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
    for (const std::string& each : lines)
      if (each == line) return true;
    return false;
  }
  static std::string ValueOf(const std::vector<std::string>& lines, const std::string& key) {
    for (const std::string& each : lines)
      if (each.rfind(key + "=", 0) == 0) return each.substr(key.size() + 1);
    return "<missing>";
  }

  // Each modal run takes the next action; a dialog still open after it is rejected.
  std::deque<std::function<void(QDialog&)>> ModalActions;
  // Answers of the colour and font dialogs in order; nullopt cancels.
  std::deque<std::optional<TColor>> ColorAnswers;
  std::deque<std::optional<TFontDesc>> FontAnswers;
  // What the colour and font dialogs were started with.
  std::vector<TColor> ColorStarts;
  std::vector<TFontDesc> FontStarts;
  bool RealFontDialog = false;
};
