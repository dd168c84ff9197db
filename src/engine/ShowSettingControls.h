#pragma once

#include "engine/ShowControls.h"
#include "model/SettingsBlock.h"

namespace pluviane {

// The settings block's show values (level faders, counts, speeds) on the
// show's controls, for the tools' value stores: a load sets them as it sets
// the windows' bars, each through its handler on a real change.
class ShowSettingControls : public SettingControls {
public:
    explicit ShowSettingControls(ShowControls& show) : show_(show) {}

    bool read(const SettingField& field, int& value) const override;
    void write(const SettingField& field, int value) override;

private:
    ShowControls& show_;
};

} // namespace pluviane
