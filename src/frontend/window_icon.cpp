#include "frontend/window_icon.h"

#include <allegro.h>

#ifdef ALLEGRO_WITH_XWINDOWS
// Drawn by the datafile generator with the Windows icon.
#include "tankarena.xpm"

// Allegro's X11 window (and AllegroGL's) takes its icon from this XPM; its own headers do not
// declare it.
extern "C" {
extern void *allegro_icon;
}

void use_game_icon() {
    allegro_icon = const_cast<char **>(tankarena_xpm);
}
#else
// Windows takes the icon from the program's resources.
void use_game_icon() {}
#endif
