#include "app/Application.h"

#include <QGuiApplication>
#include <QSurfaceFormat>

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

void setApplicationNames()
{
    QGuiApplication::setApplicationName(QStringLiteral("Pluviane"));
    // No display name: the platform would append it to every window title.
    // The desktop shows the program's name from its desktop entry and the main
    // window's title.
    QGuiApplication::setDesktopFileName(QStringLiteral("pluviane"));
}

} // namespace pluviane
