// The world update with no index: every tank against every tree, every bullet against every
// tank and tree.
#pragma once

namespace reference {

void update_world();
void spawn_explosion(int count, int centre_x, int centre_y, int centre_z, int spread, float speed,
                     int life, int life_spread);

} // namespace reference
