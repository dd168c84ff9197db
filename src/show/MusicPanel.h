#pragma once

#include "model/FountainState.h"

#include <QWidget>

namespace pluviane {

class EditorWindow;

// The music player of the show tab.
class MusicPanel : public QWidget {
    Q_OBJECT
public:
    MusicPanel(FountainState& state, EditorWindow& editor);

private:
    FountainState& state_;
    EditorWindow& editor_;
};

} // namespace pluviane
