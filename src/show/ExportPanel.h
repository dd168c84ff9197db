#pragma once

#include "model/FountainState.h"

#include <QWidget>

namespace pluviane {

class EditorWindow;

// Exports the show as it stands in the editor to a video.
class ExportPanel : public QWidget {
    Q_OBJECT
public:
    ExportPanel(FountainState& state, EditorWindow& editor);

private:
    FountainState& state_;
    EditorWindow& editor_;
};

} // namespace pluviane
