#include "render/gl/JetDraw.h"

#include <GL/gl.h>

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

void drawStrands(const JetGeometry& geometry)
{
    if (geometry.strandVertexCount() == 0)
        return;
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, geometry.strandVertices());
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, geometry.strandColours());
    glDrawElements(GL_LINES, geometry.strandIndexCount(), GL_UNSIGNED_INT,
                   geometry.strandIndices());
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
    glDrawArrays(GL_POINTS, 0, geometry.splashPointCount());
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void drav_Struja(FountainState& state, RandomSource& random, JetGeometry& geometry)
{
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
