#include "render_harness.h"

#include "match/control.h"
#include "match/setup.h"
#include "match/world.h"
#include "render/allocator_tuning.h"
#include "render/display.h"
#include "render/textures.h"

#include <allegro.h>

#include <cerrno>
#include <cstdlib>
#include <random>

// Objects within OBJECT_SPREAD of the centre, players within PLAYER_SPREAD: all in range of all.
constexpr float OBJECT_SPREAD = 90.0f;
constexpr float PLAYER_SPREAD = 5.0f;
constexpr float FRAGMENT_HEIGHT = 6.0f;

bool start_allegro() {
    return install_allegro(SYSTEM_AUTODETECT, &errno, atexit) == 0 && install_keyboard() == 0 &&
           install_timer() == 0 && set_menu_mode() == 0;
}

bool start_match_display(const std::string &texture_file) {
    keep_freed_memory_for_reuse(); // as the game does, before the first display starts a thread
    if (!start_allegro() || open_match_display() != 0) {
        return false;
    }
    load_textures(texture_file.c_str(), NUM_TEXTURES);
    set_projection();
    return true;
}

void stop_match_display() {
    close_match_display();
    allegro_exit();
}

void clear_world(int last_human) {
    game_settings = GameSettings{};
    game_settings.number_of_tanks = MAX_TANKS;
    game_settings.number_of_trees = 0;
    tanks.fill(Tank{});
    bullets.fill(Bullet{});
    trees.fill(Tree{});
    particles.fill(Particle{});
    player_cameras.fill(PlayerCamera{});
    last_human_player = last_human;
}

void place_tank(int slot, float x, float z, float heading, int life) {
    tanks[slot] = Tank{x, GROUND_Y, z, 0, 0, heading, heading, x, z, 0, 0, life};
}

void fill_max_load_world(int last_human, unsigned seed) {
    std::minstd_rand random(seed);
    std::uniform_real_distribution<float> spread(-OBJECT_SPREAD, OBJECT_SPREAD);
    std::uniform_real_distribution<float> near(-PLAYER_SPREAD, PLAYER_SPREAD);
    std::uniform_real_distribution<float> angle(0.0f, 360.0f);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);

    clear_world(last_human);
    game_settings.number_of_trees = MAX_TREES;
    for (int i = 0; i < MAX_TANKS; ++i) {
        const bool player = i <= last_human;
        place_tank(i, player ? near(random) : spread(random),
                   player ? near(random) : spread(random), angle(random));
        tanks[i].turret_heading = angle(random);
    }
    for (int p = 0; p <= last_human; ++p) {
        update_camera(p);
    }
    for (Tree &tree : trees) {
        tree = Tree{static_cast<int32_t>(spread(random)), static_cast<int32_t>(spread(random))};
    }
    for (Bullet &bullet : bullets) {
        bullet = Bullet{spread(random), spread(random), 0.0f, 0.0f, 1};
    }
    for (Particle &p : particles) { // cleared to rest
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

void fill_default_world(int last_human, unsigned seed) {
    clear_world(last_human);
    game_settings = GameSettings{};
    std::srand(seed);
    set_up_world(last_human);
    for (int p = 0; p <= last_human; ++p) {
        update_camera(p);
    }
}
