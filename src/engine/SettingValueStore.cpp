#include "engine/SettingValueStore.h"

#include <algorithm>

namespace pluviane {

SettingValueStore::SettingValueStore(FountainState& state, SettingControls* show) : state_(state), show_(show)
{
    for (const BowlControl& c : bowlControls())
        values_.emplace(std::string(c.name), c.initial);
}

const BowlControl* SettingValueStore::control(std::string_view name) const
{
    const auto controls = bowlControls();
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [name](const BowlControl& c) { return c.name == name; });
    return found == controls.end() ? nullptr : &*found;
}

bool SettingValueStore::read(const SettingField& field, int& value) const
{
    if (const std::optional<int> v = this->value(field.control)) {
        value = *v;
        return true;
    }
    return show_ != nullptr && show_->read(field, value);
}

void SettingValueStore::write(const SettingField& field, int value)
{
    if (control(field.control) != nullptr)
        set(field.control, value);
    else if (show_ != nullptr)
        show_->write(field, value);
}

std::optional<int> SettingValueStore::value(std::string_view name) const
{
    const auto found = values_.find(name);
    if (found == values_.end())
        return std::nullopt;
    return found->second;
}

void SettingValueStore::set(std::string_view name, int value)
{
    const BowlControl* c = control(name);
    if (c == nullptr)
        return;
    if (c->kind == BowlControl::Check)
        value = value != 0 ? 1 : 0;
    else if (c->kind == BowlControl::Bar)
        value = std::clamp(value, c->minimum, c->maximum);
    int& held = values_.find(name)->second;
    if (held == value)
        return;
    held = value;
    if (c->kind == BowlControl::Bar)
        changed(name);
}

void SettingValueStore::changed(std::string_view name)
{
    // The backdrop's two sizes move together while "Вместе" is checked, each
    // bar's handling setting the other, as the tab's own handlers do.
    const bool together = value("CheckBoxTgPodloga").value_or(0) != 0;
    if (name == "ScrollBarX") {
        if (together)
            set("ScrollBary", *value("ScrollBarX"));
        state_.BackdropHalfW = *value("ScrollBarX");
    } else if (name == "ScrollBary") {
        if (together)
            set("ScrollBarX", *value("ScrollBary"));
        state_.BackdropHalfH = *value("ScrollBary");
    } else if (name == "ScrollBarRotField") {
        // A new spin starts from the level view.
        state_.ViewAngleZ = 0;
        state_.ViewAngleX = 0;
    }
}

SceneSettings SettingValueStore::sceneSettings() const
{
    return sceneSettingsFrom([this](std::string_view name) { return value(name); });
}

} // namespace pluviane
