#include "model/ShowTrack.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

namespace pluviane {

namespace {

// Layout of the tail (all numbers little-endian):
//   0  8 bytes  tag "PLVTRACK"
//   8  u16      version (1)
//  10  u16      0
//  12  u32      length of the body that follows the header
//  16  u32      CRC-32 of the body
//  20  body:    u16 name length, the music's name in UTF-8,
//               u32 cue count, then per cue u32 time in ms, u8 form, u8 scene
constexpr char kTag[8] = {'P', 'L', 'V', 'T', 'R', 'A', 'C', 'K'};
constexpr std::uint16_t kVersion = 1;
constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kCueSize = 6;
constexpr std::size_t kTailSize = kFountainFileSize - kShowTrackOffset;

std::uint32_t readU32(const Byte* at)
{
    return std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 |
           std::uint32_t(at[3]) << 24;
}

std::uint16_t readU16(const Byte* at) { return std::uint16_t(at[0] | at[1] << 8); }

void putU32(std::vector<Byte>& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(Byte(value >> (8 * i)));
}

void putU16(std::vector<Byte>& out, std::uint16_t value)
{
    out.push_back(Byte(value));
    out.push_back(Byte(value >> 8));
}

std::uint32_t crcOf(const Byte* data, std::size_t size)
{
    return std::uint32_t(crc32(crc32(0L, Z_NULL, 0), data, uInt(size)));
}

ShowTrackRead damaged(const QString& reason) { return {ShowTrackRead::Damaged, {}, reason}; }

// Reads the body; empty reason when it is whole.
QString readBody(const Byte* body, std::size_t size, ShowTrack& track)
{
    if (size < 6)
        return QCoreApplication::translate("pluviane::ShowTrack", "запись короче заголовка");
    const std::size_t nameBytes = readU16(body);
    if (nameBytes > kMaxMusicNameBytes || 2 + nameBytes + 4 > size)
        return QCoreApplication::translate("pluviane::ShowTrack", "имя музыки выходит за конец записи");
    track.musicName = QString::fromUtf8(reinterpret_cast<const char*>(body + 2), qsizetype(nameBytes));
    const Byte* cues = body + 2 + nameBytes + 4;
    const std::uint32_t count = readU32(cues - 4);
    if (count > std::uint32_t(kMaxTrackCues) || (size - 2 - nameBytes - 4) != count * kCueSize)
        return QCoreApplication::translate("pluviane::ShowTrack", "число меток не совпадает с длиной записи");
    track.cues.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const Byte* at = cues + i * kCueSize;
        const ShowCue cue{readU32(at), at[4], at[5]};
        if (cue.timeMs > kMaxCueTimeMs)
            return QCoreApplication::translate("pluviane::ShowTrack",
                                               "метка %1 позже четырёх часов").arg(i + 1);
        if (!track.cues.empty() && cue.timeMs < track.cues.back().timeMs)
            return QCoreApplication::translate("pluviane::ShowTrack",
                                               "метка %1 стоит раньше предыдущей").arg(i + 1);
        track.cues.push_back(cue);
    }
    return {};
}

template <typename Pick>
int lastSetAt(const ShowTrack& track, std::int64_t timeMs, Pick pick)
{
    // The first cue after `timeMs`; the answer is the nearest one before it that sets a number.
    auto after = std::upper_bound(track.cues.begin(), track.cues.end(), timeMs,
                                  [](std::int64_t t, const ShowCue& cue) { return t < cue.timeMs; });
    while (after != track.cues.begin()) {
        --after;
        if (const int number = pick(*after); number != 0)
            return number;
    }
    return 0;
}

} // namespace

ShowTrackRead readShowTrack(const FountainImage& image, std::size_t fileLength)
{
    fileLength = std::min(fileLength, kFountainFileSize);
    if (fileLength < kShowTrackOffset + sizeof kTag)
        return {};
    const Byte* tail = image.data() + kShowTrackOffset;
    if (std::memcmp(tail, kTag, sizeof kTag) != 0)
        return {};
    const std::size_t held = fileLength - kShowTrackOffset;
    if (held < kHeaderSize)
        return damaged(QCoreApplication::translate("pluviane::ShowTrack", "файл обрывается в заголовке"));
    if (const int version = readU16(tail + 8); version != kVersion)
        return damaged(QCoreApplication::translate("pluviane::ShowTrack",
                                                   "неизвестная версия %1").arg(version));
    const std::size_t length = readU32(tail + 12);
    if (length > held - kHeaderSize)
        return damaged(QCoreApplication::translate("pluviane::ShowTrack", "длина выходит за конец файла"));
    const Byte* body = tail + kHeaderSize;
    if (crcOf(body, length) != readU32(tail + 16))
        return damaged(QCoreApplication::translate("pluviane::ShowTrack", "неверная контрольная сумма"));
    ShowTrackRead read;
    if (QString reason = readBody(body, length, read.track); !reason.isEmpty())
        return damaged(reason);
    read.outcome = ShowTrackRead::Loaded;
    return read;
}

