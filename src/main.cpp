// Visual vuka.ini manager: the editor of a setup program's configuration file.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <memory>
#include <optional>

#include "ui/app.h"

#ifndef VUKA_VERSION
#error "The build defines VUKA_VERSION, the project's version"
#endif

namespace {

// What the command line asks for.
struct TCommandLine {
  std::optional<int> ExitStatus;  // set when --help, --version or a mistake was answered
  QString FileName;               // the optional FILE argument, empty when none
};

void PrintTo(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
}

int Refuse(const QString& message) {
  PrintTo(stderr, QStringLiteral("vuka-manager: %1\nСправка: vuka-manager --help\n").arg(message));
  return 2;
}

// Answers --help and --version, and refuses an unknown option or a second FILE
// with exit status 2. Texts are in Russian, Qt's own ones through its translation.
TCommandLine Interpret(QCommandLineParser& parser, const QStringList& arguments) {
  parser.setApplicationDescription(QStringLiteral(
      "Visual vuka.ini manager [ROVEL] — редактор файла настроек vuka.ini программы установки."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("ФАЙЛ"),
                               QStringLiteral("Файл настроек vuka.ini, который открыть."),
                               QStringLiteral("[ФАЙЛ]"));
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  TCommandLine result;
  if (!parser.parse(arguments)) {
    result.ExitStatus = Refuse(parser.errorText());
  } else if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
    PrintTo(stdout, parser.helpText());
    result.ExitStatus = 0;
  } else if (parser.isSet(version)) {
    PrintTo(stdout,
            QStringLiteral("vuka-manager %1\n").arg(QCoreApplication::applicationVersion()));
    result.ExitStatus = 0;
  } else if (parser.positionalArguments().size() > 1) {
    result.ExitStatus =
        Refuse(QStringLiteral("Лишний аргумент «%1».").arg(parser.positionalArguments().at(1)));
  } else if (!parser.positionalArguments().isEmpty()) {
    result.FileName = parser.positionalArguments().first();
  }
  return result;
}

// Reads the command line before the window system is contacted, so that --help,
// --version and mistakes are answered without a display. Qt's own window-system
// options are therefore taken from the environment (QT_QPA_PLATFORM, QT_STYLE_OVERRIDE).
TCommandLine ParseCommandLine(int argc, char** argv) {
  QCoreApplication core(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("vuka-manager"));
  QCoreApplication::setApplicationVersion(QStringLiteral(VUKA_VERSION));
  InstallRussianTranslation(core);
  QCommandLineParser parser;
  return Interpret(parser, QCoreApplication::arguments());
}

}  // namespace

int main(int argc, char** argv) {
  const TCommandLine commandLine = ParseCommandLine(argc, argv);
  if (commandLine.ExitStatus) return *commandLine.ExitStatus;
  TApplication app(argc, argv);
  // The dialogs, the file dialog and the desktop picture are made on first use.
  const std::unique_ptr<TMainForm> mainForm = CreateMainWindow();
  mainForm->show();
  OpenAtStartUp(*mainForm, commandLine.FileName);
  return app.exec();
}
