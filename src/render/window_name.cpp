#include "render/window_name.h"

#include <allegro.h>
#if defined(ALLEGRO_WITH_XWINDOWS)
#include <xalleg.h>
#endif

void name_game_window() {
    set_window_title(GAME_WINDOW_NAME);
#if defined(ALLEGRO_WITH_XWINDOWS)
    // A full-screen mode puts Allegro's window inside one of its own that covers the screen and
    // carries no name, and a window list shows only that one: it gets the name too.
    XLOCK();
    if (_xwin.display != nullptr && _xwin.fs_window != None) {
        XStoreName(_xwin.display, _xwin.fs_window, GAME_WINDOW_NAME);
        XFlush(_xwin.display);
    }
    XUNLOCK();
#endif
}
