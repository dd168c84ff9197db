#pragma once

#include <QString>

#include <vector>

namespace pluviane {

// Writes mono float samples (-1..1) as a FLAC file through FFmpeg's
// libraries. The file appears whole or not at all. Empty when written, else why not.
QString writeFlac(const QString& path, const std::vector<float>& samples, int sampleRate);

} // namespace pluviane
