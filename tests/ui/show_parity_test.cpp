#include "FileTestSupport.h"

#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "engine/ShowDriver.h"
#include "show/SequencerPanel.h"
#include "show/WindowShowControls.h"

#include <QAbstractButton>
#include <QDir>
#include <QScrollBar>

#include <random>

using namespace pluviane;
using namespace pluviane::test;

namespace {

// One show twice: in the program's windows and on a value store, each with
// its own copy of the fountain, both clocks moved by the same simulated time.
struct TwoShows {
    explicit TwoShows(const QString& fountain = {})
    {
        if (!fountain.isEmpty()) {
            EXPECT_TRUE(program.windows->editor().fileCommands().openFountainNamedOutside(fountain));
        }
        headlessState = std::make_unique<FountainState>(*program.state);
        driver = std::make_unique<ShowDriver>(*headlessState);
        driver->controls().copyQuietly(windowValues);
    }

    // Both show clocks on the same time and, when `follow`, the same track time.
    void startClocks(bool follow)
    {
        for (ShowClock* clock : {&windowSequencer.clock(), &driver->engine().sequencers.clock()}) {
            clock->setTickSource([this] { return now; });
            if (follow)
                clock->follow(&program.state->Track, [this] { return showMs; });
        }
        // The headless clock follows its own copy of the track.
        if (follow)
            driver->engine().sequencers.clock().follow(&headlessState->Track, [this] { return showMs; });
    }

    void tick()
    {
        now += kShowTickMs * 1000;
        showMs += kShowTickMs;
        windowSequencer.runDueTicks();
        driver->engine().sequencers.runDueTicks();
    }

    // Both sides' GroupLevel and GroupColour are the same.
    ::testing::AssertionResult same() const
    {
        for (int g = 0; g <= kMaxGroup; ++g) {
            if (program.state->GroupLevel[g] != headlessState->GroupLevel[g])
                return ::testing::AssertionFailure() << "GroupLevel " << g;
            if (program.state->GroupColour[g] != headlessState->GroupColour[g])
                return ::testing::AssertionFailure() << "GroupColour " << g;
        }
        return ::testing::AssertionSuccess();
    }

    // A click on a sequencer's latch, in the windows and on the store.
    void click(QAbstractButton* button, ShowValue latch)
    {
        button->click();
        driver->click(latch);
    }

    void set(ShowValue what, int group, int value)
    {
        windowValues.setValue(what, group, value);
        driver->controls().setValue(what, group, value);
    }

    Program program;
    WindowShowControls windowValues{*program.windows};
    SequencerPanel& windowSequencer = program.windows->editor().automatTab().sequencer();
    std::unique_ptr<FountainState> headlessState;
    std::unique_ptr<ShowDriver> driver;
    std::int64_t now = 0;
    std::int64_t showMs = 0;
};

} // namespace

TEST(ShowParity, TheExamplesPlayTheSameWithAndWithoutWindows)
{
    const QDir folder = QFileInfo(examplePath("classic_round.wat")).absoluteDir();
    const QStringList examples = folder.entryList({QStringLiteral("*.wat")}, QDir::Files);
    ASSERT_GE(examples.size(), 4);
    for (const QString& name : examples) {
        SCOPED_TRACE(name.toStdString());
        TwoShows show(folder.filePath(name));
        ASSERT_TRUE(show.same());
        show.startClocks(!show.program.state->Track.cues.empty());
        show.windowSequencer.startFormButton()->click();
        show.driver->engine().sequencers.rewindForm();
        show.windowSequencer.startColourButton()->click();
        show.driver->engine().sequencers.rewindColour();
        show.click(show.windowSequencer.playFormButton(), ShowValue::FormPlay);
        show.click(show.windowSequencer.playColourButton(), ShowValue::ColourPlay);
        for (int tick = 0; tick < 3000; ++tick) {
            show.tick();
            ASSERT_TRUE(show.same()) << "tick " << tick;
        }
    }
}

TEST(ShowParity, ARandomShowWithCuesPausesAndSeeksPlaysTheSame)
{
    std::mt19937 random(22);
    auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    TwoShows show;
    FountainState& state = *show.program.state;
    for (int row = 1; row < 40; ++row)
        for (int g = 1; g < kMaxGroup; ++g) {
            state.FormPressure[row][g] = Byte(pick(0, 255));
            state.FormAccel[row][g] = Byte(pick(0, 255));
            state.SceneColour[row][g] = Byte(pick(0, 255));
        }
    for (std::int64_t ms = 0; ms < 160'000; ms += pick(100, 4000))
        state.Track.cues.push_back({ms, pick(0, 3) ? pick(1, 30) : 0, pick(0, 3) ? pick(1, 30) : 0});
    *show.headlessState = state;
    show.set(ShowValue::FormCount, 0, 30);
    show.set(ShowValue::SceneCount, 0, 30);
    show.startClocks(true);
    show.click(show.windowSequencer.playFormButton(), ShowValue::FormPlay);
    show.click(show.windowSequencer.playColourButton(), ShowValue::ColourPlay);

    SequencerPanel& seq = show.windowSequencer;
    for (int tick = 0; tick < 10'000; ++tick) {
        switch (pick(0, 400)) {
        case 0: show.click(seq.stopFormButton(), ShowValue::FormStop); break;   // a pause
        case 1: show.click(seq.stopColourButton(), ShowValue::ColourStop); break;
        case 2: show.click(seq.playFormButton(), ShowValue::FormPlay); break;    // play again
        case 3: show.click(seq.playColourButton(), ShowValue::ColourPlay); break;
        case 4: show.showMs = pick(0, 160'000); break;                            // a seek
        case 5: show.set(ShowValue::FormLength, 0, pick(10, 300)); break;
        case 6: show.set(ShowValue::ColourStep, 0, pick(1, 10)); break;
        case 7: show.set(ShowValue::FormStep, 0, pick(1, 50)); break;
        case 8: show.set(ShowValue::SceneNumber, 0, pick(1, 40)); break;
        case 9: show.set(ShowValue::Saturation, 0, pick(0, 255)); break;
        case 10:
            seq.startFormButton()->click();
            show.driver->engine().sequencers.rewindForm();
            break;
        default: break;
        }
        show.tick();
        ASSERT_TRUE(show.same()) << "tick " << tick;
    }
}
