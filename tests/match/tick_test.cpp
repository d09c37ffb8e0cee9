#include "test_support.h"

#include "config/controls.h"
#include "match/tick.h"
#include "match/world.h"

#include <gtest/gtest.h>

namespace {

void three_tank_field() {
    reset_world();
    game_settings.number_of_tanks = 3;
    game_settings.number_of_trees = 0;
    for (int i = 0; i < 3; ++i) {
        tanks[i].x = -100.0f + 50.0f * i;
        tanks[i].y = -11.0f;
        tanks[i].life = 3;
    }
    tanks_alive = 3;
}

TEST(Tick, ComputerTanksDecideBeforeTheWorldMovesAndHumansAfter) {
    three_tank_field();
    last_human_player = 0;
    player_controls[0] = PlayerControls{CONTROL_KEYBOARD, {0, 0, KEY_W, 0, 0, 0, 0}};
    player_controls[1] = PlayerControls{CONTROL_KEYBOARD, {KEY_W, 0, 0, 0, 0, 0, KEY_W}};
    key[KEY_W] = 1;
    tanks[0].velocity_x = 1.0f;
    simulate_tick();

    // The computer tank's velocity and shot were made before the update moved them.
    EXPECT_NE(tanks[1].x, -50.0f);
    EXPECT_FLOAT_EQ(tanks[1].x, -50.0f + tanks[1].velocity_x);
    EXPECT_EQ(bullets[0].life, game_settings.bullet_life - 1);
    // The human's new velocity comes after the update: it moved by its old one.
    EXPECT_EQ(tanks[0].x, -99.0f);
    EXPECT_FLOAT_EQ(tanks[0].velocity_z, game_settings.tank_speed);
    EXPECT_EQ(tanks[0].velocity_x, 0.0f);
    // The camera of the same tick already sees the moved tank.
    EXPECT_NEAR(player_cameras[0].translate_x, 99.0f, 1e-5);
    EXPECT_NEAR(player_cameras[0].translate_z, 10.0f, 1e-5);
    // Slot 1 is a computer tank this match: its player record is not read.
    EXPECT_EQ(player_cameras[1].pitch, 0.0f);
}

TEST(Tick, EveryHumanStepRunsAfterEscape) {
    three_tank_field();
    game_settings.number_of_tanks = 2;
    tanks_alive = 2;
    last_human_player = 3;
    player_controls[1] = PlayerControls{CONTROL_KEYBOARD, {0, 0, 0, 0, 0, 0, KEY_SPACE}};
    player_controls[3] = PlayerControls{CONTROL_KEYBOARD, {KEY_LEFT, 0, 0, 0, 0, 0, 0}};
    key[KEY_ESC] = 1;
    key[KEY_SPACE] = 1;
    key[KEY_LEFT] = 1;
    tanks[3].velocity_x = 1.0f;
    tanks[3].x = 7.0f;
    simulate_tick();
    simulate_tick();
    EXPECT_EQ(match_over, 1);
    EXPECT_GT(bullets[0].life, 0); // player 1 fired after player 0 saw Escape
    for (int p = 0; p < 4; ++p) {
        EXPECT_EQ(player_cameras[p].pitch, 10.0f) << p;
    }
    // Slot 3 lies beyond the two tanks in play: its player turns it, the world never moves it.
    EXPECT_EQ(tanks[3].heading, 2.0f * game_settings.tank_rotation_speed);
    EXPECT_EQ(tanks[3].x, 7.0f);
}

} // namespace
