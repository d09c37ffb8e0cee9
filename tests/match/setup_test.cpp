#include "test_support.h"

#include "match/setup.h"
#include "match/world.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <set>

namespace {

struct ExpectedSpot {
    float x;
    float z;
};

ExpectedSpot replay_spot(long long half_x, long long half_z) {
    float x = static_cast<float>(replay_below(2 * half_x) - half_x);
    float z = static_cast<float>(replay_below(2 * half_z) - half_z);
    return {x, z};
}

TEST(MatchSetup, TanksTakeTheirDrawsInOrderAndKeepTurretState) {
    reset_world();
    game_settings.arena_width = 37;
    game_settings.arena_height = 23;
    game_settings.number_of_tanks = 20;
    game_settings.normal_tank_life = 4;
    for (Tank &tank : tanks) {
        tank.turret_heading = 33.0f;
        tank.recoil = 0.2f;
        tank.reload = 7;
        tank.velocity_x = 5.0f;
        tank.velocity_z = -5.0f;
        tank.life = 9;
    }
    std::srand(42);
    spawn_tanks();

    std::srand(42);
    EXPECT_EQ(tanks_alive, 20);
    for (int i = 0; i < 20; ++i) {
        SCOPED_TRACE(i);
        ExpectedSpot spot = replay_spot(37, 23);
        float heading = static_cast<float>(replay_below(360));
        const Tank &tank = tanks[i];
        EXPECT_EQ(tank.x, spot.x);
        EXPECT_EQ(tank.z, spot.z);
        EXPECT_EQ(tank.heading, heading);
        EXPECT_EQ(tank.y, -11.0f);
        EXPECT_EQ(tank.velocity_x, 0.0f);
        EXPECT_EQ(tank.velocity_z, 0.0f);
        EXPECT_EQ(tank.life, 4);
        EXPECT_EQ(tank.turret_heading, 33.0f);
        EXPECT_EQ(tank.recoil, 0.2f);
        EXPECT_EQ(tank.reload, 7);
    }
    // Slots beyond the tanks in play are not touched.
    EXPECT_EQ(tanks[20].life, 9);
    EXPECT_EQ(tanks[20].velocity_x, 5.0f);
}

TEST(MatchSetup, TreesFollowTheTanksInTheStreamAndOnlyTheTreesInPlayMove) {
    reset_world();
    game_settings.arena_width = 50;
    game_settings.arena_height = 80;
    game_settings.number_of_tanks = 5;
    game_settings.number_of_trees = 30;
    trees[30] = Tree{1234, 5678};
    std::srand(7);
    spawn_tanks();
    plant_trees();

    std::srand(7);
    skip_draws(5 * 3);
    for (int i = 0; i < 30; ++i) {
        SCOPED_TRACE(i);
        long long x = replay_below(100) - 50;
        long long z = replay_below(160) - 80;
        EXPECT_EQ(trees[i].x, x);
        EXPECT_EQ(trees[i].z, z);
    }
    EXPECT_EQ(trees[30].x, 1234);
    EXPECT_EQ(trees[30].z, 5678);
}

TEST(MatchSetup, StartPositionsCoverMinusHalfToHalfLessOne) {
    reset_world();
    game_settings.arena_width = 1;
    game_settings.arena_height = 2;
    game_settings.number_of_tanks = 500;
    game_settings.number_of_trees = 500;
    spawn_tanks();
    plant_trees();
    std::set<float> xs;
    std::set<float> zs;
    std::set<float> headings;
    for (const Tank &tank : tanks) {
        xs.insert(tank.x);
        zs.insert(tank.z);
        headings.insert(tank.heading);
    }
    EXPECT_EQ(xs, (std::set<float>{-1.0f, 0.0f}));
    EXPECT_EQ(zs, (std::set<float>{-2.0f, -1.0f, 0.0f, 1.0f}));
    EXPECT_GE(*headings.begin(), 0.0f);
    EXPECT_LE(*headings.rbegin(), 359.0f);
    for (const Tree &tree : trees) {
        EXPECT_TRUE(tree.x == -1 || tree.x == 0);
        EXPECT_TRUE(tree.z >= -2 && tree.z <= 1);
    }
}

TEST(MatchSetup, HumanLivesAndTheWholeSetUpInOrder) {
    reset_world();
    game_settings.number_of_tanks = 10;
    game_settings.number_of_trees = 12;
    game_settings.normal_tank_life = 3;
    game_settings.human_tank_life = 6;
    for (Bullet &bullet : bullets) {
        bullet.life = 20;
    }
    for (Particle &particle : particles) {
        particle.life = 20;
    }
    std::srand(99);
    set_up_world(2);

    for (const Bullet &bullet : bullets) {
        ASSERT_EQ(bullet.life, 0);
    }
    for (const Particle &particle : particles) {
        ASSERT_EQ(particle.life, 0);
    }
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(tanks[i].life, i <= 2 ? 6 : 3) << "slot " << i;
    }
    EXPECT_EQ(tanks_alive, 10);

