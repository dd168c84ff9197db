#include "show/MusicPanel.h"

#include "editor/EditorWindow.h"

namespace pluviane {

MusicPanel::MusicPanel(FountainState& state, EditorWindow& editor)
    : QWidget(nullptr), state_(state), editor_(editor)
{
}

} // namespace pluviane
