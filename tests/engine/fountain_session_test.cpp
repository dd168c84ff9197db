#include "engine/FountainSession.h"
#include "engine/SettingValueStore.h"
#include "model/FountainFile.h"
#include "model/ShowTrack.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

using namespace pluviane;

namespace {

QString example(const char* name)
{
    return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("../../examples/") +
                                                                      QString::fromLatin1(name));
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

const SettingField& field(std::string_view control)
{
    for (const SettingField& f : settingFields())
        if (f.control == control)
            return f;
    throw std::logic_error("no such field");
}

struct Opened {
    std::unique_ptr<FountainState> state = std::make_unique<FountainState>();
    SettingValueStore store{*state};
    FountainSession session{*state, store};
};

} // namespace

TEST(FountainSession, RefusedAndFailedReadsLeaveTheFountainAndSayWhyInTheProgramsWords)
{
    QTemporaryDir dir;
    Opened o;
    ASSERT_TRUE(o.session.open(example("song_round.wat"), true).ok());
    const std::size_t cues = o.state->Track.cues.size();
    ASSERT_GT(cues, 0u);
    const int corners = *o.store.value("ScrollBarUgolCup");

    const QString large = dir.filePath(QStringLiteral("large.wat"));
    write(large, QByteArray(kFountainFileSize + 1, '\0'));
    FountainOpening opening = o.session.open(large, true);
    EXPECT_EQ(opening.outcome, FountainOpening::TooLarge);
    EXPECT_EQ(opening.caption, QStringLiteral("Сообщение"));
    EXPECT_EQ(opening.oneLine(), QStringLiteral("Ошибка!: Файл большего размера"));

    opening = o.session.open(dir.filePath(QStringLiteral("none.wat")), true);
    EXPECT_EQ(opening.outcome, FountainOpening::Failed);
    EXPECT_TRUE(opening.text.startsWith(QStringLiteral("Файл ") + dir.filePath(QStringLiteral("none.wat")) +
                                        QStringLiteral("\r\n")));
    EXPECT_EQ(o.state->Track.cues.size(), cues);
    EXPECT_EQ(*o.store.value("ScrollBarUgolCup"), corners);

    // A short file that is no fountain file loads, with a warning, no track
    // and the stale track of the earlier file gone from the save buffer.
    const QString foreign = dir.filePath(QStringLiteral("foreign.wat"));
    write(foreign, QByteArray("GIF89a"));
    opening = o.session.open(foreign, true);
    EXPECT_TRUE(opening.ok());
    EXPECT_TRUE(opening.headerWarning.contains(QStringLiteral("foreign.wat")));
    EXPECT_EQ(opening.trackOutcome, ShowTrackRead::NoTrack);
    EXPECT_TRUE(o.state->Track.cues.empty());
    EXPECT_EQ(readShowTrack(o.state->SaveBuffer, kFountainFileSize).outcome, ShowTrackRead::NoTrack);

    // A damaged track and music that is missing are told for the status bar.
    QByteArray damaged = bytesOf(example("song_round.wat"));
    damaged[kShowTrackOffset + 40] = char(damaged[kShowTrackOffset + 40] ^ 0x5A);
    write(dir.filePath(QStringLiteral("damaged.wat")), damaged);
    opening = o.session.open(dir.filePath(QStringLiteral("damaged.wat")), true);
    EXPECT_EQ(opening.trackOutcome, ShowTrackRead::Damaged);
    EXPECT_TRUE(opening.trackNote.contains(QStringLiteral("повреждена"))) << opening.trackNote.toStdString();
    write(dir.filePath(QStringLiteral("alone.wat")), bytesOf(example("song_round.wat")));
    opening = o.session.open(dir.filePath(QStringLiteral("alone.wat")), true);
    EXPECT_EQ(opening.trackOutcome, ShowTrackRead::Loaded);
    EXPECT_TRUE(opening.trackNote.contains(QStringLiteral("Музыка партитуры не найдена")));
}

TEST(SettingValueStore, BarsClampAndHandleOnlyRealChangesAsTheirControlsDo)
{
    Opened o;
    // The zoom comes twice; each write clamps to the bar's range.
    o.store.write(field("ScrollBarZoom"), 200);
    EXPECT_EQ(o.store.sceneSettings().zoom, 150);
    o.store.write(field("ScrollBarCupWidthX"), 5);
    EXPECT_EQ(o.store.sceneSettings().cupWidth, 21);
    // A grid keeps any index, as the file does; a check box is 0 or 1.
    o.store.write(field("ColorGridDno"), 20);
    o.store.write(field("CheckBoxNight"), 7);
    EXPECT_EQ(o.store.sceneSettings().colourBottom, 20);
    int night = 0;
    ASSERT_TRUE(o.store.read(field("CheckBoxNight"), night));
    EXPECT_EQ(night, 1);

    // The spin's bar levels the view only when it really moves.
    o.state->ViewAngleZ = 30;
    o.store.write(field("ScrollBarRotField"), 50);
    EXPECT_EQ(o.state->ViewAngleZ, 30);
    o.store.write(field("ScrollBarRotField"), 60);
    EXPECT_EQ(o.state->ViewAngleZ, 0);

    // With "together" checked the later backdrop bar sets both sizes.
    o.store.write(field("ScrollBarX"), 30);
    o.store.write(field("ScrollBary"), 70);
    EXPECT_EQ(o.state->BackdropHalfW, 70);
    EXPECT_EQ(o.state->BackdropHalfH, 70);
    o.store.set("CheckBoxTgPodloga", 0);
    o.store.write(field("ScrollBarX"), 30);
    EXPECT_EQ(o.state->BackdropHalfW, 30);
    EXPECT_EQ(o.state->BackdropHalfH, 70);

    // The show's controls are not the store's: missing, their bytes untouched.
    int pressure = -1;
    EXPECT_FALSE(o.store.read(field("ScrollBarGroup01"), pressure));
}
