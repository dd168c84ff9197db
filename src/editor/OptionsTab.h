#pragma once

#include "model/FountainState.h"

#include <QWidget>

namespace pluviane {

class EditorWindow;

class OptionsTab : public QWidget {
    Q_OBJECT
public:
    OptionsTab(FountainState& state, EditorWindow& editor);

private:
    FountainState& state_;
    EditorWindow& editor_;
};

} // namespace pluviane
