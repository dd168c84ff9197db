#define GL_GLEXT_PROTOTYPES
#include "render/gl/WaterDraw.h"

#include "model/Random.h"
#include "render/gl/FurnitureDraw.h"
#include "render/gl/SceneRenderer.h"
#include "render/gl/Texture.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace pluviane {

namespace {

// The light the bowl and the water see: high, from the front left of the
// three-quarter view.
const float kLight[3] = {0.33f, 0.85f, 0.41f};

// Day and night: the sky lights the bowl by day, the jets' own lights by
// night, when the pool stays dark and its reflections faint.
struct Lighting {
    float ambient, diffuse;       // the bowl, the nozzles and the ground
    float streamAmbient, streamGain;
    float deep[3], sky[3], zenith[3]; // the water, and the sky it mirrors
    float surfaceGlow;
    float reflection;
    float skyTop[3], skyHorizon[3]; // the sky behind the scene
};

constexpr Lighting kDay{0.38f, 0.72f, 0.10f, 0.95f, {0.02f, 0.07f, 0.10f}, {0.30f, 0.40f, 0.50f},
                        {0.22f, 0.34f, 0.52f}, 0.55f, 0.4f, {0.33f, 0.52f, 0.80f}, {0.74f, 0.80f, 0.86f}};
constexpr Lighting kNight{0.08f, 0.18f, 0.035f, 1.3f, {0.003f, 0.006f, 0.015f}, {0.02f, 0.025f, 0.05f},
                          {0.01f, 0.012f, 0.03f}, 0.6f, 0.3f, {0.005f, 0.008f, 0.025f}, {0.04f, 0.045f, 0.07f}};

// How far the ground reaches from the bowl's centre, scene units.
constexpr float kGroundReach = 90.0f;
// The share of the reach where the paving has faded wholly into the haze
// (the ground's shader says the same).
constexpr float kPavingFade = 0.6f;
// The eye never comes lower than this above the ground.
constexpr float kLowestEye = 1.0f;

const Lighting& lighting(const SceneSettings& settings) { return settings.night ? kNight : kDay; }

BowlShape shapeOf(const SceneSettings& s)
{
    return BowlShape{s.cupCorners, s.cupTurn, s.cupWidth, s.cupWall, s.cupDepth};
}

void setLight(unsigned program)
{
    glUniform3fv(uniformOf(program, "lightDirection"), 1, kLight);
}

// A backdrop picture fills the frame; without one the scene stands on paving under a sky.
bool showsPicture(const FountainState& state, const SceneSettings& settings)
{
    return settings.backdrop && state.TextureId != 0;
}

// The projection and view set aside while `draw` paints the whole frame in
// its own coordinates (-1..1 both ways), with no depth.
template <typename Draw>
void overTheWholeFrame(Draw draw)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    draw();
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

} // namespace

bool WaterLookRenderer::available()
{
    if (!tried_) {
        tried_ = true;
        programs_.build();
    }
    return programs_.ready();
}

void WaterLookRenderer::release()
{
    programs_.release();
    target_.release();
    tried_ = false;
}

void WaterLookRenderer::drawSolids(const FountainState& state, const SceneSettings& settings,
                                   const JetGeometry& jets, BowlGeometry& bowl)
{
    const Lighting& light = lighting(settings);
    const unsigned program = programs_.solid;
    glUseProgram(program);
    setLight(program);
    glUniform1f(uniformOf(program, "ambient"), light.ambient);
    glUniform1f(uniformOf(program, "diffuse"), light.diffuse);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    if (settings.cup && bowl.vertexCount() > 0) {
        bowlNormals(bowl.vertices(), bowl.vertexCount(), settings.cupCorners, bowlNormals_);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, bowl.vertices());
        glNormalPointer(GL_FLOAT, 0, bowlNormals_.data());
        glColorPointer(3, GL_FLOAT, 0, bowl.colours());
        glDrawArrays(GL_TRIANGLES, 0, bowl.vertexCount());
        glDisableClientState(GL_COLOR_ARRAY);
    }
    if (jets.bodyVertexCount() > 0) {
        glColor3f(0.5f, 0.5f, 0.1f);
        glVertexPointer(3, GL_FLOAT, 0, jets.bodyVertices());
        glNormalPointer(GL_FLOAT, 0, jets.bodyNormals());
        glDrawArrays(GL_TRIANGLES, 0, jets.bodyVertexCount());
    }
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    // Last: where the bowl and the nozzles stand the depth test spares the paving's shader.
    if (!showsPicture(state, settings))
        drawGround(settings);
}

