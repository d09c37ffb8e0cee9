#include "frontend/option_rows.h"

#include <allegro.h>
#include <limits>

#include "match/world.h"

namespace {
constexpr double SPEED_STEP = 0.05;
constexpr double BULLET_SPEED_STEP = 0.1;

// An int row without an upper bound must not wrap round past the largest value.
int32_t saturated_sum(int32_t value, int64_t step) {
    const int64_t sum = static_cast<int64_t>(value) + step;
    if (sum > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (sum < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(sum);
}

void step_option(const OptionRow &row, int direction) {
    if (row.int_value != nullptr) {
        *row.int_value =
            saturated_sum(*row.int_value, static_cast<int64_t>(direction) * row.int_step);
    } else {
        const double value = *row.float_value;
        *row.float_value =
            static_cast<float>(direction > 0 ? value + row.float_step : value - row.float_step);
    }
}
} // namespace

const std::array<OptionRow, OPTION_ROW_COUNT> option_rows = {{
    {"Arena Width: %i", &game_settings.arena_width, nullptr, 5, 0.0, 70},
    {"Arena Height: %i", &game_settings.arena_height, nullptr, 5, 0.0, 105},
    {"Number Of Tanks: %i", &game_settings.number_of_tanks, nullptr, 1, 0.0, 140},
    {"Tank Speed: %f", nullptr, &game_settings.tank_speed, 0, SPEED_STEP, 175},
    {"Tank Rotation Speed: %f", nullptr, &game_settings.tank_rotation_speed, 0, SPEED_STEP, 210},
    {"Tank Fire Speed: %i", &game_settings.tank_fire_speed, nullptr, 1, 0.0, 245},
    {"Normal Tank Life: %i", &game_settings.normal_tank_life, nullptr, 1, 0.0, 280},
    {"Human Tank Life: %i", &game_settings.human_tank_life, nullptr, 1, 0.0, 315},
    {"Bullet Life: %i", &game_settings.bullet_life, nullptr, 5, 0.0, 350},
    {"Bullet Speed: %f", nullptr, &game_settings.bullet_speed, 0, BULLET_SPEED_STEP, 385},
    {"Number Of Trees: %i", &game_settings.number_of_trees, nullptr, 5, 0.0, 420},
}};

int option_text_y(const OptionRow &row) {
    return row.button_y + OPTION_TEXT_BELOW_BUTTONS;
}

void raise_option(const OptionRow &row) {
    step_option(row, 1);
}

void lower_option(const OptionRow &row) {
    step_option(row, -1);
}

void option_text(const OptionRow &row, char *text, int size) {
    if (row.int_value != nullptr) {
        uszprintf(text, size, row.format, static_cast<int>(*row.int_value));
    } else {
        uszprintf(text, size, row.format, static_cast<double>(*row.float_value));
    }
}
