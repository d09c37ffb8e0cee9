#include "config/settings_bounds.h"

#include "match/world.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int32_t MIN_ARENA_HALF_EXTENT = 10;
constexpr int32_t MIN_TANKS = 3;
constexpr int32_t MIN_LIFE = 1;
constexpr int32_t MIN_BULLET_LIFE = 5;
constexpr int32_t MIN_TREES = 0;
// Compared in double precision; the float stored is a little above it, so it stays on later passes.
constexpr double SPEED_FLOOR = 0.1;
constexpr float SPEED_FLOOR_STORED = 0.1f;

void raise_to(int32_t &value, int32_t lowest) {
    if (value < lowest) {
        value = lowest;
    }
}

void lower_to(int32_t &value, int32_t highest) {
    if (value > highest) {
        value = highest;
    }
}

// A speed that is not a finite number counts as one at or below the floor.
void keep_speed(float &speed) {
    if (!std::isfinite(speed) || static_cast<double>(speed) <= SPEED_FLOOR) {
        speed = SPEED_FLOOR_STORED;
    }
}

} // namespace

void keep_settings_in_bounds() {
    GameSettings &s = game_settings;
    raise_to(s.arena_width, MIN_ARENA_HALF_EXTENT);
    raise_to(s.arena_height, MIN_ARENA_HALF_EXTENT);
    raise_to(s.number_of_tanks, MIN_TANKS);
    lower_to(s.number_of_tanks, MAX_TANKS);
    keep_speed(s.tank_speed);
    keep_speed(s.tank_rotation_speed);
    raise_to(s.normal_tank_life, MIN_LIFE);
    raise_to(s.human_tank_life, MIN_LIFE);
    raise_to(s.bullet_life, MIN_BULLET_LIFE);
    keep_speed(s.bullet_speed);
    raise_to(s.number_of_trees, MIN_TREES);
    lower_to(s.number_of_trees, MAX_TREES);
    // tank_fire_speed has no bound.
}
