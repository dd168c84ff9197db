#pragma once

#include "engine/ShowChain.h"
#include "engine/ShowSequencers.h"
#include "engine/ShowTime.h"

#include <optional>
#include <string_view>

namespace pluviane {

// The show on its controls: the sequencers move the controls, the chain
// answers their changes. The program builds it over its windows' controls,
// the headless tools over a value store.
class ShowEngine {
public:
    ShowEngine(FountainState& state, ShowControls& controls) : chain(state, controls), sequencers(state, controls) {}

    ShowChain chain;
    ShowSequencers sequencers;
    ShowTime time;
};

// A show value kept in the fountain file's settings block, by its control's
// objectName ("ScrollBarLen", "ScrollBarGroup01"...); empty for the other
// settings (the view, the bowl).
struct ShowSetting {
    ShowValue what;
    int group = 0;
};
std::optional<ShowSetting> showSettingNamed(std::string_view objectName);

} // namespace pluviane
