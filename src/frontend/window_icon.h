// The game's own icon on the window, where the system takes it from the program.
#pragma once

// Call before Allegro makes its window, that is before install_allegro.
void use_game_icon();
