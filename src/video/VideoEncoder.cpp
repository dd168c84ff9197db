#include "video/VideoEncoder.h"

#include "model/Leftovers.h"
#include "model/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace pluviane {

namespace {

constexpr int kAudioRate = 48000;
constexpr int kMaxSide = 8192;
constexpr int kMaxFps = 120;
constexpr double kMaxSeconds = 24 * 3600;

// FFmpeg's own chatter stays off the terminal; failures come back as our messages.
void quietLibraries() { av_log_set_level(AV_LOG_FATAL); }

QString avError(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

struct FormatInputCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecCloser {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameCloser {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketCloser {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct ResamplerCloser {
    void operator()(SwrContext* s) const { swr_free(&s); }
};
struct FifoCloser {
    void operator()(AVAudioFifo* f) const { av_audio_fifo_free(f); }
};
struct ScalerCloser {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};

using InputPtr = std::unique_ptr<AVFormatContext, FormatInputCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecCloser>;
using FramePtr = std::unique_ptr<AVFrame, FrameCloser>;
using PacketPtr = std::unique_ptr<AVPacket, PacketCloser>;

// A sound file decoded and resampled on demand to the AAC encoder's stereo
// planar floats; past its end it yields silence.
class SoundSource {
public:
    bool open(const QString& path, QString* error)
    {
        // FFmpeg would wait for ever on a FIFO with no writer.
        if (const QString problem = regularFileProblem(path); !problem.isEmpty())
            return fail(error, problem);
        AVFormatContext* raw = nullptr;
        const QByteArray name = QFile::encodeName(path);
        int code = avformat_open_input(&raw, name.constData(), nullptr, nullptr);
        if (code == AVERROR_INVALIDDATA || code == AVERROR(EINVAL))
            return fail(error, QCoreApplication::translate("pluviane::VideoEncoder",
                                                           "not a sound file that can be read"));
        if (code < 0)
            return fail(error, avError(code));
        input_.reset(raw);
        if ((code = avformat_find_stream_info(raw, nullptr)) < 0)
            return fail(error, avError(code));
        const AVCodec* decoder = nullptr;
        stream_ = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
        if (stream_ < 0 || decoder == nullptr)
            return fail(error, QCoreApplication::translate("pluviane::VideoEncoder", "no sound in the file"));
        decoder_.reset(avcodec_alloc_context3(decoder));
        avcodec_parameters_to_context(decoder_.get(), raw->streams[stream_]->codecpar);
        if ((code = avcodec_open2(decoder_.get(), decoder, nullptr)) < 0)
            return fail(error, avError(code));
        return true;
    }

    // Length in seconds of what decodes, at most `cap`: a header may claim
    // anything, a damaged file holds less than it says. 0 when nothing decodes.
    double decodedSeconds(double cap)
    {
        PacketPtr packet(av_packet_alloc());
        FramePtr frame(av_frame_alloc());
        if (!packet || !frame)
            return 0;
        double seconds = 0;
        const auto receive = [&] {
            while (avcodec_receive_frame(decoder_.get(), frame.get()) >= 0) {
                if (frame->sample_rate > 0)
                    seconds += frame->nb_samples / static_cast<double>(frame->sample_rate);
                av_frame_unref(frame.get());
            }
        };
        while (seconds < cap && av_read_frame(input_.get(), packet.get()) >= 0) {
            if (packet->stream_index == stream_ && avcodec_send_packet(decoder_.get(), packet.get()) >= 0)
                receive();
            av_packet_unref(packet.get());
        }
        avcodec_send_packet(decoder_.get(), nullptr);
        receive();
        return std::min(seconds, cap);
    }

    bool startResampling(QString* error)
    {
        AVChannelLayout stereo;
        av_channel_layout_default(&stereo, 2);
        SwrContext* raw = nullptr;
        int code = swr_alloc_set_opts2(&raw, &stereo, AV_SAMPLE_FMT_FLTP, kAudioRate,
                                       &decoder_->ch_layout, decoder_->sample_fmt,
                                       decoder_->sample_rate, 0, nullptr);
        if (code < 0 || (code = swr_init(raw)) < 0) {
            swr_free(&raw);
            return fail(error, avError(code));
        }
        resampler_.reset(raw);
        fifo_.reset(av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, 2, kAudioRate));
        packet_.reset(av_packet_alloc());
        decoded_.reset(av_frame_alloc());
        return fifo_ && packet_ && decoded_;
    }

    // Fills `frame` (stereo planar floats, nb_samples set) from the sound, silence past its end.
    void read(AVFrame* frame)
    {
        while (!ended_ && av_audio_fifo_size(fifo_.get()) < frame->nb_samples)
            decodeMore();
        av_samples_set_silence(frame->data, 0, frame->nb_samples, 2, AV_SAMPLE_FMT_FLTP);
        av_audio_fifo_read(fifo_.get(), reinterpret_cast<void**>(frame->data), frame->nb_samples);
    }

    // Drops the first `samples` (a video that begins inside the music).
    void skip(std::int64_t samples)
    {
        while (samples > 0) {
            while (!ended_ && av_audio_fifo_size(fifo_.get()) == 0)
                decodeMore();
            const int held = av_audio_fifo_size(fifo_.get());
            if (held == 0)
                return;
            const int dropped = static_cast<int>(std::min<std::int64_t>(held, samples));
            av_audio_fifo_drain(fifo_.get(), dropped);
            samples -= dropped;
        }
    }

private:
    static bool fail(QString* error, const QString& why)
    {
        if (error)
            *error = why;
        return false;
    }

    void decodeMore()
    {
        const int code = av_read_frame(input_.get(), packet_.get());
        if (code < 0) {
            avcodec_send_packet(decoder_.get(), nullptr);
            drainDecoder();
            flushResampler();
            ended_ = true;
            return;
        }
        // A damaged packet is skipped, as a player would.
        if (packet_->stream_index == stream_ && avcodec_send_packet(decoder_.get(), packet_.get()) >= 0)
            drainDecoder();
        av_packet_unref(packet_.get());
    }

    void drainDecoder()
    {
        while (avcodec_receive_frame(decoder_.get(), decoded_.get()) >= 0) {
            convert(const_cast<const uint8_t**>(decoded_->extended_data), decoded_->nb_samples);
            av_frame_unref(decoded_.get());
        }
    }

    void flushResampler() { convert(nullptr, 0); }

    void convert(const uint8_t** in, int count)
    {
        const int room = swr_get_out_samples(resampler_.get(), count);
        if (room <= 0)
            return;
        uint8_t** out = nullptr;
        if (av_samples_alloc_array_and_samples(&out, nullptr, 2, room, AV_SAMPLE_FMT_FLTP, 0) < 0)
            return;
        const int made = swr_convert(resampler_.get(), out, room, in, count);
        if (made > 0)
            av_audio_fifo_write(fifo_.get(), reinterpret_cast<void**>(out), made);
        av_freep(&out[0]);
        av_freep(&out);
    }

    InputPtr input_;
    CodecPtr decoder_;
    std::unique_ptr<SwrContext, ResamplerCloser> resampler_;
    std::unique_ptr<AVAudioFifo, FifoCloser> fifo_;
    PacketPtr packet_;
    FramePtr decoded_;
    int stream_ = -1;
    bool ended_ = false;
};

// A name beside the target, hidden, unique to this process. A name holds at
// most 255 bytes, so a long target's name gives up the end of its base name
// (its suffix stays, so the file of a killed export is still known by it).
QString temporaryNameFor(const QString& path)
{
    constexpr qsizetype kNameMax = 255;
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    QString base = info.fileName().chopped(suffix.size());
    const QString tail = suffix + QStringLiteral(".%1.part").arg(getpid());
    while (!base.isEmpty() && QFile::encodeName(QLatin1Char('.') + base + tail).size() > kNameMax)
        base.chop(base.size() >= 2 && base.back().isLowSurrogate() ? 2 : 1);
    return info.absoluteDir().filePath(QLatin1Char('.') + base + tail);
}

// Videos of exports that were killed before they finished, named as above.
void removeKilledVideos(const QString& path)
{
    static const QRegularExpression killed(QStringLiteral("^\\..+\\.mp4\\.(\\d+)\\.part$"),
                                           QRegularExpression::CaseInsensitiveOption);
    removeLeftovers(QFileInfo(path).absolutePath(), killed);
}

} // namespace

struct VideoEncoder::Streams {
    VideoOptions options;
    QString target;
    QString temporary;
    QString error;
    AVFormatContext* output = nullptr;
    CodecPtr video;
    CodecPtr audio;
    AVStream* videoStream = nullptr;
    AVStream* audioStream = nullptr;
    std::unique_ptr<SwsContext, ScalerCloser> scaler;
    FramePtr picture;
    FramePtr sound;
    PacketPtr packet;
    SoundSource music;
    std::int64_t framesAdded = 0;
    std::int64_t samplesAdded = 0;
    std::int64_t samplesWanted = 0;
    bool fileOpen = false;

    ~Streams() { close(); }

    bool start(const QString& path, const VideoOptions& options);

    bool fail(const QString& why)
    {
        error = why;
        return false;
    }

    // False when the last buffered bytes could not be written (a full disk shows here).
    bool close()
    {
        bool written = true;
        if (output != nullptr) {
            if (fileOpen) {
                // avio_closep() loses a failed flush: the context's error keeps it.
                avio_flush(output->pb);
                written = output->pb->error >= 0;
                written = avio_closep(&output->pb) >= 0 && written;
            }
            avformat_free_context(output);
            output = nullptr;
        }
        fileOpen = false;
        return written;
    }

    // Opens the encoder set up in `c` and adds its stream to the file; null on failure.
    AVStream* openStream(AVCodecContext* c, const AVCodec* codec, const QString& kind)
    {
        if (output->oformat->flags & AVFMT_GLOBALHEADER)
            c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        const int code = avcodec_open2(c, codec, nullptr);
        if (code < 0) {
            fail(kind + QStringLiteral(" encoder: ") + avError(code));
            return nullptr;
        }
        AVStream* stream = avformat_new_stream(output, nullptr);
        if (stream == nullptr) {
            fail(QCoreApplication::translate("pluviane::VideoEncoder", "out of memory"));
            return nullptr;
        }
        stream->time_base = c->time_base;
        avcodec_parameters_from_context(stream->codecpar, c);
        return stream;
    }

    bool openVideo()
    {
        const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
        if (codec == nullptr)
            codec = avcodec_find_encoder(AV_CODEC_ID_H264);
        if (codec == nullptr)
            return fail(QCoreApplication::translate("pluviane::VideoEncoder", "FFmpeg has no H.264 encoder"));
        video.reset(avcodec_alloc_context3(codec));
        AVCodecContext* c = video.get();
        c->width = options.size.width();
        c->height = options.size.height();
        c->time_base = AVRational{1, options.fps};
        c->framerate = AVRational{options.fps, 1};
        c->pix_fmt = AV_PIX_FMT_YUV420P;
        c->gop_size = options.fps * 2;
        // Two cores share rendering and encoding: a fast preset keeps the encoder
        // well behind the software rasteriser.
        av_opt_set(c->priv_data, "preset", "veryfast", 0);
        av_opt_set(c->priv_data, "crf", "20", 0);
        videoStream = openStream(c, codec, QStringLiteral("H.264"));
        if (videoStream == nullptr)
            return false;

        int code = 0;
        picture.reset(av_frame_alloc());
        picture->format = c->pix_fmt;
        picture->width = c->width;
        picture->height = c->height;
        if ((code = av_frame_get_buffer(picture.get(), 0)) < 0)
            return fail(avError(code));
        scaler.reset(sws_getContext(c->width, c->height, AV_PIX_FMT_RGBA, c->width, c->height,
                                    c->pix_fmt, SWS_BILINEAR, nullptr, nullptr, nullptr));
        return scaler != nullptr || fail(QCoreApplication::translate("pluviane::VideoEncoder",
                                                                     "no colour conversion to YUV"));
    }

    bool openAudio()
    {
        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
        if (codec == nullptr)
            return fail(QCoreApplication::translate("pluviane::VideoEncoder", "FFmpeg has no AAC encoder"));
        audio.reset(avcodec_alloc_context3(codec));
        AVCodecContext* c = audio.get();
        c->sample_fmt = AV_SAMPLE_FMT_FLTP;
        c->sample_rate = kAudioRate;
        av_channel_layout_default(&c->ch_layout, 2);
        c->bit_rate = 160000;
        c->time_base = AVRational{1, kAudioRate};
        audioStream = openStream(c, codec, QStringLiteral("AAC"));
        if (audioStream == nullptr)
            return false;

        int code = 0;
        sound.reset(av_frame_alloc());
        sound->format = c->sample_fmt;
        sound->sample_rate = kAudioRate;
        av_channel_layout_copy(&sound->ch_layout, &c->ch_layout);
        sound->nb_samples = c->frame_size > 0 ? c->frame_size : 1024;
        if ((code = av_frame_get_buffer(sound.get(), 0)) < 0)
            return fail(avError(code));
        samplesWanted = static_cast<std::int64_t>(options.seconds * kAudioRate + 0.5);
        if (!music.startResampling(&error))
            return false;
        music.skip(static_cast<std::int64_t>(std::max(0.0, options.musicStart) * kAudioRate + 0.5));
        return true;
    }

    // Sends one frame (or the end, when null) and writes every packet that comes out.
    bool encode(AVCodecContext* codec, AVStream* stream, AVFrame* frame)
    {
        int code = avcodec_send_frame(codec, frame);
        if (code < 0)
            return fail(avError(code));
        for (;;) {
            code = avcodec_receive_packet(codec, packet.get());
            if (code == AVERROR(EAGAIN) || code == AVERROR_EOF)
                return true;
            if (code < 0)
                return fail(avError(code));
            // Every picture lasts one frame; without it the container's edit list
            // ends at the last picture's start and players drop that picture.
            if (codec->codec_type == AVMEDIA_TYPE_VIDEO && packet->duration <= 0)
                packet->duration = 1;
            av_packet_rescale_ts(packet.get(), codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            code = av_interleaved_write_frame(output, packet.get());
            if (code < 0)
                return fail(QCoreApplication::translate("pluviane::VideoEncoder", "cannot write %1: %2")
                                .arg(QDir::toNativeSeparators(target), avError(code)));
        }
    }

    // Sound up to `until` samples (at most its wanted length), frame by frame.
    bool addSoundUntil(std::int64_t until)
    {
        if (!audio)
            return true;
        until = std::min(until, samplesWanted);
        while (samplesAdded < until) {
            if (av_frame_make_writable(sound.get()) < 0)
                return fail(QCoreApplication::translate("pluviane::VideoEncoder", "out of memory"));
            music.read(sound.get());
            sound->pts = samplesAdded;
            samplesAdded += sound->nb_samples;
            if (!encode(audio.get(), audioStream, sound.get()))
                return false;
        }
        return true;
    }
};

VideoEncoder::VideoEncoder() = default;

VideoEncoder::~VideoEncoder() { abandon(); }

const QString& VideoEncoder::error() const
{
    static const QString none;
    return streams_ ? streams_->error : none;
}

QString checkVideoOptions(const VideoOptions& options)
{
    const QSize s = options.size;
    if (s.width() < 16 || s.height() < 16 || s.width() > kMaxSide || s.height() > kMaxSide)
        return QCoreApplication::translate("pluviane::VideoEncoder",
                                           "the picture size must be between 16x16 and %1x%1").arg(kMaxSide);
    if (s.width() % 2 != 0 || s.height() % 2 != 0)
        return QCoreApplication::translate("pluviane::VideoEncoder", "a video's width and height must be even");
    if (options.fps < 1 || options.fps > kMaxFps)
        return QCoreApplication::translate("pluviane::VideoEncoder",
                                           "the frame rate must be between 1 and %1").arg(kMaxFps);
    if (!(options.seconds > 0) || options.seconds > kMaxSeconds)
        return QCoreApplication::translate("pluviane::VideoEncoder",
                                           "the duration must be more than 0 and at most 24 hours");
    return {};
}

bool VideoEncoder::open(const QString& path, const VideoOptions& options)
{
    abandon();
    quietLibraries();
    streams_ = std::make_unique<Streams>();
    if (streams_->start(path, options))
        return true;
    abandon();
    return false;
}

bool VideoEncoder::Streams::start(const QString& path, const VideoOptions& options)
{
    Streams& s = *this;
    s.options = options;
    s.target = path;
    const QString invalid = checkVideoOptions(options);
    if (!invalid.isEmpty())
        return s.fail(invalid);
    if (!options.music.isEmpty()) {
        QString why;
        if (!s.music.open(options.music, &why))
            return s.fail(QCoreApplication::translate("pluviane::VideoEncoder", "cannot read sound file %1: %2")
                              .arg(QDir::toNativeSeparators(options.music), why));
    }

    removeKilledVideos(path);
    s.temporary = temporaryNameFor(path);
    const QByteArray name = QFile::encodeName(s.temporary);
    // The muxer keeps the name: moving the index to the front reopens the file by it.
    int code = avformat_alloc_output_context2(&s.output, av_guess_format("mp4", nullptr, nullptr),
                                              nullptr, name.constData());
    if (code < 0 || s.output == nullptr)
        return s.fail(avError(code));
    s.packet.reset(av_packet_alloc());
    if (!s.openVideo() || (!options.music.isEmpty() && !s.openAudio()))
        return false;

    if ((code = avio_open(&s.output->pb, name.constData(), AVIO_FLAG_WRITE)) < 0)
        return s.fail(QCoreApplication::translate("pluviane::VideoEncoder", "cannot write in %1: %2")
                          .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()), avError(code)));
    s.fileOpen = true;
    AVDictionary* muxerOptions = nullptr;
    // The index goes in front so players can start before the whole file has arrived.
    av_dict_set(&muxerOptions, "movflags", "+faststart", 0);
    code = avformat_write_header(s.output, &muxerOptions);
    av_dict_free(&muxerOptions);
    if (code < 0)
        return s.fail(QCoreApplication::translate("pluviane::VideoEncoder",
                                                  "cannot write %1: %2")
                                                      .arg(QDir::toNativeSeparators(path), avError(code)));
    return true;
}

int VideoEncoder::frameCount() const
{
    if (!streams_)
        return 0;
    return static_cast<int>(streams_->options.seconds * streams_->options.fps + 0.5);
}

bool VideoEncoder::addFrame(const QImage& picture, bool bottomUp)
{
    if (!streams_ || !streams_->fileOpen)
        return false;
    Streams& s = *streams_;
    if (picture.size() != s.options.size)
        return s.fail(QCoreApplication::translate("pluviane::VideoEncoder", "a picture of the wrong size"));
    const QImage rgba = picture.format() == QImage::Format_RGBA8888 || picture.format() == QImage::Format_RGBX8888
                            ? picture
                            : picture.convertToFormat(QImage::Format_RGBA8888);
    if (av_frame_make_writable(s.picture.get()) < 0)
        return s.fail(QCoreApplication::translate("pluviane::VideoEncoder", "out of memory"));
    // Rows that run bottom first are read from the last one up: a free flip.
    const int stride = static_cast<int>(rgba.bytesPerLine());
    const uint8_t* first = bottomUp ? rgba.constScanLine(rgba.height() - 1) : rgba.constBits();
    const uint8_t* planes[1] = {first};
    const int strides[1] = {bottomUp ? -stride : stride};
    sws_scale(s.scaler.get(), planes, strides, 0, rgba.height(), s.picture->data, s.picture->linesize);
    s.picture->pts = s.framesAdded++;
    if (!s.encode(s.video.get(), s.videoStream, s.picture.get()))
        return false;
    return s.addSoundUntil(s.framesAdded * kAudioRate / s.options.fps);
}

bool VideoEncoder::finish()
{
    if (!streams_ || !streams_->fileOpen)
        return false;
    Streams& s = *streams_;
    bool ok = s.addSoundUntil(s.samplesWanted) && s.encode(s.video.get(), s.videoStream, nullptr) &&
              (!s.audio || s.encode(s.audio.get(), s.audioStream, nullptr));
    if (ok) {
        const int code = av_write_trailer(s.output);
        if (code < 0)
            ok = s.fail(QCoreApplication::translate("pluviane::VideoEncoder",
                                                    "cannot write %1: %2")
                                                        .arg(QDir::toNativeSeparators(s.target), avError(code)));
    }
    if (!s.close() && ok)
        ok = s.fail(QCoreApplication::translate("pluviane::VideoEncoder",
                                                "cannot write %1: the disk refused the last bytes")
                                                    .arg(QDir::toNativeSeparators(s.target)));
    if (ok && std::rename(QFile::encodeName(s.temporary).constData(), QFile::encodeName(s.target).constData()) != 0)
        ok = s.fail(QCoreApplication::translate("pluviane::VideoEncoder", "cannot write %1: %2")
                        .arg(QDir::toNativeSeparators(s.target), QString::fromLocal8Bit(std::strerror(errno))));
    if (!ok)
        QFile::remove(s.temporary);
    s.temporary.clear();
    return ok;
}

void VideoEncoder::abandon()
{
    if (!streams_)
        return;
    streams_->close();
    if (!streams_->temporary.isEmpty())
        QFile::remove(streams_->temporary);
    streams_->temporary.clear();
}

double soundLength(const QString& path, QString* error)
{
    quietLibraries();
    SoundSource source;
    if (!source.open(path, error))
        return -1;
    const double seconds = source.decodedSeconds(kMaxSeconds);
    if (seconds <= 0) {
        if (error)
            *error = QCoreApplication::translate("pluviane::VideoEncoder", "no sound decodes from it");
        return -1;
    }
    return seconds;
}

} // namespace pluviane
