#include "music/MusicDecoder.h"

#include "music/FfmpegHandles.h"

#include <QCoreApplication>
#include <QFileInfo>

extern "C" {
#include <libavutil/channel_layout.h>
}

#include <algorithm>
#include <limits>
#include <memory>

namespace pluviane {

namespace {

struct InputCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};

// Below this no sound file has a sample rate: a header that says so lies, and
// resampling its bytes up would make hours of samples of a few kilobytes.
constexpr int kMinSourceRate = 2000;
// The lowest rate a long file is brought down to keep within its samples.
constexpr int kMinDecodedRate = 1000;

// One decoding pass: demux, decode, mix to mono at the asked rate.
class Decoder {
public:
    Decoder(int sampleRate, double maxSeconds, std::size_t maxSamples, const std::function<bool(double)>& progress,
            const MusicSink& sink = {})
        : rate_(sampleRate), maxSeconds_(std::max(0.0, maxSeconds)), sampleBudget_(maxSamples),
          progress_(progress), sink_(sink)
    {
    }
    int rate() const { return rate_; }
    bool cut() const { return cut_; }
    ~Decoder() { av_channel_layout_uninit(&inLayout_); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    QString run(const QString& path, std::vector<float>& out)
    {
        if (QString error = open(path); !error.isEmpty())
            return error;
        packet_.reset(av_packet_alloc());
        frame_.reset(av_frame_alloc());
        // Growing by doubling would hold up to twice the song at the end.
        if (!sink_)
            out.reserve(expectedSamples_);
        int reported = -1;
        bool ended = false;
        while (delivered_ + out.size() < maxSamples_) {
            const int code = av_read_frame(input_.get(), packet_.get());
            if (code < 0) {
                avcodec_send_packet(codec_.get(), nullptr);
                drain(out);
                ended = true;
                break;
            }
            if (packet_->stream_index == stream_) {
                // A damaged packet is skipped as players skip it; the rest still decodes.
                if (avcodec_send_packet(codec_.get(), packet_.get()) >= 0)
                    drain(out);
                if (out.size() >= kSinkPiece)
                    deliver(out);
                const int percent = progressPercent(packet_->pts);
                if (percent != reported && progress_) {
                    reported = percent;
                    if (!progress_(percent / 100.0)) {
                        av_packet_unref(packet_.get());
                        return QCoreApplication::translate("pluviane::MusicDecoder", "Разбор музыки прерван");
                    }
                }
            }
            av_packet_unref(packet_.get());
        }
        if (ended)
            flushResampler(out);
        cut_ = !ended || delivered_ + out.size() > maxSamples_;
        if (delivered_ + out.size() > maxSamples_)
            out.resize(maxSamples_ - delivered_);
        deliver(out);
        if (delivered_ + out.size() == 0)
            return QCoreApplication::translate("pluviane::MusicDecoder",
                                               "В файле нет звука, который можно прочесть");
        if (progress_)
            progress_(1.0);
        return {};
    }

private:
    static constexpr std::size_t kSinkPiece = 1 << 16;

    // Streaming hands the samples on in pieces and keeps none of them.
    void deliver(std::vector<float>& out)
    {
        if (!sink_ || out.empty())
            return;
        const std::size_t n = std::min(out.size(), maxSamples_ - std::min(maxSamples_, delivered_));
        if (n > 0)
            sink_(out.data(), n);
        delivered_ += n;
        out.clear();
    }

    QString open(const QString& path)
    {
        const QFileInfo info(path);
        if (!info.exists())
            return QCoreApplication::translate("pluviane::MusicDecoder", "Файл не найден");
        if (!info.isFile())
            return QCoreApplication::translate("pluviane::MusicDecoder", "Это не обычный файл");
        AVFormatContext* raw = nullptr;
        int code = avformat_open_input(&raw, QFile::encodeName(path).constData(), nullptr, nullptr);
        if (code < 0)
            return ffmpeg::errorText(code);
        input_.reset(raw);
        if ((code = avformat_find_stream_info(raw, nullptr)) < 0)
            return ffmpeg::errorText(code);
        const AVCodec* codec = nullptr;
        stream_ = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
        if (stream_ < 0 || codec == nullptr)
            return QCoreApplication::translate("pluviane::MusicDecoder", "В файле нет звуковой дорожки");
        codec_.reset(avcodec_alloc_context3(codec));
        if (!codec_ || avcodec_parameters_to_context(codec_.get(), raw->streams[stream_]->codecpar) < 0)
            return QCoreApplication::translate("pluviane::MusicDecoder", "Звук в файле не читается");
        const AVStream* s = raw->streams[stream_];
        if (s->codecpar->sample_rate < kMinSourceRate)
            return badRate(s->codecpar->sample_rate);
        if ((code = avcodec_open2(codec_.get(), codec, nullptr)) < 0)
            return ffmpeg::errorText(code);
        if (s->duration > 0)
            duration_ = s->duration;
        else if (raw->duration > 0)
            duration_ = av_rescale_q(raw->duration, AV_TIME_BASE_Q, s->time_base);
        fitRateToBudget(duration_ > 0 ? double(duration_) * av_q2d(s->time_base) : 0.0);
        return {};
    }

    static QString badRate(int rate)
    {
        return QCoreApplication::translate("pluviane::MusicDecoder",
                                           "Частота дискретизации %1 Гц — не звук: файл повреждён").arg(rate);
    }

    // A long piece is decoded at a lower rate, so that its samples stay within
    // the budget (the beats and the waveform need no more); the announced
    // length only guides this, the budget holds whatever the file really holds.
    void fitRateToBudget(double announcedSeconds)
    {
        const double seconds = std::min(maxSeconds_, announcedSeconds);
        if (seconds > 0 && seconds * rate_ > double(sampleBudget_))
            rate_ = std::max(kMinDecodedRate, int(double(sampleBudget_) / seconds));
        maxSamples_ = std::size_t(std::min(double(sampleBudget_), maxSeconds_ * rate_));
        // What the header promises, with a little room: a guess, never a limit.
        expectedSamples_ = seconds > 0 ? std::min(maxSamples_, std::size_t((seconds * 1.01 + 1) * rate_)) : 0;
    }

    int progressPercent(std::int64_t pts) const
    {
        if (duration_ <= 0 || pts == AV_NOPTS_VALUE)
            return 0;
        return int(std::clamp(100.0 * double(pts) / double(duration_), 0.0, 99.0));
    }

    // The resampler is made at the first frame: only then are the real format
    // and channel layout known (headers may say otherwise).
    bool ensureResampler(const AVFrame* frame)
    {
        if (resampler_ && frame->sample_rate == inRate_ && frame->format == inFormat_ &&
            av_channel_layout_compare(&frame->ch_layout, &inLayout_) == 0)
            return true;
        if (frame->sample_rate < kMinSourceRate || frame->ch_layout.nb_channels <= 0)
            return false;
        resampler_.reset();
        av_channel_layout_uninit(&inLayout_);
        if (av_channel_layout_copy(&inLayout_, &frame->ch_layout) < 0)
            return false;
        inRate_ = frame->sample_rate;
        inFormat_ = frame->format;
        AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
        SwrContext* raw = nullptr;
        if (swr_alloc_set_opts2(&raw, &mono, AV_SAMPLE_FMT_FLT, rate_, &inLayout_,
                                AVSampleFormat(inFormat_), inRate_, 0, nullptr) < 0 ||
            swr_init(raw) < 0) {
            swr_free(&raw);
            return false;
        }
        resampler_.reset(raw);
        return true;
    }

    void convert(const std::uint8_t** in, int inCount, std::vector<float>& out)
    {
        const int room = swr_get_out_samples(resampler_.get(), inCount);
        if (room <= 0)
            return;
        const std::size_t at = out.size();
        // Grown by halves and never far past the limit: the vector's own doubling
        // would hold up to twice the budget at once.
        if (at + std::size_t(room) > out.capacity())
            out.reserve(std::min(std::max(out.capacity() + out.capacity() / 2, at + std::size_t(room)),
                                 std::max(maxSamples_, at) + std::size_t(room)));
        out.resize(at + std::size_t(room));
        auto* dest = reinterpret_cast<std::uint8_t*>(out.data() + at);
        const int made = swr_convert(resampler_.get(), &dest, room, in, inCount);
        out.resize(at + std::size_t(std::max(made, 0)));
    }

    void drain(std::vector<float>& out)
    {
        while (avcodec_receive_frame(codec_.get(), frame_.get()) >= 0) {
            if (ensureResampler(frame_.get()))
                convert(const_cast<const std::uint8_t**>(frame_->extended_data), frame_->nb_samples, out);
            av_frame_unref(frame_.get());
        }
    }

    void flushResampler(std::vector<float>& out)
    {
        if (resampler_)
            convert(nullptr, 0, out);
    }

    int rate_;
    double maxSeconds_;
    std::size_t sampleBudget_;
    std::size_t maxSamples_ = 0;
    std::size_t expectedSamples_ = 0;
    bool cut_ = false;
    const std::function<bool(double)>& progress_;
    MusicSink sink_; // a copy: the default argument it may come from is gone after construction
    std::size_t delivered_ = 0;
    std::unique_ptr<AVFormatContext, InputCloser> input_;
    ffmpeg::Codec codec_;
    ffmpeg::Frame frame_;
    ffmpeg::Packet packet_;
    ffmpeg::Resampler resampler_;
    AVChannelLayout inLayout_{};
    int inRate_ = 0;
    int inFormat_ = -1;
    int stream_ = -1;
    std::int64_t duration_ = 0;
};

} // namespace

QString streamMusic(const QString& path, int sampleRate, double maxSeconds, const MusicSink& sink,
                    const std::function<bool(double)>& progress)
{
    if (sampleRate < 1000 || sampleRate > 192000)
        return QCoreApplication::translate("pluviane::MusicDecoder", "Неверная частота %1").arg(sampleRate);
    av_log_set_level(AV_LOG_FATAL);
    // A stream keeps no more than a piece: no budget lowers its rate.
    Decoder decoder(sampleRate, maxSeconds, std::numeric_limits<std::size_t>::max(), progress, sink);
    std::vector<float> piece;
    return decoder.run(path, piece);
}

DecodedMusic decodeMusic(const QString& path, int sampleRate, double maxSeconds,
                         const std::function<bool(double)>& progress, std::size_t maxSamples)
{
    DecodedMusic music;
    if (sampleRate < 1000 || sampleRate > 192000) {
        music.error = QCoreApplication::translate("pluviane::MusicDecoder",
                                                  "Неверная частота %1").arg(sampleRate);
        return music;
    }
    av_log_set_level(AV_LOG_FATAL);
    Decoder decoder(sampleRate, maxSeconds, maxSamples, progress);
    music.error = decoder.run(path, music.samples);
    if (!music.ok()) {
        music.samples.clear();
    } else {
        music.sampleRate = decoder.rate();
        music.cut = decoder.cut();
    }
    return music;
}

} // namespace pluviane
