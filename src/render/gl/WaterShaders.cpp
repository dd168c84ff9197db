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

// Translucent water lit from within: bright in its core, fading to its
// edges and toward its tip. Premultiplied, so streams add up like light.
const char* const kStreamFragment = R"(
#version 120
uniform float ambient;
uniform float gain;
varying vec2 shape;
varying float opacity;
varying vec3 scenePosition;
vec4 streamColour()
{
    float across = abs(shape.x);
    float core = 1.0 - across * across;
    float tip = 1.0 - smoothstep(0.7, 1.0, shape.y);
    float a = clamp(opacity * core * tip, 0.0, 1.0);
    // Lit from below the water glows in its light; its core catches it white.
    float shine = core * core * core;
    vec3 light = mix(gl_Color.rgb * gain, vec3(1.0), 0.35 * shine) + vec3(ambient);
    return vec4(light * (0.5 + 1.1 * shine) * a, a);
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
#version 120
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
    gl_FragColor = vec4(gl_Color.rgb * gain * a, a);
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
// the sky and the light reflected more at grazing angles, small ripples
// everywhere on top of the jets' own.
const char* const kSurfaceFragment = R"(
#version 120
uniform float seconds;
uniform vec3 lightDirection;
uniform vec3 deep;
uniform vec3 sky;
uniform float glowGain;
varying vec3 normal;
varying vec3 scenePosition;
void main()
{
    vec2 p = scenePosition.xz;
    float t = seconds;
    vec2 slope = vec2(0.0);
    slope += 0.05 * cos(dot(p, vec2(3.1, 1.3)) + 2.0 * t) * vec2(3.1, 1.3);
    slope += 0.04 * cos(dot(p, vec2(-1.7, 2.9)) + 1.6 * t) * vec2(-1.7, 2.9);
    vec3 n = normalize(normalize(normal) * vec3(3.0, 1.0, 3.0) + vec3(-slope.x, 0.0, -slope.y) * 0.5);
    vec3 eye = gl_ModelViewMatrixInverse[3].xyz;
    vec3 view = normalize(eye - scenePosition);
    float facing = max(dot(n, view), 0.0);
    float grazing = 1.0 - facing;
    float fresnel = 0.03 + 0.97 * grazing * grazing * grazing * grazing * grazing;
    float highlight = pow(max(dot(reflect(-lightDirection, n), view), 0.0), 80.0);
    vec3 colour = deep + gl_Color.rgb * glowGain * (0.6 + 0.4 * facing) + sky * (0.15 + fresnel) + vec3(highlight);
    gl_FragColor = vec4(colour, 1.0);
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
                   compile(GL_FRAGMENT_SHADER, {kStreamFragment, kStreamMain}));
    reflection = link(compile(GL_VERTEX_SHADER, {kRibbonVertex}),
                      compile(GL_FRAGMENT_SHADER, {kStreamFragment, kReflectionMain}));
    sprites = link(compile(GL_VERTEX_SHADER, {kSpriteVertex}), compile(GL_FRAGMENT_SHADER, {kSpriteFragment}));
    surface = link(compile(GL_VERTEX_SHADER, {kSceneVertex}), compile(GL_FRAGMENT_SHADER, {kSurfaceFragment}));
    const GLuint lit = link(compile(GL_VERTEX_SHADER, {kSceneVertex}), compile(GL_FRAGMENT_SHADER, {kSolidFragment}));
    if (streams == 0 || reflection == 0 || sprites == 0 || surface == 0 || lit == 0) {
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
    for (unsigned* program : {&streams, &reflection, &sprites, &surface, &solid}) {
        if (*program != 0)
            glDeleteProgram(*program);
        *program = 0;
    }
}

} // namespace pluviane
