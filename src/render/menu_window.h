// The window the menus come back to after a match.
#pragma once

// Notes what of the menus' window the OpenGL mode will change; called before that mode is set.
void keep_menu_window();

// On Windows the menus must not reuse the window the match drew into with OpenGL: the pointer
// no longer moves in it. Closes the display and asks Allegro for a fresh window. On X, AllegroGL
// gives Allegro its old window back but leaves the visual and depth of its OpenGL window in
// Allegro's notes: on a screen whose default depth differs from OpenGL's (a 16-bit screen) the
// menus' images then no longer match their window, and the X server refuses every copy. The
// notes kept before the match are put back.
void renew_menu_window();

// On Windows, moves a windowed match's window to the centre of the desktop, where Allegro puts the
// menus' window; elsewhere the window stays where it is.
void centre_match_window();
