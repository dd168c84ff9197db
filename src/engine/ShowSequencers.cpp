#include "engine/ShowSequencers.h"

#include "model/ShowSequencer.h"
#include "model/ShowTrack.h"

#include <algorithm>

namespace pluviane {

namespace {
constexpr std::size_t kSceneCountByte = 210;
constexpr std::size_t kFormCountByte = 211;
} // namespace

ShowSequencers::ShowSequencers(FountainState& state, ShowControls& controls)
    : state_(state), controls_(controls)
{
}

void ShowSequencers::showForm() { controls_.set(ShowValue::FormShown, currentForm_); }

void ShowSequencers::showScene()
{
    controls_.set(ShowValue::SceneShown, controls_.value(ShowValue::SceneNumber));
}

void ShowSequencers::runDueTicks()
{
    for (int due = clock_.takeDueTicks(ShowClock::FormLane); due > 0; --due)
        formTick();
    for (int due = clock_.takeDueTicks(ShowClock::ColourLane); due > 0; --due)
        colourTick();
}

// While the clock follows a track, form and scene are those of the last cue
// at or before the show time; before the first cue they stay as they are.
void ShowSequencers::takeFormCue(std::int64_t timeMs)
{
    const ShowCue* cue = formCueAt(*clock_.track(), timeMs);
    if (cue == nullptr || cue->form == currentForm_)
        return;
    formCue_ = *cue;
    for (int g = 1; g <= kFaderGroups; ++g)
        rampFrom_[g] = state_.GroupRampLevel[g];
    currentForm_ = cue->form;
    formTickCount_ = 1;
    showForm();
}

void ShowSequencers::takeSceneCue(std::int64_t timeMs)
{
    const ShowCue* cue = sceneCueAt(*clock_.track(), timeMs);
    if (cue == nullptr || cue->scene == controls_.value(ShowValue::SceneNumber))
        return;
    sceneCue_ = *cue;
    for (int k = 1; k <= 4; ++k)
        fadeFrom_[k] = controls_.value(ShowValue::ColourFader, k);
    controls_.set(ShowValue::SceneNumber, cue->scene);
    sceneTickCount_ = 1;
    showScene();
}

void ShowSequencers::formTick()
{
    if (!controls_.down(ShowValue::FormPlay))
        return;
    const std::optional<std::int64_t> cueTime = clock_.showTimeMs();
    if (cueTime)
        takeFormCue(*cueTime);
    const int step = controls_.value(ShowValue::FormStep);
    // A cue with a ramp of its own times it; otherwise the recorder's step.
    const bool timed = cueTime && formCue_.form == currentForm_ && formCue_.rampMs > 0;
    for (int g = 1; g <= kFaderGroups; ++g)
        controls_.setValue(ShowValue::Pressure, g,
                           timed ? TimedRampLevel(state_, currentForm_, g, rampFrom_[g], *cueTime - formCue_.timeMs,
                                                  formCue_.rampMs)
                                 : StepRampLevel(state_, currentForm_, g, step));
    ++formTickCount_;
    controls_.set(ShowValue::FormTicks, formTickCount_);
    if (cueTime || formTickCount_ <= controls_.value(ShowValue::FormLength))
        return;
    formTickCount_ = 1;
    currentForm_ = currentForm_ < controls_.value(ShowValue::FormCount) ? currentForm_ + 1 : 1;
    showForm();
}

void ShowSequencers::colourTick()
{
    if (!controls_.down(ShowValue::ColourPlay))
        return;
    const std::optional<std::int64_t> cueTime = clock_.showTimeMs();
    if (cueTime)
        takeSceneCue(*cueTime);
    ++sceneTickCount_;
    controls_.set(ShowValue::SceneTicks, sceneTickCount_);
    const int scene = controls_.value(ShowValue::SceneNumber);
    if (cueTime || sceneTickCount_ < controls_.value(ShowValue::SceneLength)) {
        stepColours(cueTime);
        return;
    }
    sceneTickCount_ = 1;
    controls_.set(ShowValue::SceneNumber, scene >= controls_.value(ShowValue::SceneCount) ? 1 : scene + 1);
    showScene();
}

// Each fader moves to the colour the recorder showed for the scene: by the
// recorder's colour step a tick, or as the scene's cue says.
void ShowSequencers::stepColours(std::optional<std::int64_t> cueTime)
{
    const int scene = controls_.value(ShowValue::SceneNumber);
    const int step = std::max(controls_.value(ShowValue::ColourStep), 1);
    const bool ownChange = cueTime && sceneCue_.scene == scene && sceneCue_.change != SceneChange::Sweep;
    const int fadeMs = sceneCue_.change == SceneChange::Fade ? sceneCue_.fadeMs : 0;
    for (int k = 1; k <= 4; ++k) {
        const std::optional<int> target = faderColourOfScene(state_.SceneColour[scene][k]);
        if (!target)
            continue;
        const int now = controls_.value(ShowValue::ColourFader, k);
        controls_.setValue(ShowValue::ColourFader, k,
                           ownChange ? transitionPosition(fadeFrom_[k], *target, *cueTime - sceneCue_.timeMs, fadeMs)
                                     : stepColourFader(now, *target, step));
    }
}

void ShowSequencers::rewindForm()
{
    currentForm_ = 1;
    showForm();
}

// The pressure bars go to the bottom with the ramp: a bar left showing the
// first form would not move on the ramp's first step, and its group would
// stay dry all form. At any other form play resumes where it stopped.
void ShowSequencers::formPlayPressed()
{
    if (currentForm_ != 1)
        return;
    for (int g = 1; g <= kFaderGroups; ++g)
        controls_.setValue(ShowValue::Level, g, 0);
    for (int g = 0; g < kMaxGroup; ++g)
        state_.GroupRampLevel[g] = 255;
    for (int g = 1; g <= kFaderGroups; ++g)
        controls_.setValue(ShowValue::Pressure, g, 255);
}

void ShowSequencers::rewindColour() { controls_.set(ShowValue::SceneNumber, 1); }

void ShowSequencers::resumePlaying()
{
    controls_.set(ShowValue::FormPlay, 1);
    controls_.set(ShowValue::ColourPlay, 1);
}

void ShowSequencers::takeShowTables(const FountainImage& image) { loadShowTables(image, state_); }

void ShowSequencers::takeShowCounts(const FountainImage& image)
{
    controls_.set(ShowValue::SceneCount, image[kSceneCountByte]);
    controls_.set(ShowValue::FormCount, image[kFormCountByte]);
}

void ShowSequencers::stopBoth()
{
    controls_.set(ShowValue::FormStop, 1);
    controls_.set(ShowValue::ColourStop, 1);
}

} // namespace pluviane
