// The name a window list or a task bar shows for the game, whichever display mode is set.
#pragma once

constexpr const char *GAME_WINDOW_NAME = "Tank Arena";

// Names every window of the display mode just set; called after each mode change.
void name_game_window();
