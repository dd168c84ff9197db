#include "app/Application.h"

#include <QGuiApplication>
#include <QSurfaceFormat>

#include <atomic>
#include <cstdio>
#include <cstring>

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

namespace {

QtMessageHandler handlerBefore = nullptr;
std::atomic<bool> soundSystemSpoke{false};

bool fromSoundSystem(const QMessageLogContext& context, const QString& text)
{
    return (context.category != nullptr && std::strncmp(context.category, "qt.multimedia", 13) == 0)
           || text.startsWith(QLatin1String("PulseAudioService"));
}

void passOnceFromSoundSystem(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg && fromSoundSystem(context, text) && soundSystemSpoke.exchange(true))
        return;
    handlerBefore(type, context, text);
}

} // namespace

void passOneSoundSystemMessage()
{
    QtMessageHandler before = qInstallMessageHandler(passOnceFromSoundSystem);
    if (before != passOnceFromSoundSystem)
        handlerBefore = before;
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
