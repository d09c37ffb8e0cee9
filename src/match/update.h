// One tick of the world: tanks, bullets, explosion fragments and the end test.
#pragma once

void update_world();

void spawn_explosion(int count, int centre_x, int centre_y, int centre_z, int spread, float speed,
                     int life, int life_spread);

inline double square(float v) { return static_cast<double>(v) * v; }
