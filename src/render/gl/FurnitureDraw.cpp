#include "render/gl/FurnitureDraw.h"

#include <GL/gl.h>

namespace pluviane {

void ColorTurn(FountainState& state, int index)
{
    glColor3fv(turnDrawColour(state.DrawColour, index).data());
}

void drav_Cup(FountainState& state, BowlGeometry& geometry, int S, int A, int W, int T, int H,
              int bottom, int top, int outer, int inner)
{
    geometry.build(BowlShape{S, A, W, T, H}, BowlColours{bottom, top, outer, inner},
                   state.DrawColour);

    glEnable(GL_COLOR_MATERIAL);
    if (geometry.vertexCount() > 0) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, geometry.vertices());
        glColorPointer(3, GL_FLOAT, 0, geometry.colours());
        glDrawArrays(GL_TRIANGLES, 0, geometry.vertexCount());
        glDisableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
    }
    glDisable(GL_COLOR_MATERIAL);
    // The last colour chosen stays current, as after four colour choices.
    glColor3fv(state.DrawColour.data());
}

void drav_Grid(bool xy, bool yz, bool xz)
{
    glColor3f(kGridGrey, kGridGrey, kGridGrey);
    if (!xy && !yz && !xz)
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    const std::pair<bool, GridPlane> planes[] = {
        {xy, GridPlane::XY}, {yz, GridPlane::YZ}, {xz, GridPlane::XZ}};
    for (const auto& [on, plane] : planes) {
        if (!on)
            continue;
        const auto& lines = gridPlaneLines(plane);
        glVertexPointer(3, GL_FLOAT, 0, lines.data());
        glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(lines.size()));
    }
    glDisableClientState(GL_VERTEX_ARRAY);
}

void drav_Axes(bool x, bool y, bool z)
{
    if (!x && !y && !z)
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    const std::pair<bool, Axis> axes[] = {{x, Axis::X}, {y, Axis::Y}, {z, Axis::Z}};
    for (const auto& [on, axis] : axes) {
        if (!on)
            continue;
        glColor3fv(axisColour(axis).data());
        glVertexPointer(3, GL_FLOAT, 0, axisLine(axis).data());
        glDrawArrays(GL_LINES, 0, 2);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
}

} // namespace pluviane
