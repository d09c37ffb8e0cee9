#include "max_load_scene.h"

#include "render_harness.h"

#include "match/world.h"

#include <random>

namespace {

// Everything stands within this distance of the arena centre on both axes, and the players
// within PLAYER_SPREAD of it, so every object is in range of every player.
constexpr float OBJECT_SPREAD = 90.0f;
constexpr float PLAYER_SPREAD = 5.0f;
constexpr float FRAGMENT_HEIGHT = 6.0f;
constexpr float FULL_TURN = 360.0f;

} // namespace

void fill_max_load_world(int last_human, unsigned seed) {
    std::minstd_rand random(seed);
    std::uniform_real_distribution<float> spread(-OBJECT_SPREAD, OBJECT_SPREAD);
    std::uniform_real_distribution<float> near(-PLAYER_SPREAD, PLAYER_SPREAD);
    std::uniform_real_distribution<float> angle(0.0f, FULL_TURN);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);

    clear_world(last_human);
    game_settings.number_of_tanks = MAX_TANKS;
    game_settings.number_of_trees = MAX_TREES;
    for (int i = 0; i < MAX_TANKS; ++i) {
        const bool player = i <= last_human;
        place_tank(i, player ? near(random) : spread(random),
                   player ? near(random) : spread(random), angle(random));
        tanks[i].turret_heading = angle(random);
    }
    for (int p = 0; p <= last_human; ++p) {
        aim_camera(p);
    }
    for (Tree &tree : trees) {
        tree = Tree{static_cast<int32_t>(spread(random)), static_cast<int32_t>(spread(random))};
    }
    for (Bullet &bullet : bullets) {
        bullet = Bullet{spread(random), spread(random), 0.0f, 0.0f, 1};
    }
    for (Particle &p : particles) {
        p = Particle{};
        p.x = spread(random);
        p.y = GROUND_Y + FRAGMENT_HEIGHT * unit(random);
        p.z = spread(random);
        p.angle_x = angle(random);
        p.angle_y = angle(random);
        p.angle_z = angle(random);
        p.red = unit(random);
        p.green = unit(random);
        p.blue = unit(random);
        p.life = 1;
    }
}
