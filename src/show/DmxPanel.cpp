#include "show/DmxPanel.h"

#include "editor/EditorWindow.h"

namespace pluviane {

DmxPanel::DmxPanel(FountainState& state, EditorWindow& editor)
    : QWidget(nullptr), state_(state), editor_(editor)
{
}

} // namespace pluviane
