#include "engine/FountainSession.h"

#include "model/FountainFile.h"
#include "model/SaveBuffer.h"
#include "model/SettingsBlock.h"
#include "model/ShowTrack.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace pluviane {

// The texts keep the file commands' context: the program showed them there first.
namespace {

QString captionName(const QString& path) { return QFileInfo(path).fileName(); }

} // namespace

QString FountainOpening::oneLine() const { return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(": ")); }

FountainSession::FountainSession(FountainState& state, SettingControls& controls) : state_(state), controls_(controls)
{
}

FountainOpening FountainSession::read(const QString& name)
{
    FountainOpening opening;
    const FileResult read = readFountainFile(name, state_.SaveBuffer);
    opening.length = read.length;
    if (read.outcome == FileResult::TooLarge) {
        opening.outcome = FountainOpening::TooLarge;
        opening.caption = QCoreApplication::translate("pluviane::FileCommands", "Сообщение");
        opening.text = QCoreApplication::translate("pluviane::FileCommands", "Ошибка!\r\nФайл большего размера");
    } else if (!read.ok()) {
        opening.outcome = FountainOpening::Failed;
        opening.caption = QCoreApplication::translate("pluviane::FileCommands", "Ошибка");
        opening.text = QCoreApplication::translate("pluviane::FileCommands", "Файл ") + QDir::toNativeSeparators(name) + QStringLiteral("\r\n") + read.reason;
    } else {
        // Any file of at most 64000 bytes loads; one that does not begin as
        // the program's own (a picture renamed, say) is told.
        opening.headerWarning = headerWarning(QDir::toNativeSeparators(name), state_.SaveBuffer, read.length);
    }
    return opening;
}

void FountainSession::apply(FountainOpening& opening, const QString& name, bool withSettings)
{
    if (withSettings)
        FromBufCup(state_.SaveBuffer, state_, controls_);
    FromBufSave(state_.SaveBuffer, state_);
    if (modelApplied_)
        modelApplied_();
    // The save buffer holds what the file brought: no stale track of an
    // earlier file behind a short one, no damaged one.
    opening.trackOutcome = adoptTrack(state_.SaveBuffer, opening.length, name, &opening.trackNote);
    if (opening.trackOutcome != ShowTrackRead::Loaded)
        storeShowTrack({}, state_.SaveBuffer);
}

FountainOpening FountainSession::open(const QString& name, bool withSettings)
{
    FountainOpening opening = read(name);
    if (opening.ok())
        apply(opening, name, withSettings);
    return opening;
}

int FountainSession::countBar(std::string_view control) const
{
    for (const SettingField& field : settingFields()) {
        int value = 0;
        if (field.control == control && controls_.read(field, value))
            return value;
    }
    return 0;
}

int FountainSession::adoptTrack(const FountainImage& image, std::size_t length, const QString& fileName,
                                QString* note)
{
    ShowTrackRead read = readShowTrack(image, length);
    QStringList told;
    if (read.outcome == ShowTrackRead::Damaged)
        told << QCoreApplication::translate("pluviane::FileCommands", "Партитура шоу в %1 повреждена (%2) и не загружена").arg(captionName(fileName), read.reason);
    read.track.musicName = trackMusicPath(read.track, QFileInfo(fileName).absolutePath());
    state_.Track = std::move(read.track);
    const QString past = cuesPastCounts(state_.Track, countBar("ScrollBarMaxForm"), countBar("ScrollBarMaxScen"));
    if (!past.isEmpty())
        told << past;
    if (!state_.Track.musicName.isEmpty() && !QFileInfo(state_.Track.musicName).isFile())
        told << QCoreApplication::translate("pluviane::FileCommands", "Музыка партитуры не найдена: ") + QDir::toNativeSeparators(state_.Track.musicName);
    if (note)
        *note = told.join(QStringLiteral("; "));
    return read.outcome;
}

} // namespace pluviane
