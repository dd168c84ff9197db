#include "FuzzTargets.h"

#include "model/FountainFile.h"
#include "model/ProfileFile.h"
#include "model/Random.h"
#include "model/SaveBuffer.h"
#include "render/JetGeometry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace pluviane::fuzz {

namespace {

// The loaders read files by name: each input goes to one file in a folder of
// the process's own, in memory where the system has such a folder.
QString inputFile(QByteArrayView input)
{
    static QTemporaryDir folder(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                    ? QStringLiteral("/dev/shm/pluviane-fuzz-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/pluviane-fuzz-XXXXXX"));
    const QString path = folder.filePath(QStringLiteral("input"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(input.data(), input.size());
    return path;
}

QByteArray exampleBytes(const char* name)
{
    QFile file(QStringLiteral(PLUVIANE_SOURCE_DIR "/examples/") + QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<QByteArray> fountainSeeds()
{
    return {exampleBytes("classic_round.wat"), exampleBytes("square.wat"), exampleBytes("spiral.wat"),
            QByteArray(300, '\x0f')};
}

// A fountain file through the loader into the model and one tick of jets
// drawn from it: what opening a file does before the next frame. The model
// block must come back out as it went in.
void loadFountain(QByteArrayView input)
{
    FountainImage image{};
    const FileResult read = readFountainFile(inputFile(input), image);
    fuzzCheck(read.ok() == (input.size() <= static_cast<qsizetype>(kFountainFileSize)),
              "a fountain file loads exactly when it is at most 64000 bytes");
    if (!read.ok())
        return;
    static auto state = std::make_unique<FountainState>();
    FromBufSave(image, *state);
    FountainImage again = image;
    ToBufSave(*state, again);
    fuzzCheck(again == image, "the model block comes back as it was loaded");
    RandomSource random;
    static JetGeometry jets;
    jets.build(*state, random);
    readBowlSettings(inputFile(input), image);
}

std::vector<QByteArray> settingsSeeds()
{
    return {"[Konveir]\nFile1_f=/home/a/x.wat\nFile1_c=\"100 руб\"\nFile01_f='/b.wat'\n",
            "\xEF\xBB\xBF; comment\r\n[DMX]\r\nUniverse=1\r\nLevels=1\r\n[konveir]\r\nfile2_t = \xD1\xEC\r\n",
            "[Konveir"};
}

// The settings file as the preset list reads and stores it: every other
// byte stays, and a stored value reads back.
void readSettings(QByteArrayView input)
{
    ProfileFile file = ProfileFile::fromBytes(input.toByteArray());
    for (const char* key : {"File1_f", "File1_c", "File01_f", "Levels"})
        file.value(QStringLiteral("Konveir"), QString::fromLatin1(key), {});
    file.setValue(QStringLiteral("Konveir"), QStringLiteral("File7_c"), QStringLiteral("7 руб"));
    fuzzCheck(file.value(QStringLiteral("konveir"), QStringLiteral("file7_C"), {}) == QStringLiteral("7 руб"),
              "a stored value reads back");
    // Whatever of the input the store replaced lies within one line.
    const QByteArray& after = file.bytes();
    qsizetype prefix = 0;
    while (prefix < input.size() && prefix < after.size() && input[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < input.size() - prefix && suffix < after.size() - prefix &&
           input[input.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    fuzzCheck(!input.sliced(prefix, input.size() - prefix - suffix).contains('\n'),
              "a store changes one line only");
    fuzzCheck(ProfileFile::fromBytes(after).bytes() == after, "reading keeps every byte");
}

const FuzzTarget kTargets[] = {
    {"fountain", loadFountain, fountainSeeds},
    {"settings", readSettings, settingsSeeds},
};

} // namespace

std::span<const FuzzTarget> fuzzTargets() { return kTargets; }

const FuzzTarget* findFuzzTarget(QByteArrayView name)
{
    for (const FuzzTarget& target : kTargets)
        if (name == QByteArrayView(target.name))
            return &target;
    return nullptr;
}

void fuzzCheck(bool held, const char* what)
{
    if (held)
        return;
    std::fprintf(stderr, "fuzz: broken promise: %s\n", what);
    std::abort();
}

} // namespace pluviane::fuzz
