// Seeded random numbers and tileable value noise, so that every build draws the same pictures.
#pragma once

#include <cstdint>

struct Rng {
    uint32_t state;
};

uint32_t rng_next(Rng &rng);
// Uniform in [0, 1).
float rng_unit(Rng &rng);
float rng_range(Rng &rng, float lo, float hi);

// Uniform in [0, 1) for a lattice point; the lattice repeats every `period` cells.
float lattice_value(int x, int y, int period, uint32_t seed);
// Smooth noise in [0, 1] that repeats every `period` units on both axes.
float value_noise(float x, float y, int period, uint32_t seed);
// Octaves of value noise, each twice the frequency and half the weight of the one before; the
// sum repeats every `period` units and stays within [0, 1].
float fractal_noise(float x, float y, int period, int octaves, uint32_t seed);
