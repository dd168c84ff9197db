#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <functional>
#include <vector>

namespace pluviane {

// The settings file: plv.ini in the user's configuration folder
// ($XDG_CONFIG_HOME/pluviane/plv.ini, by default ~/.config/pluviane/plv.ini).
QString settingsFilePath();

// Longest value a read returns; longer values are cut to this many characters.
constexpr qsizetype kProfileValueLimit = 2047;

// Whether a value written to the file reads back the same: no line break, no
// blank at either end, no pair of quotes around it, not too long.
bool profileHoldsValue(const QString& value);

// An INI text file read once and kept as its bytes. Sections and keys match
// without regard to case and surrounding blanks; values are UTF-8, and one
// pair of double or single quotes around a value is taken off. A change
// rewrites the one key's line only: every other byte (other encodings, a byte
// order mark, line ends, garbage) stays as it was.
class ProfileFile {
public:
    ProfileFile() = default;
    // A missing file reads as empty. One that exists but cannot be read (a
    // folder, a FIFO, a device, no permission) reads as empty too, with the
    // reason in `error`.
    static ProfileFile read(const QString& path, QString* error = nullptr);
    static ProfileFile fromBytes(QByteArray bytes);

    // A missing section or key gives `fallback`; a key with an empty value
    // gives the empty text.
    QString value(const QString& section, const QString& key, const QString& fallback) const;
    // Replaces an existing key's value in its own line, or adds the key at the
    // end of its section, or the section at the end of the file. Line breaks
    // in `value` become blanks: a value is one line.
    void setValue(const QString& section, const QString& key, const QString& value);

    const QByteArray& bytes() const { return bytes_; }

private:
    struct Line {
        qsizetype start = 0; // first byte of the line
        qsizetype end = 0;   // one past its text, before "\r\n" or "\n"
        qsizetype next = 0;  // first byte of the next line
    };
    struct Section {
        qsizetype header = 0; // line of "[name]"
        qsizetype end = 0;    // one past its last line
        QHash<QString, qsizetype> keys; // folded name to its first line
    };

    void index();
    const Section* section(const QString& name) const;
    QByteArray lineEnd() const;
    void insertLine(qsizetype at, const QByteArray& text);

    QByteArray bytes_;
    std::vector<Line> lines_;
    std::vector<Section> sections_;
    QHash<QString, qsizetype> sectionByName_; // folded name to the first such section
};

// Reads `key` of `section` from the INI text file at `path`; see ProfileFile.
QString readProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& fallback);

struct ProfileWrite {
    bool ok = true;
    QString reason; // the system's reason when not ok
};

// Writes `file` to `path`, creating the folder when missing. The file is
// replaced atomically, so a failed write leaves the old file whole.
ProfileWrite writeProfile(const QString& path, const ProfileFile& file);

// Reads the file at `path`, lets `change` set its keys and writes it back,
// while no other program updating it through here writes between the read and
// the write: each keeps the other's keys. A file that exists but cannot be
// read is never replaced.
ProfileWrite updateProfile(const QString& path, const std::function<void(ProfileFile&)>& change);

// Sets `key` of `section` to `value` in the file at `path` (created with its
// section when missing); see ProfileFile::setValue. A file that exists but
// cannot be read is never replaced: its other lines would be lost.
ProfileWrite writeProfileString(const QString& path, const QString& section, const QString& key,
                                const QString& value);

} // namespace pluviane
