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
    bool cut = false; // the file holds more than was decoded (see decodeMusic)

    bool ok() const { return error.isEmpty(); }
    double seconds() const { return sampleRate > 0 ? double(samples.size()) / sampleRate : 0.0; }
};

// Most samples one decoding keeps: 240 MB, whatever the file or its header says.
constexpr std::size_t kMaxDecodedSamples = 60'000'000;

// Decodes `path` (any format FFmpeg reads; regular files only), mixed down to
// mono and resampled to `sampleRate`, or to a lower rate when the length the
// file announces would take more than `maxSamples` samples. The length is
// what decodes, never what a header claims; decoding stops after `maxSeconds`
// or `maxSamples` (the result is then marked `cut`). A file whose sample rate
// no sound has (below 2000 Hz) is refused. `progress` gets 0..1 and may
// return false to cancel (the result then carries an error).
DecodedMusic decodeMusic(const QString& path, int sampleRate = 22050,
                         double maxSeconds = 4 * 3600.0,
                         const std::function<bool(double)>& progress = {},
                         std::size_t maxSamples = kMaxDecodedSamples);

// Receives decoded samples piece by piece, in order.
using MusicSink = std::function<void(const float* samples, std::size_t count)>;

// Decodes as decodeMusic does but hands the samples to `sink` as they come,
// keeping only a small piece at a time: an analysis of a long file then needs
// no room for the whole song. Returns the error, empty when decoding succeeded.
QString streamMusic(const QString& path, int sampleRate, double maxSeconds, const MusicSink& sink,
                    const std::function<bool(double)>& progress = {});

} // namespace pluviane
