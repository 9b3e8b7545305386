// The application object and the start-up sequence: title, Russian toolkit texts,
// font substitutions, scheme colours from the palette, the four windows, and the
// error box for exceptions that escape a command or click handler.
#pragma once

#include <QApplication>
#include <memory>
#include <string>

#include "ui/LabelStyle.h"
#include "ui/backcolor.h"
#include "ui/dlgpos.h"
#include "ui/vgmain.h"

// "Visual RVL": the caption of message boxes and the name of the application.
QString ApplicationTitle();

// The text of the error box: the message, with a full stop appended when its last
// byte sorts after "." (after a letter or digit, not after ")", "!" or ".").
QString ErrorBoxText(const std::string& utf8Message);
// Shows the error box for an exception's message over the active window.
void ShowErrorMessage(const std::string& utf8Message);

// Wraps a handler for QObject::connect: an exception escaping it is shown in the
// error box right there and the program goes on. Qt's widget code is built without
// exception support, so an exception unwinding through it would leave its work
// half done (and leak); the notify override below only catches what slips past.
template <typename Handler>
auto ReportingErrors(Handler handler) {
  return [handler = std::move(handler)]() mutable {
    try {
      handler();
    } catch (const std::exception& error) {
      ShowErrorMessage(error.what());
    } catch (...) {
      ShowErrorMessage("Unknown error");
    }
  };
}

class TApplication : public QApplication {
  Q_OBJECT
 public:
  // Sets the title, the icon, the Russian translation, the font substitutions,
  // the default font and the scheme colour resolver.
  TApplication(int& argc, char** argv);
  ~TApplication() override;

  // Delivers the event; an exception that escapes its handler is shown in the
  // error box and the program goes on.
  bool notify(QObject* receiver, QEvent* event) override;
};

// Loads Qt's own Russian texts (qtbase_ru) into the application; false when the
// translation is not installed.
bool InstallRussianTranslation(QCoreApplication& app);
// "MS Sans Serif", "Times New Roman" and friends map to installed faces.
void InstallFontSubstitutions();
// Scheme colours resolve to the application palette's colours.
void InstallSchemeColorsFromPalette();

// The main window and the three dialogs, created in this order; the dialogs are
// hidden and attached to the main window. Destroyed dialogs first.
struct TApplicationWindows {
  std::unique_ptr<TMainForm> MainForm;
  std::unique_ptr<TStyleDlg> StyleDlg;
  std::unique_ptr<TColorForm> ColorForm;
  std::unique_ptr<TPosForm> PosForm;
};
// cataloguePath empty: the catalogue beside the executable.
TApplicationWindows CreateApplicationWindows(const std::string& cataloguePath = std::string());
