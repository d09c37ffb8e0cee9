// The four players' control records: the device each plays with and its bindings. The match
// reads which kind of control a player has; the front end fills the commands from the rest.
#pragma once

#include <array>
#include <cstdint>

enum ControlType : int32_t {
    CONTROL_KEYBOARD = 0,
    CONTROL_MOUSE_KEYS = 1,
    CONTROL_GAMEPAD = 2,
    CONTROL_JOYSTICK = 3,
};
constexpr int NUM_CONTROL_TYPES = 4;

enum ControlAction {
    ACTION_TURN_LEFT = 0,
    ACTION_TURN_RIGHT,
    ACTION_MOVE_FORWARDS,
    ACTION_MOVE_BACKWARDS,
    ACTION_TURRET_LEFT,
    ACTION_TURRET_RIGHT,
    ACTION_SHOOT,
};
constexpr int NUM_ACTIONS = 7;

// One player's bindings, stored byte for byte in "keyboard.cfg".
struct PlayerControls {
    int32_t control_type; // a ControlType value
    // Allegro scancodes in ControlAction order; 0 is unbound. A Gamepad or Joystick record keeps
    // the number of its pad in the first entry instead (see frontend/pads.cpp).
    std::array<int32_t, NUM_ACTIONS> keys;
};
static_assert(sizeof(PlayerControls) == 32, "a control record is 32 bytes on disk");

extern std::array<PlayerControls, 4> player_controls;
