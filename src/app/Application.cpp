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
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Визуализация фонтанов"));
}

} // namespace pluviane
