// Frames per second at the largest load, one and four players, with the view's speed tricks and
// the plain way; a match with the default settings; the floor (the views of an empty arena);
// four players at the largest load with each trick off.
#include "render_harness.h"

#include "match/control.h"
#include "match/world.h"
#include "render/match_display.h"
#include "render/view_tricks.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr int DEFAULT_ROUNDS = 5;
constexpr int WARM_UP_FRAMES = 2;
// Each case draws frames for at least this long and at least MIN_FRAMES of them.
constexpr double MIN_SECONDS = 1.0;
constexpr int MIN_FRAMES = 5;
constexpr float FRAGMENT_SPIN = 7.0f;

enum World { MAX_LOAD, DEFAULT_MATCH, EMPTY_ARENA };

struct Case {
    const char *name;
    int players;
    ViewTricks tricks;
    World world = MAX_LOAD;
    std::vector<double> fps = {};
    // Processor time of all threads per frame: less at the mercy of other work than the rate.
    std::vector<double> cpu_ms = {};
};

ViewTricks without(bool ViewTricks::*trick) {
    ViewTricks tricks;
    tricks.*trick = false;
    return tricks;
}

// As in a match, the fragments have turned since the last frame.
void draw_frame() {
    for (Particle &p : particles) {
        p.angle_x += FRAGMENT_SPIN;
        p.angle_y += FRAGMENT_SPIN;
        p.angle_z += FRAGMENT_SPIN;
    }
    match_display.draw_frame();
}

// Frames a case draws, whatever the time they take, when above 0: for counting work.
int fixed_frames = 0;

void time_frames(Case &c) {
    if (c.world == EMPTY_ARENA) {
        clear_world(c.players - 1);
        for (int p = 0; p < c.players; ++p) {
            update_camera(p);
        }
    } else if (c.world == DEFAULT_MATCH) {
        fill_default_world(c.players - 1, BENCHMARK_SEED);
    } else {
        fill_max_load_world(c.players - 1, BENCHMARK_SEED);
    }
    view_tricks = c.tricks;
    for (int i = 0; i < WARM_UP_FRAMES; ++i) {
        draw_frame();
    }
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu_start = std::clock();
    int frames = 0;
    std::chrono::duration<double> elapsed{};
    while (fixed_frames > 0 ? frames < fixed_frames
                            : frames < MIN_FRAMES || elapsed.count() < MIN_SECONDS) {
        draw_frame();
        ++frames;
        elapsed = std::chrono::steady_clock::now() - start;
    }
    c.fps.push_back(frames / elapsed.count());
    c.cpu_ms.push_back(1000.0 * (std::clock() - cpu_start) / CLOCKS_PER_SEC / frames);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return (values[(n - 1) / 2] + values[n / 2]) / 2.0;
}

} // namespace

int main(int argc, char **argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : DEFAULT_ROUNDS;
    if (rounds <= 0) {
        std::fprintf(stderr, "usage: frame_bench [ROUNDS] [TEXTURES.dat] [CASE] [FRAMES]\n");
        return 2;
    }
    const std::string textures = argc > 2 ? argv[2] : GAME_TEXTURES;
    if (!start_match_display(textures)) {
        std::fprintf(stderr, "frame_bench: no OpenGL display\n");
        return 1;
    }
    std::printf("frame_bench: textures from %s, %d rounds\n", textures.c_str(), rounds);
    std::vector<Case> cases = {
        {"reference", 1, PLAIN_VIEW},
        {"optimized", 1, ViewTricks{}},
        {"reference", 4, PLAIN_VIEW},
        {"optimized", 4, ViewTricks{}},
        {"default", 1, ViewTricks{}, DEFAULT_MATCH},
        {"default", 4, ViewTricks{}, DEFAULT_MATCH},
        {"floor", 1, ViewTricks{}, EMPTY_ARENA},
        {"floor", 4, ViewTricks{}, EMPTY_ARENA},
        {"frustum-cull", 4, without(&ViewTricks::frustum_cull)},
        {"small-triangle-cull", 4, without(&ViewTricks::small_triangle_cull)},
        {"back-face-cull", 4, without(&ViewTricks::back_face_cull)},
        {"batching", 4, without(&ViewTricks::batching)},
        {"level-of-detail", 4, without(&ViewTricks::level_of_detail)},
    };
    constexpr size_t ALL_TRICKS_4P_CASE = 3;
    constexpr size_t DEFAULT_CASE = 4;
    constexpr size_t FLOOR_CASE = 6;
    constexpr size_t FIRST_STAGE_CASE = 8;
    // A third argument names the one case to time, as "4p-optimized", a fourth how many
    // frames it draws: for a profiler.
    const std::string only = argc > 3 ? argv[3] : "";
    fixed_frames = argc > 4 ? std::atoi(argv[4]) : 0;
    for (int round = 0; round < rounds; ++round) {
        for (Case &c : cases) {
            if (!only.empty() && only != std::to_string(c.players) + "p-" + c.name) {
                continue;
            }
            time_frames(c);
            std::printf("frame_bench: round %d, %d player%s, %s: %.1f frames per second, "
                        "%.1f ms processor time per frame\n",
                        round + 1, c.players, c.players == 1 ? "" : "s", c.name, c.fps.back(),
                        c.cpu_ms.back());
            std::fflush(stdout);
        }
    }
    stop_match_display();
    if (!only.empty()) {
        return 0;
    }
    for (const Case &c : cases) {
        std::printf("frame_bench: %d player%s, %s: median %.1f ms processor time per frame\n",
                    c.players, c.players == 1 ? "" : "s", c.name, median(c.cpu_ms));
    }
    // Each against the floor with as many players.
    const auto floor = [&](int players) { return median(cases[FLOOR_CASE + (players > 1)].fps); };
    for (size_t i = 0; i < DEFAULT_CASE; i += 2) {
        const double reference = median(cases[i].fps);
        const double optimized = median(cases[i + 1].fps);
        std::printf("frame-max-load-%dp: reference %.1f fps, optimized %.1f fps, speedup %.2f, "
                    "floor %.1f fps\n",
                    cases[i].players, reference, optimized, optimized / reference,
                    floor(cases[i].players));
    }
    for (size_t i = DEFAULT_CASE; i < FLOOR_CASE; ++i) {
        std::printf("frame-default-%dp: optimized %.1f fps, floor %.1f fps\n", cases[i].players,
                    median(cases[i].fps), floor(cases[i].players));
    }
    std::printf("frame-floor-1p: %.1f fps\n", floor(1));
    std::printf("frame-floor-4p: %.1f fps\n", floor(4));
    for (size_t i = FIRST_STAGE_CASE; i < cases.size(); ++i) {
        const double with = median(cases[ALL_TRICKS_4P_CASE].fps);
        const double without = median(cases[i].fps);
        std::printf("stage %s: %.1f fps with, %.1f fps without, %.2f times\n", cases[i].name, with,
                    without, with / without);
    }
    return 0;
}
