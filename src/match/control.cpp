#include "match/control.h"

#include "config/controls.h"
#include "config/regular_file.h"
#include "match/movement.h"
#include "match/world.h"

#include <allegro.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// The turret turns at this fixed rate, whatever the hull's rotation speed.
constexpr float TURRET_TURN = 2.5f;
constexpr int LEFT_BUTTON = 1;
constexpr const char *SCREENSHOT_FILE = "screen.bmp";

// The camera stands behind the tank along its turret, above it, looking slightly down.
constexpr double CAMERA_DISTANCE = 10.0;
constexpr float CAMERA_HEIGHT = 12.0f;
constexpr float CAMERA_PITCH = 10.0f;
constexpr float HALF_TURN = 180.0f;

// Written only over a regular file: a FIFO or a device of that name would stall the match. The
// match screen has no room for text: a failure is told on standard error.
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

bool valid_player(int player) {
    return player >= 0 && player < MAX_PLAYERS;
}

bool action_down(int player, ControlAction action) {
    return key_down(player_controls[player].keys[action]);
}

// Hull turn keys, then forwards, backwards or stop: shared by both control types.
void drive_hull(int player) {
    if (action_down(player, ACTION_TURN_LEFT)) {
        turn_left(player);
    }
    if (action_down(player, ACTION_TURN_RIGHT)) {
        turn_right(player);
    }
    if (action_down(player, ACTION_MOVE_FORWARDS)) {
        move_forwards(player);
    } else if (action_down(player, ACTION_MOVE_BACKWARDS)) {
        move_backwards(player);
    } else {
        stop_tank(player);
    }
}

} // namespace

bool key_down(int scancode) {
    return scancode >= 0 && scancode < KEY_MAX && key[scancode] != 0;
}

void player_input(int player) {
    if (!valid_player(player)) {
        return;
    }
    switch (player_controls[player].control_type) {
    case CONTROL_KEYBOARD:
        keyboard_control(player);
        break;
    case CONTROL_MOUSE_KEYS:
        mouse_keys_control(player);
        break;
    default:
        // Gamepad, joystick or anything unknown: the tank is left as it is.
        break;
    }
    if (key_down(KEY_F12) && screen != nullptr) {
        save_screenshot();
    }
    if (key_down(KEY_ESC)) {
        match_over = 1;
    }
}

void keyboard_control(int player) {
    if (!valid_player(player)) {
        return;
    }
    drive_hull(player);
    Tank &tank = tanks[player];
    if (action_down(player, ACTION_TURRET_LEFT)) {
        tank.turret_heading += TURRET_TURN;
    }
    if (action_down(player, ACTION_TURRET_RIGHT)) {
        tank.turret_heading -= TURRET_TURN;
    }
    if (action_down(player, ACTION_SHOOT)) {
        fire_shell(player);
    }
}

void mouse_keys_control(int player) {
    if (!valid_player(player)) {
        return;
    }
    drive_hull(player);
    int mickey_x = 0;
    int mickey_y = 0;
    get_mouse_mickeys(&mickey_x, &mickey_y);
    // One degree per mickey; moving the mouse right turns the turret right.
    tanks[player].turret_heading -= static_cast<float>(mickey_x);
    if (mouse_b & LEFT_BUTTON) {
        fire_shell(player);
    }
}

void update_camera(int player) {
    if (!valid_player(player)) {
        return;
    }
    const Tank &tank = tanks[player];
    PlayerCamera &camera = player_cameras[player];
    camera.yaw = -tank.turret_heading - HALF_TURN;
    double phi = to_radians(-camera.yaw);
    camera.translate_x = static_cast<float>(-tank.x - std::sin(phi) * CAMERA_DISTANCE);
    camera.translate_z = static_cast<float>(-tank.z - std::cos(phi) * CAMERA_DISTANCE);
    camera.translate_y = -tank.y - CAMERA_HEIGHT;
    camera.pitch = CAMERA_PITCH;
}
