#include "frontend/held_keys.h"

#include <allegro.h>
#if defined(ALLEGRO_WITH_XWINDOWS)
#include <X11/XKBlib.h>
#include <xalleg.h>
#endif

void keep_held_keys_down() {
#if defined(ALLEGRO_WITH_XWINDOWS)
    XLOCK();
    if (_xwin.display != nullptr) {
        // A server without the keyboard extension keeps its old repeats; nothing else changes.
        XkbSetDetectableAutoRepeat(_xwin.display, True, nullptr);
        XFlush(_xwin.display);
    }
    XUNLOCK();
#endif
}
