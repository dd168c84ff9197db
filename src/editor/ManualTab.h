#pragma once

#include "model/FountainState.h"

#include <QWidget>

namespace pluviane {

class EditorWindow;

class ManualTab : public QWidget {
    Q_OBJECT
public:
    ManualTab(FountainState& state, EditorWindow& editor);

private:
    FountainState& state_;
    EditorWindow& editor_;
};

} // namespace pluviane
