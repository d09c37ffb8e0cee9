// The player's choice between the window and the full screen, kept beside keyboard.cfg in a
// small text file of Allegro's configuration format.
#pragma once

constexpr const char *DISPLAY_FILE = "display.cfg";

// False without the file or its line.
bool load_full_screen_choice();
void save_full_screen_choice(bool full_screen);
