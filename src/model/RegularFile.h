#pragma once

#include <QString>

class QFile;

namespace pluviane {

// Opens `file` (its name set) for reading only when it is a regular file,
// following links. A FIFO or a device is refused at once rather than left to
// block the program; a folder is refused too. False with the reason in `error`.
bool openRegularFile(QFile& file, QString* error);

// Empty when `path` names a regular file that can be opened for reading,
// otherwise why not. For readers that open the file themselves (FFmpeg, Qt's
// picture and media readers).
QString regularFileProblem(const QString& path);

} // namespace pluviane
