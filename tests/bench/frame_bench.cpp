// Frames per second of the match display at the largest load: 500 tanks, 500 trees, 500
// shells in flight and 10000 fragments, all within range of every player, drawn by one and by
// four players. Prints one line per player count.
//   frame_bench [FRAMES] [TEXTURES.dat]
// Uses the game's textures.dat when it has been built, else small generated textures.
#include "render_harness.h"

#include "match/world.h"
#include "render/display.h"
#include "render/view.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace {

constexpr int DEFAULT_FRAMES = 60;
constexpr int WARM_UP_FRAMES = 5;
// Everything stands within this distance of the arena centre on both axes, and the players
// within PLAYER_SPREAD of it, so every object is in range of every player.
constexpr float OBJECT_SPREAD = 90.0f;
constexpr float PLAYER_SPREAD = 5.0f;
constexpr int GENERATED_TEXTURE_SIZE = 64;
constexpr unsigned SCENE_SEED = 12345;

TestImage checker(Rgb a, Rgb b) {
    TestImage image = uniform_image(GENERATED_TEXTURE_SIZE, a);
    for (int y = 0; y < GENERATED_TEXTURE_SIZE; ++y) {
        for (int x = 0; x < GENERATED_TEXTURE_SIZE; ++x) {
            if ((x / 8 + y / 8) % 2 == 1) {
                image.pixels[static_cast<size_t>(y) * GENERATED_TEXTURE_SIZE + x] = b;
            }
        }
    }
    return image;
}

std::string choose_textures(int argc, char **argv) {
    if (argc > 2) {
        return argv[2];
    }
    if (std::filesystem::exists(GAME_TEXTURES)) {
        return GAME_TEXTURES;
    }
    const std::string path = temp_path("bench_textures.dat");
    write_datafile(path, {{true, checker({90, 140, 60}, {70, 110, 50})},
                          {true, checker({150, 60, 50}, {120, 40, 30})},
                          {true, checker({60, 60, 60}, {20, 20, 20})},
                          {true, checker({60, 90, 160}, {40, 60, 120})}});
    return path;
}

void fill_world(int last_human) {
    std::minstd_rand random(SCENE_SEED);
    std::uniform_real_distribution<float> spread(-OBJECT_SPREAD, OBJECT_SPREAD);
    std::uniform_real_distribution<float> near(-PLAYER_SPREAD, PLAYER_SPREAD);
    std::uniform_real_distribution<float> angle(0.0f, 360.0f);
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
        p.y = GROUND_Y + 6.0f * unit(random);
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

void draw_frame() {
    clear_frame();
    for (int p = 0; p <= last_human_player; ++p) {
        draw_player_view(p);
    }
    show_frame();
}

void time_frames(int players, int frames) {
    fill_world(players - 1);
    for (int i = 0; i < WARM_UP_FRAMES; ++i) {
        draw_frame();
    }
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        draw_frame();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("frame_bench: %d player%s, 500 tanks, 500 trees, 500 shells, 10000 fragments: "
                "%d frames in %.2f s, %.1f frames per second\n",
                players, players == 1 ? "" : "s", frames, elapsed.count(),
                frames / elapsed.count());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : DEFAULT_FRAMES;
    if (frames <= 0) {
        std::fprintf(stderr, "usage: frame_bench [FRAMES] [TEXTURES.dat]\n");
        return 2;
    }
    const std::string textures = choose_textures(argc, argv);
    if (!start_match_display()) {
        std::fprintf(stderr, "frame_bench: no OpenGL display\n");
        return 1;
    }
    prepare_match_graphics(textures);
    std::printf("frame_bench: textures from %s\n", textures.c_str());
    time_frames(1, frames);
    time_frames(4, frames);
    stop_match_display();
    return 0;
}
