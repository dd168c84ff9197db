#include "editor/WindowSettingControls.h"

#include "app/AppWindows.h"
#include "editor/EditorWindow.h"
#include "show/RecorderWindow.h"
#include "widgets/ColourGrid.h"

#include <QCheckBox>
#include <QScrollBar>

namespace pluviane {

WindowSettingControls::WindowSettingControls(AppWindows& windows) : windows_(windows) {}

QWidget* WindowSettingControls::find(const SettingField& field) const
{
    const QString name = QString::fromLatin1(field.control.data(),
                                             static_cast<qsizetype>(field.control.size()));
    QWidget* root = nullptr;
    switch (field.window) {
    case SettingWindow::Editor: root = &windows_.editor(); break;
    case SettingWindow::Recorder: root = &windows_.recorder(); break;
    case SettingWindow::None: return nullptr;
    }
    switch (field.kind) {
    case SettingKind::Check: return root->findChild<QCheckBox*>(name);
    case SettingKind::Bar: return root->findChild<QScrollBar*>(name);
    case SettingKind::Grid: return root->findChild<ColourGrid*>(name);
    default: return nullptr;
    }
}

bool WindowSettingControls::read(const SettingField& field, int& value) const
{
    QWidget* control = find(field);
    if (auto* check = qobject_cast<QCheckBox*>(control))
        value = check->isChecked() ? 1 : 0;
    else if (auto* bar = qobject_cast<QScrollBar*>(control))
        value = bar->value();
    else if (auto* grid = qobject_cast<ColourGrid*>(control))
        value = grid->selectedIndex();
    else
        return false;
    return true;
}

void WindowSettingControls::write(const SettingField& field, int value)
{
    QWidget* control = find(field);
    // A check box or a grid set from code runs no handling; a bar runs its
    // change handling when its (clamped) position really changes.
    if (auto* check = qobject_cast<QCheckBox*>(control))
        check->setChecked(value != 0);
    else if (auto* bar = qobject_cast<QScrollBar*>(control))
        bar->setValue(value);
    else if (auto* grid = qobject_cast<ColourGrid*>(control))
        grid->setSelectedIndex(value);
}

} // namespace pluviane
