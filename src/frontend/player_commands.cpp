#include "frontend/player_commands.h"

#include "config/controls.h"
#include "config/regular_file.h"
#include "frontend/pads.h"
#include "match/control.h"
#include "match/world.h"

#include <allegro.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr int LEFT_BUTTON = 1;
constexpr int MOUSE_KEYS_ACTIONS = 4; // turning and moving; the mouse has the turret and the gun
constexpr const char *SCREENSHOT_FILE = "screen.bmp";

// F12 as the last tick saw it: one screenshot per press, however long it is held.
bool screenshot_key_was_down = false;

// Written only over a regular file: a FIFO or a device of that name would stall the match. The
// match screen has no room for text: a failure is told on standard error.
// Whether the key with this scancode is down; a scancode outside the key table is unbound.
bool key_down(int scancode) {
    return scancode >= 0 && scancode < KEY_MAX && key[scancode] != 0;
}

void save_screenshot() {
    errno = 0;
    PACKFILE *file = open_regular_for_writing(SCREENSHOT_FILE, F_WRITE);
    bool saved = file != nullptr && save_bmp_pf(file, screen, nullptr) == 0;
    saved = file != nullptr && pack_fclose(file) == 0 && saved;
    if (!saved) {
        std::fprintf(stderr, "Tank Arena: the screenshot could NOT be saved to %s (%s).\n",
                     SCREENSHOT_FILE, errno != 0 ? std::strerror(errno) : "not a regular file");
    }
}

void read_keys(PlayerCommand &command, const PlayerControls &controls, int count) {
    for (int a = 0; a < count; ++a) {
        command.held[a] = key_down(controls.keys[a]);
    }
}

// The first mouse player in player order takes the mouse's whole motion since the last tick.
PlayerCommand mouse_keys_command(const PlayerControls &controls) {
    PlayerCommand command{};
    read_keys(command, controls, MOUSE_KEYS_ACTIONS);
    int mickey_y = 0;
    get_mouse_mickeys(&command.turret_mickeys, &mickey_y);
    command.held[ACTION_SHOOT] = (mouse_b & LEFT_BUTTON) != 0;
    return command;
}

PlayerCommand command_of(int player) {
    const PlayerControls &controls = player_controls[player];
    switch (controls.control_type) {
    case CONTROL_KEYBOARD: {
        PlayerCommand command{};
        read_keys(command, controls, NUM_ACTIONS);
        return command;
    }
    case CONTROL_MOUSE_KEYS:
        return mouse_keys_command(controls);
    case CONTROL_GAMEPAD:
    case CONTROL_JOYSTICK:
        return read_pad_command(player);
    default:
        return PlayerCommand{};
    }
}

} // namespace

void read_player_commands() {
    poll_pads();
    const int last = std::min(last_human_player, MAX_PLAYERS - 1);
    for (int p = 0; p <= last; ++p) {
        player_commands[p] = command_of(p);
    }
    const bool screenshot_key_down = key_down(KEY_F12);
    if (screenshot_key_down && !screenshot_key_was_down && screen != nullptr) {
        save_screenshot();
    }
    screenshot_key_was_down = screenshot_key_down;
    if (key_down(KEY_ESC)) {
        match_over = 1;
    }
}
