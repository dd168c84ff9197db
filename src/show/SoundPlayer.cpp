#include "show/SoundPlayer.h"

#include "model/RegularFile.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

namespace pluviane {

MediaSoundPlayer::MediaSoundPlayer(QObject* parent) : SoundPlayer(parent) {}

MediaSoundPlayer::~MediaSoundPlayer()
{
    if (player_ != nullptr)
        player_->stop();
}

void MediaSoundPlayer::open(const QString& path)
{
    // The media framework would wait for ever on a FIFO or a device; the
    // file that is open stays open.
    if (const QString problem = regularFileProblem(path); !problem.isEmpty()) {
        QMetaObject::invokeMethod(this, [this, problem] { emit failed(problem); }, Qt::QueuedConnection);
        return;
    }
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

// A file counts as opened when its own player has loaded it and knows its
// length; only then is the old file closed.
void MediaSoundPlayer::onCandidateStatus(QMediaPlayer* candidate)
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
    if (player_ != nullptr) {
        player_->stop();
        player_->deleteLater();
    }
    player_ = candidate;
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, &MediaSoundPlayer::onStatus);
    emit opened();
}

// The player reports one failed open several times over; the first report
// counts, and the player goes with it.
void MediaSoundPlayer::onCandidateError(QMediaPlayer* candidate, const QString& reason)
{
    if (candidate != candidate_)
        return;
    dropCandidate();
    emit failed(reason.isEmpty() ? tr("Файл не воспроизводится") : reason);
}

void MediaSoundPlayer::dropCandidate()
{
    if (candidate_ == nullptr)
        return;
    disconnect(candidate_, nullptr, this, nullptr);
    candidate_->deleteLater();
    candidate_ = nullptr;
}

// At the end the file goes back to its start, ready to play again.
void MediaSoundPlayer::onStatus()
{
    if (player_->mediaStatus() == QMediaPlayer::EndOfMedia)
        player_->setPosition(0);
}

qint64 MediaSoundPlayer::length() const { return player_ != nullptr ? player_->duration() : 0; }

qint64 MediaSoundPlayer::position() const { return player_ != nullptr ? player_->position() : 0; }

bool MediaSoundPlayer::playing() const
{
    return player_ != nullptr && player_->playbackState() == QMediaPlayer::PlayingState;
}

void MediaSoundPlayer::play()
{
    if (player_ != nullptr)
        player_->play();
}

// Qt's stop would also rewind: a pause keeps the place, and "Previous" rewinds.
void MediaSoundPlayer::stop()
{
    if (player_ != nullptr && player_->playbackState() == QMediaPlayer::PlayingState)
        player_->pause();
}

// A seek to where the player stands is not sent: each one flushes the media
// pipeline, and the open is followed by a seek to the start.
void MediaSoundPlayer::seek(qint64 position)
{
    if (player_ != nullptr && player_->position() != position)
        player_->setPosition(position);
}

bool MediaSoundPlayer::hasOutputDevice() const { return !QMediaDevices::audioOutputs().isEmpty(); }

} // namespace pluviane
