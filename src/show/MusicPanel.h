#pragma once

#include "model/FountainState.h"

#include <QString>
#include <QTimer>
#include <QWidget>

class QLabel;
class QScrollBar;
class QStatusBar;

namespace pluviane {

class EditorWindow;
class SoundPlayer;

// The music player of the show tab (" Media Player "): opens a sound file,
// plays, stops and rewinds it and shows its length, position and time left.
// Its 100 ms tick also keeps the editor's status bar showing the view values.
class MusicPanel : public QWidget {
    Q_OBJECT
public:
    MusicPanel(FountainState& state, EditorWindow& editor);

    // Puts the view-value panel into the editor's status bar.
    void attachStatusBar(QStatusBar* bar);

    // Replaces the sound device (tests supply position, length and playing).
    // The panel takes ownership.
    void setSoundPlayer(SoundPlayer* player);
    SoundPlayer& soundPlayer() { return *player_; }
    QTimer& timerSound() { return timerSound_; }

    // The full path of the sound file the player holds; empty before the first load.
    const QString& soundFileName() const { return openName_; }
    // Whether `name` is the file the player holds or the one it is opening.
    bool holdsOrOpens(const QString& name) const { return openName_ == name || pendingName_ == name; }

    void SpeedButtonLoadSoundFileClick();
    // Opens `path` as the folder button's choice does.
    void openSoundFile(const QString& path);
    void TimerSoundTimer();

signals:
    // The player's play and stop buttons were pressed; a file was opened.
    void soundPlayPressed();
    void soundStopPressed();
    void soundFileOpened(const QString& path);

private:
    QWidget* buildPlayerBar();
    void soundOpened();
    void soundFailed(const QString& reason);
    void sayIfSilent();
    void showViewValues();
    void fitStatusFont();
    void showPlayingPosition();

    FountainState& state_;
    EditorWindow& editor_;
    SoundPlayer* player_ = nullptr;
    QString pendingName_; // the file being opened
    QString openName_;    // the file the player holds
    bool soundOpen_ = false;
    QLabel* soundName_ = nullptr;
    QLabel* length_ = nullptr;
    QLabel* position_ = nullptr;
    QLabel* milliseconds_ = nullptr;
    QLabel* remaining_ = nullptr;
    QScrollBar* progress_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    qreal statusPointSize_ = 0; // the panel's font size when the text fits
    bool silenceSaid_ = false;
    QTimer timerSound_;
};

} // namespace pluviane
