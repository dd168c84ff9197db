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

// Layout of the tail (all numbers little-endian; docs/fountain-file.md):
//   0  8 bytes  tag "PLVTRACK"
//   8  u16      version (1 or 2)
//  10  u16      flags: bit 0, the body is zlib-compressed (version 2)
//  12  u32      length of the stored body that follows the header
//  16  u32      CRC-32 of the stored body
//  20  body     version 1: u16 name length, the music's name in UTF-8,
//               u32 cue count, then per cue u32 time in ms, u8 form, u8 scene.
//               Version 2: see writeBodyV2.
constexpr char kTag[8] = {'P', 'L', 'V', 'T', 'R', 'A', 'C', 'K'};
constexpr std::uint16_t kVersion1 = 1;
constexpr std::uint16_t kVersion2 = 2;
constexpr std::uint16_t kCompressed = 1;
constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kCueSize = 6;
// No track unpacks to more than this (6000 cues and 1000 markers at their longest).
constexpr std::size_t kMaxBodyBytes = 1 << 20;
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

QString trackText(const char* text) { return QCoreApplication::translate("pluviane::ShowTrack", text); }

// Unsigned LEB128: times between cues mostly take two bytes instead of four.
void putVarint(std::vector<Byte>& out, std::uint32_t value)
{
    while (value >= 0x80) {
        out.push_back(Byte(value | 0x80));
        value >>= 7;
    }
    out.push_back(Byte(value));
}

// Reads the version-2 body front to back; every read checks the end.
class BodyReader {
public:
    BodyReader(const Byte* data, std::size_t size) : at_(data), end_(data + size) {}
    bool ok() const { return ok_; }
    bool atEnd() const { return at_ == end_; }
    std::uint32_t byte() { return need(1) ? *at_++ : 0; }
    std::uint32_t u16() { return need(2) ? (at_ += 2, readU16(at_ - 2)) : 0; }
    std::uint32_t u32() { return need(4) ? (at_ += 4, readU32(at_ - 4)) : 0; }
    std::uint32_t varint()
    {
        std::uint64_t value = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            const std::uint32_t b = byte();
            value |= std::uint64_t(b & 0x7F) << shift;
            if ((b & 0x80) == 0)
                return value > 0xFFFFFFFFu ? (ok_ = false, 0u) : std::uint32_t(value);
        }
        ok_ = false;
        return 0;
    }
    QString text(std::size_t bytes)
    {
        if (!need(bytes))
            return {};
        at_ += bytes;
        return QString::fromUtf8(reinterpret_cast<const char*>(at_ - bytes), qsizetype(bytes));
    }

private:
    bool need(std::size_t bytes)
    {
        ok_ = ok_ && std::size_t(end_ - at_) >= bytes;
        return ok_;
    }
    const Byte* at_;
    const Byte* end_;
    bool ok_ = true;
};