void WaterLookRenderer::drawSurface(const SceneSettings& settings, double seconds)
{
    if (surface_.indexCount() == 0)
        return;
    const Lighting& light = lighting(settings);
    const unsigned program = programs_.surface;
    glUseProgram(program);
    setLight(program);
    glUniform1f(uniformOf(program, "seconds"), static_cast<float>(seconds));
    glUniform3fv(uniformOf(program, "deep"), 1, light.deep);
    glUniform3fv(uniformOf(program, "sky"), 1, light.sky);
    glUniform3fv(uniformOf(program, "zenith"), 1, light.zenith);
    glUniform1f(uniformOf(program, "glowGain"), light.surfaceGlow);
    constexpr auto stride = static_cast<GLsizei>(sizeof(WaterSurface::Vertex));
    const auto* first = surface_.vertices();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, &first->position);
    glNormalPointer(GL_FLOAT, stride, &first->normal);
    glColorPointer(4, GL_UNSIGNED_BYTE, stride, first->glow.data());
    glDrawElements(GL_TRIANGLES, surface_.indexCount(), GL_UNSIGNED_INT, surface_.indices());
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void WaterLookRenderer::drawRibbons(unsigned program, const SceneSettings& settings, double seconds)
{
    if (streams_.ribbonIndexCount() == 0)
        return;
    const Lighting& light = lighting(settings);
    glUseProgram(program);
    glUniform1f(uniformOf(program, "ambient"), light.streamAmbient);
    glUniform1f(uniformOf(program, "gain"), light.streamGain);
    glUniform1f(uniformOf(program, "seconds"), static_cast<float>(seconds));
    const bool mirrored = program == programs_.reflection;
    glUniform1f(uniformOf(program, "mirrored"), mirrored ? 1.0f : 0.0f);
    glUniform1f(uniformOf(program, "waterLevel"), surface_.waterLevel());
    if (mirrored) {
        glUniform1f(uniformOf(program, "radius"), surface_.radius());
        glUniform1f(uniformOf(program, "corners"), static_cast<float>(surface_.corners()));
        glUniform1f(uniformOf(program, "turn"), static_cast<float>(settings.cupTurn * M_PI / 180.0));
        glUniform1f(uniformOf(program, "strength"), light.reflection);
    }
    constexpr auto stride = static_cast<GLsizei>(sizeof(RibbonVertex));
    const RibbonVertex* first = streams_.ribbonVertices();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, &first->centre);
    glNormalPointer(GL_FLOAT, stride, &first->tangent);
    glTexCoordPointer(4, GL_FLOAT, stride, &first->across);
    glColorPointer(4, GL_UNSIGNED_BYTE, stride, first->colour.data());
    glDrawElements(GL_TRIANGLES, streams_.ribbonIndexCount(), GL_UNSIGNED_INT, streams_.ribbonIndices());
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void WaterLookRenderer::drawSprites(const std::vector<Sprite>& sprites, float softness, float gain)
{
    if (sprites.empty())
        return;
    const unsigned program = programs_.sprites;
    glUseProgram(program);
    GLint viewport[4] = {0, 0, 1, 1};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double focal = 1.0 / std::tan(15.0 * M_PI / 180.0); // the view's 30 degree perspective
    glUniform1f(uniformOf(program, "pixelsPerUnit"), static_cast<float>(viewport[3] * focal / 2));
    glUniform1f(uniformOf(program, "softness"), softness);
    glUniform1f(uniformOf(program, "gain"), gain);
    constexpr auto stride = static_cast<GLsizei>(sizeof(Sprite));
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, &sprites.front().centre);
    glTexCoordPointer(1, GL_FLOAT, stride, &sprites.front().size);
    glColorPointer(4, GL_UNSIGNED_BYTE, stride, sprites.front().colour.data());
    glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(sprites.size()));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void WaterLookRenderer::drawFrame(FountainState& state, const SceneSettings& settings, JetGeometry& jets,
                                  BowlGeometry& bowl, RandomSource& random, double seconds)
{
    const bool multisampled = target_.prepare();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING); // the shaders light what they draw
    applyViewTransform(state, settings);
    placeCamera(settings);

    jets.build(state, random);
    const BowlShape shape = shapeOf(settings);
    // The bowl's colour chain runs as in the classic look, shown or not.
    if (settings.cup)
        bowl.build(shape, BowlColours{settings.colourBottom, settings.colourTop, settings.colourOuter,
                                      settings.colourInner},
                   state.DrawColour);
    const float level = settings.cup ? WaterSurface::level(shape) : -1e9f;
    Floor floor;
    if (settings.cup) {
        floor.waterLevel = level;
        floor.poolRadius = (shape.width - shape.wall) / 10.0f;
    }
    streams_.build(state, jets, settings.night, level, seconds, floor);
    if (settings.cup)
        surface_.build(shape, streams_.falls(), seconds, settings.night);

    // A camera that moves every frame (an orbit, the field's spin) would
    // redraw the multisampled layer each time, at more than the cost of the
    // rest of the frame: then the solids go straight into the frame.
    const bool still = solidsUnchanged(state, settings, jets, bowl);
    movingFrames_ = still ? 0 : movingFrames_ + 1;
    const bool layered = multisampled && movingFrames_ < 2;
    if (layered) {
        drawSolidLayer(state, settings, jets, bowl, still);
    } else {
        layerFresh_ = false;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawScenery(state, settings);
        drawSolids(state, settings, jets, bowl);
    }
    if (settings.cup)
        drawSurface(settings, seconds);

    // Light and water add up; nothing translucent hides what lies behind it.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    if (settings.cup)
        drawRibbons(programs_.reflection, settings, seconds);
    glDisable(GL_POINT_SMOOTH);
    glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    glEnable(GL_POINT_SPRITE);
    const float gain = lighting(settings).streamGain;
    drawSprites(streams_.haze(), 1.0f, gain);
    drawRibbons(programs_.streams, settings, seconds);
    drawStreaks(gain);
    glDisable(GL_POINT_SPRITE);
    glDisable(GL_VERTEX_PROGRAM_POINT_SIZE);
    glEnable(GL_POINT_SMOOTH);
    glDepthMask(GL_TRUE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_BLEND);
    glUseProgram(0);
    glColor3fv(state.DrawColour.data());

    glLineWidth(1);
    drav_Grid(settings.gridXY, settings.gridYZ, settings.gridXZ);
    glLineWidth(3);
    drav_Axes(settings.axisX, settings.axisY, settings.axisZ);
    if (layered) {
        // The picture is opaque, as the classic look's.
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
        glClear(GL_COLOR_BUFFER_BIT);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    }
}

