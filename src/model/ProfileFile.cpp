#include "model/ProfileFile.h"

#include "model/AtomicWrite.h"
#include "model/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace pluviane {

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

// Names are compared trimmed and folded, as the platform's profile reader does.
QString folded(QByteArrayView name) { return QString::fromUtf8(name.trimmed()).toCaseFolded(); }

// One pair of matching quotes around a value is no part of it.
QByteArrayView unquoted(QByteArrayView value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

QByteArray oneLine(const QString& value)
{
    QByteArray bytes = value.toUtf8();
    bytes.replace('\r', ' ');
    bytes.replace('\n', ' ');
    return bytes;
}

ProfileWrite refused(const QString& reason) { return {false, reason}; }

} // namespace

bool profileHoldsValue(const QString& value)
{
    const QByteArray bytes = value.toUtf8();
    return oneLine(value) == bytes && bytes.trimmed() == bytes && unquoted(bytes).size() == bytes.size() &&
           value.size() <= kProfileValueLimit;
}

QString settingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/pluviane/plv.ini");
}

ProfileFile ProfileFile::read(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.exists())
        return {};
    QString why;
    if (!openRegularFile(file, &why)) {
        if (error)
            *error = why;
        return {};
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return {};
    }
    return fromBytes(std::move(bytes));
}

ProfileFile ProfileFile::fromBytes(QByteArray bytes)
{
    ProfileFile file;
    file.bytes_ = std::move(bytes);
    file.index();
    return file;
}

// One pass over the bytes: where each line lies, where each section starts and
// ends, and the first line of every key in the first section of each name.
void ProfileFile::index()
{
    lines_.clear();
    sections_.clear();
    sectionByName_.clear();
    const QByteArrayView all(bytes_);
    const qsizetype textStart = bytes_.startsWith(kByteOrderMark) ? kByteOrderMark.size() : 0;
    Section* current = nullptr;
    for (qsizetype start = textStart; start < all.size();) {
        const qsizetype newline = all.indexOf('\n', start);
        Line line{start, newline < 0 ? all.size() : newline, newline < 0 ? all.size() : newline + 1};
        if (line.end > line.start && all[line.end - 1] == '\r')
            --line.end;
        const qsizetype number = static_cast<qsizetype>(lines_.size());
        lines_.push_back(line);
        start = line.next;

        const QByteArrayView text = all.sliced(line.start, line.end - line.start).trimmed();
        if (text.startsWith('[')) {
            if (current)
                current->end = number;
            const qsizetype close = text.indexOf(']');
            const QString name = folded(text.sliced(1, (close < 0 ? text.size() : close) - 1));
            current = nullptr;
            if (!sectionByName_.contains(name)) {
                sectionByName_.insert(name, static_cast<qsizetype>(sections_.size()));
                current = &sections_.emplace_back(Section{number, number + 1, {}});
            }
            continue;
        }
        const qsizetype equals = text.indexOf('=');
        if (!current || equals < 0 || text.startsWith(';'))
            continue;
        const QString key = folded(text.first(equals));
        if (!current->keys.contains(key))
            current->keys.insert(key, number);
    }
    if (current)
        current->end = static_cast<qsizetype>(lines_.size());
}

const ProfileFile::Section* ProfileFile::section(const QString& name) const
{
    const auto found = sectionByName_.constFind(folded(name.toUtf8()));
    return found == sectionByName_.cend() ? nullptr : &sections_[*found];
}

QString ProfileFile::value(const QString& sectionName, const QString& key, const QString& fallback) const
{
    const Section* s = section(sectionName);
    if (!s)
        return fallback;
    const auto found = s->keys.constFind(folded(key.toUtf8()));
    if (found == s->keys.cend())
        return fallback;
    const Line& line = lines_[*found];
    const QByteArrayView text = QByteArrayView(bytes_).sliced(line.start, line.end - line.start);
    const QByteArrayView raw = text.sliced(text.indexOf('=') + 1).trimmed();
    return QString::fromUtf8(unquoted(raw)).left(kProfileValueLimit);
}

// The file's own line end, taken from its first line; "\n" for a new file.
QByteArray ProfileFile::lineEnd() const
{
    const qsizetype newline = bytes_.indexOf('\n');
    return newline > 0 && bytes_[newline - 1] == '\r' ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

// Inserts `text` and a line end before byte `at`, ending an unended last line first.
void ProfileFile::insertLine(qsizetype at, const QByteArray& text)
{
    const QByteArray end = lineEnd();
    QByteArray added = text + end;
    if (at == bytes_.size() && at > 0 && !bytes_.endsWith('\n'))
        added.prepend(end);
    bytes_.insert(at, added);
}

void ProfileFile::setValue(const QString& sectionName, const QString& keyName, const QString& value)
{
    const QByteArray key = keyName.trimmed().toUtf8();
    const Section* s = section(sectionName);
    if (!s) {
        insertLine(bytes_.size(), '[' + sectionName.trimmed().toUtf8() + ']' + lineEnd() + key + '=' + oneLine(value));
    } else if (const auto found = s->keys.constFind(folded(key)); found != s->keys.cend()) {
        // The key's own spelling and everything before its "=" stay.
        // The lines after it only move; no need to index the file again.
        const Line& line = lines_[*found];
        const qsizetype valueStart = bytes_.indexOf('=', line.start) + 1;
        const QByteArray replacement = oneLine(value);
        const qsizetype shift = replacement.size() - (line.end - valueStart);
        bytes_.replace(valueStart, line.end - valueStart, replacement);
        lines_[*found].end += shift;
        lines_[*found].next += shift;
        for (auto later = lines_.begin() + *found + 1; later != lines_.end(); ++later) {
            later->start += shift;
            later->end += shift;
            later->next += shift;
        }
        return;
    } else {
        // After the section's last non-blank line, so blank lines that
        // separate it from the next section stay where they are.
        qsizetype after = s->end;
        while (after > s->header + 1) {
            const Line& line = lines_[after - 1];
            if (!QByteArrayView(bytes_).sliced(line.start, line.end - line.start).trimmed().isEmpty())
                break;
            --after;
        }
        insertLine(after < static_cast<qsizetype>(lines_.size()) ? lines_[after].start : bytes_.size(),
                   key + '=' + oneLine(value));
    }
    index();
}

QString readProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& fallback)
{
    return ProfileFile::read(path).value(section, key, fallback);
}

ProfileWrite writeProfile(const QString& path, const ProfileFile& file)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return refused(QCoreApplication::translate("pluviane::ProfileFile", "Не удаётся создать папку %1").arg(folder));
    if (const QString reason = writeFileAtomically(path, file.bytes()); !reason.isEmpty())
        return refused(reason);
    return {};
}

ProfileWrite updateProfile(const QString& path, const std::function<void(ProfileFile&)>& change)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return refused(QStringLiteral("Cannot create the folder %1").arg(folder));
    // Two programs sharing the file take turns, so neither writes back a copy
    // read before the other's write. A lock that cannot be had in time (a
    // folder without write access, a stuck holder) does not stop the write.
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(10000);
    lock.tryLock(5000);
    QString unreadable;
    ProfileFile file = ProfileFile::read(path, &unreadable);
    if (!unreadable.isEmpty())
        return refused(unreadable);
    change(file);
    return writeProfile(path, file);
}

ProfileWrite writeProfileString(const QString& path, const QString& section, const QString& key,
                                const QString& value)
{
    return updateProfile(path, [&](ProfileFile& file) { file.setValue(section, key, value); });
}

} // namespace pluviane
