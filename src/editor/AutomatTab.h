#pragma once

#include "model/FountainState.h"

#include <QWidget>

namespace pluviane {

class EditorWindow;

class AutomatTab : public QWidget {
    Q_OBJECT
public:
    AutomatTab(FountainState& state, EditorWindow& editor);

private:
    FountainState& state_;
    EditorWindow& editor_;
};

} // namespace pluviane
