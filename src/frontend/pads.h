// Gamepads and joysticks through Allegro's joystick service: finding them, binding one to a
// player, and a pad's sticks and buttons turned into that player's command.
#pragma once

#include "config/controls.h"
#include "match/control.h"

#include <cstdint>

struct JOYSTICK_INFO;

// A stick this close to its centre (of Allegro's 128 each way) counts as resting.
constexpr int PAD_DEAD_ZONE = 32;

// Looks for the connected pads afresh, so that one plugged in since the last look is found;
// returns how many there are.
int find_pads();
// Reads the state of every pad found; once before each tick and each pass of a prompt.
void poll_pads();

// The pad (Allegro's number of it) that a Gamepad or Joystick record binds: the one stored by
// bind_pad, or, in a record that holds none, the pad numbered like the player.
int bound_pad(const PlayerControls &controls, int player);
void bind_pad(PlayerControls &controls, int pad);

// What a pad in this state asks for, held as a Gamepad (CONTROL_GAMEPAD) or as a Joystick.
PlayerCommand pad_command(const JOYSTICK_INFO &pad, int32_t control_type);
// The command of the player's own pad; an empty one, which stops the tank, when that pad is
// not there (never plugged in, or pulled out).
PlayerCommand read_pad_command(int player);

// The first pad with a button pressed since the last call (-1 when none): button states are
// remembered between calls, so a button held when the prompt opens counts only once let go.
int pad_with_new_press();
