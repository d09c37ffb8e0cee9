#include "test_support.h"

#include "config/controls.h"
#include "frontend/pads.h"
#include "frontend/player_commands.h"
#include "match/control.h"
#include "match/tick.h"

#include <string>

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
                 {CONTROL_GAMEPAD, 1, {KEY_A, KEY_W, KEY_SPACE}, 0, 0, 0, false}, // no pad: stands
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
        read_player_commands();
        player_input(0);
        EXPECT_EQ(std::pair(tanks[0].heading, tanks[0].turret_heading),
                  std::pair(c.heading, c.turret));
        EXPECT_NEAR(tanks[0].velocity_z, c.velocity_z, 1e-6); // turned first, then driven
        EXPECT_EQ(std::pair(bullets[0].life > 0, match_over), std::pair(c.fires, 1));
    }
}

// Sticks, hats and buttons of the common pad shapes, as Allegro's Linux and DirectInput drivers
// give them, held as a Gamepad or a Joystick: the actions asked for, as T(urn) L/R, F(orwards),
// B(ackwards), turret l/r and S(hoot).
TEST(PadControl, SticksOutsideTheDeadZoneAndButtonsBecomeActions) {
    // Pads: Linux's Xbox layout (8 axes: left stick, left trigger and right x, right y and right
    // trigger, hat), a plain six-axis pad (left, right, hat), DirectInput's X, Y, Z stick.
    enum Shape { XBOX, SIX_AXES, DIRECT_INPUT };
    const struct {
        Shape shape;
        int type, stick, axis, pos, button;
        const char *actions;
    } cases[] = {{XBOX, CONTROL_GAMEPAD, 0, 0, 0, -1, ""}, // triggers at rest, sticks near centre
                 {XBOX, CONTROL_GAMEPAD, 0, 0, -127, -1, "TL"},
                 {XBOX, CONTROL_GAMEPAD, 0, 0, 33, -1, "TR"},
                 {XBOX, CONTROL_GAMEPAD, 0, 1, -33, -1, "F"},
                 {XBOX, CONTROL_GAMEPAD, 0, 1, 127, -1, "B"},
                 {XBOX, CONTROL_GAMEPAD, 1, 1, -90, -1, "l"}, // the right stick
                 {XBOX, CONTROL_GAMEPAD, 1, 1, 90, -1, "r"},
                 {XBOX, CONTROL_GAMEPAD, 1, 0, 127, -1, ""},  // the left trigger
                 {XBOX, CONTROL_GAMEPAD, 2, 1, 100, -1, "S"}, // the right trigger
                 {XBOX, CONTROL_GAMEPAD, 2, 0, 100, 0, "S"},  // right y: nothing; the face button
                 {XBOX, CONTROL_GAMEPAD, 3, 0, -127, 4, "l"}, // hat: nothing; left shoulder
                 {XBOX, CONTROL_GAMEPAD, 0, 0, 0, 5, "r"},
                 {XBOX, CONTROL_GAMEPAD, 0, 0, 0, 1, ""},
                 {SIX_AXES, CONTROL_GAMEPAD, 1, 0, -90, -1, "l"},
                 {SIX_AXES, CONTROL_GAMEPAD, 2, 1, 127, -1, ""}, // the hat fires nothing
                 {DIRECT_INPUT, CONTROL_GAMEPAD, 0, 2, 128, -1, "r"},
                 {DIRECT_INPUT, CONTROL_GAMEPAD, 1, 0, 128, -1, ""},
                 {SIX_AXES, CONTROL_JOYSTICK, 0, 1, -128, 0, "FS"},
                 {SIX_AXES, CONTROL_JOYSTICK, 2, 0, -127, -1, "l"}, // the hat
                 {SIX_AXES, CONTROL_JOYSTICK, 1, 0, -127, 3, "r"},  // twist: nothing; a button
                 {SIX_AXES, CONTROL_JOYSTICK, 0, 0, 0, 2, "l"},
                 {DIRECT_INPUT, CONTROL_JOYSTICK, 2, 0, 128, 4, "r"}}; // the hat; a spare button
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.shape << " " << c.type << ": stick " << c.stick << " axis " << c.axis
                     << " at " << c.pos << ", button " << c.button);
        JOYSTICK_INFO pad{};
        pad.num_sticks = c.shape == XBOX ? 4 : 3;
        pad.num_buttons = 11;
        for (int s = 0; s < pad.num_sticks; ++s) {
            pad.stick[s].num_axis = c.shape == DIRECT_INPUT ? (s == 0 ? 3 : s == 1 ? 1 : 2) : 2;
            pad.stick[s].axis[0].pos = pad.stick[s].axis[1].pos = s == 0 ? -32 : 32;
        }
        if (c.shape == XBOX)
            pad.stick[1].axis[0].pos = pad.stick[2].axis[1].pos = -127; // resting triggers
        pad.stick[c.stick].axis[c.axis].pos = c.pos;
        if (c.button >= 0)
            pad.button[c.button].b = 1;
        const PlayerCommand command = pad_command(pad, c.type);
        const char *names[NUM_ACTIONS] = {"TL", "TR", "F", "B", "l", "r", "S"};
        std::string actions;
        for (int a = 0; a < NUM_ACTIONS; ++a)
            actions += command.held[a] ? names[a] : "";
        EXPECT_EQ(actions, c.actions);
        EXPECT_EQ(command.turret_mickeys, 0);
    }
}

// A pad player's record names their pad; one that names none, as an old file's, means the pad
// numbered like the player; a pad that is not there gives no command, and the tank stops.
TEST(PadControl, ThePlayersOwnPadOrNone) {
    PlayerControls controls{CONTROL_GAMEPAD, {KEY_A, KEY_D, KEY_W, KEY_S, KEY_Q, KEY_E, 0}};
    EXPECT_EQ(bound_pad(controls, 2), 2);
    bind_pad(controls, 0);
    EXPECT_EQ(std::pair(bound_pad(controls, 2), controls.keys[1]), std::pair(0, int32_t{KEY_D}));
    reset_world();
    player_controls[1] = controls;
    bind_pad(player_controls[1], 1);
    num_joysticks = 1;
    joy[1].num_buttons = 1;
    joy[1].button[0].b = 1;
    last_human_player = 1;
    tanks[1].velocity_z = 0.3f;
    read_player_commands();
    simulate_tick();
    EXPECT_EQ(std::pair(tanks[1].velocity_z, bullets[0].life), std::pair(0.0f, 0));
    num_joysticks = 0;
    joy[1] = JOYSTICK_INFO{};
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
    read_player_commands();
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
