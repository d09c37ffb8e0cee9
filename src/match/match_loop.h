// One whole match, from the switch to the OpenGL display back to the menus.
#pragma once

// Returns 0 when the match ran and the menu display is back, -1 when a display change failed.
int play_match(int last_human);

// The 60 Hz timer callback: one more tick is due.
void timer_tick();
