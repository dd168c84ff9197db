#include "model/ShowTrack.h"

#include <QList>
#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace pluviane;

namespace {

ShowTrack sampleTrack()
{
    ShowTrack track;
    track.musicName = QStringLiteral("музыка/song.wav");
    track.cues = {{0, 1, 1}, {500, 2, 0}, {500, 0, 3}, {1250, 4, 2}, {kMaxCueTimeMs, 255, 255}};
    return track;
}

std::unique_ptr<FountainImage> imageWith(const ShowTrack& track)
{
    auto image = std::make_unique<FountainImage>();
    image->fill(0x5A);
    EXPECT_TRUE(writeShowTrack(track, *image));
    return image;
}

Byte& tailByte(FountainImage& image, std::size_t at) { return image[kShowTrackOffset + at]; }

} // namespace

TEST(ShowTrack, RoundTripsThroughTheTailAndLeavesTheRestAlone)
{
    const ShowTrack track = sampleTrack();
    auto image = imageWith(track);
    EXPECT_EQ((*image)[kShowTrackOffset - 1], 0x5A);
    const ShowTrackRead read = readShowTrack(*image, kFountainFileSize);
    EXPECT_EQ(read.outcome, ShowTrackRead::Loaded);
    EXPECT_EQ(read.track, track);

    // The most cues the tail promises fit even with a long music name.
    ShowTrack full;
    full.musicName = QString(kMaxMusicNameBytes, QLatin1Char('m'));
    for (int i = 0; i < kMaxTrackCues; ++i)
        full.cues.push_back({i * 10, i % 250 + 1, i % 7});
    auto fullImage = imageWith(full);
    EXPECT_EQ(readShowTrack(*fullImage, kFountainFileSize).track, full);

    // What cannot be kept is refused and the image stays as it was.
    ShowTrack tooMany = full, unordered = track, pastNumbers = track;
    tooMany.cues.push_back({kMaxCueTimeMs, 1, 1});
    unordered.cues[1].timeMs = 2000;
    pastNumbers.cues[2].scene = 256;
    for (const ShowTrack& bad : {tooMany, unordered, pastNumbers}) {
        auto kept = imageWith(track);
        const FountainImage before = *kept;
        EXPECT_FALSE(writeShowTrack(bad, *kept));
        EXPECT_EQ(*kept, before);
    }

    // An empty track clears the tail: no track is read back.
    EXPECT_TRUE(writeShowTrack({}, *image));
    EXPECT_EQ(readShowTrack(*image, kFountainFileSize).outcome, ShowTrackRead::NoTrack);
    EXPECT_EQ((*image)[kFountainFileSize - 1], 0);
}

TEST(ShowTrack, DamagedOrMissingTracksBringNoCues)
{
    const ShowTrack track = sampleTrack();
    // A file shorter than the track's bytes brings none, whatever the buffer holds.
    auto image = imageWith(track);
    EXPECT_EQ(readShowTrack(*image, kShowTrackOffset).outcome, ShowTrackRead::NoTrack);
    EXPECT_EQ(readShowTrack(*image, kShowTrackOffset + 30).outcome, ShowTrackRead::Damaged);

    struct Case {
        const char* what;
        std::size_t at;
        Byte value;
        ShowTrackRead::Outcome outcome;
    } cases[] = {
        {"tag", 0, 'X', ShowTrackRead::NoTrack},
        {"version", 8, 2, ShowTrackRead::Damaged},
        {"length past the end", 15, 0x7F, ShowTrackRead::Damaged},
        {"checksum", 16, 0, ShowTrackRead::Damaged},
        {"body byte", 40, 0xEE, ShowTrackRead::Damaged},
    };
    for (const Case& c : cases) {
        auto broken = imageWith(track);
        tailByte(*broken, c.at) = c.value;
        const ShowTrackRead read = readShowTrack(*broken, kFountainFileSize);
        EXPECT_EQ(read.outcome, c.outcome) << c.what;
        EXPECT_TRUE(read.track.cues.empty()) << c.what;
        EXPECT_EQ(read.reason.isEmpty(), c.outcome == ShowTrackRead::NoTrack) << c.what;
    }
}

