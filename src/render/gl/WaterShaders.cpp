#define GL_GLEXT_PROTOTYPES
#include "render/gl/WaterShaders.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <QByteArray>
#include <QtGlobal>

#include <initializer_list>
#include <vector>

namespace pluviane {

namespace {

// A ribbon corner moved sideways across its centre line as the eye sees it.
// Mirrored, it is turned upside down about the water level and wobbled by
// the ripples.
const char* const kRibbonVertex = R"(
#version 120
uniform float mirrored;
uniform float waterLevel;
uniform float seconds;
varying vec2 shape;
varying float opacity;
varying vec3 scenePosition;
void main()
{
    vec3 centre = gl_Vertex.xyz;
    vec3 tangent = gl_Normal;
    float halfWidth = gl_MultiTexCoord0.z;
    opacity = gl_MultiTexCoord0.w;
    if (mirrored > 0.5) {
        // Ripples scatter what lies further from the water: the reflection
        // fades and narrows to nothing a few units down, and costs nothing there.
        float fade = 1.0 - smoothstep(0.0, 4.5, centre.y - waterLevel);
        halfWidth *= fade;
        opacity *= fade;
        centre.y = 2.0 * waterLevel - centre.y;
        tangent.y = -tangent.y;
        float wobble = min(0.04 * (waterLevel - centre.y), 0.12);
        centre.x += wobble * sin(1.3 * centre.y + 2.3 * seconds + centre.z);
        centre.z += wobble * cos(1.1 * centre.y + 1.7 * seconds + centre.x);
    }
    vec4 eye = gl_ModelViewMatrix * vec4(centre, 1.0);
    mat3 turn = mat3(gl_ModelViewMatrix);
    vec3 side = cross(turn * tangent, eye.xyz);
    float span = length(side);
    side = span > 1e-6 ? side / span : vec3(1.0, 0.0, 0.0);
    vec3 offset = side * gl_MultiTexCoord0.x * halfWidth;
    eye.xyz += offset;
    scenePosition = centre + offset * turn; // the turn is a rotation: its inverse is its transpose
    shape = gl_MultiTexCoord0.xy;
    gl_FrontColor = gl_Color;
    gl_Position = gl_ProjectionMatrix * eye;
}
)";

// Helpers shared by the fragment programs: value noise, and a tone map that
// compresses bright light by its brightest channel so colours keep their hue.
const char* const kCommon = R"(
#version 120
// Arithmetic only: the software rasteriser's sine costs several times more.
float hash(vec2 p)
{
    vec3 q = fract(vec3(p.xyx) * 0.1031);
    q += dot(q, q.yzx + 33.33);
    return fract((q.x + q.y) * q.z);
}
float noise(vec2 p)
{
    vec2 i = floor(p);
    vec2 f = fract(p);
    f = f * f * (3.0 - 2.0 * f);
    return mix(mix(hash(i), hash(i + vec2(1.0, 0.0)), f.x), mix(hash(i + vec2(0.0, 1.0)), hash(i + vec2(1.0)), f.x), f.y);
}
vec3 toneMap(vec3 c)
{
    float peak = max(c.r, max(c.g, c.b));
    if (peak <= 0.7)
        return c;
    return c * ((0.7 + 0.3 * (1.0 - exp(-(peak - 0.7) / 0.3))) / peak);
}
)";

