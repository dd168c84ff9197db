#include "ToolTestSupport.h"

#include "model/FountainFile.h"
#include "model/ShowTrack.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pluviane;
using namespace pluviane::test;

namespace {

struct DraftRun {
    int exitCode = -1;
    QString out, errors;
};

DraftRun runDraft(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(PLUVIANE_DRAFT), arguments);
    if (!process.waitForFinished(120'000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, {}, QStringLiteral("crashed or hung")};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace

TEST(DraftTool, WritesTheFountainWithItsDraftedTrackAndTheLabels)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    const QString song = folder.filePath(QStringLiteral("song.wav"));
    const SynthSong synth = synthesiseSong(2.0, {{4, 120, 0.1f, false}, {4, 120, 0.7f, true}});
    ASSERT_TRUE(writeWav(song, synth.samples, synth.rate));
    const QString out = folder.filePath(QStringLiteral("drafted.wat"));
    const QString labels = folder.filePath(QStringLiteral("cues.txt"));

    const DraftRun run = runDraft({kExample, song, QStringLiteral("-o"), out, QStringLiteral("--labels"), labels});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("tempo 120.0 beats a minute"))) << run.out.toStdString();
    FountainImage image{};
    ASSERT_TRUE(readFountainFile(out, image).ok());
    EXPECT_EQ(QFileInfo(out).size(), qint64(kFountainFileSize));
    const ShowTrackRead read = readShowTrack(image, kFountainFileSize);
    ASSERT_EQ(read.outcome, ShowTrackRead::Loaded);
    EXPECT_EQ(read.track.musicName, QStringLiteral("song.wav"));
    EXPECT_TRUE(run.out.contains(QStringLiteral("%1 cues").arg(read.track.cues.size())));
    QFile labelFile(labels);
    ASSERT_TRUE(labelFile.open(QIODevice::ReadOnly));
    const CueLabelsRead cues = parseCueLabels(labelFile.readAll());
    EXPECT_TRUE(cues.ok);
    EXPECT_EQ(cues.cues, read.track.cues);

    // Every tempo section is printed, the first too; the report tells the
    // sections, accents and dry time; a busier draft has more cues.
    const DraftRun busy = runDraft({kExample, song, QStringLiteral("-o"), out, QStringLiteral("--density"),
                                    QStringLiteral("high"), QStringLiteral("--report")});
    ASSERT_EQ(busy.exitCode, 0) << busy.errors.toStdString();
    EXPECT_TRUE(busy.out.contains(QStringLiteral("from 2.0 s: 120.0 beats a minute"))) << busy.out.toStdString();
    for (const char* line : {"sections (", "accents: ", "form changes: ", "water: "})
        EXPECT_TRUE(busy.out.contains(QLatin1String(line))) << line;
    ASSERT_TRUE(readFountainFile(out, image).ok());
    EXPECT_GT(readShowTrack(image, kFountainFileSize).track.cues.size(), read.track.cues.size());
    EXPECT_EQ(runDraft({kExample, song, QStringLiteral("-o"), out, QStringLiteral("--density"), QStringLiteral("busy")}).exitCode, 2);

    // Music that does not decode, a missing song, a bad command line: the
    // reason, the exit code, and no output.
    const QString garbage = folder.filePath(QStringLiteral("garbage.mp3"));
    QFile bad(garbage);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(5000, '\x5a'));
    bad.close();
    const QString none = folder.filePath(QStringLiteral("none.wat"));
    DraftRun failed = runDraft({kExample, garbage, QStringLiteral("-o"), none});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.errors.contains(QStringLiteral("cannot decode"))) << failed.errors.toStdString();
    failed = runDraft({kExample, folder.filePath(QStringLiteral("missing.wav")), QStringLiteral("-o"), none});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(runDraft({kExample, song}).exitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(none));
    EXPECT_EQ(runDraft({QStringLiteral("--help")}).exitCode, 0);
}
