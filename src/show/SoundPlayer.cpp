#include "show/SoundPlayer.h"

#include "model/RegularFile.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QMutex>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <utility>

namespace pluviane {

// What the window reads of the player, and who to tell of an open. Commands
// not yet carried out count in `pending`; until they are, the snapshot shows
// what they asked for rather than the player's older word.
struct MediaSoundPlayer::Shared {
    QMutex mutex;
    MediaSoundPlayer* owner = nullptr;
    bool open = false;
    qint64 length = 0;
    qint64 position = 0;
    bool playing = false;
    int pending = 0;
};

namespace {

// On a sound server a player whose sound output has sat idle a while, loaded
// or stopped, plays a few hundred milliseconds, then stands still about as
// long as it sat and skips ahead; a new output starts at once. So every play
// gets a new output.
// A playing position that stands still this long has stalled; the framework
// reports a few files (8 kHz ones) in steps of half a second.
constexpr qint64 kStandstillMs = 700;
// A stall that is left (the first moments of a sound server's stream) plays
// on from where it stood on another new output, a few times at most.
constexpr int kRestartsPerPlay = 3;

// Lives on the player's thread and owns the media players there.
class PlayerWorker : public QObject {
public:
    explicit PlayerWorker(std::shared_ptr<MediaSoundPlayer::Shared> shared) : shared_(std::move(shared))
    {
        // The position moves between the player's own reports too.
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [this] {
            watchForStall();
            publish(false);
        });
        poll->start(20);
    }

    ~PlayerWorker() override
    {
        if (player_ != nullptr)
            player_->stop();
    }

    void open(const QString& path)
    {
        dropCandidate();
        candidate_ = new QMediaPlayer(this);
        QMediaPlayer* candidate = candidate_;
        // Without an output the player cannot get ready and never learns the length.
        candidate->setAudioOutput(new QAudioOutput(candidate));
        connect(candidate, &QMediaPlayer::mediaStatusChanged, this,
                [this, candidate] { onCandidateStatus(candidate); });
        connect(candidate, &QMediaPlayer::errorOccurred, this,
                [this, candidate](QMediaPlayer::Error, const QString& reason) {
                    onCandidateError(candidate, reason);
                });
        candidate->setSource(QUrl::fromLocalFile(path));
    }

    // Carries out a command of the window's and shows the player's state again
    // once no other command waits.
    void run(MediaSoundPlayer::Command what, qint64 argument)
    {
        if (player_ != nullptr) {
            switch (what) {
            case MediaSoundPlayer::Command::Play: play(); break;
            case MediaSoundPlayer::Command::Stop: stop(); break;
            case MediaSoundPlayer::Command::Seek: seek(argument); break;
            }
        }
        publish(true);
    }

private:
    bool stopped() const { return parked_ >= 0; }

    void play()
    {
        if (!stopped())
            return;
        restarts_ = 0;
        playFrom(std::exchange(parked_, -1));
    }

    void playFrom(qint64 position)
    {
        // The old output takes the seek; a new one would wait for data first.
        if (position != player_->position())
            player_->setPosition(position);
        QAudioOutput* old = player_->audioOutput();
        player_->setAudioOutput(new QAudioOutput(player_));
        delete old;
        player_->play();
        watchedPosition_ = -1;
    }

    // Stop keeps the place; Qt's stop waits for the pipeline and rewinds.
    void stop()
    {
        if (stopped())
            return;
        parked_ = player_->position();
        player_->stop();
    }

    void seek(qint64 to)
    {
        if (stopped())
            parked_ = to;
        else if (player_->position() != to) {
            player_->setPosition(to);
            watchedPosition_ = -1;
        }
    }

    // A play whose position stands still goes on from there on a new output.
    void watchForStall()
    {
        if (player_ == nullptr || stopped() || player_->playbackState() != QMediaPlayer::PlayingState
            || player_->mediaStatus() == QMediaPlayer::EndOfMedia)
            return;
        const qint64 position = player_->position();
        if (position != watchedPosition_) {
            watchedPosition_ = position;
            standingSince_.start();
            return;
        }
        if (standingSince_.elapsed() < kStandstillMs || restarts_ >= kRestartsPerPlay)
            return;
        ++restarts_;
        player_->pause();
        playFrom(position);
    }

    // Makes `player` the one that holds the open file; the old one goes.
    void adopt(QMediaPlayer* player)
    {
        if (player_ != nullptr) {
            disconnect(player_, nullptr, this, nullptr);
            player_->stop();
            player_->deleteLater();
        }
        player_ = player;
        connect(player_, &QMediaPlayer::mediaStatusChanged, this, &PlayerWorker::onStatus);
        connect(player_, &QMediaPlayer::positionChanged, this, [this] { publish(false); });
        connect(player_, &QMediaPlayer::playbackStateChanged, this, [this] { publish(false); });
    }

    void publish(bool commandDone)
    {
        QMutexLocker lock(&shared_->mutex);
        if (commandDone)
            --shared_->pending;
        if (player_ == nullptr || shared_->pending > 0)
            return;
        shared_->position = stopped() ? parked_ : player_->position();
        shared_->playing = player_->playbackState() == QMediaPlayer::PlayingState;
    }

