#pragma once

// Songs made by the tests themselves: a drum pattern over a quiet pad, so the
// true beats, tempi and loud and quiet parts are known exactly.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace pluviane::test {

struct SongPart {
    int bars = 8;
    double bpm = 120;
    float gain = 0.5f;
    bool busy = false;  // snare on 2 and 4, hi-hats on the off-beats
    bool drums = true;  // false: no kick either
    int timbre = 0;     // 0 a soft pad on one chord; 1 a bright organ and 2 soft strings, a chord a bar
};

struct SynthSong {
    int rate = 22050;
    std::vector<float> samples;
    std::vector<double> beats;          // true beats, seconds
    std::vector<double> downbeats;      // the first beat of every bar
    std::vector<double> partStarts;     // seconds; one past the last part: its end
};

inline SynthSong synthesiseSong(double leadingSilence, const std::vector<SongPart>& parts, int rate = 22050)
{
    SynthSong song;
    song.rate = rate;
    std::uint32_t noiseState = 12345;
    auto noise = [&] {
        noiseState = noiseState * 1664525u + 1013904223u;
        return float(noiseState >> 8) / float(1 << 24) * 2.0f - 1.0f;
    };
    double t = leadingSilence;
    double total = leadingSilence;
    for (const SongPart& p : parts)
        total += p.bars * 4 * 60.0 / p.bpm;
    song.samples.assign(std::size_t((total + 1.0) * rate), 0.0f);
    auto add = [&](double at, double seconds, auto&& voice) {
        const std::size_t from = std::size_t(at * rate);
        for (std::size_t i = 0; i < std::size_t(seconds * rate) && from + i < song.samples.size(); ++i)
            song.samples[from + i] += voice(double(i) / rate);
    };
    constexpr double kPi = 3.14159265358979;
    constexpr std::array<double, 4> kRoots{220, 294, 247, 330};
    for (const SongPart& p : parts) {
        const double period = 60.0 / p.bpm;
        song.partStarts.push_back(t);
        if (p.timbre == 0)
            add(t, p.bars * 4 * period, [&](double s) {
                return float(0.12 * p.gain * (std::sin(2 * kPi * 220 * s) + std::sin(2 * kPi * 277 * s)));
            });
        for (int bar = 0; bar < p.bars && p.timbre > 0; ++bar) {
            const double root = kRoots[std::size_t(bar % 4)] * (p.timbre == 1 ? 1.0 : 0.5);
            const double barStart = t + bar * 4 * period;
            // Organ: odd harmonics on the bar's chord with a bass note; strings:
            // a note a beat that swells in and out, no sharp edge anywhere.
            if (p.timbre == 1)
                add(barStart, 4 * period, [&](double s) {
                    double v = 0;
                    for (int h = 1; h <= 7; h += 2)
                        v += (std::sin(2 * kPi * root * h * s) + std::sin(2 * kPi * root * 1.26 * h * s)) / h;
                    return float(p.gain * (0.08 * v + 0.3 * std::exp(-s / 0.25) * std::sin(2 * kPi * root / 4 * s)));
                });
            for (int beat = 0; beat < 4 && p.timbre == 2; ++beat)
                add(barStart + beat * period, period, [&](double s) {
                    const double envelope = std::sin(kPi * s / period);
                    const double f = root * (beat % 2 ? 1.5 : 1.0);
                    return float(p.gain * envelope * envelope
                                 * (0.3 * std::sin(2 * kPi * f * s) + 0.15 * std::sin(4 * kPi * f * s)));
                });
        }
        for (int beat = 0; beat < p.bars * 4; ++beat, t += period) {
            song.beats.push_back(t);
            if (beat % 4 == 0)
                song.downbeats.push_back(t);
            if (!p.drums)
                continue;
            add(t, 0.3, [&](double s) {
                return float(p.gain * std::exp(-s / 0.07) * (std::sin(2 * kPi * (50 + 80 * std::exp(-s / 0.02)) * s)
                                                              + (s < 0.004 ? noise() : 0.0f)));
            });
            if (p.busy && beat % 2 == 1)
                add(t, 0.2, [&](double s) { return float(0.6 * p.gain * std::exp(-s / 0.05) * noise()); });
            if (p.busy)
                add(t + period / 2, 0.05, [&](double s) { return float(0.25 * p.gain * std::exp(-s / 0.01) * noise()); });
        }
    }
    song.partStarts.push_back(t);
    for (float& s : song.samples)
        s = std::clamp(s, -1.0f, 1.0f);
    return song;
}

// A mono 16-bit WAV file of the given samples (-1..1).
inline bool writeWav(const QString& path, const std::vector<float>& samples, int rate = 22050)
{
    QByteArray data(qsizetype(samples.size()) * 2, '\0');
    for (std::size_t i = 0; i < samples.size(); ++i)
        qToLittleEndian<qint16>(static_cast<qint16>(32000 * std::clamp(samples[i], -1.0f, 1.0f)), data.data() + 2 * i);
    QByteArray header("RIFF");
    auto put32 = [&header](quint32 v) { header.append(reinterpret_cast<const char*>(&v), 4); };
    auto put16 = [&header](quint16 v) { header.append(reinterpret_cast<const char*>(&v), 2); };
    put32(36 + data.size());
    header.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(rate);
    put32(rate * 2);
    put16(2);
    put16(16);
    header.append("data");
    put32(data.size());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(header + data) == header.size() + data.size();
}

} // namespace pluviane::test