bool writeShowTrack(const ShowTrack& track, FountainImage& image)
{
    Byte* tail = image.data() + kShowTrackOffset;
    if (track.empty()) {
        std::fill(tail, tail + kTailSize, Byte(0));
        return true;
    }
    const QByteArray name = track.musicName.toUtf8();
    if (name.size() > kMaxMusicNameBytes || track.cues.size() > std::size_t(kMaxTrackCues))
        return false;
    std::vector<Byte> body;
    body.reserve(2 + name.size() + 4 + track.cues.size() * kCueSize);
    putU16(body, std::uint16_t(name.size()));
    body.insert(body.end(), name.begin(), name.end());
    putU32(body, std::uint32_t(track.cues.size()));
    std::int64_t previous = 0;
    for (const ShowCue& cue : track.cues) {
        if (cue.timeMs < previous || cue.timeMs > kMaxCueTimeMs || cue.form < 0 ||
            cue.form > kMaxCueNumber || cue.scene < 0 || cue.scene > kMaxCueNumber)
            return false;
        previous = cue.timeMs;
        putU32(body, std::uint32_t(cue.timeMs));
        body.push_back(Byte(cue.form));
        body.push_back(Byte(cue.scene));
    }
    std::vector<Byte> whole(kTag, kTag + sizeof kTag);
    putU16(whole, kVersion);
    putU16(whole, 0);
    putU32(whole, std::uint32_t(body.size()));
    putU32(whole, crcOf(body.data(), body.size()));
    whole.insert(whole.end(), body.begin(), body.end());
    if (whole.size() > kTailSize)
        return false;
    std::copy(whole.begin(), whole.end(), tail);
    std::fill(tail + whole.size(), tail + kTailSize, Byte(0));
    return true;
}

bool storeShowTrack(const ShowTrack& track, FountainImage& image)
{
    if (track.empty() && readShowTrack(image, kFountainFileSize).outcome == ShowTrackRead::NoTrack)
        return true;
    return writeShowTrack(track, image);
}

int formAt(const ShowTrack& track, std::int64_t timeMs)
{
    return lastSetAt(track, timeMs, [](const ShowCue& cue) { return cue.form; });
}

int sceneAt(const ShowTrack& track, std::int64_t timeMs)
{
    return lastSetAt(track, timeMs, [](const ShowCue& cue) { return cue.scene; });
}

int insertCue(ShowTrack& track, const ShowCue& cue)
{
    auto at = std::upper_bound(track.cues.begin(), track.cues.end(), cue,
                               [](const ShowCue& a, const ShowCue& b) { return a.timeMs < b.timeMs; });
    const auto index = at - track.cues.begin();
    track.cues.insert(at, cue);
    return int(index);
}

QString trackMusicName(const QString& musicPath, const QString& fountainFolder)
{
    if (musicPath.isEmpty())
        return {};
    const QString absolute = QFileInfo(musicPath).absoluteFilePath();
    if (fountainFolder.isEmpty())
        return absolute;
    const QDir folder(fountainFolder);
    const QString relative = folder.relativeFilePath(absolute);
    if (relative.startsWith(QLatin1String("../")) || relative == QLatin1String("..") ||
        QDir::isAbsolutePath(relative))
        return absolute;
    return relative;
}

QString trackMusicPath(const ShowTrack& track, const QString& fountainFolder)
{
    if (track.musicName.isEmpty())
        return {};
    if (QDir::isAbsolutePath(track.musicName) || fountainFolder.isEmpty())
        return QDir::cleanPath(track.musicName);
    return QDir::cleanPath(QDir(fountainFolder).absoluteFilePath(track.musicName));
}

QString cuesPastCounts(const ShowTrack& track, int formCount, int sceneCount)
{
    for (std::size_t i = 0; i < track.cues.size(); ++i) {
        const ShowCue& cue = track.cues[i];
        if (cue.form > formCount)
            return QCoreApplication::translate("pluviane::ShowTrack",
                                               "Метка %1 ставит форму %2, записано форм %3")
                .arg(i + 1).arg(cue.form).arg(formCount);
        if (cue.scene > sceneCount)
            return QCoreApplication::translate("pluviane::ShowTrack",
                                               "Метка %1 ставит сцену %2, записано сцен %3")
                .arg(i + 1).arg(cue.scene).arg(sceneCount);
    }
    return {};
}

