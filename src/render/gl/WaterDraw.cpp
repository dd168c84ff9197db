#define GL_GLEXT_PROTOTYPES
#include "render/gl/WaterDraw.h"

#include "model/Random.h"
#include "render/gl/FurnitureDraw.h"
#include "render/gl/SceneRenderer.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>
#include <cstddef>

namespace pluviane {

namespace {

// The light the bowl and the water see: high, from the front left of the
// three-quarter view.
const float kLight[3] = {0.33f, 0.85f, 0.41f};

// Day and night: the sky lights the bowl by day, the jets' own lights by night.
struct Lighting {
    float ambient, diffuse;       // the bowl and nozzles
    float streamAmbient, streamGain;
    float deep[3], sky[3];        // the water
    float surfaceGlow;
    float reflection;
};

constexpr Lighting kDay{0.38f, 0.72f, 0.10f, 0.95f, {0.02f, 0.07f, 0.10f}, {0.30f, 0.40f, 0.50f}, 0.55f, 0.45f};
constexpr Lighting kNight{0.10f, 0.22f, 0.035f, 1.3f, {0.004f, 0.01f, 0.025f}, {0.03f, 0.04f, 0.08f}, 1.0f, 0.6f};

const Lighting& lighting(const SceneSettings& settings) { return settings.night ? kNight : kDay; }

BowlShape shapeOf(const SceneSettings& s)
{
    return BowlShape{s.cupCorners, s.cupTurn, s.cupWidth, s.cupWall, s.cupDepth};
}

void setLight(unsigned program)
{
    glUniform3fv(uniformOf(program, "lightDirection"), 1, kLight);
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
        flatNormals(bowl.vertices(), bowl.vertexCount(), bowlNormals_);
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
    (void)state;
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
    if (!multisampled) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (settings.backdrop)
            drawBackdrop(state, settings);
    }
    applyViewTransform(state, settings);
    glFlush(); // what is drawn so far goes to the rasteriser while the jets are computed

    jets.build(state, random);
    const BowlShape shape = shapeOf(settings);
    // The bowl's colour chain runs as in the classic look, shown or not.
    if (settings.cup)
        bowl.build(shape, BowlColours{settings.colourBottom, settings.colourTop, settings.colourOuter,
                                      settings.colourInner},
                   state.DrawColour);
    const float level = settings.cup ? WaterSurface::level(shape) : -1e9f;
    streams_.build(state, jets, settings.night, level);
    if (settings.cup)
        surface_.build(shape, streams_.falls(), seconds, settings.night);

    if (multisampled)
        drawSolidLayer(state, settings, jets, bowl);
    else
        drawSolids(state, settings, jets, bowl);
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
    drawSprites(streams_.droplets(), 0.0f, gain);
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
    if (multisampled) {
        // The picture is opaque, as the classic look's.
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
        glClear(GL_COLOR_BUFFER_BIT);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    }
}

void WaterLookRenderer::drawSolidLayer(const FountainState& state, const SceneSettings& settings,
                                       const JetGeometry& jets, BowlGeometry& bowl)
{
    // Only the solid edges need the samples; the water and the light have
    // soft edges of their own and are drawn at one sample a pixel, which the
    // software rasteriser does at a fraction of the cost. The solids are drawn
    // over nothing (alpha 0) and the backdrop goes under them after the
    // resolve, by their coverage, at one sample a pixel. The two together
    // cost more than the rest of the frame, and while the view, the bowl,
    // the nozzles and the backdrop stay as they were the layer of the last
    // frame is shown again.
    if (!solidsUnchanged(state, settings, jets, bowl) || !target_.hasLayer()) {
        target_.begin();
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glClearColor(0, 0, 0, 1);
        drawSolids(state, settings, jets, bowl);
        target_.resolve();
        if (settings.backdrop)
            drawBackdropUnder(state, settings);
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
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE_MINUS_DST_ALPHA, GL_ONE);
    drawBackdrop(state, settings);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}

void WaterLookRenderer::drawSolidDepth(const SceneSettings& settings, const JetGeometry& jets,
                                       const BowlGeometry& bowl)
{
    glUseProgram(0);
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
