#include "render/gl/SceneRenderer.h"

#include "model/Random.h"
#include "render/ViewInput.h"
#include "render/gl/FurnitureDraw.h"
#include "render/gl/JetDraw.h"
#include "render/gl/Texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace pluviane {

void SceneRenderer::init3d(const FountainState& state)
{
    glClearColor(0, 0, 0, 1);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, state.LightPos.data());
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_POINT_SMOOTH);
}

void SceneRenderer::resize(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(30.0, viewAspect(width, height), 1.0, 200.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void drawBackdrop(const FountainState& state, const SceneSettings& settings)
{
    const float b = settings.brightness / 100.0f;
    const auto W = static_cast<float>(state.BackdropHalfW);
    const auto H = static_cast<float>(state.BackdropHalfH);
    const auto D = static_cast<float>(state.BackdropDepth);

    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    oglSetTexture(state.TextureId);
    if (settings.night)
        glColor3f(0.3f, 0.3f, 0.7f);
    else
        glColor3f(b, b, b);
    glBegin(GL_QUADS);
    glTexCoord2s(0, 0); glVertex3f(-W, -H, -D);
    glTexCoord2s(1, 0); glVertex3f(W, -H, -D);
    glTexCoord2s(1, 1); glVertex3f(W, H, -D);
    glTexCoord2s(0, 1); glVertex3f(-W, H, -D);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}

void applyViewTransform(const FountainState& state, const SceneSettings& settings)
{
    glTranslatef(static_cast<float>(state.ViewPanX), static_cast<float>(state.ViewPanY),
                 static_cast<float>(settings.zoom - 150));
    glRotatef(static_cast<float>(state.ViewAngleY - 90), 0, 1, 0);
    glRotatef(static_cast<float>(state.ViewAngleZ), 0, 0, 1);
    glRotatef(static_cast<float>(state.ViewAngleX), 1, 0, 0);
}

void SceneRenderer::releaseGl()
{
    water_.release();
}

void SceneRenderer::drawFrame(FountainState& state, const SceneSettings& settings)
{
    if (settings.look == Look::Realistic && water_.available()) {
        const double ticked = static_cast<double>(realisticFrames_++) * kSecondsPerFrame;
        water_.drawFrame(state, settings, jets_, bowl_, processRandom(),
                         settings.waterSeconds >= 0 ? settings.waterSeconds : ticked);
        return;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    if (settings.backdrop)
        drawBackdrop(state, settings);

    applyViewTransform(state, settings);

    drav_Struja(state, processRandom(), jets_);

    // Lighting stays off from here on: after the first frame everything is drawn
    // in its plain colours.
    glDisable(GL_LIGHTING);

    if (settings.cup)
        drav_Cup(state, bowl_, settings.cupCorners, settings.cupTurn, settings.cupWidth,
                 settings.cupWall, settings.cupDepth, settings.colourBottom, settings.colourTop,
                 settings.colourOuter, settings.colourInner);

    glLineWidth(1);
    drav_Grid(settings.gridXY, settings.gridYZ, settings.gridXZ);
    glLineWidth(3);
    drav_Axes(settings.axisX, settings.axisY, settings.axisZ);
}

} // namespace pluviane
