// Before each tick of a match: every human player's command from the device they play with, and
// the two keys of the match, F12 and Escape.
#pragma once

// Fills player_commands for players 0 to last_human_player, in that order, then saves a
// screenshot when F12 has gone down since the last tick and ends the match on Escape.
void read_player_commands();
