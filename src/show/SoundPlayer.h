#pragma once

#include <QObject>
#include <QString>

class QAudioOutput;
class QMediaPlayer;

namespace pluviane {

// The sound device of the music panel: one open file, played, stopped and
// sought, its length and position read in milliseconds whenever asked. Opening
// is asynchronous: `opened` or `failed` follows `open`, once.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void open(const QString& path) = 0;
    virtual qint64 length() const = 0;
    virtual qint64 position() const = 0;
    virtual bool playing() const = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void seek(qint64 position) = 0;
    // Stops where it is, so play goes on from there.
    virtual void pause() { stop(); }

signals:
    void opened();
    void failed(const QString& reason);
};

// Plays through Qt Multimedia. Without a sound device files still open and
// report their length; playing then runs silently or stops by itself.
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
    void pause() override;

private:
    void onStatus();
    void onError(const QString& reason);

    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    QString openPath_;       // the file that opened last; kept when another fails
    QString pendingPath_;    // the file being opened
    bool restoring_ = false; // reopening openPath_ after a failure
};

} // namespace pluviane
