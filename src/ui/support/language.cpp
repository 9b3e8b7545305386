#include "ui/support/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QSettings>
#include <QTranslator>
#include <cstdio>

#include "ui/support/apptitle.h"

namespace {

const QString kKey = QStringLiteral("InterfaceLanguage");

QString Current = QStringLiteral("ru");
// The translators installed for the current language; they belong to the application.
QPointer<QTranslator> Editor;
QPointer<QTranslator> Toolkit;

void Remove(QPointer<QTranslator>& translator) {
  if (translator.isNull()) return;
  QCoreApplication::removeTranslator(translator);
  delete translator.data();
}

// A translator from `file` in `folder`, installed; nullptr when the file cannot be read.
QTranslator* Install(const QString& file, const QString& folder) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(file, folder)) {
    delete translator;
    return nullptr;
  }
  QCoreApplication::installTranslator(translator);
  return translator;
}

}  // namespace

QStringList InterfaceLanguages() { return {QStringLiteral("ru"), QStringLiteral("en")}; }

bool SetInterfaceLanguage(const QString& code) {
  if (!InterfaceLanguages().contains(code)) return false;
  Remove(Editor);
  Remove(Toolkit);
  if (code == QStringLiteral("ru")) {
    Toolkit =
        Install(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (Toolkit.isNull())
      std::fputs("vuka-manager: Qt's Russian translation qtbase_ru is not installed\n", stderr);
  } else {
    // Qt's own texts are English without a translation.
    Editor = Install(QStringLiteral("vuka-manager_") + code, QStringLiteral(":/translations"));
    if (Editor.isNull())
      std::fputs("vuka-manager: the editor's built-in translation is missing\n", stderr);
  }
  Current = code;
  return true;
}

QString InterfaceLanguage() { return Current; }

QString SavedInterfaceLanguage() {
  const QString code = QSettings(ApplicationTitle(), ApplicationTitle()).value(kKey).toString();
  return InterfaceLanguages().contains(code) ? code : InterfaceLanguages().first();
}

void SaveInterfaceLanguage(const QString& code) {
  QSettings settings(ApplicationTitle(), ApplicationTitle());
  settings.setValue(kKey, code);
  settings.sync();
}
