#include "frontend/main_menu.h"

#include <allegro.h>
#include <array>

#include "frontend/game.h"
#include "frontend/menu.h"
#include "frontend/options_menu.h"
#include "frontend/pads.h"
#include "frontend/player_commands.h"
#include "frontend/startup.h"
#include "match/match_loop.h"
#include "render/match_display.h"

namespace {
constexpr int MAIN_BUTTON_CENTRE_X = 320;
constexpr int START_CENTRE_Y = 165;
constexpr int OPTIONS_CENTRE_Y = 215;
constexpr int EXIT_CENTRE_Y = 260;

struct PlayerCountButton {
    int index;
    int y;
};
// Placed by their top-left corners, to the right of the centre line.
constexpr int PLAYER_COUNT_X = 320;
constexpr std::array<PlayerCountButton, 4> PLAYER_COUNT_BUTTONS = {{
    {MENU_ONE_PLAYER, 165},
    {MENU_TWO_PLAYERS, 202},
    {MENU_THREE_PLAYERS, 239},
    {MENU_FOUR_PLAYERS, 276},
}};

// Asks for one to four players and plays one match; returns once it is over.
void start_menu() {
    bool match_played = false;
    while (!match_played) {
        start_menu_frame();
        draw_menu_title();
        // The rest of the frame still runs after a match, as the buttons after it are tested.
        for (int last_human = 0; last_human < static_cast<int>(PLAYER_COUNT_BUTTONS.size());
             ++last_human) {
            const PlayerCountButton &button = PLAYER_COUNT_BUTTONS[last_human];
            if (menu_button(button.index, PLAYER_COUNT_X, button.y)) {
                // A pad plugged in since the last look plays in this match.
                find_pads();
                if (play_match(last_human, match_display, read_player_commands) == DISPLAY_LOST) {
                    end_program(MENU_MODE_LOST_STATUS);
                }
                match_played = true;
            }
        }
        finish_menu_frame();
    }
}

} // namespace

void main_menu() {
    menu_buffer = create_bitmap(MENU_WIDTH, MENU_HEIGHT);
    if (menu_buffer == nullptr) {
        end_with_message("Couldn't make the menu screen's buffer.\nThere is not enough memory.");
    }
    for (;;) {
        start_menu_frame();
        draw_menu_title();
        if (menu_button_centred(MENU_START, MAIN_BUTTON_CENTRE_X, START_CENTRE_Y)) {
            start_menu();
        }
        if (menu_button_centred(MENU_OPTIONS, MAIN_BUTTON_CENTRE_X, OPTIONS_CENTRE_Y)) {
            options_menu();
        }
        if (menu_button_centred(MENU_EXIT, MAIN_BUTTON_CENTRE_X, EXIT_CENTRE_Y)) {
            exit_game();
        }
        finish_menu_frame();
    }
}
