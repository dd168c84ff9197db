#pragma once

#include "model/FountainState.h"

#include <QWidget>

namespace pluviane {

class EditorWindow;

class JetTab : public QWidget {
    Q_OBJECT
public:
    JetTab(FountainState& state, EditorWindow& editor);

private:
    FountainState& state_;
    EditorWindow& editor_;
};

} // namespace pluviane
