#include "render/ViewFit.h"

#include "render/JetGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace pluviane {

namespace {

constexpr double kFieldOfView = 30;  // degrees, vertical, as the view's perspective
constexpr double kMargin = 0.92;     // of the half picture the points may fill
constexpr double kNearest = 1.5;     // in front of the near plane at 1
constexpr double kFarthest = 190;    // short of the backdrop at 199

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

// The view's rotations as the render tick applies them: about x first, then
// z, then y (turned by -90), before the pan and the zoom.
Vec3f rotate(const Vec3f& p, const ViewAngles& a)
{
    double x = p.x, y = p.y, z = p.z;
    const double cx = std::cos(radians(a.x)), sx = std::sin(radians(a.x));
    double y1 = cx * y - sx * z, z1 = sx * y + cx * z;
    y = y1;
    z = z1;
    const double cz = std::cos(radians(a.z)), sz = std::sin(radians(a.z));
    double x1 = cz * x - sz * y;
    y1 = sz * x + cz * y;
    x = x1;
    y = y1;
    const double cy = std::cos(radians(a.y - 90)), sy = std::sin(radians(a.y - 90));
    x1 = cy * x + sy * z;
    z1 = -sy * x + cy * z;
    return {static_cast<float>(x1), static_cast<float>(y), static_cast<float>(z1)};
}

} // namespace

std::vector<Vec3f> sceneOutline(const FountainState& state, const BowlShape& bowl, bool cup)
{
    std::vector<Vec3f> points;
    if (cup && bowl.corners >= 3) {
        const double r = bowl.width / 10.0;
        for (int i = 0; i < bowl.corners; ++i) {
            const double a = 2 * std::numbers::pi * i / bowl.corners + radians(bowl.turn);
            for (const double y : {0.1, 0.1 + bowl.depth / 10.0})
                points.push_back({static_cast<float>(r * std::sin(a)), static_cast<float>(y),
                                  static_cast<float>(r * std::cos(a))});
        }
    }
    for (int k = 0; k < kDrawnNozzles; ++k) {
        if (state.JetGroup[k] == 0 || state.JetFoam[k] == 0)
            continue;
        const float reach = 0.5f / static_cast<float>(scatterDivisor(state.JetFoam[k])) + 0.5f;
        const double orbit = radians(2.0 * state.JetOrbit[k]);
        const double spin = orbit + radians(2.0 * state.JetShape[k][3]);
        const double ox = (state.JetPos[k][1] - 100) / 5.0, oz = (state.JetPos[k][2] - 100) / 5.0;
        const double baseX = std::cos(orbit) * ox + std::sin(orbit) * oz;
        const double baseZ = -std::sin(orbit) * ox + std::cos(orbit) * oz;
        const double baseY = state.JetPos[k][3] / 5.0;
        for (int j = 0; j < kProfilePoints; ++j) {
            const double rise = state.JetShape[k][1] * state.JetProfile[j] / 50.0 + 1;
            const double travel = (j / 5.0) * state.JetShape[k][2] / 10.0;
            for (const float dx : {-reach, reach})
                for (const float dy : {-reach, reach})
                    points.push_back({static_cast<float>(baseX + std::sin(spin) * travel + dx),
                                      static_cast<float>(baseY + rise + dy),
                                      static_cast<float>(baseZ + std::cos(spin) * travel + dx)});
        }
    }
    return points;
}

ViewFit fitView(const std::vector<Vec3f>& points, const std::vector<ViewAngles>& angles, double aspect)
{
    ViewFit fit;
    if (points.empty() || angles.empty() || !(aspect > 0))
        return fit;
    std::vector<Vec3f> seen;
    for (const ViewAngles& a : angles)
        for (const Vec3f& p : points)
            seen.push_back(rotate(p, a));

    const double f = 1.0 / std::tan(radians(kFieldOfView / 2));
    // At distance d a point e shows at x = f / aspect * (e.x + panX) / (d - e.z):
    // each point bounds the pan to an interval; the zoom fits when all meet.
    for (int zoom = 150; zoom >= 0; --zoom) {
        const double d = 150 - zoom;
        double loX = -std::numeric_limits<double>::infinity(), hiX = -loX;
        double loY = loX, hiY = hiX;
        bool inDepth = true;
        for (const Vec3f& e : seen) {
            const double depth = d - e.z;
            if (depth < kNearest || depth > kFarthest) {
                inDepth = false;
                break;
            }
            const double halfX = kMargin * depth * aspect / f;
            const double halfY = kMargin * depth / f;
            loX = std::max(loX, -halfX - e.x);
            hiX = std::min(hiX, halfX - e.x);
            loY = std::max(loY, -halfY - e.y);
            hiY = std::min(hiY, halfY - e.y);
        }
        const bool fits = inDepth && loX <= hiX && loY <= hiY;
        if (fits || zoom == 0) {
            fit.zoom = zoom;
            fit.panX = std::isfinite(loX + hiX) ? (loX + hiX) / 2 : 0;
            fit.panY = std::isfinite(loY + hiY) ? (loY + hiY) / 2 : 0;
            return fit;
        }
    }
    return fit;
}

} // namespace pluviane
