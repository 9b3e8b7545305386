// Visual vuka.ini manager: the editor of a setup program's configuration file.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/checkmode.h"
#include "cli/getcommand.h"
#include "cli/setcommand.h"
#include "cli/valuename.h"
#include "model/model.h"
#include "ui/app.h"
#include "ui/support/filenames.h"
#include "ui/support/language.h"

#ifndef VUKA_VERSION
#error "The build defines VUKA_VERSION, the project's version"
#endif

// The texts of the command line, in the interface language.
class TCommandLineTexts {
  Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

namespace {

// What the command line asks for.
struct TCommandLine {
  std::optional<int> ExitStatus;  // set when a command or a mistake was answered
  QString FileName;               // the optional FILE argument, empty when none
  std::string Catalogue;          // the catalogue of --catalogue, empty when none
  QString Language;               // the interface language: --lang, else the one kept
};

// Texts go out in UTF-8 whatever the locale, so that scripts read the same bytes everywhere.
void PrintTo(std::FILE* stream, const QString& text) {
  std::fputs(text.toUtf8().constData(), stream);
}

int Refuse(const QString& message) {
  PrintTo(stderr, QStringLiteral("vuka-manager: %1\n%2\n")
                      .arg(message, TCommandLineTexts::tr("Справка: vuka-manager --help")));
  return 2;
}

std::vector<std::string> Utf8Texts(const QStringList& texts) {
  std::vector<std::string> result;
  result.reserve(static_cast<size_t>(texts.size()));
  for (const QString& text : texts) result.push_back(text.toStdString());
  return result;
}

std::vector<TNamedFile> NamedFiles(const QStringList& names) {
  std::vector<TNamedFile> files;
  files.reserve(static_cast<size_t>(names.size()));
  for (const QString& name : names) files.push_back({ToFileName(name), name.toStdString()});
  return files;
}

// The options of the command line; their texts are in the interface language.
QCommandLineOption LanguageOption() {
  return {QStringLiteral("lang"),
          TCommandLineTexts::tr("Язык интерфейса: ru (русский, по умолчанию) или en."),
          QStringLiteral("ru|en")};
}

// The value of --lang before the whole command line is read, so that --help and the
// messages speak that language; empty when not given. Other mistakes are the whole
// reading's concern.
QString LanguageArgument(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption language = LanguageOption();
  parser.addOption(language);
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.parse(arguments);
  return parser.value(language);
}

struct TOptions {
  QCommandLineOption Help;
  QCommandLineOption Version;
  QCommandLineOption Check{
      QStringLiteral("check"),
      TCommandLineTexts::tr("Проверить каждый ФАЙЛ и выйти (коды выхода: см. выше).")};
  QCommandLineOption Get{
      QStringLiteral("get"),
      TCommandLineTexts::tr("Вывести значение переменной или ключа ИМЯ из ФАЙЛА."),
      TCommandLineTexts::tr("ИМЯ")};
  QCommandLineOption Set{
      QStringLiteral("set"),
      TCommandLineTexts::tr("Задать значение переменной или ключа в ФАЙЛЕ (можно повторять)."),
      TCommandLineTexts::tr("ИМЯ=ЗНАЧЕНИЕ")};
  QCommandLineOption Unset{QStringLiteral("unset"),
                           TCommandLineTexts::tr("Удалить переменную из ФАЙЛА (можно повторять)."),
                           TCommandLineTexts::tr("ИМЯ")};
  QCommandLineOption Catalogue{
      QStringLiteral("catalogue"),
      TCommandLineTexts::tr(
          "Каталог version.ini, с которым начать работу (и работать с --check, --set)."),
      TCommandLineTexts::tr("ПУТЬ")};
  QCommandLineOption Strict{
      QStringLiteral("strict"),
      TCommandLineTexts::tr("С --check: предупреждения тоже дают код выхода 1.")};
  QCommandLineOption Verbose{QStringLiteral("verbose"),
                             TCommandLineTexts::tr("С --check: итог по каждому файлу.")};
  QCommandLineOption Quiet{
      QStringLiteral("quiet"),
      TCommandLineTexts::tr("Без сообщений об успехе и без предупреждений; ошибки выводятся.")};
  QCommandLineOption Language = LanguageOption();
};

const char* const kDescription = QT_TRANSLATE_NOOP(
    "CommandLine",
    "Visual vuka.ini manager [ROVEL] — редактор файла настроек vuka.ini программы установки.\n"
    "\n"
    "  vuka-manager [--catalogue ПУТЬ] [ФАЙЛ]\n"
    "  vuka-manager --check [--catalogue ПУТЬ] [--strict] [--verbose] [--quiet] ФАЙЛ...\n"
    "  vuka-manager --get ИМЯ ФАЙЛ\n"
    "  vuka-manager [--set ИМЯ=ЗНАЧЕНИЕ]... [--unset ИМЯ]... [--catalogue ПУТЬ] [--quiet] ФАЙЛ\n"
    "\n"
    "Каталог языков и диалогов (version.ini) берётся из папки открываемого файла, если он\n"
    "там есть; иначе остаётся прежним: при запуске это каталог из --catalogue или из папки\n"
    "программы. --check и --set используют каталог из --catalogue, если он указан.\n"
    "\n"
    "--check проверяет каждый ФАЙЛ так, как его читает команда «Открыть», ничего не\n"
    "записывая и без графического окружения: каждая проблема выводится в стандартный поток\n"
    "ошибок строкой «ФАЙЛ:СТРОКА: текст» (или «ФАЙЛ: текст»), строка, которую программа\n"
    "установки читает не так, как она выглядит, — «ФАЙЛ:СТРОКА: предупреждение: текст».\n"
    "Код выхода — худший из файлов: 0 — проблем нет (предупреждения без --strict не\n"
    "считаются), 1 — есть проблемы, 2 — файл или каталог нельзя прочитать или ошибка в\n"
    "параметрах.\n"
    "\n"
    "ИМЯ — имя переменной раздела Variables или «Config/КЛЮЧ», «Display/КЛЮЧ». --get\n"
    "выводит значение так, как его читает программа установки (код выхода 1, если его нет).\n"
    "--set и --unset меняют ФАЙЛ так, как «Сохранить» после правки в окне (отсутствующий\n"
    "ФАЙЛ создаётся, как «Создать»); если хоть одно изменение не принято, ничего не\n"
    "записывается и код выхода 2, если в файле есть проблемы — 1.\n"
    "Вывод всегда в UTF-8.");

void AddOptions(QCommandLineParser& parser, TOptions& options) {
  parser.setApplicationDescription(TCommandLineTexts::tr(kDescription));
  parser.addOptions({options.Check, options.Get, options.Set, options.Unset, options.Catalogue,
                     options.Strict, options.Verbose, options.Quiet, options.Language});
  parser.addPositionalArgument(TCommandLineTexts::tr("ФАЙЛ"),
                               TCommandLineTexts::tr("Файл настроек vuka.ini, который открыть."),
                               TCommandLineTexts::tr("[ФАЙЛ]"));
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
}

// Why the command line asks for nothing that can be done, or empty.
QString Mistake(const QCommandLineParser& parser, const TOptions& options) {
  const bool check = parser.isSet(options.Check);
  const bool get = parser.isSet(options.Get);
  const bool set = parser.isSet(options.Set) || parser.isSet(options.Unset);
  const QStringList files = parser.positionalArguments();
  if (parser.isSet(options.Language) &&
      !InterfaceLanguages().contains(parser.value(options.Language))) {
    return TCommandLineTexts::tr("Неизвестный язык интерфейса «%1»: ru или en.")
        .arg(parser.value(options.Language));
  }
  if (int{check} + int{get} + int{set} > 1)
    return TCommandLineTexts::tr("--check, --get и --set/--unset нельзя сочетать.");
  if (!check && (parser.isSet(options.Strict) || parser.isSet(options.Verbose)))
    return TCommandLineTexts::tr("--strict и --verbose действуют только с --check.");
  if (parser.isSet(options.Verbose) && parser.isSet(options.Quiet))
    return TCommandLineTexts::tr("--verbose и --quiet нельзя сочетать.");
  if (!check && !get && !set && parser.isSet(options.Quiet))
    return TCommandLineTexts::tr("--quiet действует только с --check, --get и --set/--unset.");
  if (get && parser.values(options.Get).size() > 1)
    return TCommandLineTexts::tr("--get указан больше одного раза.");
  if ((check || get || set) && files.isEmpty()) return TCommandLineTexts::tr("Не указан ФАЙЛ.");
  if (!check && files.size() > 1)
    return TCommandLineTexts::tr("Лишний аргумент «%1».").arg(files.at(1));
  return {};
}

// Runs --check, --get or --set/--unset; nothing when none is asked for.
std::optional<int> RunCommand(const QCommandLineParser& parser, const TOptions& options,
                              const std::string& catalogue) {
  const std::vector<TNamedFile> files = NamedFiles(parser.positionalArguments());
  const bool quiet = parser.isSet(options.Quiet);
  if (parser.isSet(options.Check)) {
    const TCheckRequest request{
        files, catalogue, {parser.isSet(options.Strict), quiet}, parser.isSet(options.Verbose)};
    return CheckFiles(request, std::cout, std::cerr);
  }
  if (parser.isSet(options.Get)) {
    try {
      const TValueName name = ParseValueName(parser.value(options.Get).toStdString());
      return GetValue(files.front().FileName, name, std::cout, std::cerr);
    } catch (const std::runtime_error& error) {
      return Refuse(QStringLiteral("«%1»: %2")
                        .arg(parser.value(options.Get), QString::fromUtf8(error.what())));
    }
  }
  if (parser.isSet(options.Set) || parser.isSet(options.Unset)) {
    const std::optional<std::vector<TValueChange>> changes = ParseChanges(
        Utf8Texts(parser.values(options.Set)), Utf8Texts(parser.values(options.Unset)), std::cerr);
    if (!changes) return 2;
    return SetValues({files.front(), catalogue, *changes, quiet}, std::cout, std::cerr);
  }
  return std::nullopt;
}

// Answers --help, --version and the commands, and refuses an unknown option, a second
// FILE of the editor or a mix of commands with exit status 2.
TCommandLine Interpret(QCommandLineParser& parser, const QStringList& arguments) {
  TOptions options{parser.addHelpOption(), parser.addVersionOption()};
  AddOptions(parser, options);
  TCommandLine result;
  if (!parser.parse(arguments)) {
    result.ExitStatus = Refuse(parser.errorText());
    return result;
  }
  if (parser.isSet(options.Help) || parser.isSet(QStringLiteral("help-all"))) {
    PrintTo(stdout, parser.helpText());
    result.ExitStatus = 0;
  } else if (parser.isSet(options.Version)) {
    PrintTo(stdout,
            QStringLiteral("vuka-manager %1\n").arg(QCoreApplication::applicationVersion()));
    result.ExitStatus = 0;
  } else if (const QString mistake = Mistake(parser, options); !mistake.isEmpty()) {
    result.ExitStatus = Refuse(mistake);
  } else if (!parser.positionalArguments().isEmpty()) {
    result.FileName = parser.positionalArguments().first();
  }
  if (result.ExitStatus) return result;
  if (parser.isSet(options.Catalogue))
    result.Catalogue = ToFileName(parser.value(options.Catalogue));
  const bool usesCatalogue =
      parser.isSet(options.Check) || parser.isSet(options.Set) || parser.isSet(options.Unset);
  if (const std::string problem = result.Catalogue.empty() || !usesCatalogue
                                      ? std::string()
                                      : CatalogueProblem(result.Catalogue);
      !problem.empty()) {
    result.ExitStatus = Refuse(QString::fromStdString(problem));
  } else {
    result.ExitStatus = RunCommand(parser, options, result.Catalogue);
  }
  std::cout.flush();
  std::cerr.flush();
  return result;
}

// Reads the command line before the window system is contacted, so that --help,
// --version, the commands and mistakes are answered without a display. Qt's own window-system
// options are therefore taken from the environment (QT_QPA_PLATFORM, QT_STYLE_OVERRIDE).
TCommandLine ParseCommandLine(int argc, char** argv) {
  QCoreApplication core(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("vuka-manager"));
  QCoreApplication::setApplicationVersion(QStringLiteral(VUKA_VERSION));
  const QString language = StartUpLanguage(LanguageArgument(QCoreApplication::arguments()));
  if (!SetInterfaceLanguage(language)) SetInterfaceLanguage(InterfaceLanguages().first());
  QCommandLineParser parser;
  TCommandLine result = Interpret(parser, QCoreApplication::arguments());
  result.Language = InterfaceLanguage();
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const TCommandLine commandLine = ParseCommandLine(argc, argv);
  if (commandLine.ExitStatus) return *commandLine.ExitStatus;
  TApplication app(argc, argv);
  SetInterfaceLanguage(commandLine.Language);
  // An unusable --catalogue is told once; the editor starts with the usual catalogue.
  const std::string catalogue = StartUpCatalogue(commandLine.Catalogue);
  // The dialogs, the file dialog and the desktop picture are made on first use.
  const std::unique_ptr<TMainForm> mainForm = CreateMainWindow(catalogue);
  mainForm->show();
  OpenAtStartUp(*mainForm, commandLine.FileName, catalogue);
  return app.exec();
}
