#include "ImmediateReference.h"

#include "model/Random.h"
#include "render/Palette.h"
#include "render/gl/SceneRenderer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

namespace pluviane::test {

ImmediateReference::ImmediateReference() : quadric_(gluNewQuadric()) {}

ImmediateReference::~ImmediateReference()
{
    gluDeleteQuadric(quadric_);
}

void ImmediateReference::drawSplash(const FountainState& state, RandomSource& random)
{
    glPointSize(3);
    glBegin(GL_POINTS);
    for (int i = 0; i < 11; ++i) {
        const float ra = random.nextFloat();
        const float rb = random.nextFloat();
        glVertex3f(state.StrandPoint[0] + rb - 0.5f, state.StrandPoint[1],
                   state.StrandPoint[2] + ra - 0.5f);
    }
    glEnd();
}

void ImmediateReference::drawStrand(FountainState& state, RandomSource& random, int k, int group)
{
    const int n = state.JetFoam[k];
    const int h = state.JetShape[k][1];
    const int t = state.JetShape[k][2];
    const int level = (group >= 1 && group <= 16) ? state.GroupLevel[group] : 0;
    const float v = level / 255.0f;

    glColor3f(0.5f, 0.5f, 0.1f);
    glPushMatrix();
    glTranslatef(0, 1, 0);
    glRotatef(-90, 1, 0, 0);
    gluCylinder(quadric_, n / 50.0 + 0.02, n / 50.0 + 0.02, 0.5, 7, 1);
    glPopMatrix();

    glColor3f(state.GroupColour[group][0] / 255.0f, state.GroupColour[group][1] / 255.0f,
              state.GroupColour[group][2] / 255.0f);
    const int m = std::max((21 - n) / 2, 1);
    const float px = (random.nextFloat() - 0.5f) / m;
    const float pz = (random.nextFloat() - 0.5f) / m;
    float p[3] = {px, 1, pz};
    float q[3] = {0, 0, 0};
    glBegin(GL_LINE_STRIP);
    for (int j = 0; j <= 20; ++j) {
        glVertex3f(p[0], p[1], p[2]);
        const float rx = random.nextFloat();
        const float ry = random.nextFloat();
        const float rz = random.nextFloat();
        q[0] = v * ((rx - 0.5f) / m);
        q[1] = v * ((ry - 0.5f) / m + h * state.JetProfile[j] / 50.0f) + 1;
        q[2] = v * ((rz - 0.5f) / m + (j / 5.0f) * t / 10.0f);
        glVertex3f(q[0], q[1], q[2]);
        std::copy(q, q + 3, p);
    }
    glEnd();
    state.StrandPoint = {q[0], q[1], q[2]};
    if (level > 3 && h > 3)
        drawSplash(state, random);
}

void ImmediateReference::drawJets(FountainState& state, RandomSource& random)
{
    glEnable(GL_BLEND);
    for (int k = 0; k <= 250; ++k) {
        const int g = state.JetGroup[k];
        if (g == 0)
            continue;
        glPushMatrix();
        glTranslatef(0, 0, 0); // the first shift, fed zero
        glRotatef(2.0f * state.JetOrbit[k], 0, 1, 0);
        glLineWidth(1);
        glPushMatrix();
        glTranslatef((state.JetPos[k][1] - 100) / 5.0f, state.JetPos[k][3] / 5.0f,
                     (state.JetPos[k][2] - 100) / 5.0f);
        glRotatef(2.0f * state.JetShape[k][3], 0, 1, 0);
        for (int s = 0; s < state.JetFoam[k]; ++s)
            drawStrand(state, random, k, g);
        glPopMatrix();
        glPopMatrix();
    }
    glDisable(GL_BLEND);
}

void ImmediateReference::colorTurn(FountainState& state, int index)
{
    if (static_cast<unsigned>(index) < 16)
        state.DrawColour = kBowlPalette[index];
    glColor3fv(state.DrawColour.data());
}

void ImmediateReference::drawCup(FountainState& state, const SceneSettings& s)
{
    const int S = s.cupCorners;
    const float A = static_cast<float>(s.cupTurn);
    const double W = s.cupWidth / 10.0;
    const double T = s.cupWall / 10.0;
    const double H = s.cupDepth / 10.0;
    auto upright = [&](double y) {
        glPushMatrix();
        glTranslatef(0, static_cast<float>(y), 0);
        glRotatef(-90, 1, 0, 0);
        glRotatef(A, 0, 0, 1);
    };

    colorTurn(state, s.colourBottom);
    glEnable(GL_COLOR_MATERIAL);
    upright(0.1);
    gluDisk(quadric_, 0, W - 0.1, S, 1);
    glPopMatrix();
    colorTurn(state, s.colourTop);
    upright(H + 0.1);
    gluDisk(quadric_, W - T, W, S, 1);
    glPopMatrix();
    colorTurn(state, s.colourOuter);
    upright(0.1);
    gluCylinder(quadric_, W, W, H, S, 1);
    glPopMatrix();
    colorTurn(state, s.colourInner);
    upright(0.1);
    gluCylinder(quadric_, (s.cupWidth - s.cupWall) / 10.0, (s.cupWidth - s.cupWall) / 10.0, H, S,
                1);
    glPopMatrix();
    glDisable(GL_COLOR_MATERIAL);
}

void ImmediateReference::drawFrame(FountainState& state, const SceneSettings& s,
                                   RandomSource& random)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    if (s.backdrop)
        drawBackdrop(state, s); // one quad: the same call in both renderers

