#pragma once

#include "model/FountainState.h"

#include <QString>

namespace pluviane {


// Bytes the bowl-only load takes from a fountain file: the settings block but its last byte.
constexpr std::size_t kBowlSettingsSize = 255;

struct FileResult {
    enum Outcome { Done, TooLarge, Failed };
    Outcome outcome = Done;
    QString reason; // the system's reason when Failed
    std::size_t length = 0; // bytes a successful read took from the file

    bool ok() const { return outcome == Done; }
};

// Reads a fountain file of at most 64000 bytes into bytes 0..n-1 of `buffer`;
// the rest keeps its content. A larger file reads nothing (TooLarge). The file
// is opened for reading only, so read-only files load. A failed read leaves
// the buffer as it was.
FileResult readFountainFile(const QString& name, FountainImage& buffer);

// Reads the first 255 bytes of a fountain file into bytes 0..254 of `buffer`.
// A shorter file fails and changes nothing.
FileResult readBowlSettings(const QString& name, FountainImage& buffer);

// What a command-line tool says of a fountain file before it loads it: why
// it cannot be read (naming the file, and for a file too long, the limit),
// else empty, with `warning` set when its first byte is not the header byte
// the program writes or its show track is damaged (one line each). Any bytes
// otherwise load, as in the program.
QString fountainFileProblem(const QString& name, QString* warning);

// The warning for a file read into `bytes` (`length` bytes of it) whose
// first byte is not the header byte the program writes; empty otherwise.
// An empty file holds no header either.
QString headerWarning(const QString& name, const FountainImage& bytes, std::size_t length);

// Writes all 64000 bytes atomically: the old file stays whole unless the new
// one was written completely.
FileResult writeFountainFile(const QString& name, const FountainImage& buffer);


} // namespace pluviane
