#include "engine/ShowSettingControls.h"

#include "engine/ShowEngine.h"

namespace pluviane {

bool ShowSettingControls::read(const SettingField& field, int& value) const
{
    const std::optional<ShowSetting> setting = showSettingNamed(field.control);
    if (!setting)
        return false;
    value = show_.value(setting->what, setting->group);
    return true;
}

void ShowSettingControls::write(const SettingField& field, int value)
{
    if (const std::optional<ShowSetting> setting = showSettingNamed(field.control))
        show_.setValue(setting->what, setting->group, value);
}

} // namespace pluviane
