#include "engine/ShowDriver.h"
#include "engine/ShowTime.h"
#include "model/ShowTrack.h"
#include "model/ColorChange.h"
#include "model/ShowSequencer.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pluviane;

namespace {

// The show on a value store, as the headless tools run it.
struct Headless {
    Headless() { driver.controls().set(ShowValue::FormStop, 1); }
    void formTicks(int count)
    {
        for (int i = 0; i < count; ++i)
            sequencers.formTick();
    }
    void colourTicks(int count)
    {
        for (int i = 0; i < count; ++i)
            sequencers.colourTick();
    }
    FountainState state;
    ShowDriver driver{state};
    ShowValueStore& values = driver.controls();
    ShowSequencers& sequencers = driver.engine().sequencers;
};

} // namespace

TEST(ShowValueStore, ClampsLikeItsControlAndRunsHandlersOnlyOnARealChange)
{
    ShowValueStore store;
    std::vector<int> seen;
    store.setHandler([&](ShowValue, int, int value) { seen.push_back(value); });
    EXPECT_EQ(store.value(ShowValue::FormLength), 50);
    EXPECT_EQ(store.value(ShowValue::Pressure, 12), 255);
    store.set(ShowValue::FormLength, 50); // no change, no handler
    store.set(ShowValue::FormLength, 1000);
    store.set(ShowValue::FormLength, 301);
    store.set(ShowValue::FormCount, 0);
    store.setValue(ShowValue::Pressure, 13, 5); // no such bar
    store.setValue(ShowValue::Pressure, 0, 5);
    EXPECT_EQ(store.value(ShowValue::FormLength), 300);
    EXPECT_EQ(store.value(ShowValue::FormCount), 3);
    EXPECT_EQ(seen, (std::vector<int>{300}));
    store.setValue(ShowValue::Level, 3, -7);
    EXPECT_EQ(store.value(ShowValue::Level, 3), 0);
    EXPECT_EQ(store.value(ShowValue::Level, 4), 255);
}

TEST(ShowChain, BarsReachTheModelAndLatchesReleaseTheirPartner)
{
    Headless h;
    // The all-groups bar records the whole row and, with stop down, shows it.
    h.values.set(ShowValue::AllPressure, 100);
    for (int g = 1; g <= 12; ++g) {
        EXPECT_EQ(h.state.FormPressure[1][g], 100);
        EXPECT_EQ(h.values.value(ShowValue::Level, g), 155);
        EXPECT_EQ(h.state.GroupLevel[g], 155);
    }
    h.values.set(ShowValue::FormNumber, 9);
    EXPECT_EQ(h.values.value(ShowValue::FormCount), 10);
    h.values.set(ShowValue::SceneNumber, 9);
    EXPECT_EQ(h.values.value(ShowValue::SceneCount), 9);

    h.values.setValue(ShowValue::SceneColour, 3, 40);
    EXPECT_EQ(h.values.value(ShowValue::ColourFader, 3), 215);
    FountainState expected;
    writeGroupColour(expected, 3, 215, 255, 255);
    EXPECT_EQ(h.state.GroupColour[3], expected.GroupColour[3]);
    h.values.set(ShowValue::Saturation, 0); // every colour again, greyer
    writeGroupColour(expected, 3, 215, 0, 255);
    EXPECT_EQ(h.state.GroupColour[3], expected.GroupColour[3]);

    h.values.set(ShowValue::FormPlay, 1);
    EXPECT_FALSE(h.values.down(ShowValue::FormStop));
    h.values.set(ShowValue::FormStop, 1);
    EXPECT_FALSE(h.values.down(ShowValue::FormPlay));

    // "Rec +1": the copy at 250 stays, the number does not go past it.
    h.values.set(ShowValue::SceneNumber, 250);
    h.values.setValue(ShowValue::SceneColour, 1, 77);
    h.driver.engine().chain.recordScene();
    h.driver.engine().chain.copySceneToNext();
    EXPECT_EQ(h.state.SceneColour[251][1], 77);
    EXPECT_EQ(h.values.value(ShowValue::SceneNumber), 250);
}

