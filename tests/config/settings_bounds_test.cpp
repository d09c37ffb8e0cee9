#include "config/settings_bounds.h"
#include "match/world.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

bool same_bits(const GameSettings &a, const GameSettings &b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

GameSettings bounded(const GameSettings &s) {
    game_settings = s;
    keep_settings_in_bounds();
    return game_settings;
}

} // namespace

TEST(SettingsBounds, WholeNumberFieldsAreLiftedAndLoweredToTheirBounds) {
    GameSettings low;
    low.arena_width = 9;
    low.arena_height = INT_MIN;
    low.number_of_tanks = 2;
    low.normal_tank_life = 0;
    low.human_tank_life = -5;
    low.bullet_life = 2;
    low.number_of_trees = -3;
    low.tank_fire_speed = INT_MIN;
    GameSettings lifted = low;
    lifted.arena_width = 10;
    lifted.arena_height = 10;
    lifted.number_of_tanks = 3;
    lifted.normal_tank_life = 1;
    lifted.human_tank_life = 1;
    lifted.bullet_life = 5;
    lifted.number_of_trees = 0;
    EXPECT_TRUE(same_bits(bounded(low), lifted));

    GameSettings high;
    high.number_of_tanks = 501;
    high.number_of_trees = 501;
    EXPECT_EQ(bounded(high).number_of_tanks, 500);
    EXPECT_EQ(bounded(high).number_of_trees, 500);

    // Values on a bound, and fields with no upper bound, are kept.
    GameSettings kept;
    kept.arena_width = 10;
    kept.arena_height = INT_MAX;
    kept.number_of_tanks = 3;
    kept.number_of_trees = 500;
    kept.normal_tank_life = INT_MAX;
    kept.human_tank_life = 1;
    kept.bullet_life = 5;
    kept.tank_fire_speed = -1;
    EXPECT_TRUE(same_bits(bounded(kept), kept));
    kept.number_of_tanks = 500;
    kept.number_of_trees = 0;
    kept.arena_width = INT_MAX;
    kept.bullet_life = INT_MAX;
    kept.tank_fire_speed = INT_MAX;
    EXPECT_TRUE(same_bits(bounded(kept), kept));
}

TEST(SettingsBounds, SpeedsAtOrBelowATenthOrNotFiniteBecomeTheFloatTenth) {
    constexpr float TENTH = 0.1f;
    float GameSettings::*const speeds[] = {
        &GameSettings::tank_speed, &GameSettings::tank_rotation_speed, &GameSettings::bullet_speed};
    const float raised[] = {std::nextafter(TENTH, 0.0f),
                            0.0f,
                            -0.0f,
                            -1.0f,
                            std::numeric_limits<float>::denorm_min(),
                            -std::numeric_limits<float>::max(),
                            std::numeric_limits<float>::quiet_NaN(),
                            -std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity()};
    const float kept[] = {TENTH, std::nextafter(TENTH, 1.0f), 0.15f,
                          std::numeric_limits<float>::max()};
    for (float GameSettings::*speed : speeds) {
        for (float value : raised) {
            GameSettings s;
            s.*speed = value;
            GameSettings expected;
            expected.*speed = TENTH;
            EXPECT_TRUE(same_bits(bounded(s), expected)) << value;
        }
        for (float value : kept) {
            GameSettings s;
            s.*speed = value;
            EXPECT_TRUE(same_bits(bounded(s), s)) << value;
        }
    }
}
