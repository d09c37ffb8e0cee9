#include "config/settings_bounds.h"
#include "match/world.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>

// One field of otherwise default settings through the bound pass: it alone holds `bounded`.
template <typename T> void expect_bounded(T GameSettings::*field, T value, T bounded) {
    game_settings = GameSettings{};
    game_settings.*field = value;
    keep_settings_in_bounds();
    GameSettings expected;
    expected.*field = bounded;
    EXPECT_EQ(std::memcmp(&game_settings, &expected, sizeof expected), 0) << value;
}

TEST(SettingsBounds, EachValueIsKeptWithinItsBounds) {
    using S = GameSettings;
    expect_bounded(&S::arena_width, INT_MAX, INT_MAX);
    expect_bounded(&S::arena_height, INT_MIN, 10);
    expect_bounded(&S::number_of_tanks, 2, 3);
    expect_bounded(&S::number_of_tanks, 501, 500);
    expect_bounded(&S::number_of_trees, -1, 0);
    expect_bounded(&S::number_of_trees, 501, 500);
    expect_bounded(&S::normal_tank_life, 0, 1);
    expect_bounded(&S::human_tank_life, INT_MIN, 1);
    expect_bounded(&S::bullet_life, 4, 5);
    expect_bounded(&S::tank_fire_speed, INT_MIN, INT_MIN); // no bound
    // Speeds at or below a tenth, or not finite, become the float nearest a tenth.
    const float tenth = 0.1f;
    const float raised[] = {0,    -0.0f,    -FLT_MAX,  NAN,
                            -NAN, INFINITY, -INFINITY, std::nextafter(tenth, 0.0f)};
    for (float S::*speed : {&S::tank_speed, &S::tank_rotation_speed, &S::bullet_speed}) {
        for (float value : raised)
            expect_bounded(speed, value, tenth);
        for (float value : {tenth, std::nextafter(tenth, 1.0f), FLT_MAX})
            expect_bounded(speed, value, value);
    }
}
