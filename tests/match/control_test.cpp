#include "test_support.h"

#include "config/controls.h"
#include "match/control.h"
#include "match/tick.h"

TEST(HumanControl, EachControlTypeActsOnItsOwnInputs) {
    // Keys and mouse buttons held for one step, with the mouse moved right and Escape down.
    const struct {
        int type, buttons, held[3];
        float heading, turret, velocity_z;
        bool fires;
    } cases[] = {{CONTROL_KEYBOARD, 1, {KEY_A, KEY_W, KEY_SPACE}, 2, 0, 0.199878f, true},
                 {CONTROL_KEYBOARD, 1, {KEY_A, KEY_D, KEY_S}, 0, 0, -0.2f, false},
                 {CONTROL_KEYBOARD, 1, {KEY_W, KEY_S, KEY_Q}, 0, 2.5f, 0.2f, false},
                 {CONTROL_KEYBOARD, 1, {KEY_D, KEY_E, KEY_ESC}, -2, -2.5f, 0, false},
                 {CONTROL_MOUSE_KEYS, 1, {KEY_A, KEY_Q, KEY_SPACE}, 2, -12, 0, true},
                 {CONTROL_MOUSE_KEYS, 2, {KEY_D, KEY_S, KEY_SPACE}, -2, -12, -0.199878f, false},
                 {CONTROL_GAMEPAD, 1, {KEY_A, KEY_W, KEY_SPACE}, 0, 0, 0.3f, false},
                 {-1, 1, {KEY_A, KEY_W, KEY_SPACE}, 0, 0, 0.3f, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << ": " << c.held[0] << " " << c.held[1]);
        reset_world(); // the hull turns 2 degrees a step and drives at 0.2
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

// Computer tanks decide and the world moves before the human players' input and cameras.
TEST(Tick, ComputerTanksTurnWanderFireAndDriveThenTheWorldMovesThenHumansActAndLook) {
    reset_world();
    game_settings.number_of_tanks = tanks_alive = 20;
    game_settings.number_of_trees = 0;
    last_human_player = 1;
    for (int i = 0; i <= 20; ++i)
        tanks[i] = Tank{7.0f * i, -11, 0, 0, 0, float(i), -30.0f * i, 0, 0, 0, 0, 3};
    tanks[4].life = 0;   // destroyed: skipped without drawing
    tanks[3].reload = 1; // reloading, if only for this tick: no shot
    player_controls[0] = PlayerControls{CONTROL_KEYBOARD, {0, 0, KEY_W, 0, 0, 0, 0}};
    player_controls[1] = PlayerControls{CONTROL_KEYBOARD, {0, 0, 0, 0, 0, 0, KEY_SPACE}};
    key[KEY_W] = key[KEY_SPACE] = key[KEY_ESC] = 1;
    tanks[0].velocity_x = 1.0f;
    simulate_tick();
    const long long next = replay_below(32768);
    std::srand(1); // the seed of the reset
    // Only the computer tanks draw: the human ones, the destroyed one and slot 20 take none.
    for (int i = 2; i < 20; ++i) {
        if (i == 4)
            continue;
        const Tank &t = tanks[i];
        // Hull and turret turn left on 60 draws of 100, right on the other 40.
        EXPECT_EQ(t.heading, i + (replay_below(100) < 60 ? 2.0f : -2.0f)) << i;
        EXPECT_EQ(t.turret_heading, -30.0f * i + (replay_below(100) < 60 ? 1.0f : -1.0f)) << i;
        // Then each drives along its new heading, and the world moves it.
        EXPECT_NEAR(t.velocity_z, 0.2 * std::cos(t.heading * 3.141592654 / 180), 1e-6) << i;
        EXPECT_EQ(std::pair(t.x, t.z), std::pair(7.0f * i + t.velocity_x, t.velocity_z)) << i;
    }
    EXPECT_EQ(next, replay_below(32768));
    // The computer tanks' shots flew with the world; player 1's came after player 0 saw Escape.
    EXPECT_EQ(std::tuple(bullets[15].life, bullets[16].life, bullets[17].life, match_over),
              std::tuple(49, 50, 0, 1));
    // Player 0 moved by its old velocity, then set a new one; its camera sees the moved tank.
    EXPECT_EQ(std::tuple(tanks[0].x, tanks[0].velocity_x, tanks[0].velocity_z,
                         player_cameras[0].translate_x),
              std::tuple(1.0f, 0.0f, 0.2f, -1.0f));
    // A camera stands ten behind the tank along its turret (the hull plays no part), twelve above.
    const PlayerCamera &camera = player_cameras[1];
    EXPECT_NEAR(camera.translate_z, 8.660254f, 1e-5);
    EXPECT_EQ(std::tuple(camera.yaw, camera.translate_x, camera.translate_y, camera.pitch),
              std::tuple(-150.0f, -12.0f, -1.0f, 10.0f));
    EXPECT_EQ(player_cameras[2].pitch, 0.0f); // slot 2 is no player
}
