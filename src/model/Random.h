#pragma once

#include <cstdint>

namespace pluviane {

// The one process-wide uniform generator. It is never seeded from the clock,
// so every run of the program lays out and scatters the same way.
class RandomSource {
public:
    static constexpr std::uint64_t kSeed = 0x853c49e6748fea9bULL;

    explicit RandomSource(std::uint64_t seed = kSeed) { reset(seed); }

    void reset(std::uint64_t seed = kSeed)
    {
        state_ = 0;
        next32();
        state_ += seed;
        next32();
    }

    // Uniform in [0, 1), 24 bits of resolution (enough for single-precision drawing).
    double next() { return static_cast<double>(next32() >> 8) * (1.0 / 16777216.0); }

    float nextFloat() { return static_cast<float>(next32() >> 8) * (1.0f / 16777216.0f); }

private:
    // PCG32: small, fast and well distributed.
    std::uint32_t next32()
    {
        const std::uint64_t old = state_;
        state_ = old * 6364136223846793005ULL + 1442695040888963407ULL;
        const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
        const auto rot = static_cast<std::uint32_t>(old >> 59u);
        return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
    }

    std::uint64_t state_ = 0;
};

// The generator shared by the start-up layout, the new-fountain layout and the jet scatter.
RandomSource& processRandom();

// Shorthand for processRandom().next().
inline double random01() { return processRandom().next(); }

} // namespace pluviane
