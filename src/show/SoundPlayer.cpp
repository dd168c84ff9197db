#include "show/SoundPlayer.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

namespace pluviane {

MediaSoundPlayer::MediaSoundPlayer(QObject* parent)
    : SoundPlayer(parent), player_(new QMediaPlayer(this)), output_(new QAudioOutput(this))
{
    player_->setAudioOutput(output_);
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, &MediaSoundPlayer::onStatus);
    connect(player_, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& reason) { onError(reason); });
}

MediaSoundPlayer::~MediaSoundPlayer()
{
    player_->stop();
}

void MediaSoundPlayer::open(const QString& path)
{
    pendingPath_ = path;
    restoring_ = false;
    // The player ignores a source equal to the one it holds; reopening the
    // same file must still report back.
    player_->setSource(QUrl());
    player_->setSource(QUrl::fromLocalFile(path));
}

void MediaSoundPlayer::onStatus()
{
    switch (player_->mediaStatus()) {
    case QMediaPlayer::LoadedMedia:
        if (restoring_) {
            restoring_ = false;
        } else if (!pendingPath_.isEmpty()) {
            openPath_ = pendingPath_;
            pendingPath_.clear();
            emit opened();
        }
        break;
    case QMediaPlayer::EndOfMedia:
        // At the end the file goes back to its start, ready to play again.
        player_->stop();
        player_->setPosition(0);
        break;
    default:
        break;
    }
}

// The player reports one failed open several times over; only the first
// report of an open counts. The file that was open before is reopened, so a
// failed choice changes nothing.
void MediaSoundPlayer::onError(const QString& reason)
{
    if (pendingPath_.isEmpty())
        return;
    pendingPath_.clear();
    emit failed(reason);
    QTimer::singleShot(0, this, [this] {
        if (!pendingPath_.isEmpty())
            return; // another file is on its way
        restoring_ = !openPath_.isEmpty();
        player_->setSource(restoring_ ? QUrl::fromLocalFile(openPath_) : QUrl());
    });
}

qint64 MediaSoundPlayer::length() const { return player_->duration(); }

qint64 MediaSoundPlayer::position() const { return player_->position(); }

bool MediaSoundPlayer::playing() const
{
    return player_->playbackState() == QMediaPlayer::PlayingState;
}

void MediaSoundPlayer::play()
{
    if (!openPath_.isEmpty() && pendingPath_.isEmpty() && !restoring_)
        player_->play();
}

void MediaSoundPlayer::stop() { player_->stop(); }

void MediaSoundPlayer::seek(qint64 position) { player_->setPosition(position); }

void MediaSoundPlayer::pause() { player_->pause(); }

} // namespace pluviane
