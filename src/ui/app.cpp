#include "ui/app.h"

#include <QFont>
#include <QPalette>
#include <exception>

#include "ui/support/errorbox.h"
#include "ui/support/language.h"
#include "ui/widgets/render.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // The name, not the display name: Qt would append a display name to every window title.
  setApplicationName(ApplicationTitle());
  setWindowIcon(ApplicationIcon());
  SetInterfaceLanguage(QStringLiteral("ru"));
  InstallFontSubstitutions();
  setFont(ToQFont(TFontDesc{"MS Sans Serif", 8, 0, false, false, false, false}));
  InstallSchemeColorsFromPalette();
}

TApplication::~TApplication() { SetSchemeColorResolver(nullptr); }

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowErrorMessage(error.what());
  } catch (...) {
    ShowErrorMessage("Unknown error");
  }
  return false;
}

QString StartUpLanguage(const QString& option) {
  return option.isEmpty() ? SavedInterfaceLanguage() : option;
}

void InstallFontSubstitutions() {
  const QStringList sans = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
  const QStringList serif = {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
  const QStringList mono = {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")};
  for (const char* face :
       {"MS Sans Serif", "Arial", "Tahoma", "Verdana", "MS Shell Dlg", "MS Shell Dlg 2"}) {
    QFont::insertSubstitutions(QString::fromLatin1(face), sans);
  }
  for (const char* face : {"Times New Roman", "Times", "MS Serif"}) {
    QFont::insertSubstitutions(QString::fromLatin1(face), serif);
  }
  for (const char* face : {"Courier New", "Courier"})
    QFont::insertSubstitutions(QString::fromLatin1(face), mono);
}

namespace {

// The palette role that stands for a scheme element; false when the palette has none.
bool PaletteRole(uint32_t index, QPalette::ColorGroup& group, QPalette::ColorRole& role) {
  group = QPalette::Active;
  switch (index) {
    case 0: role = QPalette::Button; return true;            // scroll bar
    case 2: role = QPalette::Highlight; return true;         // active caption
    case 4: role = QPalette::Window; return true;            // menu
    case 5: role = QPalette::Base; return true;              // window
    case 6: role = QPalette::Shadow; return true;            // window frame
    case 7: role = QPalette::WindowText; return true;        // menu text
    case 8: role = QPalette::Text; return true;              // window text
    case 9: role = QPalette::HighlightedText; return true;   // caption text
    case 13: role = QPalette::Highlight; return true;        // highlight
    case 14: role = QPalette::HighlightedText; return true;  // highlight text
    case 15: role = QPalette::Button; return true;           // button face
    case 16: role = QPalette::Dark; return true;             // button shadow
    case 17:
      group = QPalette::Disabled;
      role = QPalette::Text;
      return true;                                       // grey text
    case 18: role = QPalette::ButtonText; return true;   // button text
    case 20: role = QPalette::Light; return true;        // button highlight
    case 21: role = QPalette::Shadow; return true;       // 3-D dark shadow
    case 22: role = QPalette::Midlight; return true;     // 3-D light
    case 23: role = QPalette::ToolTipText; return true;  // tooltip text
    case 24: role = QPalette::ToolTipBase; return true;  // tooltip background
    case 25: role = QPalette::Button; return true;       // button alternate face
    case 26: role = QPalette::Link; return true;         // hot-tracked item
    case 29: role = QPalette::Highlight; return true;    // highlighted menu item
    case 30: role = QPalette::Window; return true;       // menu bar
    default: return false;
  }
}

}  // namespace

void InstallSchemeColorsFromPalette() {
  SetSchemeColorResolver([](uint32_t index) -> TColor {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    if (qApp == nullptr || !PaletteRole(index, group, role)) return ClassicSchemeColor(index);
    return ToTColor(QApplication::palette().color(group, role));
  });
}

std::string StartUpCatalogue(const std::string& catalogueOption) {
  if (catalogueOption.empty()) return {};
  const std::string problem = CatalogueProblem(catalogueOption);
  if (problem.empty()) return catalogueOption;
  ShowErrorMessage(problem);
  return {};
}

std::unique_ptr<TMainForm> CreateMainWindow(const std::string& cataloguePath) {
  return std::make_unique<TMainForm>(nullptr,
                                     cataloguePath.empty() ? CataloguePath() : cataloguePath);
}

TApplicationWindows CreateApplicationWindows(const std::string& cataloguePath) {
  TApplicationWindows windows;
  windows.MainForm = CreateMainWindow(cataloguePath);
  windows.StyleDlg = &windows.MainForm->StyleDialog();
  windows.ColorForm = &windows.MainForm->ColorDialog();
  windows.PosForm = &windows.MainForm->PosDialog();
  return windows;
}

void OpenAtStartUp(TMainForm& mainForm, const QString& fileName) {
  OpenAtStartUp(mainForm, fileName, std::string());
}

void OpenAtStartUp(TMainForm& mainForm, const QString& fileName, const std::string& cataloguePath) {
  if (fileName.isEmpty()) return;
  try {
    if (cataloguePath.empty()) {
      mainForm.OpenFile(fileName);
    } else {
      mainForm.OpenFile(fileName, cataloguePath);
    }
  } catch (const std::exception& error) {
    ShowErrorMessage(error.what());
  }
}

void OpenAtStartUp(TApplicationWindows& windows, const QString& fileName) {
  OpenAtStartUp(*windows.MainForm, fileName);
}
