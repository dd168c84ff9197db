#pragma once

#include "model/SettingsBlock.h"
#include "render/SceneSettings.h"

#include <map>
#include <string>
#include <string_view>

namespace pluviane {

// The bowl tab's controls as plain values, for the tools that draw and play
// a fountain without windows. Each behaves as its control does: a bar clamps
// to its range and runs its change handling only on a real change (the
// backdrop's size, the field's spin); check boxes and grids are set silently.
// The controls of the show (pressure and count bars, speeds) are passed on to
// `show`, which keeps them; without one they are missing, and their bytes are
// carried through untouched.
class SettingValueStore : public SettingControls {
public:
    explicit SettingValueStore(FountainState& state, SettingControls* show = nullptr);

    bool read(const SettingField& field, int& value) const override;
    void write(const SettingField& field, int value) override;

    // By objectName, for the controls outside the settings block too.
    std::optional<int> value(std::string_view name) const;
    void set(std::string_view name, int value);

    // What the editor's sceneSettings() gives for the same controls.
    SceneSettings sceneSettings() const;

private:
    const BowlControl* control(std::string_view name) const;
    void changed(std::string_view name);

    FountainState& state_;
    SettingControls* show_;
    std::map<std::string, int, std::less<>> values_;
};

} // namespace pluviane
