#include "frontend/startup.h"

#include <allegro.h>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "config/player_message.h"
#include "frontend/game.h"
#include "frontend/menu.h"
#include "match/sound.h"

namespace {
// Two spare sprites lie between the pointer and the Down button and are never drawn.
constexpr int FIRST_UNUSED_OBJECT = MENU_CROSSHAIR;
constexpr int LAST_UNUSED_OBJECT = MENU_TANK_BADGE;
// Room for a message naming a few folders, once broken into lines.
constexpr int END_MESSAGE_SIZE = 8192;

int object_count(const DATAFILE *data) {
    int count = 0;
    while (data[count].type != DAT_END) {
        ++count;
    }
    return count;
}
} // namespace

bool menu_data_usable(const DATAFILE *data) {
    if (data == nullptr) {
        return false;
    }
    const int count = object_count(data);
    if (count < MENU_OBJECT_COUNT) {
        return false;
    }
    for (int i = 0; i < MENU_OBJECT_COUNT; ++i) {
        if (i >= FIRST_UNUSED_OBJECT && i <= LAST_UNUSED_OBJECT) {
            continue;
        }
        if (data[i].type != DAT_BITMAP || data[i].dat == nullptr) {
            return false;
        }
    }
    return true;
}

void end_with_message(const char *message) {
    // The message box would be hidden behind a full-screen mode.
    set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    std::array<char, END_MESSAGE_SIZE> lines{};
    fit_message_lines(message, lines.data(), END_MESSAGE_SIZE);
    std::printf("%s\n", lines.data());
    std::fflush(stdout);
    allegro_message("%s\n", lines.data());
    end_program(START_FAILED);
}
