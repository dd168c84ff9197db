#pragma once

#include "model/FountainState.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace pluviane {

// The recovery folder: $XDG_STATE_HOME/pluviane/recovery, by default
// ~/.local/state/pluviane/recovery. Its files are described in
// docs/recovery-folder.md.
QString recoveryFolder();

// A running process as the recovery files name it: its id and its start
// time in clock ticks since boot, so a reused id is not taken for the program
// that wrote the file. `started` is 0 where the system does not tell.
struct ProcessMark {
    qint64 pid = 0;
    qint64 started = 0;
};
ProcessMark thisProcess();
bool isRunning(const ProcessMark& process);

// One recovery copy: a sidecar naming the image it guards.
struct RecoveryCopyFiles {
    QString sidecar;            // <id>.ini
    QString image;              // the image the sidecar names (may be missing)
    QString fountainFile;       // the fountain's own file; empty for a new fountain
    QDateTime time;             // when the image was written (UTC)
    ProcessMark writer;
    QByteArray digest;          // SHA-1 of the image, hex
};

// Writes `image` for the copy `id` of this process: the image first under a
// name the sidecar does not name yet, then the sidecar, then the image it
// replaces goes. Every file through the checked atomic write, so a full disk
// or a kill at any moment leaves the last good pair. Empty on success,
// otherwise the reason. `flip` alternates the image's name from call to call.
QString writeRecoveryCopy(const QString& folder, const QString& id, const FountainImage& image,
                          const QString& fountainFile, bool& flip);

// Removes every file of the copy `id` (sidecar and images).
void removeRecoveryCopy(const QString& folder, const QString& id);

// The copies whose writer is gone, oldest first. An image without a sidecar
// (a kill between the first two writes) comes as a copy whose sidecar is
// missing, so that it is set aside rather than forgotten.
std::vector<RecoveryCopyFiles> abandonedCopies(const QString& folder);

// The image of a copy, only when it is whole: 64000 bytes whose digest is the
// sidecar's. Otherwise nothing, with the reason in `why`.
std::optional<FountainImage> readRecoveryCopy(const RecoveryCopyFiles& copy, QString* why);

// Removes a copy's files (after a restore or a discard).
void removeCopyFiles(const RecoveryCopyFiles& copy);

// Moves a damaged copy's files into the folder's "damaged" subfolder, where
// nothing reads them again; returns that subfolder.
QString setAsideCopy(const QString& folder, const RecoveryCopyFiles& copy);

// The lock a program holds on a fountain file while it has unsaved changes
// to it: <hash of the path>.lock beside the copies.
QString fountainLockPath(const QString& folder, const QString& fountainFile);
QString writeFountainLock(const QString& folder, const QString& fountainFile);
void removeFountainLock(const QString& folder, const QString& fountainFile);
// Another running program that holds `fountainFile` changed, if any; a lock
// left by a program that is gone does not count (and is removed).
std::optional<ProcessMark> fountainHolder(const QString& folder, const QString& fountainFile);

} // namespace pluviane
