// The application object and the start-up sequence: title, interface language,
// font substitutions, scheme colours from the palette, and the four windows.
#pragma once

#include <QApplication>
#include <QString>
#include <memory>
#include <string>

#include "ui/mainwindow/vgmain.h"

class TColorForm;
class TPosForm;
class TStyleDlg;

class TApplication : public QApplication {
  Q_OBJECT
 public:
  // Sets the title, the icon, the Russian interface, the font substitutions,
  // the default font and the scheme colour resolver.
  TApplication(int& argc, char** argv);
  ~TApplication() override;

  // Delivers the event; an exception that escapes its handler is shown in the
  // error box and the program goes on.
  bool notify(QObject* receiver, QEvent* event) override;
};

// The interface language to start in: `option` (the command line's --lang) when
// given, else the one kept in the settings (Russian when none).
QString StartUpLanguage(const QString& option);
// "MS Sans Serif", "Times New Roman" and friends map to installed faces.
void InstallFontSubstitutions();
// Scheme colours resolve to the application palette's colours.
void InstallSchemeColorsFromPalette();

// The catalogue named by --catalogue when it can be read; otherwise, when one was
// named, the reason is shown once in the error box, and the result is empty (the
// catalogue beside the executable then serves).
std::string StartUpCatalogue(const std::string& catalogueOption);

// The main window alone, as the program starts: it makes each of its dialogs on
// first use. cataloguePath empty: the catalogue beside the executable.
std::unique_ptr<TMainForm> CreateMainWindow(const std::string& cataloguePath = std::string());

// The main window and its three dialogs, created in this order; the dialogs are
// hidden. The main window owns them: the dialog pointers are valid while
// MainForm lives.
struct TApplicationWindows {
  std::unique_ptr<TMainForm> MainForm;
  TStyleDlg* StyleDlg = nullptr;
  TColorForm* ColorForm = nullptr;
  TPosForm* PosForm = nullptr;
};
// cataloguePath empty: the catalogue beside the executable.
TApplicationWindows CreateApplicationWindows(const std::string& cataloguePath = std::string());

// Opens the configuration file named on the command line in the main window, as
// "Open" does, once the windows exist; an empty name opens nothing. A file that
// cannot be opened is reported in the error box and the editor goes on as it
// started, with the defaults.
void OpenAtStartUp(TMainForm& mainForm, const QString& fileName);
void OpenAtStartUp(TApplicationWindows& windows, const QString& fileName);
// The same with the catalogue named on the command line, whatever lies beside the
// file; an empty cataloguePath chooses as "Open" does.
void OpenAtStartUp(TMainForm& mainForm, const QString& fileName, const std::string& cataloguePath);
