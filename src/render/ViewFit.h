#pragma once

#include "model/FountainState.h"
#include "render/BowlGeometry.h"
#include "render/SceneVertex.h"

#include <vector>

namespace pluviane {

// The points that must stay in the picture: the bowl's corners at its foot
// and rim (when it is shown) and every bound jet's path at full level, the
// scatter's reach added, so the framing holds for the whole of a show.
std::vector<Vec3f> sceneOutline(const FountainState& state, const BowlShape& bowl, bool cup);

struct ViewAngles {
    double y = 0; // ViewAngleY
    double z = 0; // ViewAngleZ
    double x = 0; // ViewAngleX
};

// Where the view moves and how far the scene is pushed so that all points
// fit the picture. `zoom` is the zoom bar's position (0..150).
struct ViewFit {
    double panX = 0;
    double panY = 0;
    int zoom = 85;
};

// The closest zoom whose picture holds every point (seen at each of `angles`,
// as when the field spins) with a small margin, and the pan that centres
// them; the farthest zoom when even that is not enough.
ViewFit fitView(const std::vector<Vec3f>& points, const std::vector<ViewAngles>& angles, double aspect);

} // namespace pluviane
