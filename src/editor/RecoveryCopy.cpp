#include "editor/RecoveryCopy.h"

#include "editor/FileCommands.h"
#include "editor/FilePrompter.h"
#include "model/Language.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocale>

#include <cstdio>

namespace pluviane {

namespace {

QByteArray fileDigest(const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Past the longest file the program reads, more bytes tell nothing new.
    return QCryptographicHash::hash(file.read(kFountainFileSize + 1), QCryptographicHash::Sha1);
}

QString copyCaption() { return RecoveryCopy::tr("Восстановление"); }

// In the interface's language, whatever the desktop's formats.
QString timeText(const QDateTime& time)
{
    const QLocale locale(currentLanguage() == QLatin1String("en") ? QLocale::English : QLocale::Russian);
    return locale.toString(time.toLocalTime(), QLocale::ShortFormat);
}

} // namespace

RecoveryCopy::RecoveryCopy(FileCommands& files) : QObject(&files), files_(files)
{
    // One thread: the copies, removals and locks reach the disk in the order asked.
    worker_.setMaxThreadCount(1);
    looks_.setInterval(kLookMs);
    connect(&looks_, &QTimer::timeout, this, &RecoveryCopy::look);
}

RecoveryCopy::~RecoveryCopy()
{
    worker_.waitForDone();
    if (!started_)
        return;
    if (!kept_)
        removeRecoveryCopy(folder_, id_);
    if (!lockedFile_.isEmpty())
        removeFountainLock(folder_, lockedFile_);
}

void RecoveryCopy::start()
{
    folder_ = recoveryFolder();
    const ProcessMark me = thisProcess();
    id_ = QStringLiteral("%1-%2").arg(me.pid).arg(me.started);
    started_ = true;
    looks_.start();
}

void RecoveryCopy::run(std::function<void()> job)
{
    worker_.start(std::move(job));
}

void RecoveryCopy::waitForWrites() { worker_.waitForDone(); }

void RecoveryCopy::look()
{
    if (!started_ || kept_)
        return;
    const FountainImage now = files_.imageToSave();
    if (!files_.isChanged(now)) {
        if (hasCopy_ || !lockedFile_.isEmpty())
            settle();
        return;
    }
    holdLock(isReadOnly(files_.currentFileName()) ? QString() : files_.currentFileName());
    const bool due = !sinceWrite_.isValid() || sinceWrite_.hasExpired(kIntervalMs);
    if (due && (!written_ || *written_ != now))
        writeSoon(now);
}

void RecoveryCopy::writeSoon(const FountainImage& image)
{
    written_ = std::make_unique<FountainImage>(image);
    sinceWrite_.start();
    hasCopy_ = true;
    auto copy = std::make_shared<const FountainImage>(image);
    run([this, copy, file = files_.currentFileName()] {
        // A failed write leaves the last good copy; the next one tries again.
        if (const QString why = writeRecoveryCopy(folder_, id_, *copy, file, flip_); !why.isEmpty())
            std::fprintf(stderr, "pluviane: %s\n",
                         qPrintable(tr("no recovery copy written: %1").arg(why)));
    });
}

void RecoveryCopy::holdLock(const QString& name)
{
    if (name == lockedFile_)
        return;
    run([folder = folder_, before = lockedFile_, name] {
        if (!before.isEmpty())
            removeFountainLock(folder, before);
        if (!name.isEmpty())
            writeFountainLock(folder, name);
    });
    lockedFile_ = name;
}

void RecoveryCopy::settle()
{
    if (!started_ || kept_)
        return;
    written_.reset();
    sinceWrite_.invalidate();
    hasCopy_ = false;
    run([folder = folder_, id = id_] { removeRecoveryCopy(folder, id); });
    holdLock({});
}

void RecoveryCopy::keepForNextStart()
{
    if (kept_)
        return;
    if (started_) {
        worker_.waitForDone();
        const FountainImage now = files_.imageToSave();
        if (files_.isChanged(now)) {
            if (!written_ || *written_ != now)
                writeSoon(now);
        } else {
            settle();
        }
        worker_.waitForDone();
    }
    kept_ = true;
}

bool RecoveryCopy::offerAbandonedCopies(QWidget* owner)
{
    const QString folder = recoveryFolder();
    FilePrompter& prompter = files_.prompter();
    bool restored = false;
    for (const RecoveryCopyFiles& copy : abandonedCopies(folder)) {
        const QString name = copy.fountainFile.isEmpty() ? tr("нового фонтана") : captionName(copy.fountainFile);
        QString why;
        const std::optional<FountainImage> image = readRecoveryCopy(copy, &why);
        if (!image) {
            // Never loaded half: the designer is told where it went.
            const QString aside = setAsideCopy(folder, copy);
            prompter.showMessage(owner, copyCaption(),
                                 tr("Копия несохранённых изменений %1 повреждена (%2) и отложена в %3")
                                     .arg(name, why, QDir::toNativeSeparators(aside)));
            continue;
        }
        const QString time = timeText(copy.time);
        const RecoveryAnswer answer =
            prompter.askRecovery(owner, tr("Восстановить несохранённые изменения %1 от %2?").arg(name, time));
        if (answer == RecoveryAnswer::Discard)
            removeCopyFiles(copy);
        if (answer != RecoveryAnswer::Restore)
            continue;
        // A fountain restored before this one keeps its own question.
        if (!files_.mayLeaveFountain(owner))
            continue;
        files_.adoptRecovered(*image, copy.fountainFile);
        restored = true;
        // The old copy goes only once the work is this program's copy.
        look();
        waitForWrites();
        removeCopyFiles(copy);
    }
    return restored;
}

bool RecoveryCopy::asksReadOnly(const QString& name, QWidget* owner)
{
    const std::optional<ProcessMark> holder = fountainHolder(recoveryFolder(), name);
    if (!holder)
        return false;
    return files_.prompter().askYesNo(
        owner, tr("Файл %1 изменён и не сохранён в другой запущенной программе (процесс %2).\r\n"
                  "Открыть его только для чтения?")
                   .arg(captionName(name))
                   .arg(holder->pid));
}

void RecoveryCopy::noteFileOnDisk(const QString& name)
{
    diskFile_ = name;
    diskDigest_ = fileDigest(name);
}

bool RecoveryCopy::mayWriteOver(const QString& name, QWidget* owner)
{
    if (name != diskFile_ || !QFile::exists(name) || fileDigest(name) == diskDigest_)
        return true;
    return files_.prompter().askYesNo(
        owner, tr("Файл изменён другой программой: %1\r\nПереписать его?").arg(captionName(name)));
}

} // namespace pluviane
