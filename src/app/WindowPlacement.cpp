#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace pluviane {

namespace {

// How long after a placement the frame is checked: window managers frame a
// new window within a few hundred milliseconds.
constexpr int kFrameChecksMs[] = {50, 150, 400, 1000, 2000};

QMargins frameOf(const QWidget& window)
{
    const QWindow* handle = window.windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

void applyFrame(QWidget& window, const QRect& frame)
{
    const QMargins margins = frameOf(window);
    if (!window.testAttribute(Qt::WA_WState_Created)) {
        // Not yet made: the toolkit asks the window manager to put the
        // frame's corner there, whatever the frame turns out to be.
        window.move(frame.topLeft());
        window.resize(frame.size().shrunkBy(margins));
        return;
    }
    window.setGeometry(frame.marginsRemoved(margins));
}

} // namespace

QRect workArea()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QRect keptInside(QRect frame, const QRect& area)
{
    frame.setWidth(std::min(frame.width(), area.width()));
    frame.setHeight(std::min(frame.height(), area.height()));
    frame.moveLeft(std::clamp(frame.left(), area.left(), area.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), area.top(), area.bottom() + 1 - frame.height()));
    return frame;
}

void placeFrame(QWidget& window, const QRect& frame)
{
    applyFrame(window, frame);
    QPointer<QWidget> guard(&window);
    for (int delay : kFrameChecksMs)
        QTimer::singleShot(delay, &window, [guard, frame] {
            if (guard && guard->isVisible() && guard->frameGeometry() != frame)
                applyFrame(*guard, frame);
        });
}

void showOnWorkArea(QWidget& window)
{
    const bool first = !window.isVisible();
    window.show();
    window.raise();
    if (!first)
        return;
    // Checked again once the window manager has framed it and chosen its place.
    QPointer<QWidget> guard(&window);
    const auto keep = [guard] {
        if (!guard || !guard->isVisible())
            return;
        const QRect frame = guard->frameGeometry();
        const QRect inside = keptInside(frame, workArea());
        if (inside != frame)
            applyFrame(*guard, inside);
    };
    keep();
    for (int delay : kFrameChecksMs)
        QTimer::singleShot(delay, &window, keep);
}

} // namespace pluviane
