#include "ToolTestSupport.h"

#include "video/VideoEncoder.h"

#include <QCryptographicHash>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <vector>

using namespace pluviane::test;

namespace {

// What a player finds in a video file: its streams and the pictures' luma planes.
struct DecodedVideo {
    AVCodecID videoCodec = AV_CODEC_ID_NONE;
    AVCodecID audioCodec = AV_CODEC_ID_NONE;
    double audioSeconds = 0;
    std::vector<QByteArray> frames; // luma, row by row
};

DecodedVideo decode(const QString& path)
{
    DecodedVideo result;
    AVFormatContext* input = nullptr;
    if (avformat_open_input(&input, QFile::encodeName(path).constData(), nullptr, nullptr) < 0)
        return result;
    avformat_find_stream_info(input, nullptr);
    const AVCodec* codec = nullptr;
    const int video = av_find_best_stream(input, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    const int audio = av_find_best_stream(input, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (audio >= 0) {
        const AVStream* s = input->streams[audio];
        result.audioCodec = s->codecpar->codec_id;
        result.audioSeconds = s->duration * av_q2d(s->time_base);
    }
    if (video >= 0 && codec != nullptr) {
        result.videoCodec = input->streams[video]->codecpar->codec_id;
        AVCodecContext* decoder = avcodec_alloc_context3(codec);
        avcodec_parameters_to_context(decoder, input->streams[video]->codecpar);
        avcodec_open2(decoder, codec, nullptr);
        AVPacket* packet = av_packet_alloc();
        AVFrame* frame = av_frame_alloc();
        auto drain = [&] {
            while (avcodec_receive_frame(decoder, frame) >= 0) {
                QByteArray luma;
                for (int y = 0; y < frame->height; ++y)
                    luma.append(reinterpret_cast<const char*>(frame->data[0] + y * frame->linesize[0]), frame->width);
                result.frames.push_back(luma);
            }
        };
        while (av_read_frame(input, packet) >= 0) {
            // A full decoder takes the packet once its pictures are taken out.
            while (packet->stream_index == video && avcodec_send_packet(decoder, packet) == AVERROR(EAGAIN))
                drain();
            drain();
            av_packet_unref(packet);
        }
        avcodec_send_packet(decoder, nullptr);
        drain();
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&decoder);
    }
    avformat_close_input(&input);
    return result;
}

// Sum of luma over the upper 40% of a 160x120 picture: where the high jets rise.
long upperLight(const QByteArray& luma)
{
    long sum = 0;
    for (int i = 0; i < 160 * 48; ++i)
        sum += static_cast<unsigned char>(luma[i]) > 40 ? 1 : 0;
    return sum;
}

} // namespace

TEST(VideoExport, DecodesBackWithBothStreamsEveryFrameAndTheSamePicturesTwice)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    const QString tone = folder.filePath(QStringLiteral("tone.wav"));
    ASSERT_TRUE(writeTone(tone, 2.0));
    const QString show = writeTwoFormShow(folder);
    auto render = [&](const QString& name) {
        const QString out = folder.filePath(name);
        const ToolRun run = runRender({show, QStringLiteral("-o"), out, QStringLiteral("--music"), tone,
                                       QStringLiteral("--fps"), QStringLiteral("10"), QStringLiteral("--size"),
                                       QStringLiteral("160x120")});
        EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
        return decode(out);
    };
    const DecodedVideo first = render(QStringLiteral("a.mp4"));
    EXPECT_EQ(first.videoCodec, AV_CODEC_ID_H264);
    EXPECT_EQ(first.audioCodec, AV_CODEC_ID_AAC);
    EXPECT_NEAR(first.audioSeconds, 2.0, 0.1) << "the length defaults to the music's";
    ASSERT_EQ(first.frames.size(), 20u) << "duration x fps frames";

    EXPECT_EQ(upperLight(first.frames[5]), 0) << "form 1 at 0.5 s holds no water";
    EXPECT_GT(upperLight(first.frames[13]), 20) << "form 2 at 1.3 s throws full water";

    const DecodedVideo second = render(QStringLiteral("b.mp4"));
    ASSERT_EQ(second.frames.size(), first.frames.size());
    for (std::size_t i = 0; i < first.frames.size(); ++i)
        EXPECT_EQ(first.frames[i], second.frames[i]) << "frame " << i << " differs between two runs";
    EXPECT_EQ(folder.entryList(QDir::Files | QDir::Hidden).size(), 4) << "no temporary files stay behind";
}

