#pragma once

#include <QRect>

class QWidget;

namespace pluviane {

// The part of the screen windows may take: the screen less the desktop's
// panels and docks (the whole screen where the desktop reserves nothing).
QRect workArea();

// `frame` moved, and shrunk where it must, so that it lies inside `area`.
QRect keptInside(QRect frame, const QRect& area);

// Places a window so that its outer frame, title bar included, covers `frame`.
// A window manager frames a window only once it is on the screen, so the
// client is fitted again when the frame's size becomes known.
void placeFrame(QWidget& window, const QRect& frame);

// Shows a window (and raises it) fully inside the work area, where it was or
// where the desktop puts it.
void showOnWorkArea(QWidget& window);

} // namespace pluviane
