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

// On a sound server a player that has sat loaded a while (after its open or
// its Stop) plays a few hundred milliseconds, then stands still about as long
// as it sat and skips ahead; a new output alone on an idle server stalls the
// same way. A player loaded just before it plays, while the old one still
// holds the server awake, starts at once: so every play starts on a player of
// its own, loaded for it.
// A playing position that stands still this long has stalled; the framework
// reports a few files (8 kHz ones) in steps of half a second.
constexpr qint64 kStandstillMs = 700;
// A stall of the first moments of a sound server's stream: the play goes on
// from where it stood on another new player, a few times at most.
constexpr int kRestartsPerPlay = 3;

QMediaPlayer* newMediaPlayer(QObject* parent, const QUrl& source)
{
    auto* player = new QMediaPlayer(parent);
    // Without an output the player cannot get ready and never learns the length.
    player->setAudioOutput(new QAudioOutput(player));
    player->setSource(source);
    return player;
}

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
        candidate_ = newMediaPlayer(this, QUrl::fromLocalFile(path));
        QMediaPlayer* candidate = candidate_;
        connect(candidate, &QMediaPlayer::mediaStatusChanged, this,
                [this, candidate] { onCandidateStatus(candidate); });
        connect(candidate, &QMediaPlayer::errorOccurred, this,
                [this, candidate](QMediaPlayer::Error, const QString& reason) {
                    onCandidateError(candidate, reason);
                });
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
    bool starting() const { return starter_ != nullptr; }
    bool stopped() const { return parked_ >= 0; }

    void play()
    {
        if (!stopped())
            return;
        restarts_ = 0;
        startFrom(std::exchange(parked_, -1));
    }

    // Loads the open file into a new player that plays from `position` once
    // it is ready; until then the old one keeps the file.
    void startFrom(qint64 position)
    {
        dropStarter();
        startAt_ = position;
        starter_ = newMediaPlayer(this, player_->source());
        QMediaPlayer* starter = starter_;
        connect(starter, &QMediaPlayer::mediaStatusChanged, this, [this, starter] { onStarterStatus(starter); });
    }

    void onStarterStatus(QMediaPlayer* starter)
    {
        if (starter != starter_)
            return;
        const QMediaPlayer::MediaStatus status = starter->mediaStatus();
        if (status == QMediaPlayer::InvalidMedia) {
            // The file changed under us: the player that holds it plays on.
            dropStarter();
            playOn(player_);
            return;
        }
        if (status != QMediaPlayer::LoadedMedia)
            return;
        disconnect(starter, nullptr, this, nullptr);
        // The player learns that it can seek only after it says it has
        // loaded, and ignores a seek until then.
        QMetaObject::invokeMethod(this, [this, starter] {
            if (starter != starter_)
                return;
            starter_ = nullptr;
            adopt(starter);
            playOn(starter);
        }, Qt::QueuedConnection);
    }

    void playOn(QMediaPlayer* player)
    {
        // A new player stands at the start already: no seek to 0.
        if (startAt_ > 0)
            player->setPosition(startAt_);
        player->play();
        watchedPosition_ = -1;
        publish(false);
    }

    // Stop keeps the place; Qt's stop waits for the pipeline and rewinds.
    void stop()
    {
        if (starting()) {
            dropStarter();
            parked_ = startAt_;
            return;
        }
        if (stopped())
            return;
        parked_ = player_->position();
        player_->stop();
    }

    void seek(qint64 to)
    {
        if (starting())
            startAt_ = to;
        else if (stopped())
            parked_ = to;
        else if (player_->position() != to) {
            player_->setPosition(to);
            watchedPosition_ = -1;
        }
    }

    // A play whose position stands still goes on from there on a new player.
    void watchForStall()
    {
        if (player_ == nullptr || stopped() || starting()
            || player_->playbackState() != QMediaPlayer::PlayingState
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
        startFrom(position);
    }

    void dropStarter() { drop(starter_); }

    // Lets a player that never took over go, with its late signals.
    void drop(QMediaPlayer*& player)
    {
        if (player == nullptr)
            return;
        disconnect(player, nullptr, this, nullptr);
        player->deleteLater();
        player = nullptr;
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
        if (starting()) {
            shared_->position = startAt_;
            shared_->playing = true;
            return;
        }
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
        dropStarter();
        adopt(candidate);
        parked_ = 0; // a new file is loaded stopped at its start
        QMutexLocker lock(&shared_->mutex);
        shared_->open = true;
        shared_->length = player_->duration();
        shared_->position = 0;
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

    void dropCandidate() { drop(candidate_); }

    // At the end the file goes back to its start, ready to play again: Qt's
    // play rewinds a file that has ended.
    void onStatus()
    {
        if (player_->mediaStatus() == QMediaPlayer::EndOfMedia && !starting())
            parked_ = 0;
        publish(false);
    }

    std::shared_ptr<MediaSoundPlayer::Shared> shared_;
    // The player holding the open file, the one opening the next file, and
    // the one being loaded to play the open file. Each file opens in a player
    // of its own, so no late report of the old file can pass for the new
    // file's, and a file that fails leaves the old one untouched.
    QMediaPlayer* player_ = nullptr;
    QMediaPlayer* candidate_ = nullptr;
    QMediaPlayer* starter_ = nullptr;
    qint64 parked_ = -1;  // where a stopped file plays from; -1 while it plays or starts
    qint64 startAt_ = -1; // where the starting player is to play from
    qint64 watchedPosition_ = -1;
    QElapsedTimer standingSince_;
    int restarts_ = 0;
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
