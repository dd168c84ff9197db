#include "model/GroupBuilder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pluviane {

namespace {

Byte wrap(int value)
{
    return static_cast<Byte>(value & 0xFF);
}

// A spin past a half turn of steps comes back by one half turn, then keeps a byte.
Byte reduceSpin(int spin)
{
    if (spin >= 180)
        spin -= 180;
    return wrap(spin);
}

bool isNozzle(int k)
{
    return k >= 0 && k < kNozzleCount;
}

void place(FountainState& s, int k, int x, int z, int spin)
{
    if (!isNozzle(k))
        return;
    s.JetPos[k][1] = wrap(x);
    s.JetPos[k][2] = wrap(z);
    s.JetShape[k][3] = reduceSpin(spin);
}

// Spacing of n nozzles along a length, in 1/256 position units, and the offset of
// the m-th one from the start: each nozzle sits in the middle of its slot.
int collectorStep(int length, int n)
{
    return (256 * length) / n - 1;
}

int slotOffset(int m, int step)
{
    return (m * step + step / 2) / 256;
}

void layLine(FountainState& s, const GroupParams& p)
{
    const int half = p.size / 2;
    const int step = collectorStep(p.size, p.count);
    for (int m = 0; m < p.count; ++m)
        place(s, p.start + m, p.centreX - half + slotOffset(m, step), p.centreZ, p.jetRotation);
}

void laySquare(FountainState& s, const GroupParams& p)
{
    const int half = p.size / 2;
    const int halfQ = p.size * p.proportion / 100 / 2;
    const int q = p.count / 4;
    if (q == 0)
        return;
    // One spacing for all four sides, also for those running along z.
    const int step = collectorStep(p.size, q);
    const int sx = p.centreX;
    const int sz = p.centreZ;
    const int rs = p.jetRotation;
    for (int m = 0; m < q; ++m) {
        const int off = slotOffset(m, step);
        place(s, p.start + m, sx - half, sz - halfQ + off, rs + 45);
        place(s, p.start + q + m, sx - half + off, sz + halfQ, rs + 90);
        place(s, p.start + 2 * q + m, sx + half, sz - halfQ + off, rs + 135);
        place(s, p.start + 3 * q + m, sx - half + off, sz - halfQ, rs);
    }
}

// An equilateral triangle of side `size` (squashed along z by the proportion)
// whose corners lie on the circle layout's ellipse at 0, 120 and 240 degrees.
// Each side starts at its corner; its jets are spun like a circle's jets at
// the middle of that side.
void layTriangle(FountainState& s, const GroupParams& p)
{
    const int q = p.count / 3;
    if (q == 0)
        return;
    // Circumscribed diameter of an equilateral triangle: side x 2 / sqrt(3).
    const int diameter = p.size * 1155 / 1000;
    const int diameterQ = diameter * p.proportion / 100;
    int cornerX[3];
    int cornerZ[3];
    for (int i = 0; i < 3; ++i) {
        const SinusOffset d = Sinus(120 * i, diameter, diameterQ);
        cornerX[i] = p.centreX - d.dx;
        cornerZ[i] = p.centreZ - d.dz;
    }
    for (int side = 0; side < 3; ++side) {
        const int next = (side + 1) % 3;
        const int runX = cornerX[next] - cornerX[side];
        const int runZ = cornerZ[next] - cornerZ[side];
        const int spin = p.jetRotation + 30 + 60 * side;
        for (int m = 0; m < q; ++m)
            place(s, p.start + side * q + m, cornerX[side] + runX * m / q,
                  cornerZ[side] + runZ * m / q, spin);
    }
}

// Angles are kept in 1/256 degree.
void layCircle(FountainState& s, const GroupParams& p)
{
    const int ra = p.size;
    const int rb = p.size * p.proportion / 100;
    const int step = 92160 / p.count * p.extra / 100;
    int a = 0;
    for (int m = 0; m < p.count; ++m) {
        const SinusOffset d = Sinus(a / 256, ra, rb);
        place(s, p.start + m, p.centreX - d.dx, p.centreZ - d.dz, p.jetRotation + a / 512);
        a += step;
    }
}

void laySpiral(FountainState& s, const GroupParams& p)
{
    const int shrink = (p.size * 1000) / (p.count * 700);
    const int step = (2560 * p.extra) / p.count;
    int a = 0;
    int r1 = p.size;
    int r2 = p.size * p.proportion / 100;
    for (int m = 0; m < p.count; ++m) {
        const SinusOffset d = Sinus(a / 256, r1, r2);
        place(s, p.start + m, p.centreX - d.dx, p.centreZ - d.dz, p.jetRotation + a / 512);
        a += step;
        r1 -= shrink;
        r2 -= shrink;
    }
}

} // namespace

