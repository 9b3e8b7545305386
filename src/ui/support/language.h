// The interface language: Russian (the texts of the sources, the default whatever
// the locale) or English (the built-in translation), for the editor's own texts and
// Qt's (file dialog, standard buttons).
#pragma once

#include <QString>
#include <QStringList>

// The codes of the interface languages: "ru" first (the default), then "en".
QStringList InterfaceLanguages();

// Makes `code` the interface language of the running application: replaces the
// translators of the previous language, so that every widget receives
// QEvent::LanguageChange. Returns false, changing nothing, for a code that is not
// one of InterfaceLanguages(). Qt's Russian texts (qtbase_ru) come from Qt's
// translations folder; when they are missing, Qt's texts stay English and a note
// goes to the standard error stream.
bool SetInterfaceLanguage(const QString& code);
// The code of the language set last; "ru" before any.
QString InterfaceLanguage();

// The language the user chose in the editor, from the settings; "ru" when none
// (or an unknown one) is kept.
QString SavedInterfaceLanguage();
// Keeps the choice in the settings for the next start.
void SaveInterfaceLanguage(const QString& code);
