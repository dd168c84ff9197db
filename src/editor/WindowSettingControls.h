#pragma once

#include "model/SettingsBlock.h"

class QObject;
class QWidget;

namespace pluviane {

class AppWindows;

// The settings block's controls as the windows hold them, found by name each
// time, so a control built later is picked up without any registration.
class WindowSettingControls : public SettingControls {
public:
    explicit WindowSettingControls(AppWindows& windows);

    bool read(const SettingField& field, int& value) const override;
    void write(const SettingField& field, int value) override;

private:
    QWidget* find(const SettingField& field) const;

    AppWindows& windows_;
};

} // namespace pluviane
