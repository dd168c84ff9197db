#include "music/MusicAnalysis.h"
#include "SynthSong.h"
#include <gtest/gtest.h>
#include <cstdio>
using namespace pluviane;
using namespace pluviane::test;
TEST(Experiment, Print) {
  for (double bpm : {70.0, 100.0, 128.0, 170.0, 1.0, 2.0}) {
    SynthSong s = bpm == 1.0 ? synthesiseSong(3.0, {{8, 100, 0.08f, false}, {8, 130, 0.7f, true}}) : bpm == 2.0 ? synthesiseSong(3.0, {{8, 128, 0.7f, true}, {8, 90, 0.08f, false}}) : synthesiseSong(3.0, {{8, bpm, 0.08f, false}, {8, bpm, 0.7f, true}});
    s.samples.resize(s.samples.size() + s.rate);
    MusicAnalysis a = analyseMusic(s.samples, s.rate);
    std::printf("bpm %.1f found %d tempo %.2f beats %zu (true %zu) sil %zu first %.3f..%.3f onsets %zu bars %zu phrases:",
      bpm, a.beatsFound, a.tempo, a.beats.size(), s.beats.size(), a.silences.size(),
      a.silences.empty()?0:a.silences[0].start, a.silences.empty()?0:a.silences[0].end, a.onsets.size(), a.barStarts.size());
    for (int p : a.phraseStarts) std::printf(" %d", p);
    std::printf("\n bars:"); for (std::size_t b=0;b<a.barStarts.size();++b){int i=a.barStarts[b]; std::printf(" %.1f/%d", a.beatLoudness[i], a.beatOnsets[i]);} std::printf("\n tempi:"); for (auto t : a.tempi) std::printf(" %.2f@%.2f", t.bpm, t.start);
    int off = 0; for (double b : a.beats) { double best = 1e9; for (double t : s.beats) best = std::min(best, std::abs(t-b)); if (best > 0.03) { ++off; std::printf(" OFF %.3f", b);} }
    if (bpm==1.0) for (double b : a.beats) if (b > 21 && b < 27) std::printf(" %.3f", b);
    std::printf("\n off %d first beats %.3f %.3f true %.3f\n", off, a.beats[0], a.beats[1], s.beats[0]);
  }
  { std::vector<float> n(22050*20); uint32_t st=1; for (auto& x: n) { st = st*1664525u+1013904223u; x = float(st>>8)/float(1<<24)-0.5f; }
    MusicAnalysis a = analyseMusic(n, 22050); std::printf("noise found %d beats %zu tempo %.1f onsets %zu\n", a.beatsFound, a.beats.size(), a.tempo, a.onsets.size()); }
  { std::vector<float> n(22050*20); MusicAnalysis a = analyseMusic(n, 22050); std::printf("silence found %d beats %zu sil %zu\n", a.beatsFound, a.beats.size(), a.silences.size()); }
  { std::vector<float> n(22050*3, 0.3f); MusicAnalysis a = analyseMusic(n, 22050); std::printf("dc found %d beats %zu sil %zu\n", a.beatsFound, a.beats.size(), a.silences.size()); }

}
