// The one way out of the program, and Exit (also the window's close button) that takes it.
#include "frontend/game.h"

#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/controls.h"
#include "frontend/dialog_font.h"
#include "match/sound.h"

namespace {
constexpr int ENTER_KEY = 13;
} // namespace

void exit_game() {
    int status = 0;
    if (!save_controls()) {
        // The player believes the bindings are kept: say they are not, and why.
        const int why = errno;
        const char *reason = why != 0 ? std::strerror(why) : "the name is taken by another kind of file";
        std::fprintf(stderr,
                     "Tank Arena: the key bindings could NOT be saved to %s (%s); the file is as "
                     "it was.\n",
                     CONTROLS_FILE, reason);
        char line[160];
        std::snprintf(line, sizeof line, "%s: %s.", CONTROLS_FILE, reason);
        begin_magnified_dialog();
        alert("The key bindings could NOT be saved.", line, "The file is as it was.", "OK", nullptr,
              ENTER_KEY, 0);
        end_magnified_dialog();
        status = BINDINGS_NOT_SAVED;
    }
    end_program(status);
}

void end_program(int status) {
    DATAFILE *sounds = sound_data;
    use_sound_data(nullptr);
    unload_datafile(sounds);
    allegro_exit();
    std::exit(status);
}
