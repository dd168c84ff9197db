#include "editor/OptionsTab.h"

#include "editor/EditorWindow.h"

namespace pluviane {

OptionsTab::OptionsTab(FountainState& state, EditorWindow& editor) : QWidget(nullptr), state_(state), editor_(editor)
{
}

} // namespace pluviane
