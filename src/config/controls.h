// The names of the controls and the file that keeps the players' control records between runs.
#pragma once

#include "match/player_controls.h"

#include <array>

// The seven action names, then the four control type names: type t is entry 7 + t.
extern const std::array<const char *, NUM_ACTIONS + NUM_CONTROL_TYPES> control_names;

constexpr const char *CONTROLS_FILE = "keyboard.cfg";

void load_controls();
// False when keyboard.cfg could not be written; errno then says why when the system said (0
// when the name is taken by something the game does not replace), and the old file is whole.
bool save_controls();
