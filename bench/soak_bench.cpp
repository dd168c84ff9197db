// Memory over time with the show timeline open and no music: its refresh runs
// every 40 ms for as long as the window is open, so anything it keeps per
// refresh grows for hours. Reported as growth per minute of the heap and of
// the resident size, after a settling minute's worth of refreshes.
#include "app/AppWindows.h"
#include "app/MainWindow.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "show/TimelineWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <memory>
#include <unistd.h>

using namespace pluviane;

namespace {

double residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1024.0 : 0;
}

void runEventLoopFor(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// One iteration is one second of the event loop with the timeline on screen.
void BM_TimelineOpenWithoutMusicGrowth(benchmark::State& bench)
{
    auto state = std::make_unique<FountainState>();
    auto windows = std::make_unique<AppWindows>(*state);
    windows->main().renderTimer().stop(); // the view's frames are not what is measured
    windows->editor().fileCommands().SpeedButtonShowTimelineClick();
    runEventLoopFor(3000); // first paints, caches and fonts settle
    const double heapBefore = double(mallinfo2().uordblks);
    const double residentBefore = residentKiB();
    QElapsedTimer clock;
    clock.start();
    for (auto _ : bench)
        runEventLoopFor(1000);
    const double minutes = double(clock.elapsed()) / 60000.0;
    bench.counters["heap_KiB_per_min"] = (double(mallinfo2().uordblks) - heapBefore) / 1024.0 / minutes;
    bench.counters["rss_KiB_per_min"] = (residentKiB() - residentBefore) / minutes;
}

} // namespace

BENCHMARK(BM_TimelineOpenWithoutMusicGrowth)->Iterations(60)->Unit(benchmark::kMillisecond);
