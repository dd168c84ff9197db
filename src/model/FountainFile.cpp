#include "model/FountainFile.h"

#include "model/AtomicWrite.h"

#include <QFile>

#include <algorithm>

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
    FileResult done;
    done.length = static_cast<std::size_t>(bytes.size());
    return done;
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
    const QByteArray bytes(reinterpret_cast<const char*>(buffer.data()),
                           static_cast<qsizetype>(buffer.size()));
    if (const QString reason = writeFileAtomically(name, bytes); !reason.isEmpty())
        return failed(reason);
    return {};
}

} // namespace pluviane
