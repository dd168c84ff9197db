#include "model/FountainFile.h"
#include "model/Random.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <memory>
#include <sys/resource.h>

using namespace pluviane;

namespace {

QByteArray pattern(qsizetype size, int seed)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 31 + seed * 7 + i / 256) & 0xFF);
    return bytes;
}

void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readRaw(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<FountainImage> imageOf(Byte value)
{
    auto image = std::make_unique<FountainImage>();
    image->fill(value);
    return image;
}

// Runs `write` with the process's largest file size lowered to `limit`
// bytes, so that writes are cut short as on a full disk.
template <typename Write>
auto withFileSizeLimit(rlim_t limit, Write write)
{
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = saved;
    lowered.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &lowered);
    auto result = write();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousSignal);
    return result;
}

} // namespace

TEST(FountainFile, WritesExactly64000BytesAndReadsThemBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.wat");
    auto image = imageOf(0);
    for (std::size_t i = 0; i < image->size(); ++i)
        (*image)[i] = static_cast<Byte>(i * 13);
    ASSERT_TRUE(writeFountainFile(path, *image).ok());
    EXPECT_EQ(QFileInfo(path).size(), 64000);

    // Writing over a longer file leaves exactly 64000 bytes.
    writeRaw(path, pattern(70000, 1));
    ASSERT_TRUE(writeFountainFile(path, *image).ok());
    EXPECT_EQ(QFileInfo(path).size(), 64000);

    auto back = imageOf(0);
    ASSERT_TRUE(readFountainFile(path, *back).ok());
    EXPECT_EQ(*back, *image);
}

TEST(FountainFile, SizeRule)
{
    QTemporaryDir dir;
    const QString exact = dir.filePath("exact.wat");
    const QString over = dir.filePath("over.wat");
    const QString small = dir.filePath("small.wat");
    const QString empty = dir.filePath("empty.wat");
    writeRaw(exact, pattern(64000, 2));
    writeRaw(over, pattern(64001, 3));
    writeRaw(small, pattern(300, 4));
    writeRaw(empty, {});

    auto image = imageOf(0x5A);
    ASSERT_TRUE(readFountainFile(exact, *image).ok());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(image->data()), 64000), pattern(64000, 2));

    auto untouched = imageOf(0x5A);
    EXPECT_EQ(readFountainFile(over, *untouched).outcome, FileResult::TooLarge);
    EXPECT_EQ(*untouched, *imageOf(0x5A));

    auto partial = imageOf(0x5A);
    ASSERT_TRUE(readFountainFile(small, *partial).ok());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(partial->data()), 300), pattern(300, 4));
    for (std::size_t i = 300; i < partial->size(); ++i)
        ASSERT_EQ((*partial)[i], 0x5A) << i;

    auto none = imageOf(0x5A);
    EXPECT_TRUE(readFountainFile(empty, *none).ok());
    EXPECT_EQ(*none, *imageOf(0x5A));
}

TEST(FountainFile, FailuresNameTheReasonAndChangeNothing)
{
    QTemporaryDir dir;
    auto image = imageOf(0x11);

    const FileResult missing = readFountainFile(dir.filePath("nothing.wat"), *image);
    EXPECT_EQ(missing.outcome, FileResult::Failed);
    EXPECT_FALSE(missing.reason.isEmpty());
    EXPECT_EQ(readFountainFile(dir.path(), *image).outcome, FileResult::Failed);
    EXPECT_EQ(*image, *imageOf(0x11));

    // A parent that is a regular file: nothing can be created below it.
    writeRaw(dir.filePath("plain"), "x");
    const FileResult blocked = writeFountainFile(dir.filePath("plain/a.wat"), *image);
    EXPECT_EQ(blocked.outcome, FileResult::Failed);
    EXPECT_FALSE(blocked.reason.isEmpty());

    // A directory where the file should be stays a directory with its content.
    ASSERT_TRUE(QDir(dir.path()).mkpath("taken.wat"));
    writeRaw(dir.filePath("taken.wat/inner"), "keep");
    EXPECT_EQ(writeFountainFile(dir.filePath("taken.wat"), *image).outcome, FileResult::Failed);
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.wat")).isDir());
    EXPECT_EQ(readRaw(dir.filePath("taken.wat/inner")), "keep");

    // A write cut short (as on a full disk) keeps the old file and says why.
    const QString old = dir.filePath("old.wat");
    writeRaw(old, pattern(64000, 3));
    const FileResult cut = withFileSizeLimit(10000, [&] { return writeFountainFile(old, *image); });
    EXPECT_EQ(cut.outcome, FileResult::Failed);
    EXPECT_TRUE(cut.reason.contains("File too large")) << cut.reason.toStdString();
    EXPECT_TRUE(cut.reason.contains("10000 of 64000 bytes written")) << cut.reason.toStdString();
    EXPECT_EQ(readRaw(old), pattern(64000, 3));
}

