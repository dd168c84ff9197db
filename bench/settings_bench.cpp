// The settings file read as the preset list reads it: a refresh of the panel
// (one read, 42 keys) and a slot store (one read, three keys, one atomic
// write), on a 10 MB file another program filled with garbage. Each must stay
// well under 0.2 s, so the window never freezes on such a file.
#include "model/ProfileFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace pluviane;

namespace {

// 10 MB of bytes of every kind with the presets' section in the middle.
struct GarbageSettings {
    GarbageSettings()
    {
        QByteArray bytes(10 << 20, '\0');
        for (qsizetype i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>((i * 2654435761u) >> 13);
        bytes.insert(bytes.size() / 2, "\n[Konveir]\nFile1_f=/a.wat\nFile1_c=100\n");
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("plv.ini"));
};

void BM_SettingsRefresh(benchmark::State& state)
{
    GarbageSettings settings;
    for (auto _ : state) {
        const ProfileFile file = ProfileFile::read(settings.path);
        for (int slot = 1; slot <= 14; ++slot)
            for (const char* suffix : {"_f", "_t", "_c"})
                benchmark::DoNotOptimize(file.value(QStringLiteral("Konveir"),
                                                    QStringLiteral("File%1%2").arg(slot).arg(suffix), {}));
    }
}

void BM_SettingsStore(benchmark::State& state)
{
    GarbageSettings settings;
    for (auto _ : state) {
        ProfileFile file = ProfileFile::read(settings.path);
        file.setValue(QStringLiteral("Konveir"), QStringLiteral("File2_f"), QStringLiteral("/b.wat"));
        file.setValue(QStringLiteral("Konveir"), QStringLiteral("File2_t"), QStringLiteral("/b.jpg"));
        file.setValue(QStringLiteral("Konveir"), QStringLiteral("File2_c"), QStringLiteral("200"));
        if (!writeProfile(settings.path, file).ok)
            state.SkipWithError("the store failed");
    }
}

} // namespace

BENCHMARK(BM_SettingsRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SettingsStore)->Unit(benchmark::kMillisecond);
