#include "info/AboutWindow.h"

namespace pluviane {

AboutWindow::AboutWindow(AppWindows& windows) : QWidget(nullptr), windows_(windows)
{
    setObjectName("AboutForm");
    setWindowTitle(QStringLiteral("О программе"));
}

} // namespace pluviane
