// One world update at the largest load, every slot live: the indexed update and the plain scans.
#include "match/cell_index.h"
#include "match/movement.h"
#include "match/random.h"
#include "match/setup.h"
#include "match/update.h"
#include "match/world.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <tuple>

namespace {

// What an update changes, as the full world had it.
std::tuple<decltype(tanks), decltype(bullets), decltype(particles), int32_t> full_world;

void build_full_world() {
    std::srand(20240);
    game_settings.number_of_tanks = MAX_TANKS;
    game_settings.number_of_trees = MAX_TREES;
    set_up_world(0);
    // Every tank on the move, so the arena and tree tests do real work.
    for (int i = 0; i < MAX_TANKS; ++i)
        move_forwards(i);
    // Bullets scattered over the arena, flying either way along either axis.
    const int32_t w = game_settings.arena_width, h = game_settings.arena_height;
    for (Bullet &bullet : bullets) {
        bullet.x = static_cast<float>(random_below(2 * w) - w);
        bullet.z = static_cast<float>(random_below(2 * h) - h);
        const int64_t direction = random_below(4);
        const float speed = direction % 2 == 0 ? 1.0f : -1.0f;
        bullet.velocity_x = direction < 2 ? speed : 0.0f;
        bullet.velocity_z = direction < 2 ? 0.0f : speed;
        bullet.life = 50;
    }
    // Explosions until the fragment pool is full.
    for (int burst = 0; burst * 150 < MAX_PARTICLES; ++burst)
        spawn_explosion(150, static_cast<int>(tanks[burst].x), -10,
                        static_cast<int>(tanks[burst].z), 1, 0.25f, 100, 50);
    full_world = {tanks, bullets, particles, tanks_alive};
}

void update_full_world(benchmark::State &state, bool indexed) {
    build_full_world();
    cell_indexes_on = indexed;
    for (auto _ : state) {
        // The same world every time, restored outside the timed region.
        std::tie(tanks, bullets, particles, tanks_alive) = full_world;
        const auto start = std::chrono::steady_clock::now();
        update_world();
        benchmark::ClobberMemory();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
    }
}

BENCHMARK_CAPTURE(update_full_world, plain, false)
    ->Name("tick/reference")
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(update_full_world, indexed, true)
    ->Name("tick/optimized")
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
