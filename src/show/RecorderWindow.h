#pragma once

#include "model/FountainState.h"

#include <QWidget>

namespace pluviane {

class AppWindows;

// The scenario recorder: records forms and scenes and drives the editor's faders.
class RecorderWindow : public QWidget {
    Q_OBJECT
public:
    RecorderWindow(FountainState& state, AppWindows& windows);

private:
    FountainState& state_;
    AppWindows& windows_;
};

} // namespace pluviane
