#include "render/menu_window.h"

#include <allegro.h>
#ifdef _WIN32
#include <winalleg.h>
#endif

void renew_menu_window() {
#ifdef _WIN32
    set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    // A null window makes Allegro create its own again, and take the keyboard and mouse to it.
    win_set_window(nullptr);
#endif
}
