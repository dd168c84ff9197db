#include "editor/GroupTab.h"

#include "editor/EditorWindow.h"

namespace pluviane {

GroupTab::GroupTab(FountainState& state, EditorWindow& editor) : QWidget(nullptr), state_(state), editor_(editor)
{
}

void GroupTab::UpdateOnlyButtonGroup()
{
}

} // namespace pluviane
