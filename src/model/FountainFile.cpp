#include "model/FountainFile.h"

#include "model/AtomicWrite.h"
#include "model/RegularFile.h"
#include "model/SettingsBlock.h"
#include "model/ShowTrack.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

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
    QString why;
    if (!openRegularFile(file, &why))
        return failed(why);
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
    QString why;
    if (!openRegularFile(file, &why))
        return failed(why);
    const QByteArray bytes = file.read(kBowlSettingsSize);
    if (file.error() != QFileDevice::NoError)
        return failed(file.errorString());
    if (bytes.size() < static_cast<qsizetype>(kBowlSettingsSize))
        return failed(QCoreApplication::translate("pluviane::FountainFile", "файл короче %1 байт").arg(kBowlSettingsSize));
    std::copy(bytes.cbegin(), bytes.cend(), reinterpret_cast<char*>(buffer.data()));
    return {};
}

QString fountainFileProblem(const QString& name, QString* warning)
{
    FountainImage bytes{}; // an empty file holds no header either
    const FileResult read = readFountainFile(name, bytes);
    if (read.outcome == FileResult::TooLarge)
        return QCoreApplication::translate("pluviane::FountainFile",
                                           "%1 is longer than a fountain file (at most %2 bytes)")
                                               .arg(name).arg(kFountainFileSize);
    if (!read.ok() && !QFileInfo(name).exists() && !QFileInfo(name).isSymLink())
        return QCoreApplication::translate("pluviane::FountainFile", "no fountain file %1").arg(name);
    if (!read.ok())
        return QCoreApplication::translate("pluviane::FountainFile",
                                           "cannot read %1: %2").arg(name, read.reason);
    if (warning == nullptr)
        return {};
    QStringList warnings;
    if (QString header = headerWarning(name, bytes, read.length); !header.isEmpty())
        warnings << header;
    if (const ShowTrackRead track = readShowTrack(bytes, read.length); track.outcome == ShowTrackRead::Damaged)
        warnings << QCoreApplication::translate("pluviane::FountainFile",
                                                "the show track of %1 is damaged (%2); the file loads without it")
                        .arg(name, track.reason);
    *warning = warnings.join(QLatin1Char('\n'));
    return {};
}

QString headerWarning(const QString& name, const FountainImage& bytes, std::size_t length)
{
    const int first = length == 0 ? 0 : bytes[0];
    if (first == kSettingsMarker)
        return {};
    return QCoreApplication::translate("pluviane::FountainFile",
                                       "%1 does not begin as a fountain file (byte 0 is %2, not %3); loading it anyway")
        .arg(name).arg(first).arg(kSettingsMarker);
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
