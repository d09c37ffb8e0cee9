#include "config/player_message.h"

#include <allegro.h>
#include <cstdio>
#ifdef _WIN32
#include <winalleg.h>
#endif

void tell_player(const char *message) {
    std::printf("%s\n", message);
    std::fflush(stdout);
#ifdef _WIN32
    // Allegro's own box needs its system driver, which may be what failed to start.
    if (system_driver != nullptr) {
        allegro_message("%s\n", message);
    } else {
        MessageBoxA(nullptr, message, "Tank Arena", MB_OK | MB_ICONERROR);
    }
#endif
}
