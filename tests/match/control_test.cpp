#include "test_support.h"

#include "config/controls.h"
#include "match/computer.h"
#include "match/control.h"
#include "match/tick.h"
#include "match/world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <tuple>
#include <utility>

TEST(ComputerTanks, EachLiveOneTurnsWandersFiresAndDrivesOnItsDraws) {
    reset_world();
    game_settings.number_of_tanks = 20;
    game_settings.tank_speed = 0.25f;
    last_human_player = 1;
    for (int i = 0; i <= 20; ++i)
        tanks[i] = Tank{0, -11, 0, 0, 0, float(i), float(-i), 0, 0, 0, 0, 3};
    tanks[4].life = 0;   // destroyed: skipped without drawing
    tanks[3].reload = 5; // reloading: no shot
    std::srand(31);
    drive_computer_tanks();
    const long long next = replay_below(32768);
    std::srand(31);
    for (int i = 0; i <= 20; ++i) {
        const Tank &t = tanks[i];
        if (i <= 1 || i == 4 || i == 20) { // human, destroyed, not in play
            EXPECT_EQ(std::tuple(t.heading, t.turret_heading, t.velocity_z),
                      std::tuple(float(i), float(-i), 0.0f))
                << i;
            continue;
        }
        // Hull and turret turn left on 60 draws of 100, right on the other 40.
        EXPECT_EQ(t.heading, i + (replay_below(100) < 60 ? 2.0f : -2.0f)) << i;
        EXPECT_EQ(t.turret_heading, -i + (replay_below(100) < 60 ? 1.0f : -1.0f)) << i;
        const double heading = t.heading * 3.141592654 / 180; // driving along the new heading
        EXPECT_NEAR(t.velocity_x, 0.25 * std::sin(heading), 1e-6) << i;
        EXPECT_NEAR(t.velocity_z, 0.25 * std::cos(heading), 1e-6) << i;
    }
    EXPECT_EQ(next, replay_below(32768));
    EXPECT_GT(bullets[15].life, 0); // all but the reloading one fired
    EXPECT_EQ(bullets[16].life, 0);
}

TEST(HumanControl, EachControlTypeActsOnItsOwnInputs) {
    // Keys and mouse buttons held for one step, with the mouse moved right and Escape down.
    const struct {
        int type, buttons, held[3];
        float heading, turret, velocity_z;
        bool fires;
    } cases[] = {{CONTROL_KEYBOARD, 1, {KEY_A, KEY_W, KEY_SPACE}, 7, 0, 0.496273f, true},
                 {CONTROL_KEYBOARD, 1, {KEY_A, KEY_D, KEY_S}, 0, 0, -0.5f, false},
                 {CONTROL_KEYBOARD, 1, {KEY_W, KEY_S, KEY_Q}, 0, 2.5f, 0.5f, false},
                 {CONTROL_KEYBOARD, 1, {KEY_D, KEY_E, KEY_ESC}, -7, -2.5f, 0, false},
                 {CONTROL_MOUSE_KEYS, 1, {KEY_A, KEY_Q, KEY_SPACE}, 7, -12, 0, true},
                 {CONTROL_MOUSE_KEYS, 2, {KEY_D, KEY_S, KEY_SPACE}, -7, -12, -0.496273f, false},
                 {CONTROL_GAMEPAD, 1, {KEY_A, KEY_W, KEY_SPACE}, 0, 0, 0.3f, false},
                 {-1, 1, {KEY_A, KEY_W, KEY_SPACE}, 0, 0, 0.3f, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << ": " << c.held[0] << " " << c.held[1]);
        reset_world();
        game_settings.tank_rotation_speed = 7.0f;
        game_settings.tank_speed = 0.5f;
        player_controls[0] =
            PlayerControls{c.type, {KEY_A, KEY_D, KEY_W, KEY_S, KEY_Q, KEY_E, KEY_SPACE}};
        tanks[0].velocity_z = 0.3f;
        key[c.held[0]] = key[c.held[1]] = key[c.held[2]] = key[KEY_ESC] = 1;
        mouse_b = c.buttons;
        mouse_motion_x = 12;
        player_input(0);
        EXPECT_EQ(std::pair(tanks[0].heading, tanks[0].turret_heading),
                  std::pair(c.heading, c.turret));
        EXPECT_NEAR(tanks[0].velocity_z, c.velocity_z, 1e-6); // turned first, then driven
        EXPECT_EQ(std::pair(bullets[0].life > 0, match_over), std::pair(c.fires, 1));
    }
}

TEST(Camera, StandsTenBehindAndTwelveAboveTheTankAlongItsTurret) {
    reset_world();
    tanks[2] = Tank{5, -11, 7, 0, 0, 45, 0, 0, 0, 0, 0, 3}; // the hull heading plays no part
    const struct {
        float turret, x, z, yaw;
    } cases[] = {{0, 5, -3, -180}, {90, -5, 7, -270}, {-30, 10, -1.660254f, -150}};
    for (const auto &c : cases) {
        tanks[2].turret_heading = c.turret;
        update_camera(2);
        const PlayerCamera &camera = player_cameras[2];
        EXPECT_NEAR(camera.translate_x, -c.x, 1e-5) << c.turret;
        EXPECT_NEAR(camera.translate_z, -c.z, 1e-5) << c.turret;
        EXPECT_EQ(std::tuple(camera.yaw, camera.translate_y, camera.pitch),
                  std::tuple(c.yaw, -1.0f, 10.0f));
    }
}

TEST(Tick, ComputerTanksDecideBeforeTheWorldMovesAndHumansAfter) {
    reset_world();
    game_settings.number_of_tanks = tanks_alive = 3;
    game_settings.number_of_trees = 0;
    for (int i = 0; i < 3; ++i)
        tanks[i] = Tank{-100.0f + 50 * i, -11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3};
    last_human_player = 1;
    player_controls[0] = PlayerControls{CONTROL_KEYBOARD, {0, 0, KEY_W, 0, 0, 0, 0}};
    player_controls[1] = PlayerControls{CONTROL_KEYBOARD, {0, 0, 0, 0, 0, 0, KEY_SPACE}};
    key[KEY_W] = key[KEY_SPACE] = key[KEY_ESC] = 1;
    tanks[0].velocity_x = 1.0f;
    simulate_tick();
    // The computer tank drove and fired before the world moved.
    EXPECT_NE(tanks[2].x, 0.0f);
    EXPECT_EQ(tanks[2].x, tanks[2].velocity_x);
    EXPECT_EQ(bullets[0].life, game_settings.bullet_life - 1);
    // Human input comes after: player 0 moved by its old velocity, then set a new one, and the
    // camera of the same tick sees the moved tank.
    EXPECT_EQ(std::pair(tanks[0].x, tanks[0].velocity_x), std::pair(-99.0f, 0.0f));
    EXPECT_NEAR(player_cameras[0].translate_x, 99.0f, 1e-5);
    // Player 1 still fires after player 0 saw Escape; slot 2 is no player.
    EXPECT_EQ(std::pair(match_over, bullets[1].life), std::pair(1, game_settings.bullet_life));
    EXPECT_EQ(std::pair(player_cameras[1].pitch, player_cameras[2].pitch), std::pair(10.0f, 0.0f));
}
