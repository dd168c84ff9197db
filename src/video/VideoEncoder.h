#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <memory>

namespace pluviane {

// What a video is made of: picture size, frame rate, length, and the sound
// file muxed in beside the pictures (none when empty).
struct VideoOptions {
    QSize size{1280, 720};
    int fps = 25;
    double seconds = 30;
    QString music;
    double musicStart = 0; // where in the music the video begins, seconds
};

// Writes H.264 video with AAC sound into an MP4 file through FFmpeg's
// libraries. Everything goes to a temporary file beside the target, which
// replaces the target only when finish() succeeds; an encoder abandoned or
// destroyed before that leaves nothing behind, and opening one removes what
// killed exports left in the target's folder.
class VideoEncoder {
public:
    VideoEncoder();
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Opens the streams and the temporary file. False with error() set.
    bool open(const QString& path, const VideoOptions& options);

    // How many frames the video holds: the length times the frame rate.
    int frameCount() const;

    // Adds the next picture, of the video's size. `bottomUp` says its rows run
    // bottom first, as OpenGL reads them back. The sound is muxed up to the
    // picture's time as it goes.
    bool addFrame(const QImage& picture, bool bottomUp);

    // Flushes both streams, closes the file and gives it the target's name.
    bool finish();

    // Drops the temporary file; the target stays as it was.
    void abandon();

    const QString& error() const;

private:
    struct Streams;
    std::unique_ptr<Streams> streams_;
};

// The length in seconds of what decodes from a sound file (not what its
// header claims), at most the longest video; negative when nothing decodes,
// with the reason in `error`.
double soundLength(const QString& path, QString* error);

// Checks the video options a user gave; empty when they are fine, else why not.
QString checkVideoOptions(const VideoOptions& options);

} // namespace pluviane
