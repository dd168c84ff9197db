#include "app/AppWindows.h"
#include "app/Application.h"
#include "app/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    pluviane::setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    pluviane::setApplicationNames();
    app.setQuitOnLastWindowClosed(false); // the main window's closing ends the program

    pluviane::AppWindows windows(pluviane::fountain());
    windows.main().show();
    return app.exec();
}
