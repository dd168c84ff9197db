#include "model/SaveBuffer.h"

#include <algorithm>

namespace pluviane {

namespace {

// One copy routine serves both directions, so the layout is written down once.
template <typename Image, typename State, typename Copy>
void walkModelBlock(Image& buffer, State& s, Copy copy)
{
    for (int n = 0; n < 256; ++n) {
        for (int c = 0; c < 4; ++c) {
            copy(buffer[offset::JetPos + 256 * c + n], s.JetPos[n][c]);
            copy(buffer[offset::GroupColour + 256 * c + n], s.GroupColour[n][c]);
            copy(buffer[offset::JetShape + 256 * c + n], s.JetShape[n][c]);
        }
        copy(buffer[offset::JetGroup + n], s.JetGroup[n]);
        copy(buffer[offset::JetFoam + n], s.JetFoam[n]);
        copy(buffer[offset::JetFill + n], s.JetFill[n]);
        copy(buffer[offset::GroupLevel + n], s.GroupLevel[n]);
        copy(buffer[offset::JetOrbit + n], s.JetOrbit[n]);
        copy(buffer[offset::GroupShiftX + n], s.GroupShiftX[n]);
        copy(buffer[offset::GroupShiftZ + n], s.GroupShiftZ[n]);
    }
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c)
            copy(buffer[offset::GroupRecipe + 16 * c + r], s.GroupRecipe[r][c]);
    for (int r = 0; r < kShowRows; ++r) {
        for (int c = 0; c < kShowColumns; ++c) {
            const std::size_t cell = 16 * r + c;
            copy(buffer[offset::FormPressure + cell], s.FormPressure[r][c]);
            copy(buffer[offset::FormAccel + cell], s.FormAccel[r][c]);
            copy(buffer[offset::SpareShowTable + cell], s.SpareShowTable[r][c]);
            copy(buffer[offset::SceneColour + cell], s.SceneColour[r][c]);
        }
    }
}

} // namespace

void ToBufSave(const FountainState& state, FountainImage& buffer)
{
    walkModelBlock(buffer, state, [](Byte& file, const Byte& model) { file = model; });
}

void FromBufSave(const FountainImage& buffer, FountainState& state)
{
    walkModelBlock(buffer, state, [](const Byte& file, Byte& model) { model = file; });
}

void readShowTable(const FountainImage& buffer, std::size_t at, ShowTable& table)
{
    for (int r = 0; r < kShowRows; ++r)
        std::copy_n(buffer.begin() + at + 16 * r, kShowColumns, table[r].begin());
}

} // namespace pluviane
