#include "editor/JetTab.h"

#include "editor/EditorWindow.h"

namespace pluviane {

JetTab::JetTab(FountainState& state, EditorWindow& editor) : QWidget(nullptr), state_(state), editor_(editor)
{
}

} // namespace pluviane
