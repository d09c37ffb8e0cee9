// Values made at start-up that the menus share, and the way out of the program.
#pragma once

struct DATAFILE;

extern DATAFILE *menu_data;
extern int white;

// Status of an Exit that could not write keyboard.cfg.
constexpr int BINDINGS_NOT_SAVED = 2;

// Writes the bindings, releases the sounds, shuts Allegro down and ends with status 0; when the
// bindings could not be written, says so in a box and on standard error, and ends with
// BINDINGS_NOT_SAVED.
[[noreturn]] void exit_game();

// Status when a display change left no menu mode to go back to.
constexpr int MENU_MODE_LOST_STATUS = -1;

// Every way out of the program ends here: releases the sounds, shuts Allegro down and ends with
// `status` (what was to be said has been said).
[[noreturn]] void end_program(int status);
