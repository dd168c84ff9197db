#include "show/RecorderWindow.h"

namespace pluviane {

RecorderWindow::RecorderWindow(FountainState& state, AppWindows& windows)
    : QWidget(nullptr), state_(state), windows_(windows)
{
    setObjectName("FormAvtomat");
    setWindowTitle(QStringLiteral("Запись и редактирование форм струй и  цвета - яркости софитов"));
}

} // namespace pluviane