// Per cue: varint time since the cue before, u8 form, u8 scene, u8 transition
// (bits 0-1 the scene change, bit 2 a ramp follows), varint fade ms when the
// change is a fade, varint ramp ms with bit 2. Then u16 marker count and per
// marker: varint time since the marker before, u8 name length, the name.
bool writeBodyV2(const ShowTrack& track, const QByteArray& name, std::vector<Byte>& body)
{
    constexpr Byte kRampFollows = 4;
    putU16(body, std::uint16_t(name.size()));
    body.insert(body.end(), name.begin(), name.end());
    putU32(body, std::uint32_t(track.cues.size()));
    std::int64_t previous = 0;
    for (const ShowCue& cue : track.cues) {
        const bool fades = cue.change == SceneChange::Fade;
        if (cue.timeMs < previous || cue.timeMs > kMaxCueTimeMs || cue.form < 0 ||
            cue.form > kMaxCueNumber || cue.scene < 0 || cue.scene > kMaxCueNumber ||
            cue.change > SceneChange::Fade || (fades && (cue.fadeMs < 1 || cue.fadeMs > kMaxTransitionMs)) ||
            cue.rampMs < 0 || cue.rampMs > kMaxTransitionMs)
            return false;
        putVarint(body, std::uint32_t(cue.timeMs - previous));
        previous = cue.timeMs;
        body.push_back(Byte(cue.form));
        body.push_back(Byte(cue.scene));
        body.push_back(Byte(Byte(cue.change) | (cue.rampMs > 0 ? kRampFollows : 0)));
        if (fades)
            putVarint(body, std::uint32_t(cue.fadeMs));
        if (cue.rampMs > 0)
            putVarint(body, std::uint32_t(cue.rampMs));
    }
    putU16(body, std::uint16_t(track.markers.size()));
    previous = 0;
    for (const ShowMarker& marker : track.markers) {
        const QByteArray text = marker.name.toUtf8();
        if (marker.timeMs < previous || marker.timeMs > kMaxCueTimeMs || text.size() > kMaxMarkerNameBytes)
            return false;
        putVarint(body, std::uint32_t(marker.timeMs - previous));
        previous = marker.timeMs;
        body.push_back(Byte(text.size()));
        body.insert(body.end(), text.begin(), text.end());
    }
    return true;
}

QString readBodyV2(const Byte* data, std::size_t size, ShowTrack& track)
{
    BodyReader in(data, size);
    const std::uint32_t nameBytes = in.u16();
    if (nameBytes > std::uint32_t(kMaxMusicNameBytes))
        return trackText(QT_TRANSLATE_NOOP("pluviane::ShowTrack", "имя музыки выходит за конец записи"));
    track.musicName = in.text(nameBytes);
    const std::uint32_t count = in.u32();
    if (!in.ok() || count > std::uint32_t(kMaxTrackCues))
        return trackText(QT_TRANSLATE_NOOP("pluviane::ShowTrack", "число меток не совпадает с длиной записи"));
    std::int64_t time = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        ShowCue cue;
        time += in.varint();
        cue.timeMs = time;
        cue.form = int(in.byte());
        cue.scene = int(in.byte());
        const std::uint32_t kind = in.byte();
        if (!in.ok())
            return trackText(QT_TRANSLATE_NOOP("pluviane::ShowTrack", "число меток не совпадает с длиной записи"));
        if ((kind & 3) > 2 || (kind & ~7u) != 0)
            return trackText(QT_TRANSLATE_NOOP("pluviane::ShowTrack", "метка %1: неизвестный переход")).arg(i + 1);
        cue.change = SceneChange(kind & 3);
        if (cue.change == SceneChange::Fade)
            cue.fadeMs = int(std::min<std::uint32_t>(in.varint(), kMaxTransitionMs + 1));
        if (kind & 4)
            cue.rampMs = int(std::min<std::uint32_t>(in.varint(), kMaxTransitionMs + 1));
        if (cue.timeMs > kMaxCueTimeMs)
            return trackText(QT_TRANSLATE_NOOP("pluviane::ShowTrack", "метка %1 позже четырёх часов")).arg(i + 1);
        if ((cue.change == SceneChange::Fade && (cue.fadeMs < 1 || cue.fadeMs > kMaxTransitionMs)) ||
            cue.rampMs > kMaxTransitionMs || ((kind & 4) && cue.rampMs < 1))
            return trackText(QT_TRANSLATE_NOOP("pluviane::ShowTrack", "метка %1: неизвестный переход")).arg(i + 1);
        track.cues.push_back(cue);
    }
    const std::uint32_t markers = in.u16();
    if (!in.ok() || markers > std::uint32_t(kMaxTrackMarkers))
        return trackText(QT_TRANSLATE_NOOP("pluviane::ShowTrack", "маркеры выходят за конец записи"));
    time = 0;
    for (std::uint32_t i = 0; i < markers; ++i) {
        time += in.varint();
        const QString name = in.text(in.byte());
        if (!in.ok() || time > kMaxCueTimeMs)
            return trackText(QT_TRANSLATE_NOOP("pluviane::ShowTrack", "маркеры выходят за конец записи"));
        track.markers.push_back({time, name});
    }
    if (!in.atEnd())
        return trackText(QT_TRANSLATE_NOOP("pluviane::ShowTrack", "число меток не совпадает с длиной записи"));
    return {};
}

