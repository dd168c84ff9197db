#pragma once

#include "model/FountainState.h"

#include <QWidget>

namespace pluviane {

class EditorWindow;

class GroupTab : public QWidget {
    Q_OBJECT
public:
    GroupTab(FountainState& state, EditorWindow& editor);

    void UpdateOnlyButtonGroup();

private:
    FountainState& state_;
    EditorWindow& editor_;
};

} // namespace pluviane
