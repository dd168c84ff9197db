#include "app/Application.h"

#include <QGuiApplication>
#include <QSurfaceFormat>

#include <cstdio>

namespace pluviane {

void setDefaultSurfaceFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    QSurfaceFormat::setDefaultFormat(format);
}

void keepSeriousToolkitMessages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

void setApplicationNames()
{
    QGuiApplication::setApplicationName(QStringLiteral("Pluviane"));
    // No display name: the platform would append it to every window title.
    // The desktop shows the program's name from its desktop entry and the main
    // window's title.
    QGuiApplication::setDesktopFileName(QStringLiteral("pluviane"));
}

} // namespace pluviane
