#include "test_support.h"

#include "match/computer.h"
#include "match/world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

TEST(ComputerTanks, EachLiveOneTurnsWandersFiresAndDrivesOnItsDraws) {
    reset_world();
    game_settings.number_of_tanks = 500;
    game_settings.number_of_trees = 0;
    game_settings.tank_rotation_speed = 2.0f;
    game_settings.tank_speed = 0.25f;
    last_human_player = 1;
    for (int i = 0; i < 500; ++i) {
        tanks[i].heading = static_cast<float>(i);
        tanks[i].turret_heading = static_cast<float>(-i);
        tanks[i].life = 3;
    }
    tanks[4].life = 0;   // destroyed: skipped without drawing
    tanks[3].reload = 5; // reloading: no shot
    Tank saved[2] = {tanks[0], tanks[1]};

    std::srand(31);
    drive_computer_tanks();
    const int next_draw = replay_draw();

    std::srand(31);
    int lefts = 0;
    int shots = 0;
    for (int i = 2; i < 500; ++i) {
        SCOPED_TRACE(i);
        const Tank &tank = tanks[i];
        if (i == 4) {
            EXPECT_EQ(tank.heading, 4.0f);
            EXPECT_EQ(tank.velocity_z, 0.0f);
            continue;
        }
        bool hull_left = replay_below(100) < 60;
        bool turret_left = replay_below(100) < 60;
        lefts += hull_left ? 1 : 0;
        EXPECT_EQ(tank.heading, i + (hull_left ? 2.0f : -2.0f));
        EXPECT_EQ(tank.turret_heading, -i + (turret_left ? 1.0f : -1.0f));
        // Driving forwards along the heading it has just turned to.
        double heading = tank.heading * 3.141592654 / 180;
        EXPECT_NEAR(tank.velocity_x, 0.25 * std::sin(heading), 1e-6);
        EXPECT_NEAR(tank.velocity_z, 0.25 * std::cos(heading), 1e-6);
    }
    EXPECT_EQ(next_draw, replay_draw());
    EXPECT_EQ(tanks[3].reload, 5);
    for (const Bullet &bullet : bullets) {
        shots += bullet.life > 0 ? 1 : 0;
    }
    EXPECT_EQ(shots, 496); // every live one but the reloading one
    EXPECT_NEAR(lefts / 497.0, 0.6, 0.07);
    // The human slots are not driven.
    EXPECT_EQ(tanks[0].heading, saved[0].heading);
    EXPECT_EQ(tanks[1].turret_heading, saved[1].turret_heading);
    EXPECT_EQ(tanks[1].velocity_z, 0.0f);
}

TEST(ComputerTanks, NoneWhenEverySlotInPlayIsHuman) {
    for (int last_human : {2, 3}) {
        reset_world();
        game_settings.number_of_tanks = 3;
        last_human_player = last_human;
        for (Tank &tank : tanks) {
            tank.life = 3;
        }
        std::srand(4);
        drive_computer_tanks();
        const int next = replay_draw();
        std::srand(4);
        EXPECT_EQ(next, replay_draw());
        EXPECT_EQ(tanks[3].heading, 0.0f); // a slot beyond the tanks in play
        EXPECT_EQ(bullets[0].life, 0);
    }
}

} // namespace
