#include "model/AtomicWrite.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cerrno>
#include <system_error>

namespace pluviane {

namespace {

// A write that fails leaves the device's error text empty ("Unknown error"),
// so the reason is taken from errno here.
QString writeFailure(const QSaveFile& file, int error, qint64 written, qint64 size)
{
    QString why = error != 0 ? QString::fromStdString(std::generic_category().message(error))
                             : file.errorString();
    return QCoreApplication::translate("pluviane::AtomicWrite",
                                       "%1 (%2 of %3 bytes written)")
                                           .arg(why).arg(qMax<qint64>(written, 0)).arg(size);
}

} // namespace

QString writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that every byte reaches the system here and a full disk
    // shows as a short write; through Qt's buffer a small file would only be
    // written in commit(), which then renames an empty file over the old one
    // and still reports success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    errno = 0;
    const qint64 written = file.write(bytes);
    int error = errno;
    const bool whole = written == bytes.size() && file.flush();
    if (!whole) {
        if (error == 0)
            error = errno;
        const QString reason = writeFailure(file, error, written, bytes.size());
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace pluviane
