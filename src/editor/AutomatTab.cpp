#include "editor/AutomatTab.h"

#include "editor/EditorWindow.h"

namespace pluviane {

AutomatTab::AutomatTab(FountainState& state, EditorWindow& editor) : QWidget(nullptr), state_(state), editor_(editor)
{
}

} // namespace pluviane
