#include "app/FirstStart.h"

#include "model/ProfileFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <array>

namespace pluviane {

namespace {

struct Example {
    const char* file;
    const char* cost;
    const char* music = nullptr; // its track's music, copied beside it
};

const std::array<Example, 4> kExamples{{
    {"classic_round.wat", QT_TRANSLATE_NOOP("pluviane::FirstStart", "Классический круглый фонтан: 1 850 000 руб.")},
    {"square.wat", QT_TRANSLATE_NOOP("pluviane::FirstStart", "Квадратная чаша: 1 240 000 руб.")},
    {"spiral.wat", QT_TRANSLATE_NOOP("pluviane::FirstStart", "Спираль: 2 100 000 руб.")},
    {"song_round.wat", QT_TRANSLATE_NOOP("pluviane::FirstStart", "Круглый фонтан с песней: 1 900 000 руб."),
     "song_round.flac"},
}};

// Copies `name` from one folder to the other unless a copy is there already;
// the copy is writable even when the installed file is not.
bool copyExampleFile(const FirstStartPlaces& places, const QString& name)
{
    const QString copy = QDir(places.examplesTo).filePath(name);
    if (!QFileInfo::exists(copy) && !QFile::copy(QDir(places.examplesFrom).filePath(name), copy))
        return false;
    QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner);
    return true;
}

bool holdsExamples(const QString& folder)
{
    return QFileInfo(QDir(folder).filePath(QString::fromLatin1(kExamples[0].file))).isFile();
}

} // namespace

FirstStartPlaces firstStartPlaces()
{
    FirstStartPlaces places;
    places.settings = settingsFilePath();
    const QDir programFolder(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {programFolder.filePath(QStringLiteral("../share/pluviane/examples")),
                                     programFolder.filePath(QStringLiteral("examples"))})
        if (holdsExamples(candidate)) {
            places.examplesFrom = QDir::cleanPath(candidate);
            break;
        }
    places.examplesTo = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                        + QStringLiteral("/pluviane/examples");
    return places;
}

QString prepareFirstStart(const FirstStartPlaces& places)
{
    // A settings file of any kind, even a broken link, is the user's.
    if (QFileInfo(places.settings).exists() || QFileInfo(places.settings).isSymLink())
        return {};
    if (places.examplesFrom.isEmpty() || !holdsExamples(places.examplesFrom))
        return QCoreApplication::translate("pluviane::FirstStart", "no examples to copy");
    if (!QDir().mkpath(places.examplesTo))
        return QCoreApplication::translate("pluviane::FirstStart",
                                           "cannot create the folder %1").arg(places.examplesTo);

    ProfileFile presets;
    const QString section = QStringLiteral("Konveir");
    for (std::size_t i = 0; i < kExamples.size(); ++i) {
        const QString name = QString::fromLatin1(kExamples[i].file);
        const QString copy = QDir(places.examplesTo).filePath(name);
        const QString music = kExamples[i].music ? QString::fromLatin1(kExamples[i].music) : QString();
        for (const QString& file : {name, music})
            if (!file.isEmpty() && !copyExampleFile(places, file))
                return QCoreApplication::translate("pluviane::FirstStart",
                                                   "cannot copy %1 to %2").arg(file, places.examplesTo);
        const QString slot = QString::number(i + 1);
        // The costs are written in the language the program starts in.
        const QString cost = QCoreApplication::translate("pluviane::FirstStart", kExamples[i].cost);
        if (i == 0) {
            presets.setValue(section, QStringLiteral("File01_f"), copy);
            presets.setValue(section, QStringLiteral("File01_c"), cost);
        }
        presets.setValue(section, QStringLiteral("File") + slot + QStringLiteral("_f"), copy);
        presets.setValue(section, QStringLiteral("File") + slot + QStringLiteral("_c"), cost);
    }
    const ProfileWrite written = writeProfile(places.settings, presets);
    return written.ok ? QString() : written.reason;
}

} // namespace pluviane
