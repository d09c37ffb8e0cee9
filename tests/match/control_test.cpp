#include "test_support.h"

#include "config/controls.h"
#include "match/control.h"
#include "match/world.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>

namespace {

void bind_keyboard(int player, int left, int right, int forwards, int backwards, int turret_left,
                   int turret_right, int shoot, int type = CONTROL_KEYBOARD) {
    player_controls[player] =
        PlayerControls{type, {left, right, forwards, backwards, turret_left, turret_right, shoot}};
}

void bind_wasd(int player, int type = CONTROL_KEYBOARD) {
    bind_keyboard(player, KEY_A, KEY_D, KEY_W, KEY_S, KEY_Q, KEY_E, KEY_SPACE, type);
}

void release_all() {
    for (int i = 0; i < KEY_MAX; ++i) {
        key[i] = 0;
    }
    mouse_b = 0;
}

TEST(HumanControl, KeyboardActionsRepeatWhileHeld) {
    reset_world();
    game_settings.tank_rotation_speed = 7.0f;
    game_settings.tank_speed = 0.5f;
    bind_wasd(0);
    Tank &tank = tanks[0];

    key[KEY_A] = 1;
    player_input(0);
    player_input(0);
    EXPECT_EQ(tank.heading, 14.0f);
    key[KEY_D] = 1;
    player_input(0);
    EXPECT_EQ(tank.heading, 14.0f);
    release_all();

    tank.heading = 0.0f;
    key[KEY_W] = 1;
    key[KEY_S] = 1;
    player_input(0);
    EXPECT_FLOAT_EQ(tank.velocity_z, 0.5f); // forwards wins
    key[KEY_W] = 0;
    player_input(0);
    EXPECT_FLOAT_EQ(tank.velocity_z, -0.5f);
    key[KEY_S] = 0;
    player_input(0);
    EXPECT_EQ(tank.velocity_z, 0.0f); // released: stops at once
    EXPECT_EQ(tank.velocity_x, 0.0f);

    // The turret turns 2.5 a tick whatever the hull's rotation speed, and alone.
    key[KEY_Q] = 1;
    player_input(0);
    player_input(0);
    EXPECT_EQ(tank.turret_heading, 5.0f);
    EXPECT_EQ(tank.heading, 0.0f);
    key[KEY_Q] = 0;
    key[KEY_E] = 1;
    player_input(0);
    EXPECT_EQ(tank.turret_heading, 2.5f);
    release_all();

    key[KEY_SPACE] = 1;
    player_input(0);
    EXPECT_EQ(bullets[0].life, game_settings.bullet_life);
    EXPECT_EQ(match_over, 0);
}

TEST(HumanControl, UnboundAndOutOfRangeScancodesNeverAct) {
    reset_world();
    bind_keyboard(0, 0, -5, KEY_MAX, 100000, 0, 0, -1);
    tanks[0].velocity_x = 0.3f;
    for (int i = 1; i < KEY_MAX; ++i) {
        key[i] = 1;
    }
    player_input(0);
    EXPECT_EQ(tanks[0].heading, 0.0f);
    EXPECT_EQ(tanks[0].turret_heading, 0.0f);
    EXPECT_EQ(tanks[0].velocity_x, 0.0f); // neither forwards nor backwards: stop
    EXPECT_EQ(bullets[0].life, 0);
    EXPECT_EQ(match_over, 1); // Escape is down too
    EXPECT_FALSE(key_down(-1));
    EXPECT_FALSE(key_down(KEY_MAX));
    EXPECT_TRUE(key_down(KEY_MAX - 1));
    EXPECT_FALSE(key_down(0));
}

TEST(HumanControl, MouseKeysTurnTheTurretByMickeysAndFireOnTheLeftButton) {
    FakeMouse mouse;
    reset_world();
    bind_wasd(0, CONTROL_MOUSE_KEYS);
    bind_wasd(1, CONTROL_MOUSE_KEYS);
    Tank &tank = tanks[0];
    tank.turret_heading = 10.0f;
    key[KEY_W] = 1;
    key[KEY_Q] = 1; // the turret and shoot keys have no part in this mode
    key[KEY_SPACE] = 1;
    mouse.move(30);
    player_input(0);
    player_input(1);
    EXPECT_EQ(tank.turret_heading, -20.0f);   // right turns right
    EXPECT_EQ(tanks[1].turret_heading, 0.0f); // the first mouse player took all the motion
    EXPECT_FLOAT_EQ(tank.velocity_z, 0.2f);
    EXPECT_EQ(bullets[0].life, 0);

    mouse_b = 2; // right button alone
    player_input(0);
    EXPECT_EQ(bullets[0].life, 0);
    mouse_b = 3;
    player_input(0);
    player_input(1);
    EXPECT_GT(bullets[0].life, 0);
    EXPECT_GT(bullets[1].life, 0); // both mouse players fire on the one button
    mouse.move(-4);
    player_input(0);
    EXPECT_EQ(tank.turret_heading, -16.0f);
}

TEST(HumanControl, OtherControlTypesLeaveTheTankAloneButMatchKeysStillWork) {
    for (int type : {int{CONTROL_GAMEPAD}, int{CONTROL_JOYSTICK}, 4, -1, 1000}) {
        SCOPED_TRACE(type);
        FakeMouse mouse;
        reset_world();
        bind_wasd(0, type);
        tanks[0].velocity_z = 0.3f;
        for (int scancode : {KEY_A, KEY_W, KEY_Q, KEY_SPACE}) {
            key[scancode] = 1;
        }
        mouse_b = 1;
        mouse.move(12);
        player_input(0);
        EXPECT_EQ(tanks[0].heading, 0.0f);
        EXPECT_EQ(tanks[0].turret_heading, 0.0f);
        EXPECT_EQ(tanks[0].velocity_z, 0.3f);
        EXPECT_EQ(bullets[0].life, 0);
        EXPECT_EQ(match_over, 0);
        key[KEY_ESC] = 1;
        key[KEY_F12] = 1; // no screen in a headless test: nothing to write
        player_input(0);
        EXPECT_EQ(match_over, 1);
    }
    // Players outside the four are ignored.
    reset_world();
    key[KEY_ESC] = 1;
    player_input(-1);
    player_input(4);
    EXPECT_EQ(match_over, 0);
}

TEST(HumanControl, TwoPlayersOnOneKeyBothAct) {
    reset_world();
    bind_wasd(0);
    bind_keyboard(1, KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_DEL, KEY_PGDN, KEY_SPACE);
    tanks[1].x = 50.0f;
    key[KEY_SPACE] = 1;
    player_input(0);
    player_input(1);
    EXPECT_GT(bullets[0].life, 0);
    EXPECT_GT(bullets[1].life, 0);
    EXPECT_FLOAT_EQ(bullets[1].x, 50.0f);
}

TEST(HumanControl, F12WritesTheScreenToScreenBmp) {
    namespace fs = std::filesystem;
    const fs::path before = fs::current_path();
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path dir =
        fs::temp_directory_path() / ("match_tests_screenshot_" + std::to_string(stamp));
    fs::create_directories(dir);
    fs::current_path(dir);
    fs::remove("screen.bmp");

    reset_world();
    set_color_depth(16);
    BITMAP *shot = create_bitmap(16, 8);
    ASSERT_NE(shot, nullptr);
    clear_to_color(shot, makecol(255, 0, 0));
    screen = shot;
    player_input(0);
    EXPECT_FALSE(fs::exists("screen.bmp"));
    key[KEY_F12] = 1;
    player_input(0);
    screen = nullptr;
    destroy_bitmap(shot);
    EXPECT_TRUE(fs::exists("screen.bmp"));
    EXPECT_GT(fs::file_size("screen.bmp"), 16u * 8u);

    fs::current_path(before);
    fs::remove_all(dir);
}

TEST(Camera, StandsBehindAndAboveTheTankAlongItsTurret) {
    reset_world();
    Tank &tank = tanks[2];
    tank.x = 5.0f;
    tank.y = -11.0f;
    tank.z = 7.0f;
    tank.heading = 45.0f; // the hull plays no part
    tank.turret_heading = 0.0f;
    player_cameras[2].roll = 3.0f;
    update_camera(2);
    const PlayerCamera &camera = player_cameras[2];
    // At (5, 1, -3): the translation is the camera position negated.
    EXPECT_NEAR(camera.translate_x, -5.0f, 1e-5);
    EXPECT_FLOAT_EQ(camera.translate_y, -1.0f);
    EXPECT_NEAR(camera.translate_z, 3.0f, 1e-5);
    EXPECT_EQ(camera.yaw, -180.0f);
    EXPECT_EQ(camera.pitch, 10.0f);
    EXPECT_EQ(camera.roll, 3.0f);

    tank.turret_heading = 90.0f; // facing +x: camera at (-5, 1, 7)
    update_camera(2);
    EXPECT_NEAR(camera.translate_x, 5.0f, 1e-5);
    EXPECT_NEAR(camera.translate_z, -7.0f, 1e-5);
    EXPECT_EQ(camera.yaw, -270.0f);

    tank.turret_heading = -30.0f;
    update_camera(2);
    EXPECT_NEAR(-camera.translate_x, 5.0f - 10.0f * std::sin(-30.0 * 3.141592654 / 180), 1e-5);
    EXPECT_NEAR(-camera.translate_z, 7.0f - 10.0f * std::cos(-30.0 * 3.141592654 / 180), 1e-5);
    EXPECT_EQ(player_cameras[0].pitch, 0.0f);
}

} // namespace
