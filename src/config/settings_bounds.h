// The bounds the options menu keeps the match parameters within.
#pragma once

// Lifts or lowers every out-of-bounds value of game_settings, in the options menu's row order.
void keep_settings_in_bounds();
