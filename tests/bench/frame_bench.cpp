// Frames per second of the match display at the largest load (500 tanks, 500 trees, 500
// shells in flight and 10000 fragments, all within range of every player), with one and with
// four players, drawn with the view's speed tricks and the plain way without them; then the
// floor, four views of an arena with nothing in it but sky, ground and walls, which no trick
// can pass; then four players with each trick turned off in turn. The cases take turns,
// several rounds, and each prints its median.
//   frame_bench [ROUNDS] [TEXTURES.dat]
// Uses the game's textures.dat when it has been built, else small striped textures.
#include "max_load_scene.h"
#include "render_harness.h"

#include "match/world.h"
#include "render/display.h"
#include "render/view.h"
#include "render/view_tricks.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int DEFAULT_ROUNDS = 5;
constexpr int WARM_UP_FRAMES = 2;
// Each case draws frames for at least this long and at least MIN_FRAMES of them.
constexpr double MIN_SECONDS = 1.0;
constexpr int MIN_FRAMES = 5;
constexpr unsigned SCENE_SEED = 12345;
constexpr double MILLISECONDS = 1000.0;
constexpr float FRAGMENT_SPIN = 7.0f;

std::string choose_textures(int argc, char **argv) {
    if (argc > 2) {
        return argv[2];
    }
    if (std::filesystem::exists(GAME_TEXTURES)) {
        return GAME_TEXTURES;
    }
    const std::string path = temp_path("bench_textures.dat");
    write_striped_textures(path);
    return path;
}

// The view's tricks with one turned off.
ViewTricks without(bool ViewTricks::*trick) {
    ViewTricks tricks;
    tricks.*trick = false;
    return tricks;
}

struct Case {
    const char *name;
    int players;
    ViewTricks tricks;
    bool empty_arena;
    std::vector<double> fps;
    // Processor time of all the program's threads (the renderer's included) per frame: less
    // at the mercy of other work on the machine than the frame rate.
    std::vector<double> cpu_ms;
};

// As in a match, the fragments have turned since the last frame.
void turn_fragments() {
    for (Particle &p : particles) {
        p.angle_x += FRAGMENT_SPIN;
        p.angle_y += FRAGMENT_SPIN;
        p.angle_z += FRAGMENT_SPIN;
    }
}

void draw_frame() {
    turn_fragments();
    clear_frame();
    for (int p = 0; p <= last_human_player; ++p) {
        draw_player_view(p);
    }
    show_frame();
}

void time_frames(Case &c) {
    fill_max_load_world(c.players - 1, SCENE_SEED);
    if (c.empty_arena) {
        clear_world(c.players - 1);
        for (int p = 0; p < c.players; ++p) {
            aim_camera(p);
        }
    }
    view_tricks = c.tricks;
    for (int i = 0; i < WARM_UP_FRAMES; ++i) {
        draw_frame();
    }
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu_start = std::clock();
    int frames = 0;
    std::chrono::duration<double> elapsed{};
    while (frames < MIN_FRAMES || elapsed.count() < MIN_SECONDS) {
        draw_frame();
        ++frames;
        elapsed = std::chrono::steady_clock::now() - start;
    }
    const double cpu_seconds = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
    c.fps.push_back(frames / elapsed.count());
    c.cpu_ms.push_back(MILLISECONDS * cpu_seconds / frames);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

} // namespace

int main(int argc, char **argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : DEFAULT_ROUNDS;
    if (rounds <= 0) {
        std::fprintf(stderr, "usage: frame_bench [ROUNDS] [TEXTURES.dat]\n");
        return 2;
    }
    const std::string textures = choose_textures(argc, argv);
    if (!start_match_display()) {
        std::fprintf(stderr, "frame_bench: no OpenGL display\n");
        return 1;
    }
    prepare_match_graphics(textures);
    std::printf("frame_bench: textures from %s, %d rounds\n", textures.c_str(), rounds);
    const ViewTricks all;
    // Plain and with the tricks, for one and for four players; the floor; then each trick off.
    std::array<Case, 10> cases = {{
        {"reference", 1, PLAIN_VIEW, false, {}, {}},
        {"optimized", 1, all, false, {}, {}},
        {"reference", 4, PLAIN_VIEW, false, {}, {}},
        {"optimized", 4, all, false, {}, {}},
        {"floor", 4, all, true, {}, {}},
        {"frustum-cull", 4, without(&ViewTricks::frustum_cull), false, {}, {}},
        {"small-triangle-cull", 4, without(&ViewTricks::small_triangle_cull), false, {}, {}},
        {"back-face-cull", 4, without(&ViewTricks::back_face_cull), false, {}, {}},
        {"front-to-back", 4, without(&ViewTricks::front_to_back), false, {}, {}},
        {"batching", 4, without(&ViewTricks::batching), false, {}, {}},
    }};
    constexpr int FLOOR_CASE = 4;
    constexpr int FIRST_STAGE_CASE = 5;
    constexpr int ALL_TRICKS_4P_CASE = 3;
    for (int round = 0; round < rounds; ++round) {
        for (Case &c : cases) {
            time_frames(c);
            std::printf("frame_bench: round %d, %d player%s, %s: %.1f frames per second, "
                        "%.1f ms processor time per frame\n",
                        round + 1, c.players, c.players == 1 ? "" : "s", c.name, c.fps.back(),
                        c.cpu_ms.back());
            std::fflush(stdout);
        }
    }
    stop_match_display();
    for (const Case &c : cases) {
        std::printf("frame_bench: %d player%s, %s: median %.1f ms processor time per frame\n",
                    c.players, c.players == 1 ? "" : "s", c.name, median(c.cpu_ms));
    }
    for (int i = 0; i < 4; i += 2) {
        const double reference = median(cases[i].fps);
        const double optimized = median(cases[i + 1].fps);
        std::printf("frame-max-load-%dp: reference %.1f fps, optimized %.1f fps, speedup %.2f\n",
                    cases[i].players, reference, optimized, optimized / reference);
    }
    std::printf("frame-floor-4p: %.1f fps\n", median(cases[FLOOR_CASE].fps));
    const double with_all = median(cases[ALL_TRICKS_4P_CASE].fps);
    for (size_t i = FIRST_STAGE_CASE; i < cases.size(); ++i) {
        std::printf("stage %s: %.1f fps with, %.1f fps without\n", cases[i].name, with_all,
                    median(cases[i].fps));
    }
    return 0;
}