// The stored body of a version-2 track: as it is when it fits, else packed.
QString unpackBody(const Byte* stored, std::size_t size, bool compressed, std::vector<Byte>& body)
{
    if (!compressed) {
        body.assign(stored, stored + size);
        return {};
    }
    if (size < 4 || readU32(stored) > kMaxBodyBytes)
        return trackText(QT_TRANSLATE_NOOP("pluviane::ShowTrack", "сжатая запись не распаковывается"));
    uLongf length = readU32(stored);
    body.resize(length);
    if (uncompress(body.data(), &length, stored + 4, uLong(size - 4)) != Z_OK || length != body.size())
        return trackText(QT_TRANSLATE_NOOP("pluviane::ShowTrack", "сжатая запись не распаковывается"));
    return {};
}

// Reads a version-1 body; empty reason when it is whole.
QString readBodyV1(const Byte* body, std::size_t size, ShowTrack& track)
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
const ShowCue* lastSetAt(const ShowTrack& track, std::int64_t timeMs, Pick pick)
{
    // The first cue after `timeMs`; the answer is the nearest one before it that sets a number.
    auto after = std::upper_bound(track.cues.begin(), track.cues.end(), timeMs,
                                  [](std::int64_t t, const ShowCue& cue) { return t < cue.timeMs; });
    while (after != track.cues.begin()) {
        --after;
        if (pick(*after) != 0)
            return &*after;
    }
    return nullptr;
}

int pickForm(const ShowCue& cue) { return cue.form; }
int pickScene(const ShowCue& cue) { return cue.scene; }

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
    const int version = readU16(tail + 8);
    const int flags = readU16(tail + 10);
    if ((version != kVersion1 && version != kVersion2) || (version == kVersion1 && flags != 0) ||
        (flags & ~kCompressed) != 0)
        return damaged(QCoreApplication::translate("pluviane::ShowTrack",
                                                   "неизвестная версия %1").arg(version));
    const std::size_t length = readU32(tail + 12);
    if (length > held - kHeaderSize)
        return damaged(QCoreApplication::translate("pluviane::ShowTrack", "длина выходит за конец файла"));
    const Byte* body = tail + kHeaderSize;
    if (crcOf(body, length) != readU32(tail + 16))
        return damaged(QCoreApplication::translate("pluviane::ShowTrack", "неверная контрольная сумма"));
    ShowTrackRead read;
    QString reason;
    if (version == kVersion1) {
        reason = readBodyV1(body, length, read.track);
    } else {
        std::vector<Byte> unpacked;
        reason = unpackBody(body, length, flags & kCompressed, unpacked);
        if (reason.isEmpty())
            reason = readBodyV2(unpacked.data(), unpacked.size(), read.track);
    }
    if (!reason.isEmpty())
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
    if (name.size() > kMaxMusicNameBytes || track.cues.size() > std::size_t(kMaxTrackCues) ||
        track.markers.size() > std::size_t(kMaxTrackMarkers))
        return false;
    std::vector<Byte> body;
    body.reserve(2 + name.size() + 4 + track.cues.size() * 4);
    if (!writeBodyV2(track, name, body))
        return false;
    // Plain cues always fit as they are; only transitions and markers in great
    // number need packing.
    std::uint16_t flags = 0;
    if (kHeaderSize + body.size() > kTailSize) {
        uLongf packedSize = compressBound(uLong(body.size()));
        std::vector<Byte> packed(4 + packedSize);
        const std::uint32_t rawSize = std::uint32_t(body.size());
        for (int i = 0; i < 4; ++i)
            packed[std::size_t(i)] = Byte(rawSize >> (8 * i));
        if (compress2(packed.data() + 4, &packedSize, body.data(), uLong(body.size()), Z_BEST_COMPRESSION) != Z_OK)
            return false;
        packed.resize(4 + packedSize);
        body = std::move(packed);
        flags = kCompressed;
    }
    std::vector<Byte> whole(kTag, kTag + sizeof kTag);
    putU16(whole, kVersion2);
    putU16(whole, flags);
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