void WaterLookRenderer::drawSolidLayer(const FountainState& state, const SceneSettings& settings,
                                       const JetGeometry& jets, BowlGeometry& bowl, bool still)
{
    // Only the solid edges need the samples; the water and the light have
    // soft edges of their own and are drawn at one sample a pixel, which the
    // software rasteriser does at a fraction of the cost. The solids are drawn
    // over nothing (alpha 0) and the backdrop goes under them after the
    // resolve, by their coverage, at one sample a pixel. The two together
    // cost more than the rest of the frame, and while the view, the bowl,
    // the nozzles and the backdrop stay as they were the layer of the last
    // frame is shown again.
    if (!still || !target_.hasLayer() || !layerFresh_) {
        target_.begin();
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glClearColor(0, 0, 0, 1);
        drawSolids(state, settings, jets, bowl);
        target_.resolve();
        drawBackdropUnder(state, settings);
        layerFresh_ = true;
    }
    target_.present();
    glClear(GL_DEPTH_BUFFER_BIT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    drawSolidDepth(settings, jets, bowl);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

bool WaterLookRenderer::solidsUnchanged(const FountainState& state, const SceneSettings& settings,
                                        const JetGeometry& jets, const BowlGeometry& bowl)
{
    std::vector<unsigned char>& key = solidKey_[1];
    key.clear();
    auto add = [&key](const void* data, std::size_t bytes) {
        const auto* first = static_cast<const unsigned char*>(data);
        key.insert(key.end(), first, first + bytes);
    };
    GLfloat matrices[32];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrices);
    glGetFloatv(GL_PROJECTION_MATRIX, matrices + 16);
    add(matrices, sizeof matrices);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    add(viewport, sizeof viewport);
    const std::int32_t texture = state.TextureId;
    const std::int32_t backdrop[3] = {state.BackdropHalfW, state.BackdropHalfH, state.BackdropDepth};
    const int flags[5] = {settings.cup, settings.backdrop, settings.night, settings.brightness, texture};
    add(flags, sizeof flags);
    add(backdrop, sizeof backdrop);
    if (settings.cup) {
        add(bowl.vertices(), sizeof(Vec3f) * static_cast<std::size_t>(bowl.vertexCount()));
        add(bowl.colours(), sizeof(Rgb) * static_cast<std::size_t>(bowl.vertexCount()));
    }
    add(jets.bodyVertices(), sizeof(Vec3f) * static_cast<std::size_t>(jets.bodyVertexCount()));
    add(jets.bodyNormals(), sizeof(Vec3f) * static_cast<std::size_t>(jets.bodyVertexCount()));
    const bool same = key == solidKey_[0];
    solidKey_[0].swap(key);
    return same;
}

void WaterLookRenderer::drawBackdropUnder(const FountainState& state, const SceneSettings& settings)
{
    // The picture is drawn by the fixed pipeline: a lighting program still
    // bound would paint its quad in the plain brightness colour.
    glUseProgram(0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE_MINUS_DST_ALPHA, GL_ONE);
    drawScenery(state, settings);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_BLEND);
}

