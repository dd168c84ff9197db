#include "music/BeatTracker.h"

#include <aubio/aubio.h>

namespace pluviane {

BeatGrid trackBeats(const std::vector<float>& samples, int sampleRate,
                    const std::function<bool(double)>& progress)
{
    BeatGrid grid;
    if (sampleRate <= 0 || samples.empty())
        return grid;
    const uint_t window = 1024, hop = 256;
    aubio_tempo_t* tempo = new_aubio_tempo("default", window, hop, uint_t(sampleRate));
    fvec_t* in = new_fvec(hop);
    fvec_t* out = new_fvec(2);
    for (std::size_t at = 0; at + hop <= samples.size(); at += hop) {
        for (uint_t i = 0; i < hop; ++i)
            in->data[i] = samples[at + i];
        aubio_tempo_do(tempo, in, out);
        if (out->data[0] != 0)
            grid.beats.push_back(aubio_tempo_get_last_s(tempo));
        if (progress && (at / hop) % 512 == 0 && !progress(double(at) / samples.size()))
            break;
    }
    grid.tempo = grid.beats.size() > 1 ? aubio_tempo_get_bpm(tempo) : 0;
    del_fvec(out);
    del_fvec(in);
    del_aubio_tempo(tempo);
    return grid;
}

} // namespace pluviane
