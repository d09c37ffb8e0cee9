// The eleven match settings, one row each in the order of the settings file, which is also the
// options menu's order from top to bottom. The file's reader and writer, the bounds and the
// menu all walk these rows: a new setting is its field in GameSettings and one row here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

enum SettingKind { SETTING_INT, SETTING_FLOAT };

struct SettingRow {
    const char *label;  // the options menu's text line, printed with the value
    std::size_t field;  // where the value lies in GameSettings
    SettingKind kind;
    double step;        // one arrow press; floats step in double precision, stored back as float
    // An int below `lowest` is lifted to it and one above `highest` lowered to it; a float at or
    // below `lowest`, or not a finite number, becomes the float nearest `lowest`.
    double lowest;
    double highest;
    int menu_y; // the row's arrow buttons in the options menu; its text line stands below them
};

constexpr int SETTING_COUNT = 11;
extern const std::array<SettingRow, SETTING_COUNT> setting_rows;

// The row's value in game_settings.
int32_t &int_setting(const SettingRow &row);
float &float_setting(const SettingRow &row);
