#pragma once

#include "model/FountainState.h"
#include "engine/ShowClock.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class QAbstractButton;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QScrollBar;
class QToolButton;

namespace pluviane {

class EditorWindow;
class RecorderWindow;
struct SequencerBoxNames;

// The form and colour sequencers of the show tab. The form sequencer ramps
// groups 1..12 toward the current form through the recorder's pressure bars;
// the colour sequencer steps the editor's colour faders 1..4 toward the current
// scene and moves the recorder's scene number on. Neither writes the model
// directly: every value travels the same chain of controls a user's move does.
class SequencerPanel : public QWidget {
    Q_OBJECT
public:
    SequencerPanel(FountainState& state, EditorWindow& editor);
    ~SequencerPanel() override;

    // One tick of each sequencer; nothing happens while its play button is up.
    // A headless driver may stop the timers and call these itself.
    void TimerSmenaFormTimer();
    void TimerSmenaColorTimer();

    // Runs the ticks of both sequencers that the show clock says are due;
    // the timers call it, and so does a driver that moves the clock itself.
    void runDueTicks();
    ShowClock& clock() { return clock_; }

    QTimer& formTimer() { return formTimer_; }
    QTimer& colourTimer() { return colourTimer_; }

    QAbstractButton* playFormButton();
    QAbstractButton* stopFormButton();
    QAbstractButton* playColorButton();
    QAbstractButton* stopColorButton();
    QAbstractButton* startFormButton();
    QAbstractButton* startColorButton();
    QAbstractButton* openShowButton();

    int currentForm() const { return currentForm_; }

    QScrollBar* rampStepBar() const { return form_.step; }
    QScrollBar* formLengthBar() const { return form_.length; }
    QScrollBar* colourStepBar() const { return colour_.step; }
    QScrollBar* sceneLengthBar() const { return colour_.length; }

    // Latches both play buttons without the dry start at form 1: a show that
    // resumes goes on from the levels and colours it stands at.
    void resumePlaying();

    void SpeedButtonStartfORMClick();
    void SpeedButtonPlayFormClick();
    void SpeedButtonStartColorClick();
    void SpeedButtonOpenFormColorClick();

    // Takes the show tables and the two counts alone from a fountain file and
    // stops both sequencers. A file that is too large or cannot be read shows
    // a message and changes nothing. True when the show was taken.
    bool loadShowFile(const QString& name);

signals:
    // The timers woke the show clock and every due tick has run (whether
    // the sequencers play or not): what follows the show goes out now.
    void showTicked();

private:
    // The controls of one sequencer.
    struct Sequencer {
        QGroupBox* box = nullptr;
        QToolButton* start = nullptr;
        QToolButton* play = nullptr;
        QToolButton* stop = nullptr;
        QLabel* ticks = nullptr;
        QScrollBar* step = nullptr;
        QScrollBar* length = nullptr;
        QHBoxLayout* buttons = nullptr;
    };
    QGroupBox* buildSequencerBox(const SequencerBoxNames& names, Sequencer& controls);
    RecorderWindow& recorder();
    void runDueTicks(ShowClock::Lane lane);
    void takeFormCue(std::int64_t timeMs);
    void takeSceneCue(std::int64_t timeMs);

    FountainState& state_;
    EditorWindow& editor_;
    ShowClock clock_;
    QTimer formTimer_;
    QTimer colourTimer_;

    Sequencer form_;
    Sequencer colour_;
    QToolButton* openShow_ = nullptr;

    int currentForm_ = 1;
    int formTickCount_ = 1;
    int sceneTickCount_ = 1;
    // The show tables are read through a buffer of their own, so a show load
    // never touches the fountain's save buffer (the undo store).
    std::unique_ptr<FountainImage> loadBuffer_;
};

} // namespace pluviane
