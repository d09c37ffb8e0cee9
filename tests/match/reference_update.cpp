// The world update as a straight scan of every table: the yardstick that the indexed update
// must match bit for bit. Explosions are the game's own.
#include "reference_update.h"

#include "match/numeric.h"
#include "match/sound.h"
#include "match/update.h"
#include "match/world.h"

#include <cmath>

namespace {

constexpr double RECOIL_STEP = 0.03;
constexpr double QUARTER_TURN = 90.0;
// A tree blocks the open square -TREE_HALF_SIZE < d < TREE_HALF_SIZE around it, after
// truncating the difference toward zero.
constexpr int32_t TREE_HALF_SIZE = 2;
// A bullet hits a tank whose squared ground distance is below this.
constexpr double HIT_RADIUS_SQUARED = 2.0;
constexpr double GRAVITY = 0.098;

// The burst of fragments of a destroyed tank.
constexpr int EXPLOSION_COUNT = 150;
constexpr float EXPLOSION_RAISE = 1.0f; // the centre sits this far above the tank's base
constexpr int EXPLOSION_SPREAD = 1;
constexpr float EXPLOSION_SPEED = 0.25f;
constexpr int EXPLOSION_LIFE = 100;
constexpr int EXPLOSION_LIFE_SPREAD = 50;

bool blocked_by_tree(float x, float z, const Tree &tree) {
    return trunc_within(static_cast<double>(x) - tree.x, TREE_HALF_SIZE) &&
           trunc_within(static_cast<double>(z) - tree.z, TREE_HALF_SIZE);
}

bool blocked_by_any_tree(float x, float z) {
    int count = trees_in_play();
    for (int i = 0; i < count; ++i) {
        if (blocked_by_tree(x, z, trees[i])) {
            return true;
        }
    }
    return false;
}

void move_tank(Tank &tank) {
    const float old_x = tank.x;
    const float old_z = tank.z;
    tank.x += tank.velocity_x;
    tank.z += tank.velocity_z;
    if (tank.reload > 0) {
        --tank.reload;
    }

    const float width = static_cast<float>(game_settings.arena_width);
    const float height = static_cast<float>(game_settings.arena_height);
    if (tank.x > width) {
        tank.x = width;
    }
    if (tank.x < -width) {
        tank.x = -width;
    }
    if (tank.z > height) {
        tank.z = height;
    }
    if (tank.z < -height) {
        tank.z = -height;
    }

    // The turret follows this move even when a tree undoes it below.
    if (tank.recoil <= 0.0f) {
        tank.turret_x = tank.x;
        tank.turret_z = tank.z;
    } else {
        tank.recoil = static_cast<float>(tank.recoil - RECOIL_STEP);
        double theta = to_radians(QUARTER_TURN - tank.turret_heading);
        tank.turret_x = static_cast<float>(tank.x - std::cos(theta) * tank.recoil);
        tank.turret_z = static_cast<float>(tank.z - std::sin(theta) * tank.recoil);
    }

    if (blocked_by_any_tree(tank.x, tank.z)) {
        tank.x = old_x;
        tank.z = old_z;
    }
}

void destroy_tank(const Tank &tank) {
    play_sound_at(SOUND_DESTROYED, trunc_to_int(tank.x), trunc_to_int(tank.z));
    --tanks_alive;
    spawn_explosion(EXPLOSION_COUNT, trunc_to_int(tank.x), trunc_to_int(tank.y + EXPLOSION_RAISE),
                    trunc_to_int(tank.z), EXPLOSION_SPREAD, EXPLOSION_SPEED, EXPLOSION_LIFE,
                    EXPLOSION_LIFE_SPREAD);
}

void fly_bullet(Bullet &bullet) {
    bullet.x += bullet.velocity_x;
    bullet.z += bullet.velocity_z;
    --bullet.life;

    // Tested even when its life has just run out; one bullet may hit several tanks.
    int count = tanks_in_play();
    for (int t = 0; t < count; ++t) {
        Tank &tank = tanks[t];
        if (tank.life <= 0) {
            continue;
        }
        if (square(tank.x - bullet.x) + square(tank.z - bullet.z) < HIT_RADIUS_SQUARED) {
            --tank.life;
            bullet.life = 0;
            if (tank.life == 0) {
                destroy_tank(tank);
            } else {
                play_sound_at(SOUND_HIT, trunc_to_int(tank.x), trunc_to_int(tank.z));
            }
        }
    }

    if (blocked_by_any_tree(bullet.x, bullet.z)) {
        bullet.life = 0;
    }
}

void move_fragment(Particle &p) {
    --p.life;
    p.x += p.velocity_x;
    p.y += p.velocity_y;
    p.z += p.velocity_z;
    p.angle_x += p.spin_x;
    p.angle_y += p.spin_y;
    p.angle_z += p.spin_z;
    p.velocity_y = static_cast<float>(p.velocity_y - GRAVITY);
}

} // namespace

namespace reference {

void update_world() {
    int tank_count = tanks_in_play();
    for (int i = 0; i < tank_count; ++i) {
        move_tank(tanks[i]);
    }
    for (Bullet &bullet : bullets) {
        if (bullet.life > 0) {
            fly_bullet(bullet);
        }
    }
    for (Particle &particle : particles) {
        if (particle.life > 0) {
            move_fragment(particle);
        }
    }
    if (tanks_alive < 2) {
        match_over = 1;
    }
}

} // namespace reference