    std::srand(99);
    for (int i = 0; i < 10; ++i) {
        ExpectedSpot spot = replay_spot(150, 150);
        skip_draws(1);
        EXPECT_EQ(tanks[i].x, spot.x);
        EXPECT_EQ(tanks[i].z, spot.z);
    }
    for (int i = 0; i < 12; ++i) {
        ExpectedSpot spot = replay_spot(150, 150);
        EXPECT_EQ(static_cast<float>(trees[i].x), spot.x);
        EXPECT_EQ(static_cast<float>(trees[i].z), spot.z);
    }
}

TEST(MatchSetup, FewerTanksThanPlayersLeavesTheExtraHumanSlotsUnplaced) {
    reset_world();
    game_settings.number_of_tanks = 3;
    tanks[3].x = 77.0f;
    set_up_world(3);
    EXPECT_EQ(tanks_alive, 3);
    EXPECT_EQ(tanks[3].x, 77.0f);
    EXPECT_EQ(tanks[3].life, game_settings.human_tank_life);
}

TEST(MatchSetup, HugeOrEmptyArenasFromASettingsFileStayDefined) {
    // Twice the largest half-extent does not fit in 32 bits; the draws must still be
    // r mod 2w - w taken in 64 bits, inside the arena.
    reset_world();
    game_settings.arena_width = INT_MAX;
    game_settings.arena_height = INT_MAX;
    game_settings.number_of_tanks = 100;
    game_settings.number_of_trees = 100;
    std::srand(5);
    spawn_tanks();
    plant_trees();
    std::srand(5);
    const float bound = static_cast<float>(INT_MAX);
    for (int i = 0; i < 100; ++i) {
        ExpectedSpot spot = replay_spot(INT_MAX, INT_MAX);
        skip_draws(1);
        EXPECT_EQ(tanks[i].x, spot.x);
        EXPECT_EQ(tanks[i].z, spot.z);
        EXPECT_GE(tanks[i].x, -bound);
        EXPECT_LT(tanks[i].x, bound);
    }
    for (int i = 0; i < 100; ++i) {
        long long x = replay_below(2LL * INT_MAX) - INT_MAX;
        long long z = replay_below(2LL * INT_MAX) - INT_MAX;
        EXPECT_EQ(trees[i].x, x);
        EXPECT_EQ(trees[i].z, z);
    }

    // Half-extents below 1 put everything at the centre, still one draw per coordinate.
    for (int half : {0, -1, INT_MIN}) {
        SCOPED_TRACE(half);
        reset_world();
        game_settings.arena_width = half;
        game_settings.arena_height = half;
        game_settings.number_of_tanks = 4;
        game_settings.number_of_trees = 4;
        std::srand(8);
        spawn_tanks();
        plant_trees();
        std::srand(8);
        for (int i = 0; i < 4; ++i) {
            skip_draws(2);
            EXPECT_EQ(tanks[i].heading, static_cast<float>(replay_below(360)));
            EXPECT_EQ(tanks[i].x, 0.0f);
            EXPECT_EQ(tanks[i].z, 0.0f);
            EXPECT_EQ(trees[i].x, 0);
        }
    }

    // Tank and tree counts beyond the tables are held to their capacities.
    reset_world();
    game_settings.number_of_tanks = 100000;
    game_settings.number_of_trees = 100000;
    game_settings.human_tank_life = 2;
    set_up_world(3);
    EXPECT_EQ(tanks_alive, 500);
    reset_world();
    game_settings.number_of_tanks = -4;
    game_settings.number_of_trees = -4;
    set_up_world(0);
    EXPECT_EQ(tanks_alive, 0);
}

} // namespace
