// Checks made at start-up, and the orderly way out when one of them fails.
#pragma once

struct DATAFILE;

// Status of a start that could not go on, as for a refused menu mode.
constexpr int START_FAILED = -1;

// True when `data` holds every image the menus draw: at least the menu objects, bitmaps where
// the menus draw one.
bool menu_data_usable(const DATAFILE *data);

// Leaves the graphics mode, shows `message` on standard output and in a message box, releases
// the sounds, shuts Allegro down and ends the process with START_FAILED.
[[noreturn]] void end_with_message(const char *message);
