#include "model/AtomicWrite.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cerrno>
#include <system_error>

namespace pluviane {

namespace {

// A short write leaves the device's error text empty ("Unknown error") and
// would even let the commit pass, so the reason is taken from errno here.
QString shortWriteReason(const QSaveFile& file, int error, qint64 written, qint64 size)
{
    QString why = error != 0 ? QString::fromStdString(std::generic_category().message(error))
                             : file.errorString();
    return QCoreApplication::translate("pluviane::AtomicWrite", "%1 (%2 of %3 bytes written)").arg(why).arg(qMax<qint64>(written, 0)).arg(size);
}

} // namespace

QString writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    errno = 0;
    const qint64 written = file.write(bytes);
    const int error = errno;
    if (written != bytes.size()) {
        const QString reason = shortWriteReason(file, error, written, bytes.size());
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace pluviane
