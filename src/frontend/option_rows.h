// The rows of the options menu: one match setting each, with its text and arrow buttons.
#pragma once

#include "config/settings_table.h"

constexpr int OPTION_TEXT_X = 50;
constexpr int OPTION_TEXT_BELOW_BUTTONS = 10;
constexpr int OPTION_UP_X = 320;
constexpr int OPTION_DOWN_X = 360;
constexpr int OPTION_TEXT_SIZE = 128;

int option_text_y(const SettingRow &row);

// One step up or down; the options menu applies the bounds afterwards.
void raise_option(const SettingRow &row);
void lower_option(const SettingRow &row);

// The row's text line as the menu draws it.
void option_text(const SettingRow &row, char *text, int size);
