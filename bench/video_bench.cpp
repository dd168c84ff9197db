// The export of 10 s of the classic round example with its show at 1280 x 720,
// 25 frames a second, as pluviane-render makes it: headless EGL drawing with
// Mesa's software rasteriser, H.264 and AAC through FFmpeg. Drawing (show
// ticks, frames, read-back) and encoding (on a thread of its own, beside the
// drawing of the next frame) are timed apart; "realtime" is the video's length
// over the whole export's wall time (above 1 is faster than real time);
// "cpu_s" is the processor time of the whole process, every thread (the
// rasteriser's, the encoder's) counted.
//   ./pluviane-bench --benchmark_filter=VideoExport
#include "video/FountainRender.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <ctime>

using namespace pluviane;

namespace {

void exportVideo(benchmark::State& state, Look look, Camera camera = Camera::Still)
{
    QTemporaryDir dir;
    RenderRequest request;
    request.fountain = QStringLiteral(PLUVIANE_SOURCE_DIR "/examples/classic_round.wat");
    request.output = QDir(dir.path()).filePath(QStringLiteral("show.mp4"));
    request.size = QSize(1280, 720);
    request.video.fps = 25;
    request.video.seconds = 10;
    request.context = FrameContext::Headless;
    request.look = look;
    request.camera = camera;
    RenderTimings timings;
    double cpu = 0;
    for (auto _ : state) {
        const std::clock_t started = std::clock();
        const RenderResult result = renderVideo(request, {}, &timings);
        cpu = static_cast<double>(std::clock() - started) / CLOCKS_PER_SEC;
        if (!result.ok()) {
            state.SkipWithError(qPrintable(result.message));
            return;
        }
    }
    const double total = timings.wall;
    state.counters["wall_s"] = timings.wall;
    state.counters["cpu_s"] = cpu;
    state.counters["draw_s"] = timings.drawing;
    state.counters["encode_s"] = timings.encoding;
    state.counters["realtime"] = request.video.seconds / total;
    state.counters["draw_ms_per_frame"] = timings.drawing * 1000 / 250;
    state.counters["encode_ms_per_frame"] = timings.encoding * 1000 / 250;
}
void VideoExport(benchmark::State& state) { exportVideo(state, Look::Classic); }
void VideoExportRealistic(benchmark::State& state) { exportVideo(state, Look::Realistic); }
void VideoExportRealisticOrbit(benchmark::State& state) { exportVideo(state, Look::Realistic, Camera::Orbit); }
BENCHMARK(VideoExport)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(VideoExportRealistic)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(VideoExportRealisticOrbit)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

} // namespace
