#include "match/setup.h"

#include "match/random.h"
#include "match/world.h"

#include <algorithm>

namespace {

constexpr int HEADING_CHOICES = 360;

// A whole-number coordinate from -half to half - 1, drawn as r mod (2 * half) - half.
// The product is taken in 64 bits so that a half-extent near the int limit neither
// overflows nor leaves the arena; a half-extent below 1 still uses its draw and gives 0.
int32_t arena_coordinate(int32_t half) {
    int64_t offset = random_below(2 * static_cast<int64_t>(half));
    if (half < 1) {
        return 0;
    }
    return static_cast<int32_t>(offset - half);
}

void spawn_tanks() {
    const GameSettings &settings = game_settings;
    tanks_alive = tanks_in_play();
    for (int i = 0; i < tanks_in_play(); ++i) {
        Tank &tank = tanks[i];
        tank.x = static_cast<float>(arena_coordinate(settings.arena_width));
        tank.z = static_cast<float>(arena_coordinate(settings.arena_height));
        tank.y = GROUND_Y;
        tank.velocity_x = 0.0f;
        tank.velocity_z = 0.0f;
        tank.life = settings.normal_tank_life;
        tank.heading = static_cast<float>(random_below(HEADING_CHOICES));
    }
}

void plant_trees() {
    for (int i = 0; i < trees_in_play(); ++i) {
        trees[i].x = arena_coordinate(game_settings.arena_width);
        trees[i].z = arena_coordinate(game_settings.arena_height);
    }
}

void set_human_lives(int last_human) {
    int last = std::min(last_human, MAX_TANKS - 1);
    for (int p = 0; p <= last; ++p) {
        tanks[p].life = game_settings.human_tank_life;
    }
}

void clear_bullets() {
    for (Bullet &bullet : bullets) {
        bullet.life = 0;
    }
}

void clear_particles() {
    for (Particle &particle : particles) {
        particle.life = 0;
    }
}

} // namespace

void set_up_world(int last_human) {
    // The players are known before the tanks are counted: each of them has a tank in play.
    last_human_player = last_human;
    // A new match starts with empty pools, so that a bullet left over from the last
    // match cannot hit a tank that has just been placed.
    clear_bullets();
    clear_particles();
    spawn_tanks();
    plant_trees();
    set_human_lives(last_human);
}
