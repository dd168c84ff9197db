#include "model/Leftovers.h"

#include <QDir>
#include <QRegularExpression>

#include <cerrno>
#include <limits>

#include <signal.h>

namespace pluviane {

namespace {

bool processGone(qint64 pid)
{
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

int removeLeftovers(const QString& folder, const QRegularExpression& pattern)
{
    int removed = 0;
    const QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const QRegularExpressionMatch match = pattern.match(entry.fileName());
        if (!match.hasMatch() || !processGone(match.captured(1).toLongLong()))
            continue;
        const bool gone = entry.isDir() && !entry.isSymLink() ? QDir(entry.filePath()).removeRecursively()
                                                               : QFile::remove(entry.filePath());
        removed += gone ? 1 : 0;
    }
    return removed;
}

} // namespace pluviane
