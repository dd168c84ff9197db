#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QMediaPlayer;
class QThread;

namespace pluviane {

// The sound device of the music panel: one open file, played, stopped and
// sought, its length and position read in milliseconds whenever asked. Opening
// is asynchronous: `opened` or `failed` follows `open`, once; until then the
// file that was open before stays open and playable.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void open(const QString& path) = 0;
    virtual qint64 length() const = 0;
    virtual qint64 position() const = 0;
    virtual bool playing() const = 0;
    // Plays on from the current position.
    virtual void play() = 0;
    // Halts playback where it is; the position stays.
    virtual void stop() = 0;
    virtual void seek(qint64 position) = 0;
    // Whether there is a device that makes the sound heard.
    virtual bool hasOutputDevice() const { return true; }

signals:
    void opened();
    void failed(const QString& reason);
};

// Plays through Qt Multimedia on a thread of its own: the media framework's
// state changes and the sound's pace then never wait for a window thread held
// by drawing. Commands go to that thread queued; the length, position and
// state are read from a snapshot it keeps, showing each command at once.
// Without a sound device files still open and report their length; playing
// then runs silently.
class MediaSoundPlayer : public SoundPlayer {
    Q_OBJECT
public:
    explicit MediaSoundPlayer(QObject* parent = nullptr);
    ~MediaSoundPlayer() override;

    void open(const QString& path) override;
    qint64 length() const override;
    qint64 position() const override;
    bool playing() const override;
    void play() override;
    void stop() override;
    void seek(qint64 position) override;
    bool hasOutputDevice() const override;

    struct Shared;
    enum class Command { Play, Stop, Seek };

private:
    void command(bool playing, qint64 position, Command what);

    std::shared_ptr<Shared> shared_;
    QThread* thread_ = nullptr;
    QObject* worker_ = nullptr;
};

} // namespace pluviane
