#include "render/gl/JetDraw.h"

#include <GL/gl.h>

#include <algorithm>

namespace pluviane {

namespace {

// Lighting is on only in the first frame. Then the bodies need the quadric's
// normals, and the strands the normal the quadric leaves behind: its last one,
// the nozzle frame's (0, 1, 0), which the turns about y leave unchanged.
void drawBodies(const JetGeometry& geometry, bool lit)
{
    if (geometry.bodyVertexCount() == 0)
        return;
    glVertexPointer(3, GL_FLOAT, 0, geometry.bodyVertices());
    if (lit) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, geometry.bodyNormals());
    }
    glColor3f(0.5f, 0.5f, 0.1f);
    glDrawArrays(GL_TRIANGLES, 0, geometry.bodyVertexCount());
    if (lit) {
        glDisableClientState(GL_NORMAL_ARRAY);
        glNormal3f(0, 1, 0);
    }
}

// Strands per batch. A software rasteriser starts on a batch once it is
// flushed, while the next one is still being transformed and binned; a
// hardware one takes the few extra submissions in its stride.
constexpr int kStrandsPerBatch = 400;

void drawStrands(const JetGeometry& geometry)
{
    const int indices = geometry.strandIndexCount();
    if (indices == 0)
        return;
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, geometry.strandVertices());
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, geometry.strandColours());
    constexpr int batch = kStrandsPerBatch * JetGeometry::kStrandIndices;
    for (int first = 0; first < indices; first += batch) {
        glDrawElements(GL_LINES, std::min(batch, indices - first), GL_UNSIGNED_INT,
                       geometry.strandIndices() + first);
        glFlush();
    }
    glDisableClientState(GL_COLOR_ARRAY);
}

} // namespace

void drav_BuranS(const JetGeometry& geometry)
{
    if (geometry.splashPointCount() == 0)
        return;
    glPointSize(3);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, geometry.splashPoints());
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, geometry.splashColours());
    constexpr int batch = kStrandsPerBatch * JetGeometry::kSplashPoints;
    const int points = geometry.splashPointCount();
    for (int first = 0; first < points; first += batch) {
        glDrawArrays(GL_POINTS, first, std::min(batch, points - first));
        glFlush();
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void drav_Struja(FountainState& state, RandomSource& random, JetGeometry& geometry)
{
    // What is drawn so far (the backdrop) goes to the rasteriser while the
    // jets are computed.
    glFlush();
    geometry.build(state, random);

    if (geometry.anyNozzle())
        glLineWidth(1);
    const bool lit = glIsEnabled(GL_LIGHTING) == GL_TRUE;
    // Every jet colour is opaque, so blending changes only the smoothed edges of
    // the splash points; bodies and strands are drawn without it, which the
    // software rasteriser does faster for the same pixels.
    glDisable(GL_BLEND);
    glEnableClientState(GL_VERTEX_ARRAY);
    drawBodies(geometry, lit);
    drawStrands(geometry);
    glDisableClientState(GL_VERTEX_ARRAY);
    // Splashes last: their smoothed edges blend over what lies behind them.
    glEnable(GL_BLEND);
    drav_BuranS(geometry);
    glDisable(GL_BLEND);
}

} // namespace pluviane
