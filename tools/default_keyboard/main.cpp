// Writes the default keyboard.cfg into the working directory with the game's own writer.
#include "config/controls.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

// Keys per player in ControlAction order: turn left, turn right, forwards, backwards, turret
// left, turret right, shoot. Clusters far apart, so four players share one keyboard; F12 and
// Escape stay free for the screenshot and leaving a match.
constexpr std::array<std::array<int32_t, NUM_ACTIONS>, 4> DEFAULT_KEYS = {{
    {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_Z, KEY_X, KEY_SPACE},
    {KEY_A, KEY_D, KEY_W, KEY_S, KEY_Q, KEY_E, KEY_TAB},
    {KEY_J, KEY_L, KEY_I, KEY_K, KEY_U, KEY_O, KEY_H},
    {KEY_4_PAD, KEY_6_PAD, KEY_8_PAD, KEY_5_PAD, KEY_7_PAD, KEY_9_PAD, KEY_0_PAD},
}};

} // namespace

int main() {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "cannot start Allegro\n");
        return EXIT_FAILURE;
    }
    for (size_t p = 0; p < DEFAULT_KEYS.size(); ++p) {
        player_controls[p].control_type = CONTROL_KEYBOARD;
        player_controls[p].keys = DEFAULT_KEYS[p];
    }
    save_controls();
    return exists(CONTROLS_FILE) ? EXIT_SUCCESS : EXIT_FAILURE;
}
END_OF_MAIN()
