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
class ShowSequencers;
struct SequencerBoxNames;

// The form and colour sequencers of the show tab: their buttons, bars and
// counters, and the timers that wake the show clock. What a tick does is the
// show engine's (ShowSequencers); the handlers here forward to it.
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
    ShowClock& clock();

    QTimer& formTimer() { return formTimer_; }
    QTimer& colourTimer() { return colourTimer_; }

    QAbstractButton* playFormButton();
    QAbstractButton* stopFormButton();
    QAbstractButton* playColourButton();
    QAbstractButton* stopColourButton();
    QAbstractButton* startFormButton();
    QAbstractButton* startColourButton();
    QAbstractButton* openShowButton();

    int currentForm() const;

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

    // What the sequencers show: their tick counts and the form and scene in
    // their titles.
    void showFormTicks(int count);
    void showSceneTicks(int count);
    void showForm(int form);
    void showScene(int scene);

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
    ShowSequencers& engine() const;
    void runDueTicks(ShowClock::Lane lane);

    FountainState& state_;
    EditorWindow& editor_;
    QTimer formTimer_;
    QTimer colourTimer_;

    Sequencer form_;
    Sequencer colour_;
    QToolButton* openShow_ = nullptr;

    // The show tables are read through a buffer of their own, so a show load
    // never touches the fountain's save buffer (the undo store).
    std::unique_ptr<FountainImage> loadBuffer_;
};

} // namespace pluviane
