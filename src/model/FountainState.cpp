#include "model/FountainState.h"

#include "model/Random.h"
#include "model/SaveBuffer.h"

#include <cmath>

namespace pluviane {

FountainState& fountain()
{
    static FountainState state;
    return state;
}

namespace {

Byte randomPosition(RandomSource& random)
{
    return static_cast<Byte>(30 + static_cast<int>(std::ceil(120.0 * random.next())));
}

// Jets, levels and colours as a new fountain has them; positions are left alone.
void fillStartTables(FountainState& s)
{
    for (int i = 0; i < kNozzleCount; ++i) {
        s.JetFill[i] = 30;
        s.JetFoam[i] = 5;
        s.JetGroup[i] = 0;
        s.JetShape[i][1] = 50;
        s.JetShape[i][2] = 70;
        s.JetShape[i][3] = 90;
        s.GroupLevel[i] = 255;
        s.JetOrbit[i] = 0;
    }
    for (auto& colour : s.GroupColour)
        colour = {250, 250, 250, 200};
}

} // namespace

void setStartValues(FountainState& s, RandomSource& random)
{
    s.ViewAngleY = s.ViewAngleZ = s.ViewAngleX = s.ViewPanX = 0;
    s.DragPan = s.DragRotate = false;
    s.ViewPanY = -12.0;
    s.LightPos = {-0.9f, -0.9f, -0.9f, -0.9f};
    s.SaveBuffer.fill(0);

    for (int k = 0; k < kProfilePoints; ++k) {
        const double d = k - 10;
        s.JetProfile[k] = static_cast<float>(-1.0 * (d * d / 10.0 - 10.0));
    }

    fillStartTables(s);

    // The start layout draws all first components, then all second ones.
    for (auto& pos : s.JetPos)
        pos[1] = randomPosition(random);
    for (auto& pos : s.JetPos)
        pos[2] = randomPosition(random);
    for (auto& pos : s.JetPos)
        pos[3] = 0;

    ToBufSave(s, s.SaveBuffer);
}

void resetToNewFountain(FountainState& s, RandomSource& random)
{
    fillStartTables(s);
    // A new fountain draws both components of one nozzle before the next.
    for (auto& pos : s.JetPos) {
        pos[1] = randomPosition(random);
        pos[2] = randomPosition(random);
        pos[3] = 0;
    }
}

int nozzleCount(const FountainState& state)
{
    int count = 0;
    for (Byte group : state.JetGroup)
        count += group != 0 ? 1 : 0;
    return count;
}

} // namespace pluviane