TEST(FountainFile, BowlSettingsTakeExactly255Bytes)
{
    QTemporaryDir dir;
    const QString longFile = dir.filePath("long.wat");
    const QString shortFile = dir.filePath("short.wat");
    writeRaw(longFile, pattern(64000, 5));
    writeRaw(shortFile, pattern(254, 6));

    auto image = imageOf(0x22);
    ASSERT_TRUE(readBowlSettings(longFile, *image).ok());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(image->data()), 255), pattern(255, 5));
    for (std::size_t i = 255; i < image->size(); ++i)
        ASSERT_EQ((*image)[i], 0x22) << i;

    auto untouched = imageOf(0x22);
    const FileResult shortRead = readBowlSettings(shortFile, *untouched);
    EXPECT_EQ(shortRead.outcome, FileResult::Failed);
    EXPECT_FALSE(shortRead.reason.isEmpty());
    EXPECT_EQ(*untouched, *imageOf(0x22));
}

TEST(NewFountain, ResetsJetsAndGroupsAndKeepsTheRest)
{
    auto state = std::make_unique<FountainState>();
    for (int i = 0; i < kNozzleCount; ++i) {
        state->JetGroup[i] = 3;
        state->JetPos[i] = {7, 1, 2, 9};
        state->JetShape[i] = {8, 1, 1, 1};
        state->GroupShiftX[i] = 44;
        state->GroupShiftZ[i] = 45;
    }
    state->GroupRecipe[3][1] = 99;
    state->FormPressure[5][6] = 12;
    state->SaveBuffer[1000] = 77;

    RandomSource random(1234);
    resetToNewFountain(*state, random);

    RandomSource replay(1234);
    for (int i = 0; i < kNozzleCount; ++i) {
        EXPECT_EQ(state->JetFill[i], 30);
        EXPECT_EQ(state->JetFoam[i], 5);
        EXPECT_EQ(state->JetGroup[i], 0);
        EXPECT_EQ(state->JetShape[i][0], 8);
        EXPECT_EQ(state->JetShape[i][1], 50);
        EXPECT_EQ(state->JetShape[i][2], 70);
        EXPECT_EQ(state->JetShape[i][3], 90);
        EXPECT_EQ(state->GroupLevel[i], 255);
        EXPECT_EQ(state->JetOrbit[i], 0);
        EXPECT_EQ(state->GroupColour[i], (std::array<Byte, 4>{250, 250, 250, 200}));
        EXPECT_EQ(state->GroupShiftX[i], 44);
        EXPECT_EQ(state->GroupShiftZ[i], 45);
        // x and z of one nozzle come from two draws in turn.
        const int x = 30 + static_cast<int>(std::ceil(120.0 * replay.next()));
        const int z = 30 + static_cast<int>(std::ceil(120.0 * replay.next()));
        EXPECT_EQ(state->JetPos[i][0], 7);
        EXPECT_EQ(state->JetPos[i][1], x);
        EXPECT_EQ(state->JetPos[i][2], z);
        EXPECT_EQ(state->JetPos[i][3], 0);
        EXPECT_GE(x, 30);
        EXPECT_LE(x, 150);
    }
    EXPECT_EQ(state->GroupRecipe[3][1], 99);
    EXPECT_EQ(state->FormPressure[5][6], 12);
    EXPECT_EQ(state->SaveBuffer[1000], 77);
}
