#pragma once

namespace pluviane {

// The GLSL programs of the realistic look, in GLSL 1.20 on the
// compatibility profile: they read the fixed-function arrays (vertex,
// normal, colour, texture coordinate) and matrices, so the same code runs on
// Mesa's software rasteriser and on a GPU.
struct WaterPrograms {
    unsigned streams = 0;    // stream ribbons seen directly
    unsigned reflection = 0; // the same ribbons mirrored in the bowl's water
    unsigned sprites = 0;    // droplets, mist and glows as point sprites
    unsigned surface = 0;    // the water in the bowl
    unsigned ground = 0;     // the paving round the bowl
    unsigned solid = 0;      // the bowl and nozzles, lit and shaded

    // Compiles and links all of them in the current context; false when any fails.
    bool build();
    void release();
    bool ready() const { return solid != 0; }
};

// The location of a uniform of `program`, -1 when it has none.
int uniformOf(unsigned program, const char* name);

} // namespace pluviane
