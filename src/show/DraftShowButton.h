#pragma once

class QToolButton;

namespace pluviane {

class AppWindows;
class TimelineWindow;
struct FountainState;

// "Черновик по музыке" on the timeline's tool row: drafts the show for the
// music the music panel holds and puts it on the timeline as its track.
QToolButton* addDraftShowButton(TimelineWindow& timeline, FountainState& state, AppWindows& windows);

// What the button does when pressed.
void SpeedButtonDraftShowClick(TimelineWindow& timeline, FountainState& state, AppWindows& windows);

} // namespace pluviane