const ShowCue* formCueAt(const ShowTrack& track, std::int64_t timeMs) { return lastSetAt(track, timeMs, pickForm); }

const ShowCue* sceneCueAt(const ShowTrack& track, std::int64_t timeMs) { return lastSetAt(track, timeMs, pickScene); }

int formAt(const ShowTrack& track, std::int64_t timeMs)
{
    const ShowCue* cue = formCueAt(track, timeMs);
    return cue == nullptr ? 0 : cue->form;
}

int sceneAt(const ShowTrack& track, std::int64_t timeMs)
{
    const ShowCue* cue = sceneCueAt(track, timeMs);
    return cue == nullptr ? 0 : cue->scene;
}

namespace {

// Puts `item` after everything at or before its time; returns its index.
template <typename Timed>
int insertByTime(std::vector<Timed>& items, const Timed& item)
{
    auto at = std::upper_bound(items.begin(), items.end(), item,
                               [](const Timed& a, const Timed& b) { return a.timeMs < b.timeMs; });
    const auto index = at - items.begin();
    items.insert(at, item);
    return int(index);
}

} // namespace

int insertCue(ShowTrack& track, const ShowCue& cue) { return insertByTime(track.cues, cue); }

int insertMarker(ShowTrack& track, const ShowMarker& marker) { return insertByTime(track.markers, marker); }

QString fitMarkerName(const QString& name)
{
    QString fitted = name.simplified();
    while (fitted.toUtf8().size() > kMaxMarkerNameBytes)
        fitted.chop(1);
    return fitted;
}

QString transitionText(const ShowCue& cue)
{
    QStringList words;
    if (cue.change == SceneChange::Cut)
        words << QStringLiteral("cut");
    else if (cue.change == SceneChange::Fade)
        words << QStringLiteral("fade=%1").arg(cue.fadeMs);
    if (cue.rampMs > 0)
        words << QStringLiteral("ramp=%1").arg(cue.rampMs);
    return words.join(QLatin1Char(' '));
}