// Translucent water lit from within: a clear coherent core from the nozzle
// that thins and breaks into streaks running with the water toward the top
// and along the fall. Aerated water (the colour's alpha) is white, grainy and
// nearly opaque instead. Premultiplied, so streams add up like light.
const char* const kStreamFragment = R"(
uniform float ambient;
uniform float gain;
uniform float seconds;
varying vec2 shape;
varying float opacity;
varying vec3 scenePosition;
vec4 streamColour()
{
    float across = abs(shape.x);
    float air = gl_Color.a;
    float breakup = smoothstep(0.15, 0.8, shape.y);
    vec2 grain = vec2(shape.x * 2.5, shape.y * 36.0 - seconds * 5.0);
    float streaks = 0.5;
    if (breakup > 0.0 || gl_Color.a > 0.0) // the clear core near the nozzle needs none
        streaks = 0.65 * noise(grain) + 0.35 * noise(grain * vec2(2.3, 2.1) + 17.0);
    float core = 1.0 - across * across;
    float thinning = 1.0 - 0.6 * breakup * smoothstep(0.25, 1.0, across);
    float broken = mix(1.0, smoothstep(0.3, 0.72, streaks), breakup);
    float tip = 1.0 - smoothstep(0.94, 1.0, shape.y);
    float a = clamp(opacity * core * thinning * broken * tip, 0.0, 1.0);
    // Lit from below the water glows in its light, brightest near the
    // nozzle; its core catches it white.
    float shine = core * core * core;
    vec3 light = (mix(gl_Color.rgb * gain, vec3(1.0), 0.35 * shine) + vec3(ambient)) *
                 (0.5 + 1.1 * shine) * (1.0 - 0.4 * shape.y);
    if (air > 0.0) {
        float bubbles = noise(vec2(shape.x * 7.0, shape.y * 70.0 - seconds * 8.0));
        vec3 foam = gl_Color.rgb * (0.55 + 0.45 * bubbles) * (0.45 + 0.55 * gain) + vec3(ambient);
        float foamAlpha = clamp(opacity * (1.0 - across * across * across * across) * tip *
                                mix(1.0, 0.55 + 0.45 * streaks, breakup), 0.0, 1.0);
        light = mix(light, foam, air);
        a = mix(a, foamAlpha, air);
    }
    return vec4(toneMap(light) * a, a);
}
)";

const char* const kStreamMain = R"(
void main() { gl_FragColor = streamColour(); }
)";

// The reflection shows where the eye's ray meets the water inside the bowl's
// outline, at that point's depth, so the rim in front hides it and the bowl's
// bottom behind the water does not.
const char* const kReflectionMain = R"(
uniform float waterLevel;
uniform float radius;
uniform float corners;
uniform float turn;
uniform float strength;
bool insideOutline(vec2 p)
{
    float sector = 6.2831853 / corners;
    float angle = atan(p.x, -p.y) + turn;
    float local = mod(angle, sector) - 0.5 * sector;
    return length(p) * cos(local) <= radius * cos(0.5 * sector);
}
void main()
{
    if (scenePosition.y > waterLevel)
        discard;
    vec3 eye = gl_ModelViewMatrixInverse[3].xyz;
    vec3 ray = scenePosition - eye;
    if (ray.y > -1e-5)
        discard;
    float reach = (waterLevel - eye.y) / ray.y;
    if (reach < 0.0 || reach > 1.0)
        discard;
    vec3 hit = eye + ray * reach;
    if (!insideOutline(hit.xz))
        discard;
    vec4 clip = gl_ModelViewProjectionMatrix * vec4(hit, 1.0);
    gl_FragDepth = clamp(0.5 + 0.5 * clip.z / clip.w - 2e-5, 0.0, 1.0);
    gl_FragColor = streamColour() * strength;
}
)";

const char* const kSpriteVertex = R"(
#version 120
uniform float pixelsPerUnit;
varying float fade;
void main()
{
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    float size = gl_MultiTexCoord0.x * pixelsPerUnit / max(-eye.z, 0.1);
    // Below a pixel and a half a drop would flicker: it grows fainter instead.
    fade = min(1.0, size * size / 2.25);
    gl_PointSize = max(size, 1.5);
    gl_FrontColor = gl_Color;
    gl_Position = gl_ProjectionMatrix * eye;
}
)";

