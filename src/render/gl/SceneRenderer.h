#pragma once

#include "model/FountainState.h"
#include "render/BowlGeometry.h"
#include "render/JetGeometry.h"
#include "render/SceneSettings.h"

struct GLUquadric;

namespace pluviane {

// Draws the whole scene into the current OpenGL context: backdrop, jets,
// bowl, grid planes and axes. Owns the one quadric that every cylinder and
// disk is drawn with.
class SceneRenderer {
public:
    SceneRenderer() = default;
    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;
    ~SceneRenderer();

    // The fixed OpenGL state: clear colour, depth test, light 0, blending, quadric.
    void init3d(const FountainState& state);

    // Viewport and a 30 degree perspective for a client area of this size.
    void resize(int width, int height);

    // One frame, from the state and the editor's settings.
    void drawFrame(FountainState& state, const SceneSettings& settings);

    // Releases the quadric; the context must be current.
    void release();

    GLUquadric* quadric() const { return quadric_; }

private:
    void drawBackdrop(const FountainState& state, const SceneSettings& settings);

    GLUquadric* quadric_ = nullptr;
    JetGeometry jets_;  // reused from tick to tick
    BowlGeometry bowl_;
};

} // namespace pluviane
