#include "config/display_choice.h"

#include <allegro.h>

#include "config/regular_file.h"

namespace {
constexpr const char *SECTION = "display";
constexpr const char *FULL_SCREEN_KEY = "full_screen";
} // namespace

// Allegro's own settings stay its current configuration: this file is looked at in between.
// A FIFO, a device or a folder of that name is left alone (writing to a FIFO waits for ever
// for a reader): the window is shown and the choice is not kept.
bool load_full_screen_choice() {
    if (taken_by_other_kind(DISPLAY_FILE)) {
        return false;
    }
    push_config_state();
    set_config_file(DISPLAY_FILE);
    const bool full_screen = get_config_int(SECTION, FULL_SCREEN_KEY, 0) != 0;
    pop_config_state();
    return full_screen;
}

void save_full_screen_choice(bool full_screen) {
    if (taken_by_other_kind(DISPLAY_FILE)) {
        return;
    }
    push_config_state();
    set_config_file(DISPLAY_FILE);
    set_config_int(SECTION, FULL_SCREEN_KEY, full_screen ? 1 : 0);
    flush_config_file();
    pop_config_state();
}
