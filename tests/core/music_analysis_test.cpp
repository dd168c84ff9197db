#include "music/BeatTracker.h"
#include "music/MusicDecoder.h"
#include "music/MusicWriter.h"
#include "music/Waveform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

using namespace pluviane;

namespace {

// A 16-bit stereo WAV at 44.1 kHz: a low hum with a decaying noise burst
// every `beatSeconds`, the left channel twice the right.
QByteArray burstTrackWav(double seconds, double beatSeconds)
{
    const int rate = 44100;
    const int frames = int(seconds * rate);
    QByteArray data;
    data.reserve(frames * 4);
    auto put16 = [](QByteArray& out, int v) { out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    auto put32 = [](QByteArray& out, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.append(char((v >> (8 * i)) & 0xFF));
    };
    std::uint32_t noise = 1;
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double sinceBeat = std::fmod(t, beatSeconds);
        noise = noise * 1664525u + 1013904223u;
        const double burst = sinceBeat < 0.1 ? (double(noise >> 8) / double(1 << 24) * 2 - 1) * std::exp(-sinceBeat * 40) : 0;
        const double v = 0.8 * burst + 0.1 * std::sin(2 * M_PI * 110 * t);
        put16(data, int(v * 16000));
        put16(data, int(v * 8000));
    }
    QByteArray wav("RIFF");
    put32(wav, std::uint32_t(36 + data.size()));
    wav += "WAVEfmt ";
    put32(wav, 16);
    put16(wav, 1);
    put16(wav, 2);
    put32(wav, rate);
    put32(wav, rate * 4);
    put16(wav, 4);
    put16(wav, 16);
    wav += "data";
    put32(wav, std::uint32_t(data.size()));
    return wav + data;
}

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

} // namespace

TEST(MusicAnalysis, DecodesMixesDownFindsPeaksAndBeats)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "clicks.wav", burstTrackWav(20.0, 0.5));
    double lastProgress = -1;
    bool rising = true;
    const DecodedMusic music = decodeMusic(path, 22050, 3600, [&](double p) {
        rising = rising && p >= lastProgress;
        lastProgress = p;
        return true;
    });
    ASSERT_TRUE(music.ok()) << music.error.toStdString();
    EXPECT_EQ(music.sampleRate, 22050);
    EXPECT_NEAR(music.seconds(), 20.0, 0.02);
    EXPECT_TRUE(rising);
    EXPECT_EQ(lastProgress, 1.0);
    // Mono mixes both channels down, never louder than the louder one (0.49).
    float loudest = 0;
    for (float s : music.samples)
        loudest = std::max(loudest, std::fabs(s));
    EXPECT_GT(loudest, 0.3f);
    EXPECT_LT(loudest, 0.55f);

    const WaveformPeaks peaks = summarisePeaks(music.samples, music.sampleRate, 105);
    EXPECT_EQ(peaks.samplesPerPeak, 210);
    ASSERT_EQ(peaks.high.size(), (music.samples.size() + 209) / 210);
    EXPECT_GT(peaks.high[0], 0.2f);  // a burst at 0.00 s
    EXPECT_LT(peaks.low[0], -0.2f);
    EXPECT_LT(peaks.high[31], 0.1f);  // only the hum at 0.30 s
    EXPECT_GT(peaks.high[53], 0.2f);  // the next burst at 0.50 s

    const BeatGrid grid = trackBeats(music.samples, music.sampleRate);
    EXPECT_NEAR(grid.tempo, 120.0, 0.5);
    ASSERT_GT(grid.beats.size(), 30u);
    for (double beat : grid.beats) {
        const double off = std::fmod(beat + 0.25, 0.5) - 0.25; // distance to the nearest burst
        EXPECT_LT(std::fabs(off), 0.03) << beat;
    }
    EXPECT_EQ(trackBeats(music.samples, music.sampleRate).beats, grid.beats);

    // Decoding stops at the asked length; a cancelled analysis reports it.
    EXPECT_FALSE(music.cut);
    const DecodedMusic start = decodeMusic(path, 22050, 2.0);
    EXPECT_NEAR(start.seconds(), 2.0, 0.01);
    EXPECT_TRUE(start.cut) << "the rest of the file is not silently dropped";
    EXPECT_FALSE(decodeMusic(path, 22050, 3600, [](double) { return false; }).ok());
    EXPECT_TRUE(trackBeats(music.samples, music.sampleRate, [](double) { return false; }).beats.empty());
}

