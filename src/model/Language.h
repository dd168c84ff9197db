#pragma once

#include <QString>
#include <QStringList>

namespace pluviane {

// The interface speaks Russian, the language its texts are written in, or
// English from a translation. Codes as in the settings file: "ru", "en".
inline const QString kRussian = QStringLiteral("ru");
inline const QString kEnglish = QStringLiteral("en");

// Section and key of the settings file that choose the language ("ru" or
// "en"); empty or missing follows the desktop.
inline const QString kInterfaceSection = QStringLiteral("Interface");
inline const QString kLanguageKey = QStringLiteral("Language");

// "en-US", "en_GB", "EN" -> "en": the code of a language we have, else empty.
QString languageCode(const QString& name);

// The setting when it names a language we have; otherwise the first of the
// desktop's languages (most wanted first, "en-US", "ru_RU") we have; otherwise
// Russian.
QString chooseLanguage(const QString& setting, const QStringList& desktopLanguages);

// The language the settings file and the desktop choose together.
QString currentLanguage();

// Makes the program's texts and Qt's own (dialogs, buttons, command-line
// help) speak `language`; call once the application object exists, before
// any window or message is made. Returns false when a translation could not
// be loaded (the texts then stay Russian).
bool installTranslations(const QString& language);

} // namespace pluviane