    glTranslatef(static_cast<float>(state.ViewPanX), static_cast<float>(state.ViewPanY),
                 static_cast<float>(s.zoom - 150));
    glRotatef(static_cast<float>(state.ViewAngleY - 90), 0, 1, 0);
    glRotatef(static_cast<float>(state.ViewAngleZ), 0, 0, 1);
    glRotatef(static_cast<float>(state.ViewAngleX), 1, 0, 0);

    drawJets(state, random);
    glDisable(GL_LIGHTING);
    if (s.cup)
        drawCup(state, s);

    glLineWidth(1);
    glColor3f(0.7f, 0.7f, 0.7f);
    const bool planes[3] = {s.gridXY, s.gridYZ, s.gridXZ};
    for (int plane = 0; plane < 3; ++plane) {
        if (!planes[plane])
            continue;
        glBegin(GL_LINES);
        for (int i = -20; i <= 20; ++i) {
            const auto f = static_cast<float>(i);
            if (plane == 0) {
                glVertex3f(-20, f, 0); glVertex3f(20, f, 0);
                glVertex3f(f, -20, 0); glVertex3f(f, 20, 0);
            } else if (plane == 1) {
                glVertex3f(0, -20, f); glVertex3f(0, 20, f);
                glVertex3f(0, f, -20); glVertex3f(0, f, 20);
            } else {
                glVertex3f(-20, 0, f); glVertex3f(20, 0, f);
                glVertex3f(f, 0, -20); glVertex3f(f, 0, 20);
            }
        }
        glEnd();
    }

    glLineWidth(3);
    if (s.axisX) {
        glColor3f(1, 0, 0);
        glBegin(GL_LINES); glVertex3f(-100, 0, 0); glVertex3f(100, 0, 0); glEnd();
    }
    if (s.axisY) {
        glColor3f(0, 1, 0);
        glBegin(GL_LINES); glVertex3f(0, -100, 0); glVertex3f(0, 100, 0); glEnd();
    }
    if (s.axisZ) {
        glColor3f(0, 0, 1);
        glBegin(GL_LINES); glVertex3f(0, 0, -100); glVertex3f(0, 0, 100); glEnd();
    }
}

} // namespace pluviane::test
