#include "model/ProfileFile.h"

#include "model/AtomicWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <optional>

namespace pluviane {

namespace {

constexpr QChar kByteOrderMark(0xFEFF);

// The file as lines without their line ends, remembering how lines ended and
// whether a byte order mark led the text, so that a write gives them back.
struct ProfileText {
    QStringList lines;
    QString lineEnd = QStringLiteral("\n");
    bool byteOrderMark = false;

    static ProfileText parse(const QByteArray& bytes)
    {
        ProfileText text;
        QString all = QString::fromUtf8(bytes);
        if (all.startsWith(kByteOrderMark)) {
            text.byteOrderMark = true;
            all.remove(0, 1);
        }
        if (all.contains(QStringLiteral("\r\n")))
            text.lineEnd = QStringLiteral("\r\n");
        all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.lines = all.split(QLatin1Char('\n'));
        if (!text.lines.isEmpty() && text.lines.last().isEmpty())
            text.lines.removeLast(); // the final line end makes no line of its own
        return text;
    }

    QByteArray bytes() const
    {
        QString all = byteOrderMark ? QString(kByteOrderMark) : QString();
        for (const QString& line : lines)
            all += line + lineEnd;
        return all.toUtf8();
    }
};

// The name inside "[name]", or nothing for a line that opens no section.
std::optional<QString> sectionName(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    return trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

bool sameName(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

struct KeyLine {
    QString key;
    QString value;
};

std::optional<KeyLine> keyLine(const QString& line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0 || line.trimmed().startsWith(QLatin1Char(';')))
        return std::nullopt;
    return KeyLine{line.left(equals).trimmed(), line.mid(equals + 1).trimmed()};
}

// Where a section's lines lie: its header line and one past its last line.
struct SectionSpan {
    qsizetype header = -1;
    qsizetype end = -1;
    bool found() const { return header >= 0; }
};

SectionSpan findSection(const QStringList& lines, const QString& section)
{
    SectionSpan span;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QString> name = sectionName(lines[i]);
        if (!name)
            continue;
        if (span.found()) {
            span.end = i;
            return span;
        }
        if (sameName(*name, section))
            span.header = i;
    }
    if (span.found())
        span.end = lines.size();
    return span;
}

qsizetype findKey(const QStringList& lines, const SectionSpan& span, const QString& key)
{
    for (qsizetype i = span.header + 1; i < span.end; ++i)
        if (const std::optional<KeyLine> entry = keyLine(lines[i]); entry && sameName(entry->key, key))
            return i;
    return -1;
}

// A new key goes after the section's last non-blank line, so blank lines that
// separate it from the next section stay where they are.
qsizetype insertionLine(const QStringList& lines, const SectionSpan& span)
{
    qsizetype at = span.end;
    while (at > span.header + 1 && lines[at - 1].trimmed().isEmpty())
        --at;
    return at;
}

void setKey(ProfileText& text, const QString& section, const QString& key, const QString& value)
{
    const SectionSpan span = findSection(text.lines, section);
    if (!span.found()) {
        text.lines << QStringLiteral("[%1]").arg(section) << key + QLatin1Char('=') + value;
        return;
    }
    const qsizetype existing = findKey(text.lines, span, key);
    if (existing >= 0) {
        text.lines[existing] = keyLine(text.lines[existing])->key + QLatin1Char('=') + value;
        return;
    }
    text.lines.insert(insertionLine(text.lines, span), key + QLatin1Char('=') + value);
}

QString oneLine(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

ProfileWrite refused(const QString& reason) { return {false, reason}; }

} // namespace

QString settingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/pluviane/plv.ini");
}

QString readProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& fallback)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fallback;
    const ProfileText text = ProfileText::parse(file.readAll());
    const SectionSpan span = findSection(text.lines, section);
    if (!span.found())
        return fallback;
    const qsizetype line = findKey(text.lines, span, key);
    if (line < 0)
        return fallback;
    return keyLine(text.lines[line])->value.left(kProfileValueLimit);
}

ProfileWrite writeProfileString(const QString& path, const QString& section, const QString& key,
                                const QString& value)
{
    ProfileText text;
    QFile old(path);
    if (old.exists()) {
        // An unreadable file is never replaced: its other slots would be lost.
        if (!old.open(QIODevice::ReadOnly))
            return refused(old.errorString());
        text = ProfileText::parse(old.readAll());
        if (old.error() != QFileDevice::NoError)
            return refused(old.errorString());
        old.close();
    }
    setKey(text, section.trimmed(), key.trimmed(), oneLine(value));

    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return refused(QStringLiteral("Cannot create the folder %1").arg(folder));
    if (const QString reason = writeFileAtomically(path, text.bytes()); !reason.isEmpty())
        return refused(reason);
    return {};
}

} // namespace pluviane
