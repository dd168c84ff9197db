#include "engine/ShowControls.h"

#include "model/FountainState.h"

#include <climits>

namespace pluviane {

ShowRange showRange(ShowValue what)
{
    switch (what) {
    case ShowValue::FormNumber:
    case ShowValue::SceneNumber:
    case ShowValue::FormShown:
    case ShowValue::SceneShown:
        return {1, 255};
    case ShowValue::FormCount:
    case ShowValue::SceneCount:
        return {3, 255};
    case ShowValue::FormStep:
        return {1, 50};
    case ShowValue::ColourStep:
        return {1, 10};
    case ShowValue::FormLength:
    case ShowValue::SceneLength:
        return {10, 300};
    case ShowValue::FormTicks:
    case ShowValue::SceneTicks:
        return {INT_MIN, INT_MAX};
    case ShowValue::FormPlay:
    case ShowValue::FormStop:
    case ShowValue::ColourPlay:
    case ShowValue::ColourStop:
        return {0, 1};
    default:
        return {0, 255};
    }
}

int showDefault(ShowValue what)
{
    switch (what) {
    case ShowValue::FormNumber:
    case ShowValue::SceneNumber:
    case ShowValue::FormShown:
    case ShowValue::SceneShown:
    case ShowValue::FormStep:
    case ShowValue::ColourStep:
    case ShowValue::FormTicks:
    case ShowValue::SceneTicks:
    case ShowValue::FormStop:
    case ShowValue::ColourStop:
        return 1;
    case ShowValue::FormCount:
    case ShowValue::SceneCount:
        return 3;
    case ShowValue::FormLength:
    case ShowValue::SceneLength:
        return 50;
    case ShowValue::FormPlay:
    case ShowValue::ColourPlay:
        return 0;
    default:
        return 255;
    }
}

bool perGroup(ShowValue what)
{
    switch (what) {
    case ShowValue::Pressure:
    case ShowValue::RiseRate:
    case ShowValue::SceneColour:
    case ShowValue::Level:
    case ShowValue::ColourFader:
        return true;
    default:
        return false;
    }
}

} // namespace pluviane
