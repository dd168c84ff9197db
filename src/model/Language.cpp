#include "model/Language.h"

#include "model/ProfileFile.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pluviane {

namespace {

bool installTranslator(const QString& file, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(file, folder) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace

QString languageCode(const QString& name)
{
    const QString primary = name.trimmed().section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
    return primary == kRussian || primary == kEnglish ? primary : QString();
}

QString chooseLanguage(const QString& setting, const QStringList& desktopLanguages)
{
    if (const QString chosen = languageCode(setting); !chosen.isEmpty())
        return chosen;
    for (const QString& name : desktopLanguages)
        if (const QString known = languageCode(name); !known.isEmpty())
            return known;
    return kRussian;
}

QString currentLanguage()
{
    return chooseLanguage(readProfileString(settingsFilePath(), kInterfaceSection, kLanguageKey, {}),
                          QLocale::system().uiLanguages());
}

bool installTranslations(const QString& language)
{
    // Qt's own texts first: a translator installed later is asked first, so
    // our own words win where both know a text.
    bool ok = installTranslator(QStringLiteral("qtbase_") + language,
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // The player's reasons too, so a message about a sound file speaks one language.
    installTranslator(QStringLiteral("qtmultimedia_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // English translates the windows' texts; Russian the few texts written in
    // English (the command-line tools and the reasons they give).
    return installTranslator(QStringLiteral("pluviane_") + language, QStringLiteral(":/i18n")) && ok;
}

} // namespace pluviane
