#include "app/AppWindows.h"
#include "app/Application.h"
#include "app/FirstStart.h"
#include "app/MainWindow.h"
#include "app/StopSignals.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "model/Language.h"
#include "show/ExportPanel.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    pluviane::passOneSoundSystemMessage();
    pluviane::setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    pluviane::setApplicationNames();
    pluviane::installTranslations(pluviane::currentLanguage());
    app.setQuitOnLastWindowClosed(false); // the main window's closing ends the program

    pluviane::removeKilledExportSnapshots();
    // The first start puts the examples on the first preset buttons.
    if (const QString why = pluviane::prepareFirstStart(pluviane::firstStartPlaces()); !why.isEmpty())
        std::fprintf(stderr, "pluviane: %s\n",
                     qPrintable(QCoreApplication::translate("pluviane::FirstStart",
                                                            "no example presets written: %1").arg(why)));
    pluviane::AppWindows windows(pluviane::fountain());
    // Being told to stop (a logout, a closed terminal, a service manager) closes
    // the program as its close box does, so the DMX output blacks out and no
    // pump is left running; unsaved work waits in the recovery copy.
    pluviane::watchStopSignals(&app, [&windows] { windows.stopKeepingWork(); });
    windows.main().show();
    // A fountain file given to the program (a desktop's double click) opens at once.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 2)
        windows.openFountainGivenAtStart(arguments.at(1));
    // Once the windows stand, the work a killed program left is offered.
    QTimer::singleShot(0, &app, [&windows] { windows.startRecovery(); });
    return app.exec();
}
