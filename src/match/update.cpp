#include "match/update.h"

#include "match/cell_index.h"
#include "match/numeric.h"
#include "match/random.h"
#include "match/sound.h"
#include "match/tree_index.h"
#include "match/world.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr double RECOIL_STEP = 0.03;
constexpr double QUARTER_TURN = 90.0;
// A bullet hits a tank whose squared ground distance is below this.
constexpr double HIT_RADIUS_SQUARED = 2.0;
// A hit needs both ground differences, rounded to float, below sqrt(2) < 1.5 (rounding cannot
// carry a difference across 1.5, which is exact), so every tank that a bullet can hit lies
// within this reach of it on each axis, with room to spare for rounding the search bounds.
constexpr double HIT_REACH = 2.0;
// More tanks than this near one bullet: the plain scan keeps them in slot order instead.
constexpr int MAX_NEAR_TANKS = 32;
constexpr double GRAVITY = 0.098;

// The burst of fragments of a destroyed tank.
constexpr int EXPLOSION_COUNT = 150;
constexpr float EXPLOSION_RAISE = 1.0f; // the centre sits this far above the tank's base
constexpr int EXPLOSION_SPREAD = 1;
constexpr float EXPLOSION_SPEED = 0.25f;
constexpr int EXPLOSION_LIFE = 100;
constexpr int EXPLOSION_LIFE_SPREAD = 50;

// Fragment draws: speeds and colours in hundredths.
constexpr float HUNDREDTHS = 100.0f;
constexpr int64_t UPWARD_SPEED_FACTOR = 5;
constexpr int64_t SPIN_CHOICES = 720;
constexpr int64_t SPIN_OFFSET = 360;
constexpr int64_t RED_CHOICES = 75;
constexpr int64_t RED_MINIMUM = 25;

static_assert(MAX_TANKS <= CELL_INDEX_CAPACITY, "every tank slot fits the index");

// The live tanks by cell, made once the tanks have moved: no tank moves while bullets fly,
// and one that is destroyed meanwhile is passed over by its life.
CellIndex tank_cells;
// False when a live tank stands where the index cannot hold it: every bullet then scans.
bool tank_cells_complete = false;

void index_live_tanks() {
    std::array<int16_t, CELL_INDEX_CAPACITY> buckets{};
    tank_cells_complete = true;
    const int count = tanks_in_play();
    for (int t = 0; t < count; ++t) {
        const Tank &tank = tanks[t];
        buckets[t] = NO_BUCKET;
        if (tank.life <= 0) {
            continue;
        }
        if (!indexable(tank.x, tank.z)) {
            tank_cells_complete = false;
            continue;
        }
        buckets[t] = static_cast<int16_t>(bucket_of_point(tank.x, tank.z));
    }
    build_cell_index(tank_cells, buckets, count);
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

void hit_if_within_reach(Bullet &bullet, Tank &tank) {
    if (tank.life <= 0) {
        return;
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

void hit_tanks_by_scan(Bullet &bullet) {
    const int count = tanks_in_play();
    for (int t = 0; t < count; ++t) {
        hit_if_within_reach(bullet, tanks[t]);
    }
}

// One bullet may hit several tanks; they are hit in slot order, as a scan would.
void hit_tanks(Bullet &bullet) {
    WindowBuckets buckets;
    const int bucket_count =
        cell_indexes_on && tank_cells_complete ? window_buckets(bullet.x - HIT_REACH, bullet.x + HIT_REACH,
                                             bullet.z - HIT_REACH, bullet.z + HIT_REACH, buckets)
                            : -1;
    if (bucket_count < 0) {
        hit_tanks_by_scan(bullet);
        return;
    }
    std::array<uint16_t, MAX_NEAR_TANKS> near;
    int near_count = 0;
    for (int b = 0; b < bucket_count; ++b) {
        for (int i = tank_cells.first[buckets[b]]; i < tank_cells.first[buckets[b] + 1]; ++i) {
            if (near_count == MAX_NEAR_TANKS) {
                hit_tanks_by_scan(bullet);
                return;
            }
            near[near_count++] = tank_cells.slots[i];
        }
    }
    std::sort(near.begin(), near.begin() + near_count);
    for (int i = 0; i < near_count; ++i) {
        hit_if_within_reach(bullet, tanks[near[i]]);
    }
}

void fly_bullet(Bullet &bullet) {
    bullet.x += bullet.velocity_x;
    bullet.z += bullet.velocity_z;
    --bullet.life;

    // Tested even when its life has just run out.
    hit_tanks(bullet);
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

// A whole number centre - spread to centre + spread - 1.
float spread_around(int centre, int spread) {
    return static_cast<float>(centre + random_below(2 * static_cast<int64_t>(spread)) - spread);
}

int32_t clamp_to_int(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

} // namespace

void update_world() {
    refresh_tree_index();
    int tank_count = tanks_in_play();
    for (int i = 0; i < tank_count; ++i) {
        move_tank(tanks[i]);
    }
    index_live_tanks();
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

void spawn_explosion(int count, int centre_x, int centre_y, int centre_z, int spread, float speed,
                     int life, int life_spread) {
    const int64_t s = trunc_to_int(speed * HUNDREDTHS);
    // The first free slot never moves backwards within one explosion, so the search
    // resumes where the last fragment went instead of starting again from slot 0.
    int slot = 0;
    for (int n = 0; n < count; ++n) {
        while (slot < MAX_PARTICLES && particles[slot].life > 0) {
            ++slot;
        }
        // A full pool drops the remaining fragments without drawing for them.
        if (slot == MAX_PARTICLES) {
            return;
        }
        Particle &p = particles[slot];
        p.x = spread_around(centre_x, spread);
        p.y = spread_around(centre_y, spread);
        p.z = spread_around(centre_z, spread);
        p.velocity_x = static_cast<float>(random_below(2 * s) - s) / HUNDREDTHS;
        p.velocity_y = static_cast<float>(random_below(UPWARD_SPEED_FACTOR * s)) / HUNDREDTHS;
        p.velocity_z = static_cast<float>(random_below(2 * s) - s) / HUNDREDTHS;
        p.life =
            clamp_to_int(life + random_below(2 * static_cast<int64_t>(life_spread)) - life_spread);
        p.spin_x = static_cast<float>(random_below(SPIN_CHOICES) - SPIN_OFFSET);
        p.spin_y = static_cast<float>(random_below(SPIN_CHOICES) - SPIN_OFFSET);
        p.spin_z = static_cast<float>(random_below(SPIN_CHOICES) - SPIN_OFFSET);
        int64_t red = random_below(RED_CHOICES) + RED_MINIMUM;
        p.red = static_cast<float>(red) / HUNDREDTHS;
        p.green = static_cast<float>(random_below(red + 1)) / HUNDREDTHS;
        p.blue = 0.0f;
    }
}
