#include "widgets/Controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>

namespace pluviane {

void nameCaptioned(QWidget* control, const QString& name)
{
    control->setObjectName(name);
    control->setAccessibleDescription(name);
}

void nameUncaptioned(QWidget* control, const QString& name)
{
    control->setObjectName(name);
    control->setAccessibleName(name);
}

QScrollBar* makeBar(QWidget* parent, const QString& name, int minimum, int maximum, int value,
                    int largeStep, Qt::Orientation orientation)
{
    auto* bar = new QScrollBar(orientation, parent);
    nameUncaptioned(bar, name);
    bar->setRange(minimum, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(largeStep);
    bar->setValue(value);
    if (orientation == Qt::Horizontal)
        bar->setMinimumWidth(60);
    return bar;
}

QCheckBox* makeCheck(QWidget* parent, const QString& name, const QString& caption, bool checked,
                     const QString& hint)
{
    auto* box = new QCheckBox(caption, parent);
    nameCaptioned(box, name);
    box->setChecked(checked);
    if (!hint.isEmpty())
        box->setToolTip(hint);
    return box;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QString& hint)
{
    auto* button = new QPushButton(caption, parent);
    nameCaptioned(button, name);
    button->setAutoDefault(false);
    if (!hint.isEmpty())
        button->setToolTip(hint);
    return button;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

QSpinBox* makeSpin(QWidget* parent, const QString& name, int minimum, int maximum, int value)
{
    auto* spin = new QSpinBox(parent);
    nameUncaptioned(spin, name);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    spin->setKeyboardTracking(false);
    return spin;
}

} // namespace pluviane