TEST(ShowSequencers, FormsPlayInTurnAndScenesStepTheirFadersWithoutWindows)
{
    Headless h;
    for (int g = 1; g <= 12; ++g) {
        h.state.FormPressure[1][g] = 55;
        h.state.FormPressure[2][g] = 255;
    }
    h.values.set(ShowValue::FormLength, 10);
    h.values.set(ShowValue::FormStep, 50);
    h.values.set(ShowValue::FormPlay, 1);
    h.sequencers.formPlayPressed();
    EXPECT_EQ(h.state.GroupLevel[1], 0); // a start at form 1 begins dry
    h.formTicks(1);
    EXPECT_EQ(h.values.value(ShowValue::Pressure, 1), 205);
    EXPECT_EQ(h.state.GroupLevel[1], 50);
    std::vector<int> forms;
    for (int i = 0; i < 4; ++i) {
        h.formTicks(i == 0 ? 9 : 10);
        forms.push_back(h.sequencers.currentForm());
    }
    EXPECT_EQ(forms, (std::vector<int>{2, 3, 1, 2}));
    EXPECT_EQ(h.values.value(ShowValue::FormShown), 2);
    h.values.set(ShowValue::FormStop, 1);
    const Byte level = h.state.GroupLevel[1];
    h.formTicks(5);
    EXPECT_EQ(h.state.GroupLevel[1], level);

    h.state.SceneColour[1][1] = 100; // the fader showed 155
    h.values.set(ShowValue::ColourStep, 3);
    h.values.set(ShowValue::SceneLength, 10);
    h.values.setValue(ShowValue::ColourFader, 1, 150);
    h.values.set(ShowValue::ColourPlay, 1);
    std::vector<int> faders;
    for (int i = 0; i < 3; ++i) {
        h.colourTicks(1);
        faders.push_back(h.values.value(ShowValue::ColourFader, 1));
    }
    EXPECT_EQ(faders, (std::vector<int>{153, 155, 155}));
    h.colourTicks(6); // nine ticks a scene at 10
    EXPECT_EQ(h.values.value(ShowValue::SceneNumber), 2);
    EXPECT_EQ(h.values.value(ShowValue::SceneShown), 2);
}

