#pragma once

#include <QString>
#include <QStyle>
#include <Qt>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QToolButton;
class QWidget;

namespace pluviane {

// Factories for the named controls of the windows. Every control carries its
// name as objectName; controls without a caption of their own also carry it as
// accessible name, captioned ones as accessible description, so that tests,
// desktop automation and screen readers find each one.

// A scroll bar whose position is the value. Assigning a position clamps it to
// the range and signals valueChanged only on a real change.
QScrollBar* makeBar(QWidget* parent, const QString& name, int minimum, int maximum, int value,
                    int largeStep = 1, Qt::Orientation orientation = Qt::Horizontal);

QCheckBox* makeCheck(QWidget* parent, const QString& name, const QString& caption, bool checked,
                     const QString& hint = {});

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QString& hint = {});

// A label; a named one carries its name as accessible description, since
// several show only a number.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text);

// A spin box whose value is taken when typing ends (Enter or leaving the box),
// not at every keystroke.
QSpinBox* makeSpin(QWidget* parent, const QString& name, int minimum, int maximum, int value);
// A group box whose caption is its title; named like a label.
QGroupBox* makeGroupBox(QWidget* parent, const QString& name, const QString& title);

// A picture button showing one of the style's standard icons.
QToolButton* makeIconButton(QWidget* parent, const QString& name, QStyle::StandardPixmap icon,
                            const QString& hint = {});

// Two latching picture buttons, play and stop: at most one is down, both may
// be up, and stop starts down. The pair reacts to toggled, so a button put
// down from code releases its partner just as a click does.
struct LatchingPair {
    QToolButton* play = nullptr;
    QToolButton* stop = nullptr;
};
LatchingPair makeLatchingPair(QWidget* parent, const QString& playName, const QString& stopName,
                              const QString& hint);

// Names a captioned control (button, check box, tab) for automation.
void nameCaptioned(QWidget* control, const QString& name);

// Names a control without a caption (bar, grid, edit, memo) for automation.
void nameUncaptioned(QWidget* control, const QString& name);

} // namespace pluviane
