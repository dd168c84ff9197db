#include "render/WaterLook.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pluviane {

namespace {

// A fixed pseudo-random number in [0, 1) for a seed: the look varies its
// droplets without drawing from the process's generator, so the scatter of
// the jets is the classic look's, and the same tick gives the same picture.
float hashUnit(unsigned seed)
{
    seed ^= seed >> 16;
    seed *= 0x7feb352dU;
    seed ^= seed >> 15;
    seed *= 0x846ca68bU;
    seed ^= seed >> 16;
    return static_cast<float>(seed >> 8) * (1.0f / 16777216.0f);
}

Vec3f operator+(Vec3f a, Vec3f b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3f operator-(Vec3f a, Vec3f b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3f operator*(Vec3f a, float f) { return {a.x * f, a.y * f, a.z * f}; }
float dot(Vec3f a, Vec3f b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
float fraction(double value) { return static_cast<float>(value - std::floor(value)); }

std::uint8_t channel(float value)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

// A group colour lightened toward white: small drops and mist catch the light.
Rgba8 whitened(const Rgba8& colour, float white, float alpha)
{
    auto mix = [&](std::uint8_t c) { return channel(c + (255 - c) * white); };
    return {mix(colour[0]), mix(colour[1]), mix(colour[2]), channel(alpha * 255)};
}

} // namespace

float streamWidth(float flow, int foam, float along)
{
    const float foamy = 1.0f + 0.12f * static_cast<float>(std::clamp(foam, 0, 30));
    return (0.09f + 0.17f * flow) * foamy * (1.0f + 1.6f * along);
}

float streamOpacity(int foam)
{
    // Air makes water opaque: an aerated column hides what lies behind it.
    return 0.45f + 0.02f * static_cast<float>(std::clamp(foam, 0, 20)) + 0.12f * aeration(foam);
}

float aeration(int foam)
{
    return std::clamp((static_cast<float>(foam) - 5.0f) / 10.0f, 0.0f, 1.0f);
}

void toneMap(float rgb[3])
{
    // Linear up to the knee, then a smooth roll-off that never reaches 1.
    constexpr float kKnee = 0.7f;
    const float peak = std::max({rgb[0], rgb[1], rgb[2]});
    if (peak <= kKnee)
        return;
    const float mapped = kKnee + (1.0f - kKnee) * (1.0f - std::exp(-(peak - kKnee) / (1.0f - kKnee)));
    for (int c = 0; c < 3; ++c)
        rgb[c] *= mapped / peak;
}

float orbitDegrees(double seconds)
{
    constexpr double kSecondsPerTurn = 60;
    return static_cast<float>(360.0 * std::fmod(seconds / kSecondsPerTurn, 1.0));
}

float Floor::heightAt(float x, float z) const
{
    return x * x + z * z < poolRadius * poolRadius ? waterLevel : 0.0f;
}

float eyeLift(const Vec3f& eye, float lowest)
{
    return eye.y < lowest ? lowest - eye.y : 0.0f;
}

void WaterStreams::growIndices(int ribbons)
{
    const std::size_t have = indices_.size() / kRibbonIndices;
    if (have >= static_cast<std::size_t>(ribbons))
        return;
    indices_.resize(static_cast<std::size_t>(ribbons) * kRibbonIndices);
    for (std::size_t r = have; r < static_cast<std::size_t>(ribbons); ++r) {
        std::uint32_t* index = indices_.data() + r * kRibbonIndices;
        const auto first = static_cast<std::uint32_t>(r * kRibbonVertices);
        for (std::uint32_t i = 0; i + 1 < JetGeometry::kStrandPoints; ++i) {
            const std::uint32_t a = first + 2 * i;
            *index++ = a;
            *index++ = a + 1;
            *index++ = a + 2;
            *index++ = a + 1;
            *index++ = a + 3;
            *index++ = a + 2;
        }
    }
}

void WaterStreams::addRibbon(const Vec3f* points, const Rgba8& colour, float flow, int foam)
{
    constexpr int n = JetGeometry::kStrandPoints;
    // The centre line smoothed once: the scatter still shimmers from tick to
    // tick, but the stream is drawn as a curve, not a zigzag.
    std::array<Vec3f, n> line{};
    line[0] = points[0];
    line[n - 1] = points[n - 1];
    for (int i = 1; i + 1 < n; ++i)
        line[i] = points[i] * 0.5f + (points[i - 1] + points[i + 1]) * 0.25f;
    line[n - 1] = onTheFloor(line[n - 2], line[n - 1]);

    const float opacity = streamOpacity(foam);
    // The air in a foamy jet rides in the colour's alpha: the shader draws it white and grainy.
    const float air = aeration(foam);
    const Rgba8 shade = whitened(colour, 0.75f * air, air);
    RibbonVertex* v = ribbon_.data() + ribbonCount_;
    Vec3f previous{0, 1, 0};
    for (int i = 0; i < n; ++i) {
        Vec3f tangent = line[std::min(i + 1, n - 1)] - line[std::max(i - 1, 0)];
        // Where a vertical jet turns, its up and down legs meet: the tangent
        // there is nearly nothing and then reverses, which would twist the
        // ribbon into a flat cut. The side only needs the line, not its sense.
        if (dot(tangent, tangent) < 1e-6f)
            tangent = previous;
        else if (dot(tangent, previous) < 0)
            tangent = tangent * -1.0f;
        previous = tangent;
        const float along = static_cast<float>(i) / (n - 1);
        const float half = 0.5f * streamWidth(flow, foam, along);
        for (const float side : {-1.0f, 1.0f})
            *v++ = RibbonVertex{line[i], tangent, side, along, half, opacity, shade};
    }
    ribbonCount_ += kRibbonVertices;
}

Vec3f WaterStreams::onTheFloor(const Vec3f& before, const Vec3f& end) const
{
    // The last stretch carried on down to the water or the ground under it.
    const float floor = floor_.heightAt(end.x, end.z);
    const float drop = before.y - end.y;
    if (end.y <= floor || drop <= 1e-4f)
        return end;
    return end + (end - before) * ((end.y - floor) / drop);
}

void WaterStreams::addFallingDrops(const Vec3f* points, const Rgba8& colour, float flow, int foam, unsigned seed)
{
    // The water runs along the profile at an even pace (the rise is a
    // parabola in the profile's steps), so a drop's place on the falling half
    // follows the clock: the same drop in the next tick is further down.
    constexpr int steps = JetGeometry::kProfileSteps;
    const Vec3f* profile = points + 1;
    const float apex = std::max(0.05f, profile[steps / 2].y - profile[0].y);
    const float flight = 2.0f * std::sqrt(2.0f * apex / kGravity);
    const float spread = streamWidth(flow, foam, 1.0f) * 1.2f;
    for (int d = 0; d < kFallingDroplets; ++d) {
        const unsigned s = seed * 977u + static_cast<unsigned>(d) * 131u;
        const float u = 0.5f + 0.5f * fraction(hashUnit(s + 4) + seconds_ * 2.0 / flight);
        const float at = u * (steps - 1);
        const int i = std::min(static_cast<int>(at), steps - 2);
        const Vec3f step = profile[i + 1] - profile[i];
        const Vec3f offset{(hashUnit(s) - 0.5f) * spread, (hashUnit(s + 1) - 0.5f) * spread,
                           (hashUnit(s + 2) - 0.5f) * spread};
        const Vec3f centre = profile[i] + step * (at - static_cast<float>(i)) + offset;
        const Vec3f velocity = step * ((steps - 1) / flight);
        droplets_.push_back({centre, velocity, 0.06f + 0.1f * hashUnit(s + 3), whitened(colour, 0.4f, 0.75f)});
    }
}

void WaterStreams::addCrown(const Vec3f& top, const Rgba8& colour, float flow, unsigned seed)
{
    // Drops thrown outward from the top of a vertical jet, falling back
    // until they reach the water.
    const float height = std::max(top.y - floor_.heightAt(top.x, top.z), 0.1f);
    const float life = std::sqrt(2.0f * height / kGravity);
    for (int d = 0; d < kCrownDrops; ++d) {
        const unsigned s = seed * 389u + static_cast<unsigned>(d) * 71u;
        const float t = life * fraction(hashUnit(s) + seconds_ / life);
        const float angle = 2 * std::numbers::pi_v<float> * (static_cast<float>(d) + hashUnit(s + 1)) / kCrownDrops;
        const float out = (0.6f + 0.9f * hashUnit(s + 2)) * (0.5f + flow);
        const Vec3f launch{out * std::cos(angle), 1.0f * hashUnit(s + 3), out * std::sin(angle)};
        Vec3f centre = top + launch * t + Vec3f{0, -0.5f * kGravity * t * t, 0};
        centre.y = std::max(centre.y, floor_.heightAt(centre.x, centre.z));
        const Vec3f velocity = launch + Vec3f{0, -kGravity * t, 0};
        droplets_.push_back({centre, velocity, 0.05f + 0.08f * hashUnit(s + 4), whitened(colour, 0.5f, 0.7f)});
    }
}

void WaterStreams::addSplash(const Fall& fall, float floorHeight, unsigned seed)
{
    const Vec3f at{fall.landing.x, floorHeight, fall.landing.z};
    for (int d = 0; d < kSplashDrops; ++d) {
        const unsigned s = seed * 613u + static_cast<unsigned>(d) * 37u;
        const float up = (1.5f + 2.5f * hashUnit(s)) * fall.flow;
        const float life = std::max(2.0f * up / kGravity, 0.02f);
        const float t = life * fraction(hashUnit(s + 1) + seconds_ / life);
        const float angle = 2 * std::numbers::pi_v<float> * hashUnit(s + 2);
        const float out = 0.4f + 1.2f * hashUnit(s + 3);
        const Vec3f launch{out * std::cos(angle), up, out * std::sin(angle)};
        Vec3f centre = at + launch * t + Vec3f{0, -0.5f * kGravity * t * t, 0};
        centre.y = std::max(centre.y, floorHeight);
        const Vec3f velocity = launch + Vec3f{0, -kGravity * t, 0};
        droplets_.push_back({centre, velocity, 0.06f + 0.1f * hashUnit(s + 4), whitened(fall.colour, 0.45f, 0.8f)});
    }
    // A ring of foam on the water or the paving round where it lands.
    const float ring = 0.35f + 0.5f * fall.flow + 0.03f * static_cast<float>(std::min(fall.foam, 30));
    for (int p = 0; p < kFoamPuffs; ++p) {
        const unsigned s = seed * 131u + static_cast<unsigned>(p) * 17u;
        const float angle = 2 * std::numbers::pi_v<float> * (static_cast<float>(p) + 0.5f * hashUnit(s)) / kFoamPuffs +
                            0.7f * seconds_;
        const Vec3f centre = at + Vec3f{ring * std::cos(angle), 0.08f, ring * std::sin(angle)};
        haze_.push_back({centre, 0.9f * ring + 0.3f, whitened(fall.colour, 0.85f, 0.22f * fall.flow)});
    }
}

void WaterStreams::buildStreaks(float gain)
{
    streaks_.resize(2 * droplets_.size());
    StreakVertex* v = streaks_.data();
    for (const Drop& drop : droplets_) {
        float rgb[3];
        const float alpha = drop.colour[3] / 255.0f;
        for (int c = 0; c < 3; ++c)
            rgb[c] = drop.colour[c] / 255.0f * gain;
        toneMap(rgb);
        const Rgba8 head{channel(rgb[0] * alpha * 255), channel(rgb[1] * alpha * 255), channel(rgb[2] * alpha * 255),
                         drop.colour[3]};
        // At least the drop's own size long, so a drop at rest still shows.
        Vec3f trail = drop.velocity * kStreakSeconds;
        const float length = std::sqrt(dot(trail, trail));
        if (length < drop.size)
            trail = length > 1e-6f ? trail * (drop.size / length) : Vec3f{0, drop.size, 0};
        *v++ = {drop.centre, head};
        *v++ = {drop.centre - trail, {0, 0, 0, 0}};
    }
}

Vec3f WaterStreams::emergence(const Vec3f* points, float surface)
{
    if (points[0].y >= surface)
        return points[0];
    for (int i = 1; i < JetGeometry::kStrandPoints; ++i) {
        const Vec3f& a = points[i - 1];
        const Vec3f& b = points[i];
        if (b.y >= surface && b.y > a.y)
            return a + (b - a) * ((surface - a.y) / (b.y - a.y));
    }
    return points[0]; // it never comes out: it glows under the water
}

void WaterStreams::build(const FountainState& state, const JetGeometry& jets, bool night, float surface,
                         double seconds, const Floor& floor)
{
    ribbonCount_ = 0;
    droplets_.clear();
    haze_.clear();
    falls_.clear();
    seconds_ = static_cast<float>(seconds);
    floor_ = floor;

    int streams = 0;
    for (int r = 0; r < jets.runCount(); ++r)
        streams += jets.runs()[r].level > 0 && jets.runs()[r].strands > 0 ? 1 : 0;
    if (ribbon_.size() < static_cast<std::size_t>(streams) * kRibbonVertices)
        ribbon_.resize(static_cast<std::size_t>(streams) * kRibbonVertices);
    growIndices(streams);

    const float glowAlpha = night ? 0.7f : 0.3f;
    for (int r = 0; r < jets.runCount(); ++r) {
        const JetGeometry::NozzleRun& run = jets.runs()[r];
        // No flow, no stream: the classic look's collapsed strokes stay out.
        if (run.level == 0 || run.strands == 0)
            continue;
        const float flow = run.level / 255.0f;
        const int foam = state.JetFoam[run.nozzle];
        const Rgba8 colour{state.GroupColour[run.group][0], state.GroupColour[run.group][1],
                           state.GroupColour[run.group][2], 255};
        Fall fall{{}, {}, flow, foam, colour};
        // One stream a jet along the middle of its strands, as wide as they
        // scatter: its edges shimmer with them, and a foamy jet costs no more
        // to draw than a smooth one.
        std::array<Vec3f, JetGeometry::kStrandPoints> middle{};
        const float share = 1.0f / run.strands;
        for (int s = 0; s < run.strands; ++s) {
            const Vec3f* points = jets.strandVertices() + run.firstStrandVertex + s * JetGeometry::kStrandPoints;
            for (int i = 0; i < JetGeometry::kStrandPoints; ++i)
                middle[i] = middle[i] + points[i] * share;
            addFallingDrops(points, colour, flow, foam, static_cast<unsigned>(run.nozzle * 64 + s));
            fall.outlet = fall.outlet + emergence(points, surface);
        }
        addRibbon(middle.data(), colour, flow, foam);
        constexpr int last = JetGeometry::kStrandPoints - 1;
        fall.landing = onTheFloor(middle[last - 1], middle[last]);
        fall.outlet = fall.outlet * share;
        falls_.push_back(fall);

        // A vertical jet bursts into a crown of spray at its top.
        const Vec3f top = middle[1 + JetGeometry::kProfileSteps / 2];
        const Vec3f rise = top - middle[0];
        const float reach = std::hypot(fall.landing.x - middle[0].x, fall.landing.z - middle[0].z);
        if (rise.y > 0.5f && reach < 0.25f * rise.y)
            addCrown(top, colour, flow, static_cast<unsigned>(run.nozzle));
        if (run.splashes > 0)
            addSplash(fall, floor_.heightAt(fall.landing.x, fall.landing.z), static_cast<unsigned>(run.nozzle));
        if (run.splashes > 0 && foam >= kMistFoam) {
            const float size = 1.2f + 0.1f * static_cast<float>(std::min(foam, 30));
            for (int m = 0; m < kMistPuffs; ++m) {
                const auto s = static_cast<unsigned>(run.nozzle * 16 + m) * 13u;
                const Vec3f at = fall.landing + Vec3f{(hashUnit(s) - 0.5f) * size, 0.3f + 0.5f * hashUnit(s + 1),
                                                      (hashUnit(s + 2) - 0.5f) * size};
                haze_.push_back({at, size * (0.7f + 0.6f * hashUnit(s + 3)), whitened(colour, 0.6f, 0.12f * flow)});
            }
        }
        // The underwater light where the water leaves the nozzle: by night a
        // tight spot, the light carried up inside the jet.
        const float glowSize = (0.8f + 1.0f * flow + 0.04f * static_cast<float>(std::min(foam, 30))) *
                               (night ? 0.6f : 1.0f);
        Rgba8 glow = colour;
        glow[3] = channel(glowAlpha * flow * 255);
        haze_.push_back({fall.outlet, glowSize, glow});
    }
}

float WaterSurface::level(const BowlShape& shape)
{
    const float depth = shape.depth / 10.0f;
    return 0.1f + std::max(depth - 0.25f, depth * 0.6f);
}

void WaterSurface::buildMesh(const BowlShape& shape)
{
    meshShape_ = shape;
    flat_.clear();
    indices_.clear();
    corners_ = std::min(shape.corners, 239);
    radius_ = (shape.width - shape.wall) / 10.0f;
    if (corners_ < 3 || radius_ <= 0)
        return;

    // The inner wall's corners as the bowl places them: the quadric's point
    // (r sin a, r cos a) turned by the bowl's angle, its z axis made the scene's y.
    const double turn = shape.turn * std::numbers::pi / 180.0;
    const double turnCos = std::cos(turn);
    const double turnSin = std::sin(turn);
    std::vector<Vec3f> outline;
    const int steps = std::max(1, 96 / corners_);
    for (int c = 0; c < corners_; ++c) {
        auto corner = [&](int i) {
            const double a = 2 * std::numbers::pi * (i % corners_) / corners_;
            const double x = radius_ * std::sin(a);
            const double z = radius_ * std::cos(a);
            return Vec3f{static_cast<float>(x * turnCos - z * turnSin), 0,
                         static_cast<float>(-(x * turnSin + z * turnCos))};
        };
        const Vec3f from = corner(c);
        const Vec3f to = corner(c + 1);
        for (int s = 0; s < steps; ++s)
            outline.push_back(from + (to - from) * (static_cast<float>(s) / steps));
    }
    const auto around = static_cast<std::uint32_t>(outline.size());
    flat_.push_back({0, 0, 0});
    for (int ring = 1; ring <= kRings; ++ring)
        for (const Vec3f& p : outline)
            flat_.push_back(p * (static_cast<float>(ring) / kRings));
    for (std::uint32_t i = 0; i < around; ++i) {
        indices_.insert(indices_.end(), {0u, 1 + i, 1 + (i + 1) % around});
    }
    for (std::uint32_t ring = 1; ring < kRings; ++ring) {
        const std::uint32_t inner = 1 + (ring - 1) * around;
        const std::uint32_t outer = inner + around;
        for (std::uint32_t i = 0; i < around; ++i) {
            const std::uint32_t next = (i + 1) % around;
            indices_.insert(indices_.end(), {inner + i, outer + i, outer + next, inner + i, outer + next, inner + next});
        }
    }
}

void WaterSurface::build(const BowlShape& shape, const std::vector<WaterStreams::Fall>& falls, double seconds,
                         bool night)
{
    const BowlShape& m = meshShape_;
    if (m.corners != shape.corners || m.turn != shape.turn || m.width != shape.width || m.wall != shape.wall ||
        flat_.empty())
        buildMesh(shape);
    level_ = level(shape);
    vertices_.resize(flat_.size());

    constexpr float kWave = 2 * std::numbers::pi_v<float> / 2.0f; // ripples 2 units apart
    constexpr float kSpeed = 2.5f;                                   // radians a second
    constexpr float kReach = 4.5f;                                   // ripples die out this far
    const auto t = static_cast<float>(seconds);
    // By night the pool stays dark: the light is in the jets, not the water.
    const float glowGain = night ? 0.35f : 0.6f;
    for (std::size_t i = 0; i < flat_.size(); ++i) {
        const float x = flat_[i].x;
        const float z = flat_[i].z;
        // A slow swell everywhere, and rings round every jet that falls or rises.
        float h = 0.015f * std::sin(0.7f * x + 0.9f * t) * std::cos(0.6f * z - 0.7f * t);
        float gx = 0.015f * 0.7f * std::cos(0.7f * x + 0.9f * t) * std::cos(0.6f * z - 0.7f * t);
        float gz = -0.015f * 0.6f * std::sin(0.7f * x + 0.9f * t) * std::sin(0.6f * z - 0.7f * t);
        float glow[3] = {0, 0, 0};
        for (const WaterStreams::Fall& fall : falls) {
            const float amplitude = 0.05f * fall.flow * (1.0f + 0.05f * static_cast<float>(std::min(fall.foam, 30)));
            for (const Vec3f& at : {fall.landing, fall.outlet}) {
                const float dx = x - at.x;
                const float dz = z - at.z;
                const float d2 = dx * dx + dz * dz;
                if (d2 > kReach * kReach)
                    continue;
                const float d = std::sqrt(d2) + 1e-4f;
                const float fade = std::exp(-0.5f * d);
                const float phase = kWave * d - kSpeed * t;
                h += amplitude * fade * std::sin(phase);
                const float slope = amplitude * fade * (kWave * std::cos(phase) - 0.5f * std::sin(phase));
                gx += slope * dx / d;
                gz += slope * dz / d;
            }
            // The underwater light spreads round the outlet.
            const float dx = x - fall.outlet.x;
            const float dz = z - fall.outlet.z;
            const float spread = 3.0f + 0.15f * static_cast<float>(std::min(fall.foam, 30));
            const float d2 = (dx * dx + dz * dz) / (spread * spread);
            if (d2 < 4.0f) { // two spreads: beyond, the light is gone
                const float light = glowGain * fall.flow * std::exp(-d2);
                for (int c = 0; c < 3; ++c)
                    glow[c] += light * fall.colour[c];
            }
        }
        const float length = std::sqrt(gx * gx + gz * gz + 1.0f);
        // Where many lights overlap the sum is tone-mapped, not clipped: blue
        // light stays blue instead of turning cyan-white.
        for (float& c : glow)
            c /= 255.0f;
        toneMap(glow);
        vertices_[i] = Vertex{{x, level_ + h, z},
                              {-gx / length, 1.0f / length, -gz / length},
                              {channel(glow[0] * 255), channel(glow[1] * 255), channel(glow[2] * 255), 255}};
    }
}

void flatNormals(const Vec3f* vertices, int count, std::vector<Vec3f>& normals)
{
    normals.resize(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i + 2 < count; i += 3) {
        const Vec3f a = vertices[i + 1] - vertices[i];
        const Vec3f b = vertices[i + 2] - vertices[i];
        Vec3f n{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
        const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        n = length > 0 ? n * (1.0f / length) : Vec3f{0, 1, 0};
        normals[i] = normals[i + 1] = normals[i + 2] = n;
    }
}

void bowlNormals(const Vec3f* vertices, int count, int corners, std::vector<Vec3f>& normals)
{
    flatNormals(vertices, count, normals);
    // Sides meeting at less than about 25 degrees read as one curved wall.
    if (corners < 15)
        return;
    for (int i = 0; i < count; ++i) {
        Vec3f& n = normals[static_cast<std::size_t>(i)];
        const Vec3f& p = vertices[i];
        const float radial = std::hypot(p.x, p.z);
        if (std::abs(n.y) > 0.5f || radial < 1e-4f)
            continue; // a flat part: its own normal
        const float sense = n.x * p.x + n.z * p.z < 0 ? -1.0f : 1.0f;
        n = Vec3f{p.x / radial * sense, 0, p.z / radial * sense};
    }
}

} // namespace pluviane
