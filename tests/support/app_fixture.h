// Test helpers for the user interface: a system dialog seam that answers every
// dialog without a modal loop, and a fixture that starts the whole application
// (main window and the three dialogs) on a temporary catalogue. The Qt, test-file
// and text helpers that the fixture's tests drive the application with come along.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <optional>
#include <string>

#include "cp1251text.h"
#include "model/model.h"
#include "testfiles.h"
#include "ui/app.h"
#include "ui/support/sysdialogs.h"

// Answers the system dialogs. A dialog for which the test set no answer fails the
// test and is cancelled, so that no test ever waits for a modal loop.
class TTestDialogs : public TSystemDialogs {
 public:
  // Drives the shown dialog (clicks, keys); the dialog's result is returned. A
  // dialog still open afterwards is rejected.
  std::function<void(QDialog&)> OnModal;
  // Picks the file (e.g. dialog.selectFile(path)) and answers whether it was chosen.
  std::function<bool(QFileDialog&)> OnFileDialog;
  std::function<bool(QWidget*, TColor&)> OnChooseColor;
  std::function<bool(QWidget*, TFontDesc&)> OnChooseFont;

  QStringList Modals;  // objectName of every dialog run modally, in order
  QStringList Errors;  // texts of the error boxes
  QStringList Abouts;  // texts of the About boxes
  // Message boxes fail the test at once (for the process-wide default).
  bool Strict = false;

  int RunModal(QDialog& dialog) override;
  bool RunFileDialog(QFileDialog& dialog) override;
  bool ChooseColor(QWidget* parent, TColor& color) override;
  bool ChooseFont(QWidget* parent, TFontDesc& font) override;
  void ShowError(QWidget* parent, const QString& text) override;
  void ShowAbout(QWidget* parent, const QString& text) override;
};

// Installed by the test main: every dialog nobody expects fails the test.
TTestDialogs& DefaultTestDialogs();

// A QString in GoogleTest's messages: its text, quoted (else its bytes in hex).
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

// The path as the engine and the model take it: in the file system's own encoding.
std::string Native(const QString& path);

// Writes a catalogue: UTF-8 text in, Windows-1251 bytes with CR LF line ends out.
// Throws std::runtime_error when the file cannot be written.
void WriteCatalogue(const QString& path, const std::string& utf8Text);

// The file's whole content; throws std::runtime_error when it cannot be read.
QByteArray ReadBytes(const QString& path);

// A catalogue (UTF-8) of three languages and two dialogs before and after the installation.
const char* SampleCatalogue();

// The whole application on a temporary catalogue, the main window shown. The
// dialogs are answered by `Dialogs`; an error box that the test does not take out
// of `Dialogs.Errors` fails it at the end.
class TAppFixture : public ::testing::Test {
 protected:
  // The catalogue's text (UTF-8); nullopt starts without a catalogue.
  virtual std::optional<std::string> CatalogueText() const;

  void SetUp() override;
  // Runs after the catalogue is written and before the windows are created.
  virtual void BeforeWindows() {}
  void TearDown() override;

  TMainForm& Main() { return *Windows.MainForm; }

  // The texts of the error boxes shown so far, which the test thereby takes out.
  QStringList TakeErrors();
  // The text of the error box for a file that cannot be opened.
  static QString OpenError(const QString& path);

  // The main window's child of that name and type; a missing one fails the test.
  template <typename T = QWidget>
  T* Find(const char* objectName) {
    T* found = Main().findChild<T*>(QString::fromLatin1(objectName));
    EXPECT_NE(found, nullptr) << objectName;
    return found;
  }

  // A left click through the window, by default in the middle of the widget: the
  // widget that is on top at that point gets it, as with a real mouse.
  static void Click(QWidget* widget, std::optional<QPoint> at = std::nullopt);

  TTestDialogs Dialogs;
  QTemporaryDir Dir;
  QString CataloguePath;
  TApplicationWindows Windows;
};
