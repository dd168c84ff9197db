#pragma once

#include "model/FountainState.h"

namespace pluviane {

// Collector shapes in the order of the builder's shape choice.
enum CollectorShape : int {
    ShapeLine = 0,
    ShapeTriangle = 1,
    ShapeSquare = 2,
    ShapeCircle = 3,
    ShapeSpiral = 4,
};

// The group builder's settings: the positions of its controls.
struct GroupParams {
    int start = 16;         // first nozzle
    int count = 3;          // number of nozzles
    int group = 1;          // group number 1..16
    int shape = ShapeCircle;
    int size = 100;         // extent along x, in position units
    int proportion = 100;   // extent along z as a percentage of the size
    int centreX = 100;
    int centreZ = 100;
    int groupRotation = 0;  // about the bowl centre, two degrees per step
    int jetRotation = 0;    // about each outlet, two degrees per step
    int height = 100;
    int tilt = 10;
    int foam = 3;
    int extra = 100;        // circle: percent of the full turn; spiral: angle factor
};

struct SinusOffset {
    int dx = 0;
    int dz = 0;
};

// Offsets of the point at `angle` degrees on an ellipse of diameters ra and rb,
// truncated toward zero.
SinusOffset Sinus(int angle, int ra, int rb);

// The count a shape can lay out evenly: the square takes whole sides of four,
// the triangle of three, and neither fewer than one nozzle per side. Other
// shapes take any count.
int collectorCount(int shape, int count);

// Binds and shapes nozzles start .. start + count - 1 to the group, places them
// on the collector and clears the height offset (JetPos bytes 0 and 3) of every
// nozzle. Positions and spins wrap to one byte. Nozzles above 255 are skipped.
void layOutGroup(FountainState& state, const GroupParams& params);

// Releases every nozzle bound to `group`.
void releaseGroup(FountainState& state, int group);

// The recipe row of a group: groups 15 and 16 share row 15.
int recipeRow(int group);

// Writes the recipe columns of the group's row; the unused columns keep their bytes.
void saveRecipe(FountainState& state, const GroupParams& params);

// Whether the group's recipe row was ever written: a written row has a count of two or more.
bool hasRecipe(const FountainState& state, int group);

// The settings stored in the group's recipe row (the extra function is not stored
// and keeps its default).
GroupParams recipeOf(const FountainState& state, int group);

// Which group numbers 1..16 own at least one nozzle.
std::array<bool, kMaxGroup + 1> groupsInUse(const FountainState& state);

} // namespace pluviane
