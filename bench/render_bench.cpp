// Timings of the jet geometry and of whole frames drawn offscreen at 1024 x 768
// (the sequencer ticks are timed in show_bench.cpp).
// Run under an X server (Xvfb) with Mesa's software renderer:
//   xvfb-run -a -s "-screen 0 1280x1024x24" ./pluviane-bench
#include "ImmediateReference.h"

#include "app/Application.h"
#include "model/Random.h"
#include "render/JetGeometry.h"
#include "render/gl/OffscreenFrame.h"
#include "render/gl/Texture.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>

using namespace pluviane;

namespace {

const QSize kFrameSize(1024, 768);

std::unique_ptr<FountainState> startState()
{
    auto state = std::make_unique<FountainState>();
    RandomSource layout;
    setStartValues(*state, layout);
    return state;
}

// Every drawn nozzle bound, each with 30 strands of the highest, widest jet at full level.
std::unique_ptr<FountainState> worstFountain()
{
    auto s = startState();
    for (int k = 0; k < kDrawnNozzles; ++k) {
        const int group = 1 + k % kMaxGroup;
        s->JetGroup[k] = static_cast<Byte>(group);
        s->JetFoam[k] = 30;
        s->JetShape[k][1] = 200;
        s->JetShape[k][2] = 100;
        s->JetShape[k][3] = static_cast<Byte>(k % 180);
        s->JetOrbit[k] = static_cast<Byte>(k % 90);
        s->GroupLevel[group] = 255;
        s->GroupColour[group] = {Byte(16 * group), Byte(255 - 12 * group), 200, 0};
    }
    return s;
}

// About a hundred nozzles in eight rings around the bowl centre, foam 3 to 5,
// heights 35 to 70 and tilts 15 to 50.
std::unique_ptr<FountainState> typicalFountain()
{
    auto s = startState();
    int k = 0;
    for (int group = 1; group <= 8; ++group) {
        const int count = 12 + group % 2;
        for (int i = 0; i < count; ++i, ++k) {
            const double a = 2 * M_PI * i / count;
            const double radius = 10 + 5 * group;
            s->JetGroup[k] = static_cast<Byte>(group);
            s->JetFoam[k] = static_cast<Byte>(3 + k % 3);
            s->JetPos[k][1] = static_cast<Byte>(100 + std::lround(radius * std::cos(a)));
            s->JetPos[k][2] = static_cast<Byte>(100 + std::lround(radius * std::sin(a)));
            s->JetShape[k][1] = static_cast<Byte>(30 + 5 * group); // about the start value 50
            s->JetShape[k][2] = static_cast<Byte>(10 + 5 * group);
            s->JetShape[k][3] = static_cast<Byte>(i * 180 / count);
        }
        s->GroupLevel[group] = static_cast<Byte>(150 + 12 * group);
        s->GroupColour[group] = {Byte(30 * group), 200, Byte(255 - 25 * group), 0};
    }
    return s;
}

SceneSettings withBackdrop()
{
    SceneSettings settings;
    settings.backdrop = true;
    return settings;
}

SceneSettings everythingOn()
{
    SceneSettings settings = withBackdrop();
    settings.gridXY = settings.gridYZ = settings.gridXZ = true;
    settings.axisX = settings.axisY = settings.axisZ = true;
    return settings;
}

// The default backdrop picture beside the program, or one drawn here.
void loadBackdrop(FountainState& state)
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath("muzteatr.jpg");
    if (QFileInfo::exists(beside)) {
        oglLoadTexture(beside.toLocal8Bit().constData(), 0, &state.TextureId);
        return;
    }
    QTemporaryDir dir;
    QImage picture(1024, 512, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x / 4, y / 2, (x + y) / 6));
    const QString path = dir.filePath("backdrop.jpg");
    picture.save(path, "JPG");
    oglLoadTexture(path.toLocal8Bit().constData(), 0, &state.TextureId);
}

void BM_JetGeometry(benchmark::State& bench)
{
    auto fountain = worstFountain();
    RandomSource random;
    JetGeometry jets;
    jets.build(*fountain, random); // buffers reach their size once
    for (auto _ : bench) {
        jets.build(*fountain, random);
        benchmark::DoNotOptimize(jets.strandVertices());
        benchmark::ClobberMemory();
    }
    bench.counters["strand vertices"] = jets.strandVertexCount();
    bench.counters["splash points"] = jets.splashPointCount();
}

double processSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec * 1e-9;
}

// The frame benchmarks' "Time" is wall time, the figure that counts for a tick.
// The rasteriser works in threads of its own, so the CPU time of all threads
// is given as well: on a busy machine it shows the work apart from the waiting.
class ProcessTime {
public:
    explicit ProcessTime(benchmark::State& bench) : bench_(bench), start_(processSeconds()) {}
    ~ProcessTime()
    {
        if (bench_.iterations() > 0)
            bench_.counters["process_cpu_ms"] =
                (processSeconds() - start_) * 1e3 / double(bench_.iterations());
    }

private:
    benchmark::State& bench_;
    double start_;
};

// Frames of the program's renderer. The first frame, the only lit one, is left out.
void runFrames(benchmark::State& bench, std::unique_ptr<FountainState> fountain,
               const SceneSettings& settings)
{
    OffscreenFrame frame(kFrameSize, *fountain);
    if (!frame.isValid()) {
        bench.SkipWithError("no OpenGL context");
        return;
    }
    frame.makeCurrent();
    loadBackdrop(*fountain);
    frame.draw(*fountain, settings);
    const ProcessTime time(bench);
    for (auto _ : bench)
        frame.draw(*fountain, settings);
}

void BM_FrameTypical(benchmark::State& bench)
{
    runFrames(bench, typicalFountain(), withBackdrop());
}

// The same fountain in the realistic look: shaders, multisampling, the water.
void BM_FrameRealisticTypical(benchmark::State& bench)
{
    SceneSettings settings = withBackdrop();
    settings.look = Look::Realistic;
    runFrames(bench, typicalFountain(), settings);
}

void BM_FrameWorst(benchmark::State& bench)
{
    runFrames(bench, worstFountain(), everythingOn());
}

void BM_FrameImmediateWorst(benchmark::State& bench)
{
    auto fountain = worstFountain();
    const SceneSettings settings = everythingOn();
    OffscreenFrame frame(kFrameSize, *fountain);
    if (!frame.isValid()) {
        bench.SkipWithError("no OpenGL context");
        return;
    }
    frame.makeCurrent();
    loadBackdrop(*fountain);
    test::ImmediateReference immediate;
    RandomSource& random = processRandom();
    immediate.drawFrame(*fountain, settings, random);
    glFinish();
    const ProcessTime time(bench);
    for (auto _ : bench) {
        immediate.drawFrame(*fountain, settings, random);
        glFinish();
    }
}

} // namespace

// Names the OpenGL renderer in the benchmark's context lines.
void addRendererContext()
{
    auto state = startState();
    OffscreenFrame frame(QSize(16, 16), *state);
    if (!frame.isValid())
        return;
    frame.makeCurrent();
    benchmark::AddCustomContext("GL_RENDERER",
                                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
}

int main(int argc, char** argv)
{
    setDefaultSurfaceFormat();
    QApplication app(argc, argv); // the show and video benchmarks build windows
    addRendererContext();

    benchmark::RegisterBenchmark("BM_JetGeometry/worst", BM_JetGeometry)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_Frame/typical", BM_FrameTypical)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_FrameRealistic/typical", BM_FrameRealisticTypical)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_Frame/worst", BM_FrameWorst)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_FrameImmediate/worst", BM_FrameImmediateWorst)
        ->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
