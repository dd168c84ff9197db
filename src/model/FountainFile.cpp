#include "model/FountainFile.h"

#include "model/Random.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace pluviane {

namespace {

FileResult failed(const QString& reason) { return {FileResult::Failed, reason}; }

// Reads up to `limit` bytes; one byte more is asked for so that a file that
// grew past the limit since its size was taken is still noticed.
FileResult readPrefix(QFile& file, qint64 limit, QByteArray& bytes)
{
    bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return failed(file.errorString());
    return {};
}

Byte randomPosition(RandomSource& random)
{
    return static_cast<Byte>(30 + static_cast<int>(std::ceil(120.0 * random.next())));
}

} // namespace

FileResult readFountainFile(const QString& name, FountainImage& buffer)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return failed(file.errorString());
    if (file.size() > static_cast<qint64>(kFountainFileSize))
        return {FileResult::TooLarge, {}};

    QByteArray bytes;
    if (FileResult read = readPrefix(file, kFountainFileSize, bytes); !read.ok())
        return read;
    if (bytes.size() > static_cast<qsizetype>(kFountainFileSize))
        return {FileResult::TooLarge, {}};
    std::copy(bytes.cbegin(), bytes.cend(), reinterpret_cast<char*>(buffer.data()));
    return {};
}

FileResult readBowlSettings(const QString& name, FountainImage& buffer)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return failed(file.errorString());
    const QByteArray bytes = file.read(kBowlSettingsSize);
    if (file.error() != QFileDevice::NoError)
        return failed(file.errorString());
    if (bytes.size() < static_cast<qsizetype>(kBowlSettingsSize))
        return failed(QStringLiteral("Read beyond end of file"));
    std::copy(bytes.cbegin(), bytes.cend(), reinterpret_cast<char*>(buffer.data()));
    return {};
}

FileResult writeFountainFile(const QString& name, const FountainImage& buffer)
{
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    const auto size = static_cast<qint64>(buffer.size());
    if (file.write(reinterpret_cast<const char*>(buffer.data()), size) != size) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failed(reason);
    }
    if (!file.commit())
        return failed(file.errorString());
    return {};
}

void resetToNewFountain(FountainState& s, RandomSource& random)
{
    for (int i = 0; i < kNozzleCount; ++i) {
        s.JetFill[i] = 30;
        s.JetFoam[i] = 5;
        s.JetGroup[i] = 0;
        s.JetShape[i][1] = 50;
        s.JetShape[i][2] = 70;
        s.JetShape[i][3] = 90;
        s.GroupLevel[i] = 255;
        s.JetOrbit[i] = 0;
        s.GroupColour[i] = {250, 250, 250, 200};
        s.JetPos[i][1] = randomPosition(random);
        s.JetPos[i][2] = randomPosition(random);
        s.JetPos[i][3] = 0;
    }
}

} // namespace pluviane
