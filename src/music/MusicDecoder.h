#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace pluviane {

// A sound file decoded to one channel of float samples in -1..1.
struct DecodedMusic {
    std::vector<float> samples;
    int sampleRate = 0;
    QString error; // empty when decoding succeeded

    bool ok() const { return error.isEmpty(); }
    double seconds() const { return sampleRate > 0 ? double(samples.size()) / sampleRate : 0.0; }
};

// Decodes `path` (any format FFmpeg reads; regular files only), mixed down to
// mono and resampled to `sampleRate`. The length is what decodes, never what a
// header claims; decoding stops after `maxSeconds`. `progress` gets 0..1 and
// may return false to cancel (the result then carries an error).
DecodedMusic decodeMusic(const QString& path, int sampleRate = 22050,
                         double maxSeconds = 4 * 3600.0,
                         const std::function<bool(double)>& progress = {});

// Receives decoded samples piece by piece, in order.
using MusicSink = std::function<void(const float* samples, std::size_t count)>;

// Decodes as decodeMusic does but hands the samples to `sink` as they come,
// keeping only a small piece at a time: an analysis of a long file then needs
// no room for the whole song. Returns the error, empty when decoding succeeded.
QString streamMusic(const QString& path, int sampleRate, double maxSeconds, const MusicSink& sink,
                    const std::function<bool(double)>& progress = {});

} // namespace pluviane