TEST(VideoExport, ANameAsLongAsTheSystemAllowsExportsAndLeavesNothingElse)
{
    QTemporaryDir dir;
    // 255 bytes is the longest name a file can have; the temporary one must fit too.
    const QString path = QDir(dir.path()).filePath(QString(251, QLatin1Char('v')) + QStringLiteral(".mp4"));
    pluviane::VideoEncoder encoder;
    pluviane::VideoOptions options;
    options.size = QSize(32, 32);
    options.seconds = 0.2;
    ASSERT_TRUE(encoder.open(path, options)) << encoder.error().toStdString();
    QImage picture(options.size, QImage::Format_RGBA8888);
    picture.fill(Qt::darkCyan);
    for (int i = 0; i < encoder.frameCount(); ++i)
        ASSERT_TRUE(encoder.addFrame(picture, false));
    ASSERT_TRUE(encoder.finish()) << encoder.error().toStdString();
    EXPECT_EQ(decode(path).videoCodec, AV_CODEC_ID_H264);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(VideoExport, TheSoundsLengthIsWhatDecodesNotWhatItsHeaderClaims)
{
    QTemporaryDir dir;
    const QString tone = QDir(dir.path()).filePath(QStringLiteral("tone.wav"));
    ASSERT_TRUE(writeTone(tone, 1.0));
    // The header now claims some 13 hours of sound.
    QFile file(tone);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray claim("\x00\xff\xff\x7f", 4);
    file.seek(4);
    file.write(claim);
    file.seek(40);
    file.write(claim);
    file.close();
    QString why;
    EXPECT_NEAR(pluviane::soundLength(tone, &why), 1.0, 0.05) << why.toStdString();
    ASSERT_TRUE(file.resize(44));
    EXPECT_LT(pluviane::soundLength(tone, &why), 0);
    EXPECT_FALSE(why.isEmpty());
}

TEST(VideoExport, AFileWithATrackPlaysItsCuesWithItsMusicUnlessToldOtherwise)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    const QString tone = folder.filePath(QStringLiteral("tone.wav"));
    ASSERT_TRUE(writeTone(tone, 2.0));
    // Counting alone would hold form 1 (no water) until 0.8 s; the track brings form 2 at 0.3 s.
    const QString tracked = folder.filePath(QStringLiteral("tracked.wat"));
    {
        const QString plain = writeTwoFormShow(folder);
        Program program;
        pluviane::FileCommands& files = program.windows->editor().fileCommands();
        ASSERT_TRUE(files.OpenFontanFile(plain));
        program.state->Track = {{{0, 1, 0}, {300, 2, 0}}, tone, {}};
        ASSERT_TRUE(files.SAveFileFontan(tracked));
    }
    const QString labels = folder.filePath(QStringLiteral("cues.txt"));
    QFile file(labels);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("0\t0\tF1\n1.0\t1.0\tF2\n");
    file.close();
    auto render = [&](const char* name, QStringList extra) {
        const QString out = folder.filePath(QString::fromLatin1(name));
        const ToolRun run = runRender(QStringList{tracked, QStringLiteral("-o"), out, QStringLiteral("--fps"),
                                                  QStringLiteral("10"), QStringLiteral("--size"),
                                                  QStringLiteral("160x120")} + extra);
        EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
        return decode(out);
    };
    const DecodedVideo byTrack = render("track.mp4", {});
    EXPECT_NEAR(byTrack.audioSeconds, 2.0, 0.1) << "the track's music, and its length";
    ASSERT_EQ(byTrack.frames.size(), 20u);
    EXPECT_EQ(upperLight(byTrack.frames[2]), 0) << "form 1 before the cue";
    EXPECT_GT(upperLight(byTrack.frames[6]), 20) << "form 2 after the cue at 0.3 s";

    const DecodedVideo loop = render("loop.mp4", {QStringLiteral("--no-track"), QStringLiteral("--duration"), QStringLiteral("2")});
    ASSERT_EQ(loop.frames.size(), 20u);
    EXPECT_EQ(loop.audioCodec, AV_CODEC_ID_NONE);
    EXPECT_EQ(upperLight(loop.frames[6]), 0) << "the loop still holds form 1";

    const DecodedVideo byLabels = render("labels.mp4", {QStringLiteral("--cues"), labels});
    ASSERT_EQ(byLabels.frames.size(), 20u);
    EXPECT_EQ(upperLight(byLabels.frames[6]), 0);
    EXPECT_GT(upperLight(byLabels.frames[18]), 20) << "form 2 from 1.0 s on, where the loop would be back at 1";

    const ToolRun bad = runRender({tracked, QStringLiteral("-o"), folder.filePath(QStringLiteral("x.png")),
                                   QStringLiteral("--cues"), tone});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.errors.contains(QStringLiteral("line 1"))) << bad.errors.toStdString();
}
