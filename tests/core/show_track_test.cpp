#include "model/ShowTrack.h"

#include <QList>
#include <gtest/gtest.h>
#include <zlib.h>

#include <memory>
#include <random>

using namespace pluviane;

namespace {

ShowTrack sampleTrack()
{
    ShowTrack track;
    track.musicName = QStringLiteral("музыка/song.wav");
    track.cues = {{0, 1, 1}, {500, 2, 0}, {500, 0, 3, SceneChange::Cut}, {1250, 4, 2, SceneChange::Fade, 800, 300},
                  {kMaxCueTimeMs, 255, 255}};
    track.markers = {{0, QStringLiteral("Начало")}, {1250, QStringLiteral("drop")}};
    return track;
}

// A track as the first layout wrote it: u16 name length, name, u32 count, 6 bytes a cue.
FountainImage versionOneImage(const ShowTrack& track)
{
    auto little = [](std::uint32_t value, int bytes) {
        QByteArray out;
        for (int i = 0; i < bytes; ++i)
            out.append(char(value >> (8 * i)));
        return out;
    };
    const QByteArray name = track.musicName.toUtf8();
    QByteArray body = little(std::uint32_t(name.size()), 2) + name + little(std::uint32_t(track.cues.size()), 4);
    for (const ShowCue& cue : track.cues)
        body += little(std::uint32_t(cue.timeMs), 4) + little(std::uint32_t(cue.form), 1) +
                little(std::uint32_t(cue.scene), 1);
    const auto crc = std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size())));
    const QByteArray tail = "PLVTRACK" + little(1, 2) + little(0, 2) + little(std::uint32_t(body.size()), 4) +
                            little(crc, 4) + body;
    FountainImage image{};
    std::copy(tail.begin(), tail.end(), image.begin() + kShowTrackOffset);
    return image;
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

    // The most cues the tail promises fit even with a long music name, as
    // they are; with a transition on every cue and markers, packed.
    ShowTrack full;
    full.musicName = QString(kMaxMusicNameBytes, QLatin1Char('m'));
    for (int i = 0; i < kMaxTrackCues; ++i)
        full.cues.push_back({i * 2399, i % 250 + 1, i % 7});
    auto fullImage = imageWith(full);
    EXPECT_EQ(readShowTrack(*fullImage, kFountainFileSize).track, full);
    EXPECT_EQ(tailByte(*fullImage, 10), 0) << "plain cues are never packed";
    std::mt19937 random(5);
    for (ShowCue& cue : full.cues) {
        cue.change = SceneChange(random() % 3);
        cue.fadeMs = cue.change == SceneChange::Fade ? int(100 * (1 + random() % 40)) : 0;
        cue.rampMs = int(250 * (random() % 8));
    }
    for (int i = 0; i < 200; ++i)
        full.markers.push_back({i * 60'000, QStringLiteral("Куплет %1").arg(i)});
    auto packedImage = imageWith(full);
    EXPECT_EQ(tailByte(*packedImage, 10), 1);
    EXPECT_EQ(readShowTrack(*packedImage, kFountainFileSize).track, full);

    // The first layout still reads, cues unchanged and sweeping as they always did.
    ShowTrack old = sampleTrack();
    old.markers.clear();
    for (ShowCue& cue : old.cues)
        cue = {cue.timeMs, cue.form, cue.scene};
    const ShowTrackRead oldRead = readShowTrack(versionOneImage(old), kFountainFileSize);
    EXPECT_EQ(oldRead.outcome, ShowTrackRead::Loaded) << oldRead.reason.toStdString();
    EXPECT_EQ(oldRead.track, old);

    // What cannot be kept is refused and the image stays as it was.
    ShowTrack tooMany = full, unordered = track, pastNumbers = track, longFade = track, markerAfter = track;
    tooMany.cues.push_back({kMaxCueTimeMs, 1, 1});
    unordered.cues[1].timeMs = 2000;
    pastNumbers.cues[2].scene = 256;
    longFade.cues[3].fadeMs = kMaxTransitionMs + 1;
    markerAfter.markers.front().timeMs = 5000;
    for (const ShowTrack& bad : {tooMany, unordered, pastNumbers, longFade, markerAfter}) {
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
        {"version", 8, 3, ShowTrackRead::Damaged},
        {"flags", 10, 2, ShowTrackRead::Damaged},
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
    const std::vector<ShowCue> cues = {{0, 3, 0}, {1500, 0, 2, SceneChange::Fade, 800},
                                       {2250, 3, 2, SceneChange::Cut, 0, 400}};
    const std::vector<ShowMarker> markers = {{1000, QStringLiteral("Куплет 2")}, {9000, QStringLiteral("X3")}};
    const QByteArray text = formatCueLabels(cues, markers);
    EXPECT_EQ(text.split('\n').mid(0, 4),
              (QList<QByteArray>{"0.000000\t0.000000\tF3", "1.000000\t1.000000\tКуплет 2",
                                 "1.500000\t1.500000\tS2 fade=800", "2.250000\t2.250000\tF3 S2 cut ramp=400"}));
    const CueLabelsRead back = parseCueLabels(text);
    ASSERT_TRUE(back.ok) << back.reason.toStdString();
    EXPECT_EQ(back.cues, cues);
    EXPECT_EQ(back.markers, markers);
    // Markers named like cues, quoted or empty come back as they were named.
    const std::vector<ShowMarker> tricky = {{100, QStringLiteral("F3 drop")}, {200, QStringLiteral("s2")},
                                            {300, QStringLiteral("\"quoted\"")}, {400, QString()},
                                            {500, QStringLiteral("F1 S2 fade=800")}, {600, QStringLiteral("\"")}};
    const QByteArray trickyText = formatCueLabels({}, tricky);
    EXPECT_TRUE(trickyText.startsWith("0.100000\t0.100000\t\"F3 drop\"\n")) << trickyText.toStdString();
    const CueLabelsRead trickyBack = parseCueLabels(trickyText);
    ASSERT_TRUE(trickyBack.ok) << trickyBack.reason.toStdString();
    EXPECT_TRUE(trickyBack.cues.empty());
    EXPECT_EQ(trickyBack.markers, tricky);
    const CueLabelsRead plain = parseCueLabels("1\t1\tIntro\n2\t2\tF2\n");
    EXPECT_EQ(plain.markers, (std::vector<ShowMarker>{{1000, QStringLiteral("Intro")}}));
    EXPECT_EQ(plain.cues, (std::vector<ShowCue>{{2000, 2, 0}}));
    EXPECT_FALSE(parseCueLabels("1\t1\tS2 fade=0\n").ok);
    EXPECT_FALSE(parseCueLabels("1\t1\tS2 dissolve\n").ok);

    // Region labels, lower case, CR LF, blank lines and lines out of order come in sorted.
    const CueLabelsRead loose = parseCueLabels("2.5\t3.0\tf1 s4\r\n\r\n1\t1\tS2\r\n");
    ASSERT_TRUE(loose.ok);
    EXPECT_EQ(loose.cues, (std::vector<ShowCue>{{1000, 0, 2}, {2500, 1, 4}}));

    // A UTF-8 byte-order mark and Audacity's empty labels (plain time marks) are passed over.
    const CueLabelsRead marked = parseCueLabels("\xEF\xBB\xBF" "0.0\t0.0\tF1\n1.5\t1.5\t\n2\t2.5\t \n3\t3\tS2\n");
    ASSERT_TRUE(marked.ok) << marked.reason.toStdString();
    EXPECT_EQ(marked.cues, (std::vector<ShowCue>{{0, 1, 0}, {3000, 0, 2}}));

    const char* garbage[] = {"1\t1\tF2\nhello\n", "1\t1\tF2\n-1\t0\tF1\n", "1\t1\tF2\n1e9\t1\tF1\n",
                             "1\t1\tF2\nnan\t1\tF1\n", "1\t1\tF2\n2\t2\tF0\n",
                             "1\t1\tF2\n2\t2\tF256\n", "1\t1\tF2\n2\n", "1\t1\tF2\nx\tx\t\n"};
    for (const char* text : garbage) {
        const CueLabelsRead read = parseCueLabels(text);
        EXPECT_FALSE(read.ok) << text;
        EXPECT_EQ(read.badLine, 2) << text;
        EXPECT_FALSE(read.reason.isEmpty()) << text;
        EXPECT_TRUE(read.cues.empty()) << text;
    }
}
