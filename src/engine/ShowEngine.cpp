#include "engine/ShowEngine.h"

#include <string>

namespace pluviane {

std::optional<ShowSetting> showSettingNamed(std::string_view name)
{
    struct Named {
        std::string_view name;
        ShowValue what;
    };
    static constexpr Named kNamed[] = {
        {"ScrollBarMaxScen", ShowValue::SceneCount}, {"ScrollBarMaxForm", ShowValue::FormCount},
        {"ScrollBarColored", ShowValue::Saturation}, {"ScrollBarKolvIspGr", ShowValue::ColourStep},
        {"ScrollBarSpSm", ShowValue::FormStep},      {"ScrollBarLen", ShowValue::FormLength},
        {"ScrollBaruhgkjhgg", ShowValue::SceneLength},
    };
    for (const Named& named : kNamed)
        if (named.name == name)
            return ShowSetting{named.what};
    // The level faders: the first one's name carries a leading zero.
    constexpr std::string_view kLevel = "ScrollBarGroup";
    if (name.substr(0, kLevel.size()) != kLevel)
        return std::nullopt;
    const std::string digits(name.substr(kLevel.size()));
    const bool number = !digits.empty() && digits.size() <= 2 &&
                        digits.find_first_not_of("0123456789") == std::string::npos;
    const int group = number ? std::stoi(digits) : 0;
    if (group < 1 || group > kFaderGroups || (group == 1) != (digits == "01"))
        return std::nullopt;
    return ShowSetting{ShowValue::Level, group};
}

} // namespace pluviane
