#pragma once

#include "model/FountainState.h"

namespace pluviane {

// Regions of the fountain image.
constexpr std::size_t kSettingsBlockSize = 256;   // bytes 0..255
constexpr std::size_t kModelBlockBegin = 256;
constexpr std::size_t kModelBlockEnd = 21760;     // one past the last model byte

// Offsets of the model block's planes and tables.
namespace offset {
constexpr std::size_t JetPos = 0x100;          // four planes of 256
constexpr std::size_t GroupColour = 0x500;     // four planes of 256
constexpr std::size_t JetGroup = 0x900;
constexpr std::size_t JetFoam = 0xA00;
constexpr std::size_t JetFill = 0xB00;
constexpr std::size_t GroupLevel = 0xC00;
constexpr std::size_t JetOrbit = 0xD00;
constexpr std::size_t GroupShiftX = 0xE00;
constexpr std::size_t GroupShiftZ = 0xF00;
constexpr std::size_t JetShape = 0x1000;       // four planes of 256
constexpr std::size_t GroupRecipe = 0x1400;    // 16 x 16, column by column
constexpr std::size_t FormPressure = 0x1500;   // 256 x 16, row by row
constexpr std::size_t FormAccel = 0x2500;
constexpr std::size_t SpareShowTable = 0x3500;
constexpr std::size_t SceneColour = 0x4500;
} // namespace offset

// Copies the model into the model block of `buffer`; other bytes are untouched.
void ToBufSave(const FountainState& state, FountainImage& buffer);

// The exact inverse of ToBufSave.
void FromBufSave(const FountainImage& buffer, FountainState& state);

// Copies one 256 x 16 show table out of an image at the given offset.
void readShowTable(const FountainImage& buffer, std::size_t at, ShowTable& table);

} // namespace pluviane
