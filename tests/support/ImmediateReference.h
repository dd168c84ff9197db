#pragma once

#include "model/FountainState.h"
#include "render/SceneSettings.h"

struct GLUquadric;

namespace pluviane {

class RandomSource;

namespace test {

// A plain renderer of the whole frame that gives OpenGL one call per vertex,
// draws every cylinder and disk through a GLU quadric and goes strand by
// strand, body and splash included. It is the yardstick the batched renderer
// is checked and timed against: the same state, settings and random sequence
// must give the same picture.
class ImmediateReference {
public:
    ImmediateReference();
    ~ImmediateReference();
    ImmediateReference(const ImmediateReference&) = delete;
    ImmediateReference& operator=(const ImmediateReference&) = delete;

    // Draws one frame into the current context, set up as SceneRenderer::init3d
    // and resize leave it.
    void drawFrame(FountainState& state, const SceneSettings& settings, RandomSource& random);

private:
    void drawJets(FountainState& state, RandomSource& random);
    void drawStrand(FountainState& state, RandomSource& random, int k, int group);
    void drawSplash(const FountainState& state, RandomSource& random);
    void colorTurn(FountainState& state, int index);
    void drawCup(FountainState& state, const SceneSettings& settings);

    GLUquadric* quadric_ = nullptr;
};

} // namespace test
} // namespace pluviane
