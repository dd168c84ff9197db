#include "music/MusicWriter.h"

#include "music/FfmpegHandles.h"

#include <QCoreApplication>
#include <QFile>

extern "C" {
#include <libavutil/channel_layout.h>
}

#include <algorithm>
#include <cmath>
#include <memory>

namespace pluviane {

namespace {

struct OutputFree {
    void operator()(AVFormatContext* c) const
    {
        if (c->pb != nullptr)
            avio_closep(&c->pb);
        avformat_free_context(c);
    }
};

QString encode(const QByteArray& name, const std::vector<float>& samples, int sampleRate)
{
    AVFormatContext* raw = nullptr;
    int code = avformat_alloc_output_context2(&raw, nullptr, "flac", name.constData());
    if (code < 0 || raw == nullptr)
        return ffmpeg::errorText(code);
    std::unique_ptr<AVFormatContext, OutputFree> output(raw);
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_FLAC);
    if (codec == nullptr)
        return QCoreApplication::translate("pluviane::MusicWriter", "no FLAC encoder");
    ffmpeg::Codec encoder(avcodec_alloc_context3(codec));
    encoder->sample_rate = sampleRate;
    encoder->sample_fmt = AV_SAMPLE_FMT_S16;
    AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
    av_channel_layout_copy(&encoder->ch_layout, &mono);
    encoder->time_base = AVRational{1, sampleRate};
    if ((code = avcodec_open2(encoder.get(), codec, nullptr)) < 0)
        return ffmpeg::errorText(code);
    AVStream* stream = avformat_new_stream(output.get(), nullptr);
    avcodec_parameters_from_context(stream->codecpar, encoder.get());
    stream->time_base = encoder->time_base;
    if ((code = avio_open(&output->pb, name.constData(), AVIO_FLAG_WRITE)) < 0)
        return ffmpeg::errorText(code);
    if ((code = avformat_write_header(output.get(), nullptr)) < 0)
        return ffmpeg::errorText(code);

    ffmpeg::Frame frame(av_frame_alloc());
    ffmpeg::Packet packet(av_packet_alloc());
    const int chunk = encoder->frame_size > 0 ? encoder->frame_size : 4096;
    auto drain = [&]() -> int {
        int got;
        while ((got = avcodec_receive_packet(encoder.get(), packet.get())) >= 0) {
            av_packet_rescale_ts(packet.get(), encoder->time_base, stream->time_base);
            packet->stream_index = stream->index;
            if ((got = av_interleaved_write_frame(output.get(), packet.get())) < 0)
                return got;
        }
        return got == AVERROR(EAGAIN) || got == AVERROR_EOF ? 0 : got;
    };
    for (std::size_t at = 0; at < samples.size(); at += std::size_t(chunk)) {
        const int count = int(std::min<std::size_t>(std::size_t(chunk), samples.size() - at));
        frame->nb_samples = count;
        frame->format = encoder->sample_fmt;
        av_channel_layout_copy(&frame->ch_layout, &encoder->ch_layout);
        frame->sample_rate = sampleRate;
        if ((code = av_frame_get_buffer(frame.get(), 0)) < 0)
            return ffmpeg::errorText(code);
        auto* out = reinterpret_cast<std::int16_t*>(frame->data[0]);
        for (int i = 0; i < count; ++i)
            out[i] = std::int16_t(std::lround(std::clamp(samples[at + std::size_t(i)], -1.0f, 1.0f) * 32767.0f));
        frame->pts = std::int64_t(at);
        if ((code = avcodec_send_frame(encoder.get(), frame.get())) < 0 || (code = drain()) < 0)
            return ffmpeg::errorText(code);
        av_frame_unref(frame.get());
    }
    avcodec_send_frame(encoder.get(), nullptr);
    if ((code = drain()) < 0 || (code = av_write_trailer(output.get())) < 0)
        return ffmpeg::errorText(code);
    return {};
}

} // namespace

QString writeFlac(const QString& path, const std::vector<float>& samples, int sampleRate)
{
    av_log_set_level(AV_LOG_FATAL);
    const QString part = path + QStringLiteral(".part");
    const QString why = encode(QFile::encodeName(part), samples, sampleRate);
    if (!why.isEmpty()) {
        QFile::remove(part);
        return why;
    }
    QFile::remove(path);
    if (!QFile::rename(part, path)) {
        QFile::remove(part);
        return QCoreApplication::translate("pluviane::MusicWriter", "cannot rename %1").arg(part);
    }
    return {};
}

} // namespace pluviane
