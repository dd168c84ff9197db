#pragma once

#include <QString>
#include <Qt>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSpinBox;
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

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text);

// A spin box whose value is taken when typing ends (Enter or leaving the box),
// not at every keystroke.
QSpinBox* makeSpin(QWidget* parent, const QString& name, int minimum, int maximum, int value);

// Names a captioned control (button, check box, tab) for automation.
void nameCaptioned(QWidget* control, const QString& name);

// Names a control without a caption (bar, grid, edit, memo) for automation.
void nameUncaptioned(QWidget* control, const QString& name);

} // namespace pluviane
