#include "show/SequencerPanel.h"

#include "editor/EditorWindow.h"

namespace pluviane {

SequencerPanel::SequencerPanel(FountainState& state, EditorWindow& editor)
    : QWidget(nullptr), state_(state), editor_(editor)
{
}

} // namespace pluviane