TEST(MusicAnalysis, UnreadableMusicIsAnErrorNeverACrash)
{
    QTemporaryDir dir;
    const QByteArray wav = burstTrackWav(1.0, 0.5);
    const QString paths[] = {
        dir.filePath(QStringLiteral("missing.wav")),
        dir.path(),
        writeFile(dir, "empty.wav", {}),
        writeFile(dir, "garbage.mp3", QByteArray(5000, '\x17')),
        writeFile(dir, "header-only.wav", wav.left(44)),
    };
    for (const QString& path : paths) {
        const DecodedMusic music = decodeMusic(path);
        EXPECT_FALSE(music.ok()) << path.toStdString();
        EXPECT_TRUE(music.samples.empty());
    }
    // A header claiming 1 Hz would make hours of samples of its few kilobytes.
    QByteArray slow = wav;
    slow.replace(24, 8, QByteArray("\x01\0\0\0\x04\0\0\0", 8));
    const DecodedMusic absurd = decodeMusic(writeFile(dir, "slow.wav", slow));
    EXPECT_FALSE(absurd.ok());
    EXPECT_TRUE(absurd.error.contains(QStringLiteral("1 Гц"))) << absurd.error.toStdString();

    // A file cut short decodes what it holds.
    const DecodedMusic cut = decodeMusic(writeFile(dir, "cut.wav", wav.left(wav.size() / 2)));
    ASSERT_TRUE(cut.ok());
    EXPECT_NEAR(cut.seconds(), 0.5, 0.02);

    EXPECT_TRUE(summarisePeaks({}, 22050).high.empty());
    EXPECT_EQ(trackBeats({}, 22050).tempo, 0.0);
    EXPECT_TRUE(trackBeats(std::vector<float>(22050 * 3, 0.0f), 22050).beats.empty());
}

TEST(MusicAnalysis, LongMusicKeepsWithinItsSampleBudgetAndSaysItWasCut)
{
    // Ten minutes of silence, decoded with a budget of a million samples and a
    // limit of four minutes: the rate comes down to fit, never the memory up.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.flac"));
    ASSERT_TRUE(writeFlac(path, std::vector<float>(std::size_t(600 * 8000), 0.0f), 8000).isEmpty());
    const DecodedMusic music = decodeMusic(path, 22050, 240.0, {}, 1'000'000);
    ASSERT_TRUE(music.ok()) << music.error.toStdString();
    EXPECT_TRUE(music.cut);
    EXPECT_LE(music.samples.size(), 1'000'000u);
    EXPECT_LE(music.samples.capacity(), 1'100'000u) << "no doubled block behind the samples";
    EXPECT_LT(music.sampleRate, 22050);
    EXPECT_NEAR(music.seconds(), 240.0, 1.0);
}

// Streaming hands on exactly the samples decoding gives, in order, in pieces,
// up to the asked length; a cancelled stream says so; a bad file is an error.
TEST(MusicAnalysis, StreamingGivesTheDecodedSamplesPieceByPiece)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "clicks.wav", burstTrackWav(6.0, 0.5));
    const DecodedMusic whole = decodeMusic(path);
    ASSERT_TRUE(whole.ok());
    std::vector<float> streamed;
    int pieces = 0;
    const auto sink = [&](const float* samples, std::size_t count) {
        streamed.insert(streamed.end(), samples, samples + count);
        ++pieces;
    };
    EXPECT_TRUE(streamMusic(path, 22050, 3600, sink).isEmpty());
    EXPECT_EQ(streamed, whole.samples);
    EXPECT_GT(pieces, 1);

    streamed.clear();
    EXPECT_TRUE(streamMusic(path, 22050, 2.5, sink).isEmpty());
    EXPECT_EQ(streamed.size(), std::size_t(2.5 * 22050));
    EXPECT_FALSE(streamMusic(path, 22050, 3600, sink, [](double) { return false; }).isEmpty());
    EXPECT_FALSE(streamMusic(dir.filePath(QStringLiteral("missing.wav")), 22050, 3600, sink).isEmpty());
}