const char* const kSpriteFragment = R"(
uniform float softness;
uniform float gain;
varying float fade;
void main()
{
    float r = length(gl_PointCoord * 2.0 - 1.0);
    if (r > 1.0)
        discard;
    float hard = smoothstep(1.0, 0.55, r);
    float soft = exp(-3.5 * r * r) * (1.0 - r);
    float a = gl_Color.a * fade * mix(hard, soft, softness);
    gl_FragColor = vec4(toneMap(gl_Color.rgb * gain) * a, a);
}
)";

// A surface in scene coordinates, its normal and position handed on as they are.
const char* const kSceneVertex = R"(
#version 120
varying vec3 normal;
varying vec3 scenePosition;
void main()
{
    normal = gl_Normal;
    scenePosition = gl_Vertex.xyz;
    gl_FrontColor = gl_Color;
    gl_Position = ftransform();
}
)";

// The water, opaque: deep and dark, the jets' underwater light glowing in it,
// the sky reflected more at grazing angles, several wave trains of
// different lengths and headings on top of the jets' own ripples, so that
// calm water shows no regular pattern.
const char* const kSurfaceFragment = R"(
uniform float seconds;
uniform vec3 lightDirection;
uniform vec3 deep;
uniform vec3 sky;
uniform vec3 zenith;
uniform float glowGain;
varying vec3 normal;
varying vec3 scenePosition;
vec2 train(vec2 p, vec2 heading, float number, float speed, float height)
{
    return height * number * cos(number * dot(p, heading) + speed * seconds) * heading;
}
void main()
{
    vec2 p = scenePosition.xz;
    vec2 slope = train(p, vec2(0.95, 0.31), 3.3, 2.1, 0.012)
               + train(p, vec2(-0.52, 0.85), 2.1, 1.5, 0.016)
               + train(p, vec2(0.21, -0.98), 4.7, 2.6, 0.006)
               + train(p, vec2(-0.86, -0.51), 6.9, 3.2, 0.003)
               + train(p, vec2(0.71, -0.7), 1.3, 1.1, 0.02);
    vec3 n = normalize(normalize(normal) * vec3(3.0, 1.0, 3.0) + vec3(-slope.x, 0.0, -slope.y));
    vec3 eye = gl_ModelViewMatrixInverse[3].xyz;
    vec3 view = normalize(eye - scenePosition);
    float facing = max(dot(n, view), 0.0);
    float grazing = 1.0 - facing;
    float fresnel = 0.03 + 0.97 * grazing * grazing * grazing * grazing * grazing;
    vec3 mirrored = reflect(-view, n);
    vec3 skySeen = mix(sky, zenith, clamp(mirrored.y, 0.0, 1.0));
    float highlight = pow(max(dot(mirrored, lightDirection), 0.0), 80.0);
    vec3 colour = deep + gl_Color.rgb * glowGain * (0.6 + 0.4 * facing) + skySeen * (0.15 + fresnel) + vec3(highlight);
    gl_FragColor = vec4(toneMap(colour), 1.0);
}
)";

// Paving round the bowl: stone slabs of slightly different tints with soft
// joints, fading into the haze of the horizon far away.
const char* const kGroundFragment = R"(
uniform vec3 lightDirection;
uniform float ambient;
uniform float diffuse;
uniform vec3 haze;
uniform float reach;
varying vec3 normal;
varying vec3 scenePosition;
void main()
{
    // Slabs in a running bond: every other row shifted by half a slab.
    vec2 p = scenePosition.xz / vec2(2.4, 1.6);
    // How much of a slab one pixel spans. Joints thinner than a pixel and
    // slabs of a few pixels would shimmer as the camera moves (and cost a
    // video's encoder dearly): far off they give way to their average tone.
    vec2 span = fwidth(p);
    float small = max(span.x, span.y);
    p.x += 0.5 * mod(floor(p.y), 2.0);
    vec2 slab = floor(p);
    vec2 edge = min(fract(p), 1.0 - fract(p));
    // Soft, low joints and gentle tints: a moving camera's video spends
    // most of its time encoding fine contrast, so the paving keeps little.
    float joint = mix(1.0 - smoothstep(0.0, 0.06, min(edge.x * 1.5, edge.y)), 0.1, smoothstep(0.04, 0.12, small));
    float tint = 0.97 + mix(0.05 * hash(slab), 0.025, smoothstep(0.1, 0.3, small));
    vec3 stone = vec3(0.60, 0.56, 0.50) * tint * (1.0 - 0.1 * joint);
    vec3 colour = stone * (ambient + diffuse * max(lightDirection.y, 0.0));
    float far = smoothstep(0.15, 0.6, length(scenePosition.xz) / reach); // 0.6: kPavingFade
    gl_FragColor = vec4(mix(colour, haze, far), 1.0);
}
)";

