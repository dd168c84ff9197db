#include "editor/ManualTab.h"

#include "editor/EditorWindow.h"

namespace pluviane {

ManualTab::ManualTab(FountainState& state, EditorWindow& editor) : QWidget(nullptr), state_(state), editor_(editor)
{
}

} // namespace pluviane
