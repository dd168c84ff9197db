#include "editor/FileCommands.h"

#include "editor/EditorWindow.h"

namespace pluviane {

FileCommands::FileCommands(FountainState& state, EditorWindow& editor)
    : QObject(&editor), state_(state), editor_(editor)
{
}

} // namespace pluviane
