#pragma once

#include <QString>

namespace pluviane {

// The settings file: plv.ini in the user's configuration folder
// ($XDG_CONFIG_HOME/pluviane/plv.ini, by default ~/.config/pluviane/plv.ini).
QString settingsFilePath();

// Longest value a read returns; longer values are cut to this many characters.
constexpr qsizetype kProfileValueLimit = 2047;

// Reads `key` of `section` from the INI text file at `path` (UTF-8). Sections
// and keys match without regard to case and surrounding blanks. A missing
// file, section or key gives `fallback`; a key with an empty value gives the
// empty text.
QString readProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& fallback);

struct ProfileWrite {
    bool ok = true;
    QString reason; // the system's reason when not ok
};

// Sets `key` of `section` to `value`. Creates the folder, the file and the
// section when missing, replaces an existing key's value in its own line and
// keeps every other line as it was. The file is replaced atomically, so a
// failed write leaves the old file whole. Line breaks in `value` become
// blanks: a value is one line.
ProfileWrite writeProfileString(const QString& path, const QString& section, const QString& key,
                                const QString& value);

} // namespace pluviane
