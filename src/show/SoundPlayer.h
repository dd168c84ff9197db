#pragma once

#include <QObject>
#include <QString>

class QMediaPlayer;

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

// Plays through Qt Multimedia. Without a sound device files still open and
// report their length; playing then runs silently.
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

private:
    void onCandidateStatus(QMediaPlayer* candidate);
    void onCandidateError(QMediaPlayer* candidate, const QString& reason);
    void dropCandidate();
    void onStatus();

    // The player holding the open file, and the one opening the next. Each file
    // opens in a player of its own, so no late report of the old file can pass
    // for the new file's, and a file that fails leaves the old one untouched.
    QMediaPlayer* player_ = nullptr;
    QMediaPlayer* candidate_ = nullptr;
};

} // namespace pluviane
