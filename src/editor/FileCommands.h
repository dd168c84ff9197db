#pragma once

#include "model/FountainState.h"

#include <QObject>

namespace pluviane {

class EditorWindow;

// The editor's file tool bar: new, open, save, save as, undo, and the window buttons.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(FountainState& state, EditorWindow& editor);

private:
    FountainState& state_;
    EditorWindow& editor_;
};

} // namespace pluviane
