// Once a match runs, the game's own code allocates nothing: every global operator new is
// counted while ticks and four players' frames run at the largest load (Allegro and Mesa
// allocate through malloc, which is not counted).
#include "render_harness.h"

#include "match/setup.h"
#include "match/tick.h"
#include "match/world.h"
#include "render/match_display.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> allocations{0};

void *counted_allocation(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void *p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

} // namespace

void *operator new(std::size_t size) {
    return counted_allocation(size);
}
void *operator new[](std::size_t size) {
    return counted_allocation(size);
}
void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void *p) noexcept {
    std::free(p);
}
void operator delete[](void *p) noexcept {
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void *p, std::size_t) noexcept {
    std::free(p);
}

namespace {

constexpr int PLAYERS = 4;
constexpr int TICKS = 240;
constexpr int TICKS_PER_FRAME = 4;
// A small arena crowds the 500 tanks, so that shells hit and tanks burst within the run.
constexpr int32_t CROWDED_ARENA = 40;

TEST(MatchMemory, TicksAndFramesAllocateNothingAfterTheFirstFrame) {
    ASSERT_TRUE(start_match_display());
    prepare_match_graphics();
    clear_world(PLAYERS - 1);
    game_settings.number_of_trees = MAX_TREES;
    game_settings.arena_width = CROWDED_ARENA;
    game_settings.arena_height = CROWDED_ARENA;
    game_settings.tank_fire_speed = 0;
    std::srand(1);
    set_up_world(PLAYERS - 1);
    simulate_tick();
    match_display.draw_frame();

    const long before = allocations.load();
    int most_fragments = 0;
    for (int tick = 0; tick < TICKS; ++tick) {
        simulate_tick();
        if (tick % TICKS_PER_FRAME == 0) {
            match_display.draw_frame();
        }
        const auto fragments = std::count_if(particles.begin(), particles.end(),
                                             [](const Particle &p) { return p.life > 0; });
        most_fragments = std::max(most_fragments, static_cast<int>(fragments));
    }
    EXPECT_EQ(allocations.load() - before, 0);
    // The run did what a busy match does: tanks burst into fragments.
    EXPECT_LT(tanks_alive, MAX_TANKS);
    EXPECT_GT(most_fragments, 1000);
    stop_match_display();
}

} // namespace
