#pragma once

#include "model/FountainState.h"

#include <QWidget>

namespace pluviane {

class EditorWindow;

// The form and colour sequencers of the show tab.
class SequencerPanel : public QWidget {
    Q_OBJECT
public:
    SequencerPanel(FountainState& state, EditorWindow& editor);

private:
    FountainState& state_;
    EditorWindow& editor_;
};

} // namespace pluviane
