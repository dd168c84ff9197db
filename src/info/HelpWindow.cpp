#include "info/HelpWindow.h"

namespace pluviane {

HelpWindow::HelpWindow(AppWindows& windows) : QWidget(nullptr), windows_(windows)
{
    setObjectName("FormHelp");
    setWindowTitle(QStringLiteral("Окно помощи"));
}

} // namespace pluviane
