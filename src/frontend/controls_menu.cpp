#include "frontend/controls_menu.h"

#include <allegro.h>
#include <array>

#include "config/controls.h"
#include "frontend/menu.h"
#include "frontend/pads.h"
#include "render/presentation.h"

namespace {
struct PlayerButton {
    int index;
    int y;
};
constexpr int PLAYER_BUTTON_X = 320;
constexpr std::array<PlayerButton, 4> PLAYER_BUTTONS = {{
    {MENU_ONE_PLAYER, 140},
    {MENU_TWO_PLAYERS, 200},
    {MENU_THREE_PLAYERS, 260},
    {MENU_FOUR_PLAYERS, 320},
}};

constexpr int TEXT_CENTRE_X = 320;
constexpr int CHOOSE_TEXT_Y = 200;
constexpr int CHOICE_TEXT_Y = 240;
constexpr int UP_X = 300;
constexpr int DOWN_X = 340;
constexpr int ARROWS_Y = 260;
constexpr int OK_X = 320;
constexpr int OK_Y = 300;

constexpr int PROMPT_TOP_Y = 40;
constexpr int PROMPT_SPACING = 10;
constexpr int MOUSE_KEYS_ACTIONS = 4; // turning and moving; the mouse has the turret
constexpr int SCANCODE_SHIFT = 8;
constexpr int TRANSPARENT_BACKGROUND = -1;
constexpr int PAD_PROMPT_PAUSE_MS = 10;

int type_name_index(int type) {
    return NUM_ACTIONS + type;
}

int choose_type() {
    int choice = CONTROL_KEYBOARD;
    bool chosen = false;
    while (!chosen) {
        start_menu_frame();
        textout_centre_ex(menu_buffer, font, "Choose Control Type", TEXT_CENTRE_X, CHOOSE_TEXT_Y,
                          makecol(255, 255, 255), TRANSPARENT_BACKGROUND);
        textout_centre_ex(menu_buffer, font, control_names[type_name_index(choice)], TEXT_CENTRE_X,
                          CHOICE_TEXT_Y, makecol(255, 255, 0), TRANSPARENT_BACKGROUND);
        if (menu_button(MENU_UP, UP_X, ARROWS_Y)) {
            --choice;
        }
        if (menu_button(MENU_DOWN, DOWN_X, ARROWS_Y)) {
            ++choice;
        }
        if (menu_button(MENU_OK, OK_X, OK_Y)) {
            chosen = true;
        }
        choice = wrap_control_choice(choice);
        finish_menu_frame();
    }
    return choice;
}

// Prompts pile up, each shown as soon as it is drawn, without a pointer; a key already waiting is
// taken at once.
void read_keys(int player, int action_count, int top_y) {
    for (int i = 0; i < action_count; ++i) {
        textout_centre_ex(menu_buffer, font, control_names[i], TEXT_CENTRE_X,
                          top_y + PROMPT_SPACING * i, makecol(255, 255, 255),
                          TRANSPARENT_BACKGROUND);
        show_menu_picture(menu_buffer);
        player_controls[player].keys[i] = readkey() >> SCANCODE_SHIFT;
    }
}

bool escape_typed() {
    return (readkey() >> SCANCODE_SHIFT) == KEY_ESC;
}

// Escape at a pad prompt: the record as it was, and the key let go first, as, still held, it
// would close the control set-up too.
void keep_earlier_choice(int player, const PlayerControls &before) {
    player_controls[player] = before;
    wait_for_key_release(KEY_ESC);
}

// The pad the player will hold is the first on which a button goes down. Escape gives the record
// back as it was before the type choice; with no pad connected the type stays chosen.
void bind_pad_prompt(int player, int type, const PlayerControls &before) {
    start_menu_frame();
    const int white_text = makecol(255, 255, 255);
    // Unlike a key prompt, this one must not take an Escape left over from an earlier menu.
    clear_keybuf();
    if (find_pads() == 0) {
        textout_centre_ex(menu_buffer, font, "No Gamepad Or Joystick Found", TEXT_CENTRE_X,
                          PROMPT_TOP_Y, white_text, TRANSPARENT_BACKGROUND);
        textout_centre_ex(menu_buffer, font, "Press A Key", TEXT_CENTRE_X,
                          PROMPT_TOP_Y + PROMPT_SPACING, white_text, TRANSPARENT_BACKGROUND);
        show_menu_picture(menu_buffer);
        if (escape_typed()) {
            keep_earlier_choice(player, before);
        }
        return;
    }
    textprintf_centre_ex(menu_buffer, font, TEXT_CENTRE_X, PROMPT_TOP_Y, white_text,
                         TRANSPARENT_BACKGROUND, "Press A Button On Your %s",
                         control_names[type_name_index(type)]);
    show_menu_picture(menu_buffer);
    poll_pads();
    pad_with_new_press(); // buttons already held count once let go
    for (;;) {
        poll_pads();
        const int pad = pad_with_new_press();
        if (pad >= 0) {
            bind_pad(player_controls[player], pad);
            return;
        }
        if (keypressed() && escape_typed()) {
            keep_earlier_choice(player, before);
            return;
        }
        rest(PAD_PROMPT_PAUSE_MS);
    }
}
} // namespace

int wrap_control_choice(int choice) {
    if (choice > CONTROL_JOYSTICK) {
        return CONTROL_KEYBOARD;
    }
    if (choice < CONTROL_KEYBOARD) {
        return CONTROL_JOYSTICK;
    }
    return choice;
}

namespace {

// The type choice for `player` (0 to 3), then the key prompts that type needs, or the press of
// a button on the pad to bind.
void choose_control_type(int player) {
    const PlayerControls before = player_controls[player];
    const int type = choose_type();
    player_controls[player].control_type = type;
    if (type == CONTROL_KEYBOARD) {
        start_menu_frame();
        read_keys(player, NUM_ACTIONS, PROMPT_TOP_Y);
    } else if (type == CONTROL_MOUSE_KEYS) {
        start_menu_frame();
        textout_centre_ex(menu_buffer, font, "Turret Controls With Mouse", TEXT_CENTRE_X,
                          PROMPT_TOP_Y, makecol(255, 255, 255), TRANSPARENT_BACKGROUND);
        read_keys(player, MOUSE_KEYS_ACTIONS, PROMPT_TOP_Y + PROMPT_SPACING);
    } else {
        bind_pad_prompt(player, type, before);
    }
}

} // namespace

void controls_menu() {
    while (!key[KEY_ESC]) {
        start_menu_frame();
        for (int player = 0; player < static_cast<int>(PLAYER_BUTTONS.size()); ++player) {
            if (menu_button(PLAYER_BUTTONS[player].index, PLAYER_BUTTON_X,
                            PLAYER_BUTTONS[player].y)) {
                choose_control_type(player);
            }
        }
        finish_menu_frame();
    }
    // The options menu also closes on Escape; let go of it first.
    wait_for_key_release(KEY_ESC);
}