void WaterLookRenderer::drawScenery(const FountainState& state, const SceneSettings& settings)
{
    glUseProgram(0);
    if (showsPicture(state, settings))
        drawPictureFilling(state, settings);
    else
        drawSky(settings);
}

void WaterLookRenderer::drawPictureFilling(const FountainState& state, const SceneSettings& settings)
{
    glEnable(GL_TEXTURE_2D);
    oglSetTexture(state.TextureId);
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    GLint viewport[4] = {0, 0, 1, 1};
    glGetIntegerv(GL_VIEWPORT, viewport);
    // The picture covers the frame, its middle kept and what overhangs cut
    // off, so no bars show beside it whatever the frame's shape.
    const double frameAspect = viewport[3] > 0 ? double(viewport[2]) / viewport[3] : 1.0;
    const double pictureAspect = width > 0 && height > 0 ? double(width) / height : frameAspect;
    float halfU = 0.5f, halfV = 0.5f;
    if (pictureAspect > frameAspect)
        halfU = static_cast<float>(0.5 * frameAspect / pictureAspect);
    else
        halfV = static_cast<float>(0.5 * pictureAspect / frameAspect);
    const float b = settings.brightness / 100.0f;
    if (settings.night)
        glColor3f(0.3f, 0.3f, 0.7f); // the classic look's moonlight
    else
        glColor3f(b, b, b);
    overTheWholeFrame([&] {
        glBegin(GL_QUADS);
        glTexCoord2f(0.5f - halfU, 0.5f - halfV); glVertex2f(-1, -1);
        glTexCoord2f(0.5f + halfU, 0.5f - halfV); glVertex2f(1, -1);
        glTexCoord2f(0.5f + halfU, 0.5f + halfV); glVertex2f(1, 1);
        glTexCoord2f(0.5f - halfU, 0.5f + halfV); glVertex2f(-1, 1);
        glEnd();
    });
    glDisable(GL_TEXTURE_2D);
}

void WaterLookRenderer::drawSky(const SceneSettings& settings)
{
    // The haze of the horizon below it (where the ground fades into it),
    // deepening to the sky's colour toward the top of the frame.
    const Lighting& light = lighting(settings);
    const float horizon = std::clamp(horizon_, -1.0f, 1.0f);
    const float top = std::max(1.0f, horizon_ + 1.2f);
    float upper[3];
    for (int c = 0; c < 3; ++c)
        upper[c] = light.skyHorizon[c] + (light.skyTop[c] - light.skyHorizon[c]) * (1.0f - horizon) / (top - horizon);
    overTheWholeFrame([&] {
        glBegin(GL_QUADS);
        glColor3fv(light.skyHorizon);
        glVertex2f(-1, -1);
        glVertex2f(1, -1);
        glVertex2f(1, horizon);
        glVertex2f(-1, horizon);
        glVertex2f(-1, horizon);
        glVertex2f(1, horizon);
        glColor3fv(upper);
        glVertex2f(1, 1);
        glVertex2f(-1, 1);
        glEnd();
    });
}

