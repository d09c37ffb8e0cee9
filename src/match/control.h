// Human players: their commands for the tick turned into actions on their tanks, and their cameras.
#pragma once

#include "match/player_controls.h"
#include "match/world.h"

#include <array>
#include <cstdint>

// What one human player asks of their tank for one tick, whatever device they hold: filled by
// the front end before the tick, applied by the tick.
struct PlayerCommand {
    std::array<bool, NUM_ACTIONS> held; // each ControlAction asked for, by its index
    int32_t turret_mickeys;             // the mouse's motion to the right: a degree of turret each
};
extern std::array<PlayerCommand, MAX_PLAYERS> player_commands;

void player_input(int player);
void update_camera(int player);
