#pragma once

#include <QByteArray>
#include <QString>

namespace pluviane {

// Replaces the file at `path` with `bytes` atomically: the old file stays
// whole unless every byte of the new one was written. Empty on success,
// otherwise the system's reason; a write cut short (a full disk, a size limit)
// also says how many bytes got written.
QString writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace pluviane
