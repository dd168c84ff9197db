#pragma once

#include "model/FountainState.h"
#include "render/BowlGeometry.h"
#include "render/JetGeometry.h"
#include "render/SceneSettings.h"
#include "render/gl/WaterDraw.h"

namespace pluviane {

// The backdrop picture as one textured quad fixed behind the scene, tinted by the
// brightness or the night colour. Drawn before the view transform.
void drawBackdrop(const FountainState& state, const SceneSettings& settings);

// The view transform of a tick: pan and zoom, then the three view angles.
void applyViewTransform(const FountainState& state, const SceneSettings& settings);

// Draws the whole scene into the current OpenGL context: backdrop, jets,
// bowl, grid planes and axes. The jets and the bowl are computed on the CPU
// into buffers kept from frame to frame and drawn from vertex arrays.
class SceneRenderer {
public:
    SceneRenderer() = default;
    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;

    // The fixed OpenGL state: clear colour, depth test, light 0, blending.
    void init3d(const FountainState& state);

    // Viewport and a 30 degree perspective for a client area of this size.
    void resize(int width, int height);

    // One frame, from the state and the editor's settings, in the look they ask for.
    void drawFrame(FountainState& state, const SceneSettings& settings);

    // Frees what the realistic look made in the context, which must be current.
    void releaseGl();

    // One frame of the realistic look moves its ripples on by one render tick,
    // unless the settings give the water's clock.
    static constexpr double kSecondsPerFrame = 0.05;

private:
    JetGeometry jets_;  // reused from tick to tick
    BowlGeometry bowl_;
    WaterLookRenderer water_;
    long long realisticFrames_ = 0;
};

} // namespace pluviane
