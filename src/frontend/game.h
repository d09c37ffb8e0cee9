// Values made at start-up that the menus share, and the way out of the program.
#pragma once

struct DATAFILE;

extern DATAFILE *menu_data;
extern int white;

// Writes the bindings, releases the sounds, shuts Allegro down and ends with status 0.
[[noreturn]] void exit_game();
