// Test support for the three editing dialogs: a system-dialog seam that runs
// the program's modal dialogs synchronously and answers the colour and font
// dialogs with prepared values, and the application windows built over an
// empty temporary directory.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "model/model.h"
#include "ui/app.h"
#include "ui/render.h"
#include "ui/sysdialogs.h"

class TScriptedDialogs : public TSystemDialogs {
 public:
  // Each modal run takes the next action; it acts on the shown dialog and may
  // accept or reject it. A dialog still open afterwards is rejected.
  std::deque<std::function<void(QDialog&)>> ModalActions;
  // Answers of the colour and font dialogs in order; nullopt cancels.
  std::deque<std::optional<TColor>> ColorAnswers;
  std::deque<std::optional<TFontDesc>> FontAnswers;
  // What the colour and font dialogs were started with.
  std::vector<TColor> ColorStarts;
  std::vector<TFontDesc> FontStarts;
  std::vector<QString> Errors;
  QString SaveFileName;
  int ModalRuns = 0;
  // When set, ChooseFont runs the real composite font dialog through RunModal.
  bool RealFontDialog = false;

  int RunModal(QDialog& dialog) override {
    ++ModalRuns;
    dialog.show();
    if (!ModalActions.empty()) {
      auto action = std::move(ModalActions.front());
      ModalActions.pop_front();
      action(dialog);
    }
    if (dialog.isVisible()) dialog.reject();
    return dialog.result();
  }

  bool RunFileDialog(QFileDialog& dialog) override {
    if (SaveFileName.isEmpty()) return false;
    dialog.selectFile(SaveFileName);
    return true;
  }

  bool ChooseColor(QWidget*, TColor& color) override {
    ColorStarts.push_back(color);
    if (ColorAnswers.empty()) return false;
    std::optional<TColor> answer = ColorAnswers.front();
    ColorAnswers.pop_front();
    if (!answer) return false;
    color = *answer;
    return true;
  }

  bool ChooseFont(QWidget* parent, TFontDesc& font) override {
    if (RealFontDialog) return TSystemDialogs::ChooseFont(parent, font);
    FontStarts.push_back(font);
    if (FontAnswers.empty()) return false;
    std::optional<TFontDesc> answer = FontAnswers.front();
    FontAnswers.pop_front();
    if (!answer) return false;
    font = *answer;
    return true;
  }

  void ShowError(QWidget*, const QString& text) override { Errors.push_back(text); }
  void ShowAbout(QWidget*, const QString&) override {}
};

// The four windows over a temporary directory without a catalogue, with the
// scripted seam installed and the main window shown.
class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Dir.isValid());
    SetSystemDialogs(&Dialogs);
    Windows = CreateApplicationWindows(Dir.filePath(QStringLiteral("version.ini")).toStdString());
    Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
  }

  void TearDown() override {
    // The dialogs belong to the main window: they go first.
    Windows.PosForm.reset();
    Windows.ColorForm.reset();
    Windows.StyleDlg.reset();
    Windows.MainForm.reset();
    SetSystemDialogs(&DefaultTestDialogs());
    EXPECT_TRUE(Dialogs.Errors.empty()) << Dialogs.Errors.front().toStdString();
  }

  TMainForm& Main() { return *Windows.MainForm; }
  TProject& Project() { return Windows.MainForm->Project(); }

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

  // A click as the user makes it: on a check box or radio button at its box,
  // elsewhere at the given point or the middle.
  static void Click(QWidget* widget, std::optional<QPoint> at = std::nullopt) {
    ASSERT_NE(widget, nullptr);
    QPoint point = at.value_or(widget->rect().center());
    if (!at && (qobject_cast<QCheckBox*>(widget) || widget->inherits("QRadioButton")))
      point = QPoint(7, widget->height() / 2);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, point);
  }

  // A click at a point of a mock-up element, delivered to the main window as
  // the user's click is, so that whatever lies on top at that point gets it.
  void ClickInWindow(QWidget* element, QPoint at) {
    ASSERT_NE(element, nullptr);
    const QPoint point = element->mapTo(&Main(), at);
    QTest::mouseClick(Main().windowHandle(), Qt::LeftButton, Qt::NoModifier, point);
  }

  // Types text key by key, as the keyboard delivers it, also letters that
  // QTest::keyClicks cannot name.
  static void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
      const QString one(c);
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, one);
      QApplication::sendEvent(widget, &press);
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, one);
      QApplication::sendEvent(widget, &release);
    }
  }

  // Saves through the main window's "Save" and returns the file's lines.
  std::vector<std::string> SaveAndRead() {
    Dialogs.SaveFileName = Dir.filePath(QStringLiteral("vuka.ini"));
    Main().SaveClick();
    QFile file(Dialogs.SaveFileName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    std::vector<std::string> lines;
    for (const QByteArray& line : file.readAll().split('\n')) lines.push_back(line.trimmed().toStdString());
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

  QTemporaryDir Dir;
  TScriptedDialogs Dialogs;
  TApplicationWindows Windows;
};

inline std::string Cp1251(const char* utf8) { return Utf8ToCp1251(utf8); }
