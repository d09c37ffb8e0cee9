#include "frontend/pads.h"

#include "frontend/pad_presence.h"

#include <allegro.h>

#include <array>

namespace {

// A record of a pad type keeps its pad in its first key entry, above any scancode, so that the
// key bindings of an earlier type, or of a file from before pads, never read as a pad.
constexpr int32_t PAD_BINDING_BASE = 0x10000;

// Buttons on Linux's joystick interface and through DirectInput: on Xbox and PlayStation pads
// the main face button (A, cross) comes first and the shoulder buttons are the fifth and sixth;
// a joystick's trigger comes first, its thumb button second, the two below the thumb after it.
constexpr int FACE_BUTTON = 0;
constexpr int LEFT_SHOULDER = 4;
constexpr int RIGHT_SHOULDER = 5;
constexpr int TRIGGER = 0;
constexpr int TURRET_LEFT_BUTTON = 2;
constexpr int TURRET_RIGHT_BUTTON = 3;
// Linux's Xbox and PlayStation drivers give eight axes: left stick, left trigger, right stick,
// right trigger, hat. Allegro pairs them into four sticks: (left x, left y), (left trigger,
// right x), (right y, right trigger), (hat x, hat y). A trigger rests at the bottom of its
// range. Pads with fewer axes have the right stick as their second stick.
constexpr int TRIGGER_LAYOUT_STICKS = 4;

std::array<std::array<bool, MAX_JOYSTICK_BUTTONS>, MAX_JOYSTICKS> buttons_seen{};

bool below(const JOYSTICK_AXIS_INFO &axis) {
    return axis.pos < -PAD_DEAD_ZONE;
}
bool above(const JOYSTICK_AXIS_INFO &axis) {
    return axis.pos > PAD_DEAD_ZONE;
}
bool button_down(const JOYSTICK_INFO &pad, int button) {
    return button < pad.num_buttons && pad.button[button].b != 0;
}
const JOYSTICK_AXIS_INFO *axis_of(const JOYSTICK_INFO &pad, int stick, int axis) {
    if (stick >= pad.num_sticks || axis >= pad.stick[stick].num_axis) {
        return nullptr;
    }
    return &pad.stick[stick].axis[axis];
}

// The right stick's left and right. Through DirectInput, the first stick's third axis (Z) is the
// right stick of most pads and the two triggers of an Xbox pad.
const JOYSTICK_AXIS_INFO *turret_axis(const JOYSTICK_INFO &pad) {
    if (pad.num_sticks >= 1 && pad.stick[0].num_axis == 3) {
        return axis_of(pad, 0, 2);
    }
    if (pad.num_sticks >= TRIGGER_LAYOUT_STICKS) {
        return axis_of(pad, 1, 1);
    }
    return axis_of(pad, 1, 0);
}

const JOYSTICK_AXIS_INFO *right_trigger(const JOYSTICK_INFO &pad) {
    if (pad.num_sticks >= TRIGGER_LAYOUT_STICKS && pad.stick[0].num_axis == 2) {
        return axis_of(pad, 2, 1);
    }
    return nullptr;
}

// A joystick's hat is its last stick, a pair of axes.
const JOYSTICK_AXIS_INFO *hat_axis(const JOYSTICK_INFO &pad) {
    if (pad.num_sticks < 2 || pad.stick[pad.num_sticks - 1].num_axis != 2) {
        return nullptr;
    }
    return axis_of(pad, pad.num_sticks - 1, 0);
}

bool leans_left(const JOYSTICK_AXIS_INFO *axis) {
    return axis != nullptr && below(*axis);
}
bool leans_right(const JOYSTICK_AXIS_INFO *axis) {
    return axis != nullptr && above(*axis);
}

} // namespace

int find_pads() {
    remove_joystick();
    install_joystick(JOY_TYPE_AUTODETECT);
    buttons_seen = {};
    return num_joysticks;
}

void poll_pads() {
    if (num_joysticks > 0) {
        poll_joystick();
    }
}

int bound_pad(const PlayerControls &controls, int player) {
    const int32_t stored = controls.keys[0] - PAD_BINDING_BASE;
    return stored >= 0 && stored < MAX_JOYSTICKS ? stored : player;
}

void bind_pad(PlayerControls &controls, int pad) {
    controls.keys[0] = PAD_BINDING_BASE + pad;
}

PlayerCommand pad_command(const JOYSTICK_INFO &pad, int32_t control_type) {
    PlayerCommand command{};
    auto &held = command.held;
    // Stick pushed up (negative) drives forwards, left turns left.
    const JOYSTICK_AXIS_INFO *across = axis_of(pad, 0, 0);
    const JOYSTICK_AXIS_INFO *along = axis_of(pad, 0, 1);
    held[ACTION_TURN_LEFT] = leans_left(across);
    held[ACTION_TURN_RIGHT] = leans_right(across);
    held[ACTION_MOVE_FORWARDS] = leans_left(along);
    held[ACTION_MOVE_BACKWARDS] = leans_right(along);
    if (control_type == CONTROL_GAMEPAD) {
        const JOYSTICK_AXIS_INFO *turret = turret_axis(pad);
        held[ACTION_TURRET_LEFT] = leans_left(turret) || button_down(pad, LEFT_SHOULDER);
        held[ACTION_TURRET_RIGHT] = leans_right(turret) || button_down(pad, RIGHT_SHOULDER);
        held[ACTION_SHOOT] = button_down(pad, FACE_BUTTON) || leans_right(right_trigger(pad));
    } else {
        const JOYSTICK_AXIS_INFO *hat = hat_axis(pad);
        held[ACTION_TURRET_LEFT] = leans_left(hat) || button_down(pad, TURRET_LEFT_BUTTON);
        held[ACTION_TURRET_RIGHT] = leans_right(hat) || button_down(pad, TURRET_RIGHT_BUTTON);
        held[ACTION_SHOOT] = button_down(pad, TRIGGER);
    }
    return command;
}

PlayerCommand read_pad_command(int player) {
    const PlayerControls &controls = player_controls[player];
    const int pad = bound_pad(controls, player);
    if (pad >= num_joysticks || !pad_connected(pad)) {
        return PlayerCommand{};
    }
    return pad_command(joy[pad], controls.control_type);
}

int pad_with_new_press() {
    int pressed = -1;
    for (int pad = 0; pad < num_joysticks; ++pad) {
        for (int b = 0; b < joy[pad].num_buttons; ++b) {
            const bool down = joy[pad].button[b].b != 0;
            if (down && !buttons_seen[pad][b] && pressed < 0) {
                pressed = pad;
            }
            buttons_seen[pad][b] = down;
        }
    }
    return pressed;
}
