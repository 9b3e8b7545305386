// Test helpers for the user interface: a system dialog seam that answers every
// dialog without a modal loop, and a fixture that starts the whole application
// (main window and the three dialogs) on a temporary catalogue.
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
#include <utility>

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

  int RunModal(QDialog& dialog) override {
    Modals << dialog.objectName();
    if (!OnModal) {
      ADD_FAILURE() << "unexpected modal dialog " << dialog.objectName().toStdString();
      return QDialog::Rejected;
    }
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) ADD_FAILURE() << "dialog not exposed";
    OnModal(dialog);
    if (dialog.isVisible()) dialog.reject();
    return dialog.result();
  }
  bool RunFileDialog(QFileDialog& dialog) override {
    Modals << dialog.objectName();
    if (!OnFileDialog) {
      ADD_FAILURE() << "unexpected file dialog";
      return false;
    }
    return OnFileDialog(dialog);
  }
  bool ChooseColor(QWidget* parent, TColor& color) override {
    if (!OnChooseColor) {
      ADD_FAILURE() << "unexpected colour dialog";
      return false;
    }
    return OnChooseColor(parent, color);
  }
  bool ChooseFont(QWidget* parent, TFontDesc& font) override {
    if (!OnChooseFont) {
      ADD_FAILURE() << "unexpected font dialog";
      return false;
    }
    return OnChooseFont(parent, font);
  }
  void ShowError(QWidget*, const QString& text) override {
    Errors << text;
    if (Strict) ADD_FAILURE() << "error box: " << text.toStdString();
  }
  void ShowAbout(QWidget*, const QString& text) override {
    Abouts << text;
    if (Strict) ADD_FAILURE() << "About box: " << text.toStdString();
  }
};

// Installed by the test main: every dialog nobody expects fails the test.
inline TTestDialogs& DefaultTestDialogs() {
  static TTestDialogs dialogs = [] {
    TTestDialogs d;
    d.Strict = true;
    return d;
  }();
  return dialogs;
}

// The path as the engine and the model take it: in the file system's own encoding.
inline std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Writes a catalogue: UTF-8 text in, Windows-1251 bytes with CR LF line ends out.
inline void WriteCatalogue(const QString& path, const std::string& utf8Text) {
  WriteBytes(Native(path), CrLf(utf8Text));
}

// The file's whole content; throws std::runtime_error when it cannot be read.
inline QByteArray ReadBytes(const QString& path) {
  const std::string bytes = ReadBytes(Native(path));
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline const char* SampleCatalogue() {
  return "[Languages]\n"
         "English=ENU\n"
         "Русский=RUS\n"
         "Deutsch=DEU\n"
         "\n"
         "[PreInstallDlg]\n"
         "Лицензия=License\n"
         "Сведения=ReadMe\n"
         "\n"
         "[PostInstallDlg]\n"
         "Ярлыки=Shortcuts\n"
         "Завершение=Finished\n";
}

// The whole application on a temporary catalogue, the main window shown. The
// dialogs are answered by `Dialogs`; an error box that the test does not take out
// of `Dialogs.Errors` fails it at the end.
class TAppFixture : public ::testing::Test {
 protected:
  // The catalogue's text (UTF-8); nullopt starts without a catalogue.
  virtual std::optional<std::string> CatalogueText() const {
    return std::string(SampleCatalogue());
  }

  void SetUp() override {
    ASSERT_TRUE(Dir.isValid());
    SetSystemDialogs(&Dialogs);
    CataloguePath = Dir.filePath(QStringLiteral("version.ini"));
    if (const std::optional<std::string> text = CatalogueText())
      WriteCatalogue(CataloguePath, *text);
    BeforeWindows();
    Windows = CreateApplicationWindows(Native(CataloguePath));
    Main().show();
    QApplication::setActiveWindow(&Main());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
  }

  // Runs after the catalogue is written and before the windows are created.
  virtual void BeforeWindows() {}

  void TearDown() override {
    Windows = TApplicationWindows();
    SetSystemDialogs(&DefaultTestDialogs());
    EXPECT_TRUE(Dialogs.Errors.isEmpty())
        << "unexpected error box: " << Dialogs.Errors.join(" | ").toStdString();
  }

  TMainForm& Main() { return *Windows.MainForm; }

  // The texts of the error boxes shown so far, which the test thereby takes out.
  QStringList TakeErrors() { return std::exchange(Dialogs.Errors, {}); }
  // The text of the error box for a file that cannot be opened.
  static QString OpenError(const QString& path) {
    return QStringLiteral("Cannot open file ") + path + QStringLiteral(".");
  }

  template <typename T = QWidget>
  T* Find(const char* objectName) {
    T* found = Main().findChild<T*>(QString::fromLatin1(objectName));
    EXPECT_NE(found, nullptr) << objectName;
    return found;
  }

  // A left click through the window, by default in the middle of the widget: the
  // widget that is on top at that point gets it, as with a real mouse.
  static void Click(QWidget* widget, std::optional<QPoint> at = std::nullopt) {
    QWidget* window = widget->window();
    const QPoint inWindow = widget->mapTo(window, at.value_or(widget->rect().center()));
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow);
  }

  TTestDialogs Dialogs;
  QTemporaryDir Dir;
  QString CataloguePath;
  TApplicationWindows Windows;
};
