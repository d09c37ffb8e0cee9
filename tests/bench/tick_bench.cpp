// One world update at the largest load the settings allow: 500 tanks, 500 trees,
// every bullet slot in flight and every fragment slot live; the game's indexed update and the
// plain scans it replaced, on the same world.
#include "match/cell_index.h"

#include "match/movement.h"
#include "match/random.h"
#include "match/setup.h"
#include "match/update.h"
#include "match/world.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <tuple>

namespace {

constexpr unsigned SEED = 20240;
constexpr int EXPLOSION_SIZE = 150;
constexpr float BULLET_SPEED = 1.0f;
constexpr int BULLET_LIFE = 50;

// What an update changes, as the full world had it.
std::tuple<decltype(tanks), decltype(bullets), decltype(particles), int32_t> snapshot;

void build_full_world() {
    std::srand(SEED);
    game_settings = GameSettings{};
    game_settings.number_of_tanks = MAX_TANKS;
    game_settings.number_of_trees = MAX_TREES;
    set_up_world(0);
    // Every tank on the move, so the arena and tree tests do real work.
    for (int i = 0; i < MAX_TANKS; ++i) {
        move_forwards(i);
    }
    // Bullets scattered over the arena, flying in every direction.
    const int64_t width = 2 * static_cast<int64_t>(game_settings.arena_width);
    const int64_t height = 2 * static_cast<int64_t>(game_settings.arena_height);
    for (Bullet &bullet : bullets) {
        bullet.x = static_cast<float>(random_below(width) - game_settings.arena_width);
        bullet.z = static_cast<float>(random_below(height) - game_settings.arena_height);
        const int64_t direction = random_below(4);
        bullet.velocity_x = direction == 0 ? BULLET_SPEED : direction == 1 ? -BULLET_SPEED : 0.0f;
        bullet.velocity_z = direction == 2 ? BULLET_SPEED : direction == 3 ? -BULLET_SPEED : 0.0f;
        bullet.life = BULLET_LIFE;
    }
    // Explosions until the fragment pool is full.
    for (int burst = 0; burst * EXPLOSION_SIZE < MAX_PARTICLES; ++burst) {
        const Tank &tank = tanks[burst];
        spawn_explosion(EXPLOSION_SIZE, static_cast<int>(tank.x), -10, static_cast<int>(tank.z), 1,
                        0.25f, 100, 50);
    }
    snapshot = {tanks, bullets, particles, tanks_alive};
}

template <bool INDEXED> void BM_UpdateWorldFullLoad(benchmark::State &state) {
    build_full_world();
    cell_indexes_on = INDEXED;
    for (auto _ : state) {
        // The same world every time, restored outside the timed region.
        std::tie(tanks, bullets, particles, tanks_alive) = snapshot;
        match_over = 0;
        const auto start = std::chrono::steady_clock::now();
        update_world();
        benchmark::ClobberMemory();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
    }
    cell_indexes_on = true;
}

BENCHMARK_TEMPLATE(BM_UpdateWorldFullLoad, false)
    ->Name("tick/reference")
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_UpdateWorldFullLoad, true)
    ->Name("tick/optimized")
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