// Diffuse light on both faces of every part, and a little ambient.
const char* const kSolidFragment = R"(
#version 120
uniform vec3 lightDirection;
uniform float ambient;
uniform float diffuse;
varying vec3 normal;
varying vec3 scenePosition;
void main()
{
    vec3 n = normalize(normal);
    vec3 eye = gl_ModelViewMatrixInverse[3].xyz;
    if (dot(n, eye - scenePosition) < 0.0)
        n = -n;
    float lambert = max(dot(n, lightDirection), 0.0);
    float sheen = pow(max(dot(reflect(-lightDirection, n), normalize(eye - scenePosition)), 0.0), 24.0);
    gl_FragColor = vec4(gl_Color.rgb * (ambient + diffuse * lambert) + vec3(0.15 * sheen * diffuse), 1.0);
}
)";

GLuint compile(GLenum kind, std::initializer_list<const char*> parts)
{
    const GLuint shader = glCreateShader(kind);
    std::vector<const char*> sources(parts);
    glShaderSource(shader, static_cast<GLsizei>(sources.size()), sources.data(), nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[2048] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        qWarning("realistic look: a shader does not compile: %s", log);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint link(GLuint vertex, GLuint fragment)
{
    if (vertex == 0 || fragment == 0) {
        glDeleteShader(vertex);
        glDeleteShader(fragment);
        return 0;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[2048] = {};
        glGetProgramInfoLog(program, sizeof log, nullptr, log);
        qWarning("realistic look: a program does not link: %s", log);
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

} // namespace

int uniformOf(unsigned program, const char* name)
{
    return glGetUniformLocation(program, name);
}

bool WaterPrograms::build()
{
    release();
    streams = link(compile(GL_VERTEX_SHADER, {kRibbonVertex}),
                   compile(GL_FRAGMENT_SHADER, {kCommon, kStreamFragment, kStreamMain}));
    reflection = link(compile(GL_VERTEX_SHADER, {kRibbonVertex}),
                      compile(GL_FRAGMENT_SHADER, {kCommon, kStreamFragment, kReflectionMain}));
    sprites = link(compile(GL_VERTEX_SHADER, {kSpriteVertex}),
                   compile(GL_FRAGMENT_SHADER, {kCommon, kSpriteFragment}));
    surface = link(compile(GL_VERTEX_SHADER, {kSceneVertex}),
                   compile(GL_FRAGMENT_SHADER, {kCommon, kSurfaceFragment}));
    ground = link(compile(GL_VERTEX_SHADER, {kSceneVertex}), compile(GL_FRAGMENT_SHADER, {kCommon, kGroundFragment}));
    const GLuint lit = link(compile(GL_VERTEX_SHADER, {kSceneVertex}), compile(GL_FRAGMENT_SHADER, {kSolidFragment}));
    if (streams == 0 || reflection == 0 || sprites == 0 || surface == 0 || ground == 0 || lit == 0) {
        if (lit != 0)
            glDeleteProgram(lit);
        release();
        return false;
    }
    solid = lit; // last: ready() says all of them are there
    return true;
}

void WaterPrograms::release()
{
    for (unsigned* program : {&streams, &reflection, &sprites, &surface, &ground, &solid}) {
        if (*program != 0)
            glDeleteProgram(*program);
        *program = 0;
    }
}

} // namespace pluviane
