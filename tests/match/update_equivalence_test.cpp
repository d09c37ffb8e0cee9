// The indexed world update against the plain scans, tick after tick on random worlds, bit for bit.
#include "test_support.h"

#include "match/cell_index.h"
#include "match/update.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <random>

namespace {

constexpr int WORLDS = 60;
constexpr int TICKS_PER_WORLD = 50;

// What one update changes in the world, and a copy of it.
auto world_tables() {
    return std::tie(tanks, bullets, particles, tanks_alive, match_over);
}
using Tables = decltype(std::tuple(tanks, bullets, particles, tanks_alive, match_over));

// The first slot whose bytes differ, or the table's size.
template <typename Table> std::ptrdiff_t first_difference(const Table &a, const Table &b) {
    const auto same = [](const auto &x, const auto &y) { return !std::memcmp(&x, &y, sizeof x); };
    return std::mismatch(a.begin(), a.end(), b.begin(), same).first - a.begin();
}

// Random worlds that lean on the edges: tanks and bullets on and a hair either side of a tree's
// square and a tank's hit radius, odd positions, crowds, and arenas from tiny to the int limit.
struct WorldMaker {
    std::mt19937 random;

    int below(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }
    template <typename T> T pick(std::initializer_list<T> choices) {
        return choices.begin()[below(static_cast<int>(choices.size()))];
    }
    // Plus or minus one of the sizes, or a hair either side of it.
    float about(std::initializer_list<float> sizes) {
        const float size = (below(2) == 0 ? 1.0f : -1.0f) * pick(sizes);
        const int hair = below(3);
        return hair == 0 ? size : std::nextafter(size, hair == 1 ? -INFINITY : INFINITY);
    }
    float coordinate(int32_t half) {
        half = std::min(half, 400);
        return static_cast<float>(below(2 * half) - half) + below(1024) / 1024.0f;
    }
    float velocity() {
        return below(3) == 0 ? std::uniform_real_distribution<float>(-1.5f, 1.5f)(random)
                             : pick({0.0f, 0.2f, -0.2f, 1e-7f, -1.0f, 0.05f});
    }
    // Near a tree, about its square's edge (2) or search reach (3); near a tank, about its hit
    // radius (root 2) or reach (1.5); or anywhere. Now and then a value where the index gives up.
    void place(float &x, float &z) {
        const int kind = below(10);
        if (kind < 4 && trees_in_play() > 0) {
            const Tree &t = trees[static_cast<size_t>(below(trees_in_play()))];
            x = static_cast<float>(t.x + static_cast<double>(about({0, 1, 2, 3})));
            z = static_cast<float>(t.z + static_cast<double>(about({0, 1, 2, 3})));
        } else if (kind < 6) {
            const Tank &t = tanks[static_cast<size_t>(below(tanks_in_play()))];
            x = t.x + about({0, 1, std::sqrt(2.0f), 1.5f, 2, 3});
            z = t.z + about({0, 1, std::sqrt(2.0f), 1.5f, 2, 3});
        } else {
            x = coordinate(game_settings.arena_width);
            z = coordinate(game_settings.arena_height);
        }
        if (below(25) == 0)
            (below(2) == 0 ? x : z) = pick(
                {NAN, INFINITY, -INFINITY, 1e30f, -1e30f, 2147483648.0f, -2147483648.0f, 0x1p40f});
    }

    void make() {
        reset_world();
        game_settings.arena_width = pick({150, 20, 1000, INT32_MAX});
        game_settings.arena_height = pick({150, 20, 1000, INT32_MAX});
        game_settings.number_of_tanks = below(2) == 0 ? MAX_TANKS : 3 + below(MAX_TANKS - 2);
        game_settings.number_of_trees = below(2) == 0 ? MAX_TREES : below(MAX_TREES + 1);
        for (int i = 0; i < trees_in_play(); ++i) {
            const int32_t spread = below(4) == 0 ? 6 : 200; // a quarter crowd round the centre
            trees[i] = Tree{static_cast<int32_t>(coordinate(spread)),
                            static_cast<int32_t>(coordinate(spread))};
            if (below(50) == 0)
                trees[i] =
                    Tree{below(2) == 0 ? INT32_MAX : 2147483645, below(2) == 0 ? INT32_MIN : 0};
        }
        for (int i = 0; i < tanks_in_play(); ++i) {
            Tank &t = tanks[i];
            place(t.x, t.z);
            t.velocity_x = velocity();
            t.velocity_z = velocity();
            t.life = below(8) == 0 ? 0 : 1 + below(3);
            tanks_alive += t.life > 0 ? 1 : 0;
        }
        fly_bullets(MAX_BULLETS);
    }

    void fly_bullets(int count) {
        for (int i = 0; i < count; ++i) {
            Bullet &b = bullets[i];
            if (b.life > 0 || below(3) == 0)
                continue;
            place(b.x, b.z);
            const bool parked = below(2) == 0; // staying on an edge
            b.velocity_x = parked ? 0.0f : velocity();
            b.velocity_z = parked ? 0.0f : velocity();
            b.life = 1 + below(50);
        }
    }

    void move_some_trees() {
        for (int n = below(20); n > 0 && trees_in_play() > 0; --n)
            trees[below(trees_in_play())] = Tree{below(40) - 20, below(40) - 20};
        if (below(3) == 0)
            game_settings.number_of_trees = below(MAX_TREES + 1);
    }
};

// One update from this seed; then the next two draws of the random stream and the sounds played.
auto run_update(bool indexed, unsigned seed) {
    played_sounds.clear();
    std::srand(seed);
    cell_indexes_on = indexed; // the indexed run comes second, leaving the game's default
    update_world();
    return std::tuple{std::rand(), std::rand(), played_sounds}; // drawn in order
}

TEST(WorldUpdateIndex, MatchesThePlainScansTickForTick) {
    static Tables before, plain;
    const auto &[plain_tanks, plain_bullets, plain_particles, plain_alive, plain_over] = plain;
    int hits = 0;
    for (int world = 0; world < WORLDS; ++world) {
        WorldMaker maker{std::mt19937(static_cast<unsigned>(world) + 1)};
        maker.make();
        for (int tick = 0; tick < TICKS_PER_WORLD; ++tick) {
            if (tick == TICKS_PER_WORLD / 2) // so that a stale tree index would show
                maker.move_some_trees();
            if (tick % 10 == 9)
                maker.fly_bullets(MAX_BULLETS / 4);
            before = world_tables();
            const unsigned seed = maker.random();
            const auto plain_rest = run_update(false, seed);
            plain = world_tables();
            world_tables() = before;

            SCOPED_TRACE(testing::Message() << "world " << world << ", tick " << tick);
            ASSERT_EQ(run_update(true, seed), plain_rest); // the random stream and the sounds
            ASSERT_EQ(first_difference(plain_tanks, tanks), MAX_TANKS);
            ASSERT_EQ(first_difference(plain_bullets, bullets), MAX_BULLETS);
            ASSERT_EQ(first_difference(plain_particles, particles), MAX_PARTICLES);
            ASSERT_EQ(std::pair(plain_alive, plain_over), std::pair(tanks_alive, match_over));
            for (int i = 0; i < tanks_in_play(); ++i)
                hits += std::get<0>(before)[i].life != tanks[i].life;
        }
    }
    // The worlds did lead bullets into tanks, thousands of times.
    EXPECT_GT(hits, 1000);
}

} // namespace
