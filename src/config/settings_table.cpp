#include "config/settings_table.h"

#include "match/world.h"

#include <limits>

namespace {
constexpr double NO_LOWER = std::numeric_limits<int32_t>::min();
constexpr double NO_UPPER = std::numeric_limits<int32_t>::max();
constexpr double ARENA_LOWEST = 10;
constexpr double TANKS_LOWEST = 3;
constexpr double LIFE_LOWEST = 1;
constexpr double BULLET_LIFE_LOWEST = 5;
constexpr double TREES_LOWEST = 0;
// Compared in double precision; the float stored is a little above it, so it stays on later
// passes.
constexpr double SPEED_LOWEST = 0.1;
constexpr double SPEED_STEP = 0.05;
constexpr double BULLET_SPEED_STEP = 0.1;

unsigned char *setting_bytes(const SettingRow &row) {
    return reinterpret_cast<unsigned char *>(&game_settings) + row.field;
}
} // namespace

#define FIELD(name) offsetof(GameSettings, name)

// The number of trees is the record's third field but the file's and the menu's last.
const std::array<SettingRow, SETTING_COUNT> setting_rows = {{
    {"Arena Width: %i", FIELD(arena_width), SETTING_INT, 5, ARENA_LOWEST, NO_UPPER, 70},
    {"Arena Height: %i", FIELD(arena_height), SETTING_INT, 5, ARENA_LOWEST, NO_UPPER, 105},
    {"Number Of Tanks: %i", FIELD(number_of_tanks), SETTING_INT, 1, TANKS_LOWEST, MAX_TANKS, 140},
    {"Tank Speed: %f", FIELD(tank_speed), SETTING_FLOAT, SPEED_STEP, SPEED_LOWEST, 0, 175},
    {"Tank Rotation Speed: %f", FIELD(tank_rotation_speed), SETTING_FLOAT, SPEED_STEP,
     SPEED_LOWEST, 0, 210},
    {"Tank Fire Speed: %i", FIELD(tank_fire_speed), SETTING_INT, 1, NO_LOWER, NO_UPPER, 245},
    {"Normal Tank Life: %i", FIELD(normal_tank_life), SETTING_INT, 1, LIFE_LOWEST, NO_UPPER, 280},
    {"Human Tank Life: %i", FIELD(human_tank_life), SETTING_INT, 1, LIFE_LOWEST, NO_UPPER, 315},
    {"Bullet Life: %i", FIELD(bullet_life), SETTING_INT, 5, BULLET_LIFE_LOWEST, NO_UPPER, 350},
    {"Bullet Speed: %f", FIELD(bullet_speed), SETTING_FLOAT, BULLET_SPEED_STEP, SPEED_LOWEST, 0,
     385},
    {"Number Of Trees: %i", FIELD(number_of_trees), SETTING_INT, 5, TREES_LOWEST, MAX_TREES, 420},
}};

#undef FIELD

static_assert(sizeof(GameSettings) == SETTING_COUNT * sizeof(int32_t),
              "every setting is a 4-byte field of its own row");

int32_t &int_setting(const SettingRow &row) {
    return *reinterpret_cast<int32_t *>(setting_bytes(row));
}

float &float_setting(const SettingRow &row) {
    return *reinterpret_cast<float *>(setting_bytes(row));
}
