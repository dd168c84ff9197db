#pragma once

#include "model/FountainState.h"

#include <QWidget>

namespace pluviane {

class EditorWindow;

// Sends the fountain's levels and colours to DMX through OLA.
class DmxPanel : public QWidget {
    Q_OBJECT
public:
    DmxPanel(FountainState& state, EditorWindow& editor);

private:
    FountainState& state_;
    EditorWindow& editor_;
};

} // namespace pluviane
