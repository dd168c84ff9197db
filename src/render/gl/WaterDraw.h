#pragma once

#include "model/FountainState.h"
#include "render/BowlGeometry.h"
#include "render/JetGeometry.h"
#include "render/SceneSettings.h"
#include "render/WaterLook.h"
#include "render/gl/MultisampleTarget.h"
#include "render/gl/WaterShaders.h"

#include <vector>

namespace pluviane {

class RandomSource;

// Draws the realistic look of one frame into the current context, from the
// same jet and bowl geometry as the classic look: the lit bowl and nozzles,
// the water in the bowl with the jets reflected in it, the glow of the
// underwater lights, the translucent streams and their spray; the solid
// edges multisampled, the rest with soft edges of its own. The caller has cleared nothing and set up the projection.
class WaterLookRenderer {
public:
    // False where the look cannot be drawn (no GLSL): the classic one is drawn then.
    bool available();

    // One frame; `seconds` moves the ripples on.
    void drawFrame(FountainState& state, const SceneSettings& settings, JetGeometry& jets, BowlGeometry& bowl,
                   RandomSource& random, double seconds);

    // Frees the programs and buffers; the context must be current.
    void release();

private:
    void drawSolids(const FountainState& state, const SceneSettings& settings, const JetGeometry& jets,
                    BowlGeometry& bowl);
    // `still`: the solids are what the last frame's were.
    void drawSolidLayer(const FountainState& state, const SceneSettings& settings, const JetGeometry& jets,
                        BowlGeometry& bowl, bool still);
    // Notes what the solid layer is drawn from; true when it is what the last frame's was.
    bool solidsUnchanged(const FountainState& state, const SceneSettings& settings, const JetGeometry& jets,
                         const BowlGeometry& bowl);
    void drawBackdropUnder(const FountainState& state, const SceneSettings& settings);
    // The picture filling the frame at its own aspect, or without one a sky.
    void drawScenery(const FountainState& state, const SceneSettings& settings);
    void drawPictureFilling(const FountainState& state, const SceneSettings& settings);
    void drawSky(const SceneSettings& settings);
    void drawGround(const SceneSettings& settings);
    // The orbit about the bowl's axis, and the eye kept above the ground.
    void placeCamera(const SceneSettings& settings);
    void drawStreaks(float gain);
    void drawSolidDepth(const SceneSettings& settings, const JetGeometry& jets, const BowlGeometry& bowl);
    void drawSurface(const SceneSettings& settings, double seconds);
    void drawRibbons(unsigned program, const SceneSettings& settings, double seconds);
    void drawSprites(const std::vector<Sprite>& sprites, float softness, float gain);

    WaterPrograms programs_;
    bool tried_ = false;
    WaterStreams streams_;
    WaterSurface surface_;
    MultisampleTarget target_;
    std::vector<Vec3f> bowlNormals_;
    std::vector<unsigned char> solidKey_[2]; // the last frame's, this frame's
    int movingFrames_ = 0;    // frames in a row whose solids changed
    bool layerFresh_ = false; // the kept layer shows the last solids drawn
    float horizon_ = 0; // where the horizon lies in the frame, -1 bottom to 1 top

};

} // namespace pluviane
