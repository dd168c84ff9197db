#include "model/RecoveryFiles.h"

#include "model/AtomicWrite.h"
#include "model/ProfileFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace pluviane {

namespace {

const QString kCopySection = QStringLiteral("Recovery");
const QString kLockSection = QStringLiteral("Lock");

QString stateHome()
{
    // Only an absolute path counts; a relative one is to be ignored.
    const QString home = qEnvironmentVariable("XDG_STATE_HOME");
    if (!home.isEmpty() && QDir::isAbsolutePath(home))
        return home;
    return QDir::homePath() + QStringLiteral("/.local/state");
}

// Field 22 of /proc/<pid>/stat, counted after the command's closing
// parenthesis, since the command itself may hold blanks.
qint64 startTicks(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return 0;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    return fields.size() > 19 ? fields.at(19).toLongLong() : 0;
}

QByteArray digestOf(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

QByteArray bytesOf(const FountainImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

QString imageName(const QString& id, bool flip)
{
    return id + (flip ? QStringLiteral("-b.wat") : QStringLiteral("-a.wat"));
}

void writeMark(ProfileFile& file, const QString& section, const ProcessMark& process)
{
    file.setValue(section, QStringLiteral("Pid"), QString::number(process.pid));
    file.setValue(section, QStringLiteral("Started"), QString::number(process.started));
}

ProcessMark readMark(const ProfileFile& file, const QString& section)
{
    return {file.value(section, QStringLiteral("Pid"), {}).toLongLong(),
            file.value(section, QStringLiteral("Started"), {}).toLongLong()};
}

// The id part of a copy's file name: "<pid>-<started>".
QString idOf(const QString& fileName)
{
    const QString base = QFileInfo(fileName).completeBaseName();
    if (fileName.endsWith(QLatin1String(".wat")) && base.size() > 2 && base.at(base.size() - 2) == QLatin1Char('-'))
        return base.left(base.size() - 2);
    return base;
}

ProcessMark markOfId(const QString& id)
{
    const QStringList parts = id.split(QLatin1Char('-'));
    if (parts.size() != 2)
        return {};
    return {parts.at(0).toLongLong(), parts.at(1).toLongLong()};
}

} // namespace

QString recoveryFolder() { return stateHome() + QStringLiteral("/pluviane/recovery"); }

ProcessMark thisProcess()
{
    static const ProcessMark mark{qint64(::getpid()), startTicks(::getpid())};
    return mark;
}

bool isRunning(const ProcessMark& process)
{
    if (process.pid <= 0)
        return false;
    if (::kill(pid_t(process.pid), 0) != 0 && errno == ESRCH)
        return false;
    // The same id with another start time is another program.
    const qint64 started = startTicks(process.pid);
    return process.started == 0 || started == 0 || started == process.started;
}

QString writeRecoveryCopy(const QString& folder, const QString& id, const FountainImage& image,
                          const QString& fountainFile, bool& flip)
{
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the folder %1").arg(folder);
    const QByteArray bytes = bytesOf(image);
    const QString name = imageName(id, !flip);
    const QDir dir(folder);
    if (const QString why = writeFileAtomically(dir.filePath(name), bytes); !why.isEmpty())
        return why;
    ProfileFile sidecar;
    sidecar.setValue(kCopySection, QStringLiteral("Image"), name);
    sidecar.setValue(kCopySection, QStringLiteral("File"), fountainFile);
    sidecar.setValue(kCopySection, QStringLiteral("Time"),
                     QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    writeMark(sidecar, kCopySection, thisProcess());
    sidecar.setValue(kCopySection, QStringLiteral("Sha1"), QString::fromLatin1(digestOf(bytes)));
    if (const QString why = writeFileAtomically(dir.filePath(id + QStringLiteral(".ini")), sidecar.bytes());
        !why.isEmpty()) {
        QFile::remove(dir.filePath(name));
        return why;
    }
    flip = !flip;
    QFile::remove(dir.filePath(imageName(id, !flip)));
    return {};
}

void removeRecoveryCopy(const QString& folder, const QString& id)
{
    const QDir dir(folder);
    // The sidecar first: without it the images are never offered.
    QFile::remove(dir.filePath(id + QStringLiteral(".ini")));
    QFile::remove(dir.filePath(imageName(id, false)));
    QFile::remove(dir.filePath(imageName(id, true)));
}

std::vector<RecoveryCopyFiles> abandonedCopies(const QString& folder)
{
    const QDir dir(folder);
    std::vector<RecoveryCopyFiles> copies;
    QStringList images = dir.entryList({QStringLiteral("*.wat")}, QDir::Files);
    for (const QString& name : dir.entryList({QStringLiteral("*.ini")}, QDir::Files)) {
        RecoveryCopyFiles copy;
        copy.sidecar = dir.filePath(name);
        const ProfileFile sidecar = ProfileFile::read(copy.sidecar);
        const QString id = idOf(name);
        copy.writer = readMark(sidecar, kCopySection);
        if (copy.writer.pid == 0)
            copy.writer = markOfId(id);
        if (isRunning(copy.writer)) {
            images.removeIf([&](const QString& other) { return idOf(other) == id; });
            continue;
        }
        const QString image = QFileInfo(sidecar.value(kCopySection, QStringLiteral("Image"), {})).fileName();
        copy.image = image.isEmpty() ? QString() : dir.filePath(image);
        copy.fountainFile = sidecar.value(kCopySection, QStringLiteral("File"), {});
        copy.time = QDateTime::fromString(sidecar.value(kCopySection, QStringLiteral("Time"), {}), Qt::ISODateWithMs);
        copy.digest = sidecar.value(kCopySection, QStringLiteral("Sha1"), {}).toLatin1();
        // The image the sidecar does not name is a write that never finished.
        images.removeIf([&](const QString& other) {
            if (idOf(other) != id)
                return false;
            if (other != image)
                QFile::remove(dir.filePath(other));
            return true;
        });
        copies.push_back(copy);
    }
    for (const QString& orphan : images) {
        RecoveryCopyFiles copy;
        copy.image = dir.filePath(orphan);
        copy.writer = markOfId(idOf(orphan));
        if (!isRunning(copy.writer))
            copies.push_back(copy);
    }
    std::sort(copies.begin(), copies.end(),
              [](const RecoveryCopyFiles& a, const RecoveryCopyFiles& b) { return a.time < b.time; });
    return copies;
}

std::optional<FountainImage> readRecoveryCopy(const RecoveryCopyFiles& copy, QString* why)
{
    const auto refuse = [why](const QString& reason) -> std::optional<FountainImage> {
        if (why != nullptr)
            *why = reason;
        return std::nullopt;
    };
    if (copy.sidecar.isEmpty() || !QFileInfo::exists(copy.sidecar))
        return refuse(QStringLiteral("no sidecar"));
    QFile file(copy.image);
    if (copy.image.isEmpty() || !file.open(QIODevice::ReadOnly))
        return refuse(QStringLiteral("no image"));
    const QByteArray bytes = file.read(kFountainFileSize + 1);
    if (bytes.size() != qsizetype(kFountainFileSize))
        return refuse(QStringLiteral("%1 bytes").arg(bytes.size()));
    if (digestOf(bytes) != copy.digest)
        return refuse(QStringLiteral("checksum"));
    FountainImage image;
    std::copy(bytes.begin(), bytes.end(), image.begin());
    return image;
}

void removeCopyFiles(const RecoveryCopyFiles& copy)
{
    if (!copy.sidecar.isEmpty())
        QFile::remove(copy.sidecar);
    if (!copy.image.isEmpty())
        QFile::remove(copy.image);
}

QString setAsideCopy(const QString& folder, const RecoveryCopyFiles& copy)
{
    const QString aside = QDir(folder).filePath(QStringLiteral("damaged"));
    QDir().mkpath(aside);
    for (const QString& path : {copy.sidecar, copy.image}) {
        if (path.isEmpty() || !QFileInfo::exists(path))
            continue;
        const QString target = QDir(aside).filePath(QFileInfo(path).fileName());
        QFile::remove(target);
        if (!QFile::rename(path, target))
            QFile::remove(path); // never offered again, even where it cannot move
    }
    return aside;
}

QString fountainLockPath(const QString& folder, const QString& fountainFile)
{
    const QByteArray path = QFileInfo(fountainFile).absoluteFilePath().toUtf8();
    return QDir(folder).filePath(
        QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex().left(16))
        + QStringLiteral(".lock"));
}

QString writeFountainLock(const QString& folder, const QString& fountainFile)
{
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the folder %1").arg(folder);
    ProfileFile lock;
    lock.setValue(kLockSection, QStringLiteral("File"), QFileInfo(fountainFile).absoluteFilePath());
    writeMark(lock, kLockSection, thisProcess());
    return writeFileAtomically(fountainLockPath(folder, fountainFile), lock.bytes());
}

void removeFountainLock(const QString& folder, const QString& fountainFile)
{
    const QString path = fountainLockPath(folder, fountainFile);
    const ProcessMark holder = readMark(ProfileFile::read(path), kLockSection);
    // Only our own: another program may have taken the file since.
    if (holder.pid == thisProcess().pid && holder.started == thisProcess().started)
        QFile::remove(path);
}

std::optional<ProcessMark> fountainHolder(const QString& folder, const QString& fountainFile)
{
    const QString path = fountainLockPath(folder, fountainFile);
    if (!QFileInfo::exists(path))
        return std::nullopt;
    const ProfileFile lock = ProfileFile::read(path);
    const ProcessMark holder = readMark(lock, kLockSection);
    if (holder.pid == thisProcess().pid && holder.started == thisProcess().started)
        return std::nullopt;
    if (!isRunning(holder)) {
        QFile::remove(path);
        return std::nullopt;
    }
    // Two paths may share the hash's first 16 digits only by a wild chance; the
    // lock names its file to be sure.
    if (lock.value(kLockSection, QStringLiteral("File"), {}) != QFileInfo(fountainFile).absoluteFilePath())
        return std::nullopt;
    return holder;
}

} // namespace pluviane
