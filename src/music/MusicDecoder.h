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

} // namespace pluviane