// Audacity writes "start\tend\tlabel" with times in seconds and a dot; point
// labels have start == end. Blank lines are passed over.
CueLabelsRead parseCueLabels(const QByteArray& text)
{
    CueLabelsRead read;
    // Editors that save UTF-8 may put a byte-order mark in front of the first time.
    const QByteArray kByteOrderMark("\xEF\xBB\xBF");
    const QList<QByteArray> lines = (text.startsWith(kByteOrderMark) ? text.mid(3) : text).split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray line = lines[n].trimmed();
        if (line.isEmpty())
            continue;
        auto fail = [&](const QString& reason) {
            read.badLine = int(n + 1);
            read.reason = reason;
            read.cues.clear();
            return read;
        };
        // Audacity's spectral selections add lines starting with a backslash.
        if (line.startsWith('\\'))
            continue;
        const QList<QByteArray> fields = line.split('\t');
        // Audacity writes a plain time mark as a label without text (the line
        // then ends after the second time): it sets nothing and is passed over.
        const bool unlabelled = fields.size() == 2 || (fields.size() >= 3 && fields[2].trimmed().isEmpty());
        if (fields.size() < 3 && !unlabelled)
            return fail(QCoreApplication::translate("pluviane::ShowTrack",
                                                    "нужно «начало<TAB>конец<TAB>метка»"));
        bool timeOk = false;
        const double seconds = fields[0].trimmed().toDouble(&timeOk);
        if (!timeOk || !std::isfinite(seconds) || seconds < 0 || seconds * 1000.0 > double(kMaxCueTimeMs))
            return fail(QCoreApplication::translate("pluviane::ShowTrack",
                                                    "время «%1» не от 0 до 4 часов")
                                                        .arg(QString::fromUtf8(fields[0])));
        if (unlabelled)
            continue;
        ShowCue cue{std::llround(seconds * 1000.0), 0, 0};
        const QList<QByteArray> words = fields[2].simplified().split(' ');
        for (const QByteArray& word : words) {
            bool numberOk = false;
            const int number = word.size() >= 2 ? word.mid(1).toInt(&numberOk) : 0;
            const char kind = char(std::toupper(static_cast<unsigned char>(word.isEmpty() ? ' ' : word[0])));
            if (!numberOk || number < 1 || number > kMaxCueNumber || (kind != 'F' && kind != 'S'))
                return fail(QCoreApplication::translate("pluviane::ShowTrack",
                                                        "метка «%1»: нужно F1..F255 и/или S1..S255")
                                .arg(QString::fromUtf8(fields[2])));
            (kind == 'F' ? cue.form : cue.scene) = number;
        }
        if (read.cues.size() >= std::size_t(kMaxTrackCues))
            return fail(QCoreApplication::translate("pluviane::ShowTrack",
                                                    "больше %1 меток").arg(kMaxTrackCues));
        read.cues.push_back(cue);
    }
    // Label files list labels as placed; the track keeps them in time order.
    std::stable_sort(read.cues.begin(), read.cues.end(),
                     [](const ShowCue& a, const ShowCue& b) { return a.timeMs < b.timeMs; });
    read.ok = true;
    return read;
}

CueLabelsRead readCueLabelFile(const QString& name)
{
    constexpr qint64 kMaxBytes = 4 * 1024 * 1024;
    CueLabelsRead read;
    const QFileInfo info(name);
    QFile file(name);
    if (!info.isFile())
        read.reason = info.exists() ? QCoreApplication::translate("pluviane::ShowTrack",
                                                                  "не файл") : QCoreApplication::translate("pluviane::ShowTrack", "файл не найден");
    else if (info.size() > kMaxBytes)
        read.reason = QCoreApplication::translate("pluviane::ShowTrack", "файл больше 4 МБ");
    else if (!file.open(QIODevice::ReadOnly))
        read.reason = file.errorString();
    else
        return parseCueLabels(file.read(kMaxBytes));
    return read;
}

QString cueLabelsProblem(const QString& name, const CueLabelsRead& read)
{
    const QString shown = QDir::toNativeSeparators(name);
    if (read.badLine > 0)
        return QCoreApplication::translate("pluviane::ShowTrack",
                                           "%1, строка %2: %3").arg(shown).arg(read.badLine).arg(read.reason);
    return shown + QStringLiteral(": ") + read.reason;
}

QByteArray formatCueLabels(const std::vector<ShowCue>& cues)
{
    QByteArray text;
    for (const ShowCue& cue : cues) {
        const QByteArray time = QByteArray::number(double(cue.timeMs) / 1000.0, 'f', 6);
        QByteArrayList words;
        if (cue.form != 0)
            words << "F" + QByteArray::number(cue.form);
        if (cue.scene != 0)
            words << "S" + QByteArray::number(cue.scene);
        text += time + '\t' + time + '\t' + words.join(' ') + '\n';
    }
    return text;
}

} // namespace pluviane
