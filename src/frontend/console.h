// The player's terminal. The sound libraries print their own complaints while they look for a
// device; the game says in one line of its own what a missing device means.
#pragma once

// Standard error goes nowhere until it is unmuted (where the platform allows).
void mute_standard_error();
void unmute_standard_error();
