#include "match/control.h"

#include "match/movement.h"

#include <cmath>

std::array<PlayerCommand, MAX_PLAYERS> player_commands{};
std::array<PlayerControls, 4> player_controls{};

namespace {

// The turret turns at this fixed rate, whatever the hull's rotation speed.
constexpr float TURRET_TURN = 2.5f;

// The camera stands behind the tank along its turret, above it, looking slightly down.
constexpr double CAMERA_DISTANCE = 10.0;
constexpr float CAMERA_HEIGHT = 12.0f;
constexpr float CAMERA_PITCH = 10.0f;
constexpr float HALF_TURN = 180.0f;

bool valid_player(int player) {
    return player >= 0 && player < MAX_PLAYERS;
}

bool action_down(int player, ControlAction action) {
    return player_commands[player].held[action];
}

// Hull turns, then forwards, backwards or stop: shared by every control type.
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
    // One degree per mickey; moving the mouse right turns the turret right.
    tanks[player].turret_heading -= static_cast<float>(player_commands[player].turret_mickeys);
    if (action_down(player, ACTION_SHOOT)) {
        fire_shell(player);
    }
}

} // namespace

void player_input(int player) {
    if (!valid_player(player)) {
        return;
    }
    switch (player_controls[player].control_type) {
    case CONTROL_KEYBOARD:
    case CONTROL_GAMEPAD:
    case CONTROL_JOYSTICK:
        // A pad's sticks and buttons come as the same seven actions as the keys.
        keyboard_control(player);
        break;
    case CONTROL_MOUSE_KEYS:
        mouse_keys_control(player);
        break;
    default:
        // An unknown type: the tank is left as it is.
        break;
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