    // A file counts as opened when its own player has loaded it and knows its
    // length; only then is the old file closed.
    void onCandidateStatus(QMediaPlayer* candidate)
    {
        if (candidate != candidate_)
            return;
        if (candidate->mediaStatus() == QMediaPlayer::InvalidMedia) {
            onCandidateError(candidate, candidate->errorString());
            return;
        }
        if (candidate->mediaStatus() != QMediaPlayer::LoadedMedia)
            return;
        candidate_ = nullptr;
        disconnect(candidate, nullptr, this, nullptr);
        adopt(candidate);
        parked_ = 0; // a new file is loaded stopped at its start
        QMutexLocker lock(&shared_->mutex);
        shared_->open = true;
        shared_->length = player_->duration();
        shared_->position = player_->position();
        shared_->playing = false;
        if (shared_->owner != nullptr)
            QMetaObject::invokeMethod(shared_->owner, &SoundPlayer::opened, Qt::QueuedConnection);
    }

    // The player reports one failed open several times over; the first report
    // counts, and the player goes with it.
    void onCandidateError(QMediaPlayer* candidate, const QString& reason)
    {
        if (candidate != candidate_)
            return;
        dropCandidate();
        const QString said = reason.isEmpty() ? MediaSoundPlayer::tr("Файл не воспроизводится") : reason;
        QMutexLocker lock(&shared_->mutex);
        if (MediaSoundPlayer* owner = shared_->owner)
            QMetaObject::invokeMethod(owner, [owner, said] { emit owner->failed(said); }, Qt::QueuedConnection);
    }

    void dropCandidate()
    {
        if (candidate_ == nullptr)
            return;
        disconnect(candidate_, nullptr, this, nullptr);
        candidate_->deleteLater();
        candidate_ = nullptr;
    }

    // At the end the file goes back to its start, ready to play again: Qt's
    // play rewinds a file that has ended.
    void onStatus()
    {
        if (player_->mediaStatus() == QMediaPlayer::EndOfMedia)
            parked_ = 0;
        publish(false);
    }

    std::shared_ptr<MediaSoundPlayer::Shared> shared_;
    // The player holding the open file, and the one opening the next. Each file
    // opens in a player of its own, so no late report of the old file can pass
    // for the new file's, and a file that fails leaves the old one untouched.
    QMediaPlayer* player_ = nullptr;
    QMediaPlayer* candidate_ = nullptr;
    qint64 parked_ = -1; // where a stopped file plays from; -1 while it plays
    qint64 watchedPosition_ = -1; // the playing position last seen, and since when
    QElapsedTimer standingSince_;
    int restarts_ = 0; // new outputs given to a stalled play since its press
};

} // namespace

MediaSoundPlayer::MediaSoundPlayer(QObject* parent)
    : SoundPlayer(parent), shared_(std::make_shared<Shared>()), thread_(new QThread)
{
    shared_->owner = this;
    thread_->setObjectName("sound player");
    auto* worker = new PlayerWorker(shared_);
    worker->moveToThread(thread_);
    worker_ = worker;
    thread_->start();
}

MediaSoundPlayer::~MediaSoundPlayer()
{
    {
        QMutexLocker lock(&shared_->mutex);
        shared_->owner = nullptr;
    }
    QObject* worker = worker_;
    QMetaObject::invokeMethod(worker, [worker] {
        delete worker;
        QThread::currentThread()->quit();
    }, Qt::QueuedConnection);
    // A media framework that locked up must not hold the program at its end:
    // the thread is then left to the process's exit.
    if (thread_->wait(5000))
        delete thread_;
}

void MediaSoundPlayer::open(const QString& path)
{
    // The media framework would wait for ever on a FIFO or a device; the
    // file that is open stays open.
    if (const QString problem = regularFileProblem(path); !problem.isEmpty()) {
        QMetaObject::invokeMethod(this, [this, problem] { emit failed(problem); }, Qt::QueuedConnection);
        return;
    }
    auto* worker = static_cast<PlayerWorker*>(worker_);
    QMetaObject::invokeMethod(worker, [worker, path] { worker->open(path); }, Qt::QueuedConnection);
}

void MediaSoundPlayer::command(bool playing, qint64 position, Command what)
{
    {
        QMutexLocker lock(&shared_->mutex);
        if (!shared_->open)
            return;
        shared_->playing = playing;
        shared_->position = position;
        ++shared_->pending;
    }
    auto* worker = static_cast<PlayerWorker*>(worker_);
    QMetaObject::invokeMethod(worker, [worker, what, position] { worker->run(what, position); },
                              Qt::QueuedConnection);
}

qint64 MediaSoundPlayer::length() const
{
    QMutexLocker lock(&shared_->mutex);
    return shared_->length;
}

qint64 MediaSoundPlayer::position() const
{
    QMutexLocker lock(&shared_->mutex);
    return shared_->position;
}

bool MediaSoundPlayer::playing() const
{
    QMutexLocker lock(&shared_->mutex);
    return shared_->playing;
}

void MediaSoundPlayer::play() { command(true, position(), Command::Play); }

// Halts where it is; "Previous" rewinds.
void MediaSoundPlayer::stop() { command(false, position(), Command::Stop); }

void MediaSoundPlayer::seek(qint64 position) { command(playing(), position, Command::Seek); }

bool MediaSoundPlayer::hasOutputDevice() const { return !QMediaDevices::audioOutputs().isEmpty(); }

} // namespace pluviane
