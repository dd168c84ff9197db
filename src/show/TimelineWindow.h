#pragma once

#include "model/FountainState.h"
#include "music/BeatTracker.h"
#include "music/Waveform.h"

#include <QHash>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QToolButton;

namespace pluviane {

class AppWindows;
class CueTable;
class ShowTime;
class SoundPlayer;
class TimelineView;

// The music's waveform and beats as the timeline draws them, analysed once
// per file (a draft reads the song's structure, SongAnalysis, instead).
struct MusicWaveform {
    QString path;
    std::int64_t lengthMs = 0;
    bool cut = false; // the file goes on past lengthMs
    WaveformPeaks peaks;
    BeatGrid beats;
};

// "Партитура шоу": the show track on a timeline against the music. Its play
// button and the music panel's play the music; with "Играть по партитуре"
// checked the show plays with them, form and scene changing at the cues.
class TimelineWindow : public QWidget {
    Q_OBJECT
public:
    TimelineWindow(FountainState& state, AppWindows& windows);
    ~TimelineWindow() override;

    TimelineView& view() { return *view_; }
    CueTable& table() { return *table_; }
    // The row of tool buttons; more buttons go in before the follow check box.
    QHBoxLayout* toolRow() { return tools_; }
    void addToolButton(QToolButton* button);
    // "LabelTempo": the tempo of the music's analysis (0: no beat).
    void showTempo(double bpm);

    bool followsTrack() const;

    // The music's time: the music panel's player when it holds a file, else
    // a clock of the window's own.
    std::int64_t positionMs();
    bool playing() const;
    void play();
    void pause();
    void seek(std::int64_t ms);

    void SpeedButtonTimelinePlayClick();
    void SpeedButtonTimelineStartClick();
    void SpeedButtonAddFormCueClick();
    void SpeedButtonAddSceneCueClick();
    void SpeedButtonDeleteCueClick();
    void SpeedButtonImportCuesClick();
    void SpeedButtonExportCuesClick();
    void SpeedButtonZoomFitClick();
    void SpeedButtonAddMarkerClick();
    bool loops() const;

    // Replaces the label file dialogs (tests answer for the user); empty cancels.
    using LabelChooser = std::function<QString(QWidget* parent, bool save)>;
    void setLabelChooser(LabelChooser chooser) { chooser_ = std::move(chooser); }

    // The analysis of the music, once ready (nullptr before).
    const MusicWaveform* analysis() const { return shown_.get(); }
    bool analysing() const { return worker_.joinable() && !workerDone_; }
    // Waits for a running analysis to be shown (tests and the example maker).
    void waitForAnalysis();

    // Called each 40 ms: the play head, the labels, the end of the music.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QToolButton* addButton(const char* name, QStyle::StandardPixmap icon, const QString& text,
                           const QString& hint, void (TimelineWindow::*click)());
    void trackAdopted();
    void trackRestored();
    void soundOpened(const QString& path);
    void startFollowing();
    void stopFollowing();
    void addCue(bool form);
    void tell(const QString& text);
    void analyse(const QString& path);
    void analysisFinished(std::shared_ptr<MusicWaveform> result, const QString& error);
    void stopWorker();
    SoundPlayer& player();
    // The show's time, kept in the engine.
    ShowTime& time();
    bool hasMusic();
    void edited();
    void selectionShown();
    void restoreViewSettings();
    void keepViewSettings();

    FountainState& state_;
    AppWindows& windows_;
    TimelineView* view_ = nullptr;
    QHBoxLayout* tools_ = nullptr;
    QToolButton* play_ = nullptr;
    QCheckBox* follow_ = nullptr;
    QCheckBox* loop_ = nullptr;
    QComboBox* snap_ = nullptr;
    CueTable* table_ = nullptr;
    QLabel* position_ = nullptr;
    QLabel* tempo_ = nullptr;
    QLabel* message_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTimer refresh_;
    LabelChooser chooser_;

    bool showFollowing_ = false;
    bool showsPause_ = false; // the play button's icon
    bool iconSet_ = false;

    std::shared_ptr<const MusicWaveform> shown_;
    QHash<QString, std::shared_ptr<const MusicWaveform>> analysed_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> workerDone_{false};
    std::atomic<int> workerPercent_{0};
    QString workerPath_;
    QString wanted_; // the music to analyse once the window is shown
};

} // namespace pluviane
