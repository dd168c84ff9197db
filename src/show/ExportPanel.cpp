#include "show/ExportPanel.h"

#include "editor/EditorWindow.h"

namespace pluviane {

ExportPanel::ExportPanel(FountainState& state, EditorWindow& editor)
    : QWidget(nullptr), state_(state), editor_(editor)
{
}

} // namespace pluviane