TEST(ShowTrack, MutatedTailsNeverCrashAndLoadOnlyOrderedCues)
{
    ShowTrack track = sampleTrack();
    track.cues.pop_back();
    for (int i = 0; i < 200; ++i)
        track.cues.push_back({2000 + i * 37, i % 9, i % 5});
    auto clean = imageWith(track);
    std::mt19937 random(16);
    for (int round = 0; round < 3000; ++round) {
        FountainImage mutated = *clean;
        const int changes = 1 + int(random() % 6);
        for (int c = 0; c < changes; ++c)
            tailByte(mutated, random() % 1400) = Byte(random());
        const std::size_t length = round % 3 == 0 ? kShowTrackOffset + random() % 1500 : kFountainFileSize;
        const ShowTrackRead read = readShowTrack(mutated, length);
        for (std::size_t i = 1; i < read.track.cues.size(); ++i)
            ASSERT_LE(read.track.cues[i - 1].timeMs, read.track.cues[i].timeMs);
        if (read.outcome != ShowTrackRead::Loaded) {
            ASSERT_TRUE(read.track.cues.empty());
        }
    }
}

TEST(ShowTrack, CueLookupAtAndAroundCueTimes)
{
    ShowTrack track;
    EXPECT_EQ(formAt(track, 1000), 0);
    track.cues = {{1000, 3, 0}, {2000, 0, 5}, {3000, 7, 6}, {3000, 8, 0}};
    EXPECT_EQ(formAt(track, 999), 0);
    EXPECT_EQ(formAt(track, 1000), 3);
    EXPECT_EQ(formAt(track, 2999), 3); // a scene-only cue leaves the form
    EXPECT_EQ(sceneAt(track, 1999), 0);
    EXPECT_EQ(sceneAt(track, 2000), 5);
    EXPECT_EQ(formAt(track, 3000), 8); // the later of two cues at one time wins
    EXPECT_EQ(sceneAt(track, 3000), 6);
    EXPECT_EQ(formAt(track, -5), 0);

    EXPECT_EQ(insertCue(track, {2000, 1, 0}), 2); // after the cue at the same time
    EXPECT_EQ(insertCue(track, {0, 1, 0}), 0);
    EXPECT_EQ(cuesPastCounts(track, 8, 6), QString());
    EXPECT_TRUE(cuesPastCounts(track, 7, 6).contains(QStringLiteral("форму 8")));

    EXPECT_EQ(trackMusicName(QStringLiteral("/a/b/music/x.wav"), QStringLiteral("/a/b")),
              QStringLiteral("music/x.wav"));
    EXPECT_EQ(trackMusicName(QStringLiteral("/a/other/x.wav"), QStringLiteral("/a/b")),
              QStringLiteral("/a/other/x.wav"));
    track.musicName = QStringLiteral("music/x.wav");
    EXPECT_EQ(trackMusicPath(track, QStringLiteral("/a/b")), QStringLiteral("/a/b/music/x.wav"));
}

TEST(CueLabels, ImportAndExportAudacityLabels)
{
    const std::vector<ShowCue> cues = {{0, 3, 0}, {1500, 0, 2}, {2250, 3, 2}};
    const QByteArray text = formatCueLabels(cues);
    EXPECT_EQ(text.split('\n').first(), QByteArray("0.000000\t0.000000\tF3"));
    const CueLabelsRead back = parseCueLabels(text);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.cues, cues);

    // Region labels, lower case, CR LF, blank lines and lines out of order come in sorted.
    const CueLabelsRead loose = parseCueLabels("2.5\t3.0\tf1 s4\r\n\r\n1\t1\tS2\r\n");
    ASSERT_TRUE(loose.ok);
    EXPECT_EQ(loose.cues, (std::vector<ShowCue>{{1000, 0, 2}, {2500, 1, 4}}));

    // A UTF-8 byte-order mark and Audacity's empty labels (plain time marks) are passed over.
    const CueLabelsRead marked = parseCueLabels("\xEF\xBB\xBF" "0.0\t0.0\tF1\n1.5\t1.5\t\n2\t2.5\t \n3\t3\tS2\n");
    ASSERT_TRUE(marked.ok) << marked.reason.toStdString();
    EXPECT_EQ(marked.cues, (std::vector<ShowCue>{{0, 1, 0}, {3000, 0, 2}}));

    const char* garbage[] = {"1\t1\tF2\nhello\n", "1\t1\tF2\n-1\t0\tF1\n", "1\t1\tF2\n1e9\t1\tF1\n",
                             "1\t1\tF2\nnan\t1\tF1\n", "1\t1\tF2\n2\t2\tF0\n", "1\t1\tF2\n2\t2\tX3\n",
                             "1\t1\tF2\n2\t2\tF256\n", "1\t1\tF2\n2\n", "1\t1\tF2\nx\tx\t\n"};
    for (const char* text : garbage) {
        const CueLabelsRead read = parseCueLabels(text);
        EXPECT_FALSE(read.ok) << text;
        EXPECT_EQ(read.badLine, 2) << text;
        EXPECT_FALSE(read.reason.isEmpty()) << text;
        EXPECT_TRUE(read.cues.empty()) << text;
    }
}