void WaterLookRenderer::drawGround(const SceneSettings& settings)
{
    const Lighting& light = lighting(settings);
    const unsigned program = programs_.ground;
    glUseProgram(program);
    setLight(program);
    glUniform1f(uniformOf(program, "ambient"), light.ambient);
    glUniform1f(uniformOf(program, "diffuse"), light.diffuse);
    glUniform3fv(uniformOf(program, "haze"), 1, light.skyHorizon);
    glUniform1f(uniformOf(program, "reach"), kGroundReach);
    // Just under the bowl's bottom, so the two never fight for a pixel.
    constexpr float y = -0.02f;
    // Beyond kPavingFade of the reach the paving has faded into the haze, the
    // colour the sky already shows below the horizon: the paving is shaded on
    // a disc that far only, and the rest of the ground is laid in depth alone.
    constexpr int sides = 64;
    const float rim = kPavingFade * kGroundReach / static_cast<float>(std::cos(M_PI / sides));
    glNormal3f(0, 1, 0);
    glBegin(GL_TRIANGLE_FAN);
    glVertex3f(0, y, 0);
    for (int i = 0; i <= sides; ++i) {
        const double a = 2 * M_PI * i / sides;
        glVertex3f(rim * static_cast<float>(std::cos(a)), y, -rim * static_cast<float>(std::sin(a)));
    }
    glEnd();
    glUseProgram(0);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    constexpr float r = kGroundReach;
    glBegin(GL_QUADS);
    glVertex3f(-r, y, -r);
    glVertex3f(-r, y, r);
    glVertex3f(r, y, r);
    glVertex3f(r, y, -r);
    glEnd();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void WaterLookRenderer::placeCamera(const SceneSettings& settings)
{
    if (settings.orbit != 0)
        glRotatef(settings.orbit, 0, 1, 0);
    // The eye in scene coordinates: the view is a turn and a shift, so the
    // inverse of its turn is its transpose.
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const Vec3f eye{-(m[0] * m[12] + m[1] * m[13] + m[2] * m[14]), -(m[4] * m[12] + m[5] * m[13] + m[6] * m[14]),
                    -(m[8] * m[12] + m[9] * m[13] + m[10] * m[14])};
    const float lift = eyeLift(eye, kLowestEye);
    if (lift > 0)
        glTranslatef(0, -lift, 0);

    // Where the horizon crosses the middle of the frame (-1 bottom, 1 top):
    // the eye's heading laid flat, turned back into the eye's frame and projected.
    const Vec3f ahead{-m[2], -m[6], -m[10]}; // the eye's forward axis in the scene
    const float flat = std::hypot(ahead.x, ahead.z);
    horizon_ = ahead.y < 0 ? -2.0f : 2.0f; // looking straight down or up
    if (flat > 1e-4f) {
        const float dx = ahead.x / flat;
        const float dz = ahead.z / flat;
        const float eyeY = m[1] * dx + m[9] * dz;
        const float eyeZ = m[2] * dx + m[10] * dz;
        GLfloat p[16];
        glGetFloatv(GL_PROJECTION_MATRIX, p);
        if (eyeZ < -1e-4f)
            horizon_ = p[5] * eyeY / -eyeZ;
    }
}

void WaterLookRenderer::drawStreaks(float gain)
{
    streams_.buildStreaks(gain);
    const std::vector<StreakVertex>& streaks = streams_.streaks();
    if (streaks.empty())
        return;
    glUseProgram(0);
    GLint viewport[4] = {0, 0, 1, 1};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glLineWidth(std::max(1.5f, static_cast<float>(viewport[3]) / 480.0f));
    constexpr auto stride = static_cast<GLsizei>(sizeof(StreakVertex));
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, &streaks.front().position);
    glColorPointer(4, GL_UNSIGNED_BYTE, stride, streaks.front().colour.data());
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(streaks.size()));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void WaterLookRenderer::drawSolidDepth(const SceneSettings& settings, const JetGeometry& jets,
                                       const BowlGeometry& bowl)
{
    glUseProgram(0);
    constexpr float r = kGroundReach;
    glBegin(GL_QUADS);
    glVertex3f(-r, -0.02f, -r);
    glVertex3f(-r, -0.02f, r);
    glVertex3f(r, -0.02f, r);
    glVertex3f(r, -0.02f, -r);
    glEnd();
    glEnableClientState(GL_VERTEX_ARRAY);
    if (settings.cup && bowl.vertexCount() > 0) {
        glVertexPointer(3, GL_FLOAT, 0, bowl.vertices());
        glDrawArrays(GL_TRIANGLES, 0, bowl.vertexCount());
    }
    if (jets.bodyVertexCount() > 0) {
        glVertexPointer(3, GL_FLOAT, 0, jets.bodyVertices());
        glDrawArrays(GL_TRIANGLES, 0, jets.bodyVertexCount());
    }
    glDisableClientState(GL_VERTEX_ARRAY);
}

} // namespace pluviane
