#include "noise.h"

#include <cmath>

namespace {

constexpr float UNIT_SCALE = 1.0f / 4294967296.0f;
// Odd multipliers that spread neighbouring lattice points over the whole hash range.
constexpr uint32_t HASH_X = 0x8da6b343u;
constexpr uint32_t HASH_Y = 0xd8163841u;
constexpr uint32_t HASH_SEED = 0xcb1ab31fu;

uint32_t mix_bits(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

int wrap(int v, int period) {
    int m = v % period;
    return m < 0 ? m + period : m;
}

float fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

} // namespace

uint32_t rng_next(Rng &rng) {
    // xorshift32: small, fast and the same on every platform.
    uint32_t x = rng.state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    rng.state = x;
    return x;
}

float rng_unit(Rng &rng) {
    return static_cast<float>(rng_next(rng)) * UNIT_SCALE;
}

float rng_range(Rng &rng, float lo, float hi) {
    return lo + (hi - lo) * rng_unit(rng);
}

float lattice_value(int x, int y, int period, uint32_t seed) {
    uint32_t ux = static_cast<uint32_t>(wrap(x, period));
    uint32_t uy = static_cast<uint32_t>(wrap(y, period));
    return static_cast<float>(mix_bits(ux * HASH_X ^ uy * HASH_Y ^ seed * HASH_SEED)) * UNIT_SCALE;
}

float value_noise(float x, float y, int period, uint32_t seed) {
    float fx = std::floor(x);
    float fy = std::floor(y);
    int ix = static_cast<int>(fx);
    int iy = static_cast<int>(fy);
    float tx = fade(x - fx);
    float ty = fade(y - fy);
    float a = lattice_value(ix, iy, period, seed);
    float b = lattice_value(ix + 1, iy, period, seed);
    float c = lattice_value(ix, iy + 1, period, seed);
    float d = lattice_value(ix + 1, iy + 1, period, seed);
    float top = a + (b - a) * tx;
    float bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float fractal_noise(float x, float y, int period, int octaves, uint32_t seed) {
    float sum = 0.0f;
    float weight = 0.5f;
    float total = 0.0f;
    float freq = 1.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * value_noise(x * freq, y * freq, period * static_cast<int>(freq),
                                    seed + static_cast<uint32_t>(o));
        total += weight;
        weight *= 0.5f;
        freq *= 2.0f;
    }
    return sum / total;
}
