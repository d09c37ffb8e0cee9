// Writes a picture of a small arena scene for a look at it:
//   render_snapshot OUT.ppm [TEXTURES.dat|-] [PLAYERS] [close]
// Without a datafile it makes one of plain colours.
#include "render_harness.h"

#include "match/world.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

TestImage checker_image(int size, Rgb a, Rgb b) {
    TestImage image = uniform_image(size, a);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (((x / 2) + (y / 2)) % 2 == 1) {
                image.pixels[static_cast<size_t>(y) * size + x] = b;
            }
        }
    }
    return image;
}

// Three tanks just ahead of a dead viewer, for a close look at the models.
void build_close_scene() {
    clear_world(0);
    place_tank(0, 0.0f, 0.0f, 0.0f);
    tanks[0].life = 0;
    place_tank(1, -4.0f, 6.0f, 60.0f);
    tanks[1].turret_heading = 20.0f;
    place_tank(2, 4.5f, 8.0f, 200.0f);
    tanks[2].turret_heading = 250.0f;
    place_tank(3, 0.0f, 14.0f, 90.0f);
    aim_camera(0);
}

void build_scene(int last_human) {
    clear_world(last_human);
    game_settings.arena_width = 60;
    game_settings.arena_height = 60;
    for (int p = 0; p <= last_human; ++p) {
        place_tank(p, static_cast<float>(-10 * p), static_cast<float>(-30 + 5 * p),
                   static_cast<float>(20 + 40 * p));
    }
    const float headings[] = {0, 45, 90, 135, 180, 225, 270, 315};
    for (int i = 0; i < 8; ++i) {
        place_tank(4 + i, static_cast<float>(-24 + 7 * i), static_cast<float>(-5 + (i % 3) * 9),
                   headings[i]);
        tanks[4 + i].turret_heading = headings[i] + 30.0f;
    }
    game_settings.number_of_trees = 6;
    for (int i = 0; i < 6; ++i) {
        trees[i] = Tree{-30 + 12 * i, 20 + (i % 2) * 8};
    }
    for (int i = 0; i < 5; ++i) {
        bullets[i] = Bullet{static_cast<float>(-6 + 3 * i), static_cast<float>(-18 + i), 0, 0, 10};
    }
    for (int i = 0; i < 60; ++i) {
        Particle &p = particles[i];
        p.x = 12.0f + static_cast<float>(i % 7) * 0.4f;
        p.y = -10.5f + static_cast<float>(i % 11) * 0.35f;
        p.z = -12.0f + static_cast<float>(i % 5) * 0.5f;
        p.angle_x = static_cast<float>(i * 37);
        p.angle_y = static_cast<float>(i * 53);
        p.red = 1.0f;
        p.green = static_cast<float>(i % 3) * 0.4f;
        p.life = 10;
    }
    for (int p = 0; p <= last_human; ++p) {
        aim_camera(p);
    }
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: render_snapshot OUT.ppm [TEXTURES.dat] [PLAYERS]\n");
        return 2;
    }
    std::string textures = argc > 2 ? argv[2] : "";
    const int players = argc > 3 ? std::atoi(argv[3]) : 1;
    if (textures.empty() || textures == "-") {
        textures = temp_path("snapshot_textures.dat");
        write_datafile(textures, {{true, checker_image(16, {90, 140, 60}, {70, 110, 50})},
                                  {true, checker_image(16, {150, 60, 50}, {120, 40, 30})},
                                  {true, checker_image(16, {60, 60, 60}, {20, 20, 20})},
                                  {true, checker_image(16, {60, 90, 160}, {40, 60, 120})}});
    }
    if (!start_match_display()) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    prepare_match_graphics(textures);
    if (argc > 4 && std::string(argv[4]) == "close") {
        build_close_scene();
    } else {
        build_scene(players - 1);
    }
    bool written = write_ppm(argv[1], render_frame());
    stop_match_display();
    return written ? 0 : 1;
}
