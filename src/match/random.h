// The match's random numbers: draws of the C library's generator.
#pragma once

#include <cstdint>

// Every draw lies in 0 to RANDOM_RANGE - 1, on every platform's rand().
constexpr int RANDOM_RANGE = 32768;

// r mod n for the next draw r, for any n >= 1 (held to 1 below that), without overflow.
int64_t random_below(int64_t n);
