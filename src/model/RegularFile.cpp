#include "model/RegularFile.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pluviane {

namespace {

QString systemReason(int error) { return QString::fromStdString(std::generic_category().message(error)); }

QString notRegular(mode_t mode)
{
    if (S_ISDIR(mode))
        return QCoreApplication::translate("pluviane::RegularFile", "it is a folder, not a file");
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("pluviane::RegularFile", "it is a pipe (FIFO), not a file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("pluviane::RegularFile", "it is a device, not a file");
    return QCoreApplication::translate("pluviane::RegularFile", "it is not a regular file");
}

// Opened without blocking, so that a FIFO with no writer cannot stop us in
// open(); a regular file then reads as usual. -1 with the reason otherwise.
int openRegularDescriptor(const QString& path, QString* error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (error)
            *error = systemReason(errno);
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (error)
            *error = S_ISREG(info.st_mode) ? systemReason(errno) : notRegular(info.st_mode);
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

} // namespace

bool openRegularFile(QFile& file, QString* error)
{
    const int fd = openRegularDescriptor(file.fileName(), error);
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (error)
            *error = file.errorString();
        ::close(fd);
        return false;
    }
    return true;
}

QString regularFileProblem(const QString& path)
{
    QString why;
    const int fd = openRegularDescriptor(path, &why);
    if (fd >= 0)
        ::close(fd);
    return why;
}

} // namespace pluviane