bool readTransitionText(const QString& text, ShowCue& cue)
{
    ShowCue read = cue;
    read.change = SceneChange::Sweep;
    read.fadeMs = 0;
    read.rampMs = 0;
    for (const QString& word : text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString lower = word.toLower();
        bool ok = false;
        const int ms = lower.section(QLatin1Char('='), 1).toInt(&ok);
        const bool timed = ok && ms >= 1 && ms <= kMaxTransitionMs;
        if (lower == QLatin1String("cut"))
            read.change = SceneChange::Cut;
        else if (lower == QLatin1String("sweep"))
            read.change = SceneChange::Sweep;
        else if (lower.startsWith(QLatin1String("fade=")) && timed)
            read.change = SceneChange::Fade, read.fadeMs = ms;
        else if (lower.startsWith(QLatin1String("ramp=")) && timed)
            read.rampMs = ms;
        else
            return false;
    }
    cue.change = read.change;
    cue.fadeMs = read.fadeMs;
    cue.rampMs = read.rampMs;
    return true;
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

namespace {

// "F3", "s12": a form or scene number (whether in range or not).
bool isNumberWord(const QString& word)
{
    if (word.size() < 2 || (word.at(0).toUpper() != QLatin1Char('F') && word.at(0).toUpper() != QLatin1Char('S')))
        return false;
    return std::all_of(word.begin() + 1, word.end(), [](QChar c) { return c.isDigit(); });
}

// A label is a cue when it starts with a number; any other text names a marker.
bool labelIsCue(const QString& label) { return isNumberWord(label.section(QLatin1Char(' '), 0, 0)); }

// A marker whose name would read back as a cue ("F3 drop") is written in
// double quotes, and so is one already quoted or empty, so every name survives
// a round trip; the reader takes one pair of quotes off.
bool isQuoted(const QString& label)
{
    return label.size() >= 2 && label.startsWith(QLatin1Char('"')) && label.endsWith(QLatin1Char('"'));
}

QString markerLabel(const QString& name)
{
    const bool quote = name.isEmpty() || labelIsCue(name) || isQuoted(name);
    return quote ? QLatin1Char('"') + name + QLatin1Char('"') : name;
}

QString markerName(const QString& label) { return isQuoted(label) ? label.mid(1, label.size() - 2) : label; }

} // namespace

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
            read.markers.clear();
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
        const std::int64_t timeMs = std::llround(seconds * 1000.0);
        const QString label = QString::fromUtf8(fields[2]).simplified();
        if (!labelIsCue(label)) {
            if (read.markers.size() >= std::size_t(kMaxTrackMarkers))
                return fail(QCoreApplication::translate("pluviane::ShowTrack",
                                                        "больше %1 маркеров").arg(kMaxTrackMarkers));
            read.markers.push_back({timeMs, fitMarkerName(markerName(label))});
            continue;
        }
        ShowCue cue{timeMs, 0, 0};
        QStringList transition;
        for (const QString& word : label.split(QLatin1Char(' '))) {
            if (!isNumberWord(word)) {
                transition << word;
                continue;
            }
            const int number = word.mid(1).toInt();
            if (number < 1 || number > kMaxCueNumber)
                return fail(QCoreApplication::translate("pluviane::ShowTrack",
                                                        "метка «%1»: нужно F1..F255 и/или S1..S255")
                                .arg(QString::fromUtf8(fields[2])));
            (word.at(0).toUpper() == QLatin1Char('F') ? cue.form : cue.scene) = number;
        }
        if (!readTransitionText(transition.join(QLatin1Char(' ')), cue))
            return fail(QCoreApplication::translate("pluviane::ShowTrack",
                                                    "метка «%1»: переход cut, sweep, fade=мс или ramp=мс (до 60000)")
                            .arg(QString::fromUtf8(fields[2])));
        if (read.cues.size() >= std::size_t(kMaxTrackCues))
            return fail(QCoreApplication::translate("pluviane::ShowTrack",
                                                    "больше %1 меток").arg(kMaxTrackCues));
        read.cues.push_back(cue);
    }
    // Label files list labels as placed; the track keeps them in time order.
    std::stable_sort(read.cues.begin(), read.cues.end(),
                     [](const ShowCue& a, const ShowCue& b) { return a.timeMs < b.timeMs; });
    std::stable_sort(read.markers.begin(), read.markers.end(),
                     [](const ShowMarker& a, const ShowMarker& b) { return a.timeMs < b.timeMs; });
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

QByteArray formatCueLabels(const std::vector<ShowCue>& cues, const std::vector<ShowMarker>& markers)
{
    QByteArray text;
    auto line = [&text](std::int64_t timeMs, const QByteArray& label) {
        const QByteArray time = QByteArray::number(double(timeMs) / 1000.0, 'f', 6);
        text += time + '\t' + time + '\t' + label + '\n';
    };
    auto marker = markers.begin();
    for (const ShowCue& cue : cues) {
        for (; marker != markers.end() && marker->timeMs <= cue.timeMs; ++marker)
            line(marker->timeMs, markerLabel(marker->name).toUtf8());
        QByteArrayList words;
        if (cue.form != 0)
            words << "F" + QByteArray::number(cue.form);
        if (cue.scene != 0)
            words << "S" + QByteArray::number(cue.scene);
        if (const QString transition = transitionText(cue); !transition.isEmpty())
            words << transition.toUtf8();
        line(cue.timeMs, words.join(' '));
    }
    for (; marker != markers.end(); ++marker)
        line(marker->timeMs, markerLabel(marker->name).toUtf8());
    return text;
}

} // namespace pluviane
