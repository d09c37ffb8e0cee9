// The window the menus come back to after a match.
#pragma once

// On Windows the menus must not reuse the window the match drew into with OpenGL: the pointer
// no longer moves in it. Closes the display and asks Allegro for a fresh window; elsewhere
// nothing needs doing.
void renew_menu_window();