TEST(ShowDriver, PlaysFromTheStartAndFollowsTheTrackInSimulatedTime)
{
    Headless h;
    h.state.Track.cues = {{100, 2, 0}, {500, 3, 2}};
    h.driver.setFieldSpin(60);
    int pictures = 0;
    h.driver.setRenderTick([&] { ++pictures; });
    const double angle = h.state.ViewAngleY;
    h.driver.start(true);
    EXPECT_TRUE(h.values.down(ShowValue::FormPlay));
    EXPECT_TRUE(h.values.down(ShowValue::ColourPlay));
    h.driver.advanceTo(99'999);
    EXPECT_EQ(h.sequencers.currentForm(), 1);
    EXPECT_EQ(h.values.value(ShowValue::FormTicks), 1 + 99'999 / (kShowTickMs * 1000));
    h.driver.advanceTo(520'000);
    EXPECT_EQ(h.sequencers.currentForm(), 3);
    EXPECT_EQ(h.values.value(ShowValue::SceneNumber), 2);
    EXPECT_EQ(pictures, 10);
    EXPECT_NE(h.state.ViewAngleY, angle); // the field turned
    EXPECT_EQ(h.driver.now(), 520'000);
}

TEST(ShowSettings, TheSettingsBlockNamesItsShowValues)
{
    EXPECT_EQ(showSettingNamed("ScrollBarLen")->what, ShowValue::FormLength);
    EXPECT_EQ(showSettingNamed("ScrollBarGroup01")->group, 1);
    EXPECT_EQ(showSettingNamed("ScrollBarGroup12")->group, 12);
    EXPECT_EQ(showSettingNamed("ScrollBarGroup12")->what, ShowValue::Level);
    for (const char* other : {"ScrollBarGroup1", "ScrollBarGroup13", "ScrollBarGroup2x", "ScrollBarZoom", ""})
        EXPECT_FALSE(showSettingNamed(other)) << other;
}

// A track's transitions in play: ticks every 16 ms of show time, the cue at 1 s.
TEST(ShowTransitions, CutsFadesSweepsAndRampsRunFromTheCuesTime)
{
    struct Run {
        std::vector<int> fader;   // colour fader 1 after each tick
        std::vector<int> level;   // group 1's ramp level after each tick
    };
    auto play = [](const ShowCue& cue) {
        Headless h;
        h.values.set(ShowValue::ColourStep, 5);
        h.values.set(ShowValue::FormStep, 1);
        h.values.set(ShowValue::SceneCount, 2);
        h.values.set(ShowValue::FormCount, 2);
        for (int k = 1; k <= 4; ++k) {
            h.state.SceneColour[1][k] = 255 - 20;  // fader 20
            h.state.SceneColour[2][k] = 255 - 220; // fader 220
        }
        for (int g = 1; g <= 12; ++g) {
            h.state.FormPressure[1][g] = 200;
            h.state.FormPressure[2][g] = 0;
        }
        ShowTrack track;
        track.cues = {{0, 1, 1}, cue};
        std::int64_t showMs = 0;
        h.sequencers.clock().follow(&track, [&showMs] { return showMs; });
        h.sequencers.resumePlaying();
        Run run;
        for (; showMs <= 3000; showMs += 16) {
            h.sequencers.formTick();
            h.sequencers.colourTick();
            run.fader.push_back(h.values.value(ShowValue::ColourFader, 1));
            run.level.push_back(h.state.GroupRampLevel[1]);
        }
        return run;
    };
    auto tickAt = [](std::int64_t ms) { return std::size_t(ms / 16); };

    // A cut is there on the cue's tick.
    const Run cut = play({1000, 2, 2, SceneChange::Cut});
    EXPECT_EQ(cut.fader[tickAt(992)], 20);
    EXPECT_EQ(cut.fader[tickAt(1008)], 220);

    // A fade is halfway at half its time and there within one tick of its end.
    const Run fade = play({1000, 2, 2, SceneChange::Fade, 800});
    EXPECT_NEAR(fade.fader[tickAt(1400)], 120, 5);
    EXPECT_LT(fade.fader[tickAt(1776)], 220);
    EXPECT_EQ(fade.fader[tickAt(1808)], 220);

    // A form's own ramp reaches the levels in its time; without one, the recorder's step.
    const Run ramp = play({1000, 2, 0, SceneChange::Sweep, 0, 500});
    EXPECT_NEAR(ramp.level[tickAt(1248)], ramp.level[tickAt(992)] / 2, 8);
    EXPECT_EQ(ramp.level[tickAt(1504)], 0);
    const Run stepped = play({1000, 2, 0});
    EXPECT_EQ(stepped.level[tickAt(992)] - stepped.level[tickAt(1504)], 32);
}

TEST(ShowTime, TheOwnClockRunsOnlyWhilePlayingAndTheMusicsTimeIsSmoothed)
{
    std::int64_t micros = 0;
    ShowTime time([&] { return micros; });
    micros = 500'000;
    EXPECT_EQ(time.ownMs(), 0); // held until played
    time.runOwn();
    micros = 800'000;
    time.runOwn(); // a second play does not restart it
    EXPECT_EQ(time.ownMs(), 300);
    time.holdOwn();
    micros = 2'000'000;
    EXPECT_EQ(time.ownMs(), 300);
    time.seekOwn(10'000);
    EXPECT_EQ(time.ownMs(), 10'000);
    time.runOwn();
    micros = 2'100'000;
    EXPECT_EQ(time.ownMs(), 10'100);

    EXPECT_EQ(time.musicMs(1000, true), 1000);
    micros += 100'000;
    EXPECT_EQ(time.musicMs(1000, true), 1000); // the player holds after play: so does the time
    EXPECT_EQ(time.musicMs(1010, true), 1010);
    micros += 40'000;
    EXPECT_EQ(time.musicMs(1010, true), 1050);
}