SinusOffset Sinus(int angle, int ra, int rb)
{
    const long double theta = angle * std::numbers::pi_v<long double> / 180.0L;
    const auto dx = static_cast<long long>(std::ceil(std::sin(theta) * 256.0L * ra / 2.0L));
    const auto dz = static_cast<long long>(std::ceil(std::cos(theta) * 256.0L * rb / 2.0L));
    return {static_cast<int>(dx / 256), static_cast<int>(dz / 256)};
}

int collectorCount(int shape, int count)
{
    int sides = 0;
    if (shape == ShapeSquare)
        sides = 4;
    else if (shape == ShapeTriangle)
        sides = 3;
    else
        return count;
    if (count >= sides && count % sides != 0)
        count -= count % sides;
    return std::max(count, sides);
}

void layOutGroup(FountainState& s, const GroupParams& p)
{
    for (int k = p.start; k < p.start + p.count; ++k) {
        if (!isNozzle(k))
            continue;
        s.JetFoam[k] = wrap(p.foam);
        s.JetShape[k][1] = wrap(p.height);
        s.JetShape[k][2] = wrap(p.tilt);
        s.JetGroup[k] = wrap(p.group);
        s.JetOrbit[k] = wrap(p.groupRotation);
    }
    const int g = p.group & 0xFF;
    s.GroupShiftX[g] = wrap(p.centreX);
    s.GroupShiftZ[g] = wrap(p.centreZ);

    if (p.count > 0) {
        switch (p.shape) {
        case ShapeLine: layLine(s, p); break;
        case ShapeTriangle: layTriangle(s, p); break;
        case ShapeSquare: laySquare(s, p); break;
        case ShapeCircle: layCircle(s, p); break;
        case ShapeSpiral: laySpiral(s, p); break;
        default: break;
        }
    }

    // A build also drops every height offset the single-jet editor gave.
    for (auto& pos : s.JetPos) {
        pos[0] = 0;
        pos[3] = 0;
    }
}

void releaseGroup(FountainState& s, int group)
{
    for (Byte& g : s.JetGroup)
        if (g == group)
            g = 0;
}

int recipeRow(int group)
{
    return std::clamp(group, 0, 15);
}

void saveRecipe(FountainState& s, const GroupParams& p)
{
    auto& row = s.GroupRecipe[recipeRow(p.group)];
    row[1] = wrap(p.start);
    row[2] = wrap(p.count);
    row[4] = wrap(p.size);
    row[5] = wrap(p.proportion);
    row[6] = wrap(p.centreX);
    row[7] = wrap(p.centreZ);
    row[8] = wrap(p.groupRotation);
    row[9] = wrap(p.jetRotation);
    row[10] = wrap(p.height);
    row[11] = wrap(p.tilt);
    row[12] = wrap(p.foam);
    row[14] = wrap(p.shape);
}

bool hasRecipe(const FountainState& s, int group)
{
    return s.GroupRecipe[recipeRow(group)][2] != 0;
}

GroupParams recipeOf(const FountainState& s, int group)
{
    const int r = recipeRow(group);
    const auto& row = s.GroupRecipe[r];
    GroupParams p;
    p.group = r;
    p.start = row[1];
    p.count = row[2];
    p.size = row[4];
    p.proportion = row[5];
    p.centreX = row[6];
    p.centreZ = row[7];
    p.groupRotation = row[8];
    p.jetRotation = row[9];
    p.height = row[10];
    p.tilt = row[11];
    p.foam = row[12];
    p.shape = row[14];
    return p;
}

std::array<bool, kMaxGroup + 1> groupsInUse(const FountainState& s)
{
    std::array<bool, kMaxGroup + 1> used{};
    for (Byte g : s.JetGroup)
        if (g >= 1 && g <= kMaxGroup)
            used[g] = true;
    return used;
}

} // namespace pluviane
