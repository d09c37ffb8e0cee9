// How the game ends when the system ends it: on a signal that asks it to stop, or when the
// display goes away, it writes one line on standard error and ends at once. Allegro's own way
// out, shutting the library down from the signal handler or from exit, can wait forever on a
// lock that another thread holds. Nothing is saved then: only Exit saves.
#pragma once

// Called before Allegro starts: notes how faults (a bad access, an abort) are handled now, so
// that they are handled that way again once Allegro has put its own handlers there.
void keep_fault_handlers();

// Called once Allegro is up: the game's handlers for stop signals and a lost display, the
// fault handlers noted before, and a file-size limit that fails a write instead of ending the
// game. A request the X server refuses is noted on standard error and does not end the game.
void install_exit_handlers();
