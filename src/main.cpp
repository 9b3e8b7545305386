// Visual vuka.ini manager: the editor of a setup program's configuration file.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/checkcommand.h"
#include "model/model.h"
#include "ui/app.h"
#include "ui/support/filenames.h"

#ifndef VUKA_VERSION
#error "The build defines VUKA_VERSION, the project's version"
#endif

namespace {

// What the command line asks for.
struct TCommandLine {
  std::optional<int> ExitStatus;  // set when --help, --version, --check or a mistake was answered
  QString FileName;               // the optional FILE argument, empty when none
  std::string Catalogue;          // the catalogue of --catalogue, empty when none
};

void PrintTo(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
}

int Refuse(const QString& message) {
  PrintTo(stderr, QStringLiteral("vuka-manager: %1\nСправка: vuka-manager --help\n").arg(message));
  return 2;
}

// --check FILE: the check's exit status. The catalogue named by --catalogue serves
// when given (an unusable one is a mistake of the command line), else the one
// that "Open" would choose for the file.
int Check(const QString& fileName, const TCommandLine& commandLine) {
  std::string catalogue = commandLine.Catalogue;
  if (const std::string problem = catalogue.empty() ? "" : CatalogueProblem(catalogue);
      !problem.empty()) {
    return Refuse(QString::fromStdString(problem));
  }
  try {
    if (catalogue.empty()) catalogue = ChooseCatalogue(ToFileName(fileName), CataloguePath());
  } catch (const std::exception& error) {
    return Refuse(QString::fromStdString(error.what()));
  }
  const int status =
      CheckConfigurationFile(ToFileName(fileName), fileName.toStdString(), catalogue, std::cerr);
  std::cerr.flush();
  return status;
}

// Answers --help, --version and --check, and refuses an unknown option or a second
// FILE with exit status 2. Texts are in Russian, Qt's own ones through its translation.
TCommandLine Interpret(QCommandLineParser& parser, const QStringList& arguments) {
  parser.setApplicationDescription(QStringLiteral(
      "Visual vuka.ini manager [ROVEL] — редактор файла настроек vuka.ini программы установки.\n"
      "\n"
      "Каталог языков и диалогов (version.ini) берётся из папки открываемого файла, если он\n"
      "там есть; иначе остаётся прежним: при запуске это каталог из --catalogue или из папки\n"
      "программы. ФАЙЛ командной строки и --check используют каталог из --catalogue, если он\n"
      "указан.\n"
      "\n"
      "--check ФАЙЛ проверяет файл так, как его читает команда «Открыть», ничего не записывая\n"
      "и без графического окружения: каждая проблема выводится в стандартный поток ошибок\n"
      "строкой «ФАЙЛ:СТРОКА: текст» (или «ФАЙЛ: текст»). Код выхода: 0 — проблем нет,\n"
      "1 — есть проблемы, 2 — файл или каталог нельзя прочитать или ошибка в параметрах."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption check(
      QStringLiteral("check"),
      QStringLiteral("Проверить ФАЙЛ и выйти (коды выхода 0, 1, 2; см. выше)."),
      QStringLiteral("ФАЙЛ"));
  const QCommandLineOption catalogue(
      QStringLiteral("catalogue"),
      QStringLiteral("Каталог version.ini, с которым начать работу (и проверять с --check)."),
      QStringLiteral("ПУТЬ"));
  parser.addOption(check);
  parser.addOption(catalogue);
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
  } else if (parser.isSet(check) && !parser.positionalArguments().isEmpty()) {
    result.ExitStatus =
        Refuse(QStringLiteral("Лишний аргумент «%1».").arg(parser.positionalArguments().at(0)));
  } else if (parser.positionalArguments().size() > 1) {
    result.ExitStatus =
        Refuse(QStringLiteral("Лишний аргумент «%1».").arg(parser.positionalArguments().at(1)));
  } else if (!parser.positionalArguments().isEmpty()) {
    result.FileName = parser.positionalArguments().first();
  }
  if (parser.isSet(catalogue)) result.Catalogue = ToFileName(parser.value(catalogue));
  if (!result.ExitStatus && parser.isSet(check)) {
    result.ExitStatus = Check(parser.value(check), result);
  }
  return result;
}

// Reads the command line before the window system is contacted, so that --help,
// --version, --check and mistakes are answered without a display. Qt's own window-system
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
  // An unusable --catalogue is told once; the editor starts with the usual catalogue.
  const std::string catalogue = StartUpCatalogue(commandLine.Catalogue);
  // The dialogs, the file dialog and the desktop picture are made on first use.
  const std::unique_ptr<TMainForm> mainForm = CreateMainWindow(catalogue);
  mainForm->show();
  OpenAtStartUp(*mainForm, commandLine.FileName, catalogue);
  return app.exec();
}
