#include "frontend/options_menu.h"

#include <allegro.h>

#include "config/settings_bounds.h"
#include "config/settings_file.h"
#include "frontend/controls_menu.h"
#include "frontend/dialog_font.h"
#include "frontend/game.h"
#include "frontend/menu.h"
#include "frontend/option_rows.h"

namespace {
constexpr int SIDE_BUTTON_X = 450;
constexpr int CONTROLS_Y = 240;
constexpr int SAVE_Y = 70;
constexpr int LOAD_Y = 105;
constexpr int TRANSPARENT_BACKGROUND = -1;
constexpr int ENTER_KEY = 13;

// Tells the player what became of a save or a load that did not simply work.
void report(SettingsFileResult result, bool saving) {
    const char *not_done = saving ? "The settings were NOT saved." : "Nothing was loaded.";
    const char *why = nullptr;
    const char *then = nullptr;
    switch (result) {
    case SETTINGS_DONE:
    case SETTINGS_CANCELLED:
        return;
    case SETTINGS_NOT_SETTINGS_FILE:
        why = "That file is not a settings file";
        then = saving ? "and it was left as it is." : "and the settings are as they were.";
        break;
    case SETTINGS_MISSING:
        why = "There is no file of that name.";
        break;
    case SETTINGS_WRITE_FAILED:
        why = "The file could not be written there:";
        then = "no room, no permission, or no such folder.";
        break;
    case SETTINGS_NAME_TOO_LONG:
        why = "That name is too long.";
        break;
    case SETTINGS_NAME_UNTYPABLE:
        why = "Accented letters cannot be typed here:";
        then = "pick such a name from the list instead.";
        break;
    }
    alert(not_done, why, then, "OK", nullptr, ENTER_KEY, 0);
}

void draw_option_lines() {
    char text[OPTION_TEXT_SIZE];
    for (const SettingRow &row : setting_rows) {
        option_text(row, text, sizeof text);
        textout_ex(menu_buffer, font, text, OPTION_TEXT_X, option_text_y(row), white,
                   TRANSPARENT_BACKGROUND);
    }
}

void run_arrow_buttons() {
    for (const SettingRow &row : setting_rows) {
        if (menu_button(MENU_UP, OPTION_UP_X, row.menu_y)) {
            raise_option(row);
        }
        if (menu_button(MENU_DOWN, OPTION_DOWN_X, row.menu_y)) {
            lower_option(row);
        }
    }
}

void run_side_buttons() {
    if (menu_button(MENU_CONTROLS, SIDE_BUTTON_X, CONTROLS_Y)) {
        controls_menu();
    }
    if (menu_button(MENU_SAVE, SIDE_BUTTON_X, SAVE_Y)) {
        begin_magnified_dialog();
        report(save_settings_dialog(), true);
        end_magnified_dialog();
    }
    if (menu_button(MENU_LOAD, SIDE_BUTTON_X, LOAD_Y)) {
        begin_magnified_dialog();
        report(load_settings_dialog(), false);
        end_magnified_dialog();
    }
}
} // namespace

void options_menu() {
    // Escape is not waited out: the menu closes while it is still held.
    while (!key[KEY_ESC]) {
        start_menu_frame();
        draw_menu_title();
        draw_option_lines();
        run_arrow_buttons();
        run_side_buttons();
        // Also catches values just loaded from a file, before they are ever shown.
        keep_settings_in_bounds();
        finish_menu_frame();
    }
}
