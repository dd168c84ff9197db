#include "widgets/Controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>

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
        nameCaptioned(label, name);
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

QGroupBox* makeGroupBox(QWidget* parent, const QString& name, const QString& title)
{
    auto* box = new QGroupBox(title, parent);
    nameCaptioned(box, name);
    return box;
}

QToolButton* makeIconButton(QWidget* parent, const QString& name, QStyle::StandardPixmap icon,
                            const QString& hint)
{
    auto* button = new QToolButton(parent);
    nameUncaptioned(button, name);
    button->setIcon(button->style()->standardIcon(icon));
    button->setAutoRaise(true);
    if (!hint.isEmpty())
        button->setToolTip(hint);
    return button;
}

LatchingPair makeLatchingPair(QWidget* parent, const QString& playName, const QString& stopName,
                              const QString& hint)
{
    LatchingPair pair{makeIconButton(parent, playName, QStyle::SP_MediaPlay, hint),
                      makeIconButton(parent, stopName, QStyle::SP_MediaStop, hint)};
    for (QToolButton* button : {pair.play, pair.stop})
        button->setCheckable(true);
    pair.stop->setChecked(true);
    auto releaseOnPress = [](QToolButton* pressed, QToolButton* partner) {
        QObject::connect(pressed, &QToolButton::toggled, partner, [partner](bool down) {
            if (down)
                partner->setChecked(false);
        });
    };
    releaseOnPress(pair.play, pair.stop);
    releaseOnPress(pair.stop, pair.play);
    return pair;
}

} // namespace pluviane
