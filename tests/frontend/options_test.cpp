#include <allegro.h>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <string>

#include "allegro_fixture.h"
#include "config/settings_bounds.h"
#include "frontend/option_rows.h"
#include "match/world.h"

namespace {
enum Row {
    ROW_ARENA_WIDTH = 0,
    ROW_ARENA_HEIGHT,
    ROW_TANKS,
    ROW_TANK_SPEED,
    ROW_ROTATION_SPEED,
    ROW_FIRE_SPEED,
    ROW_NORMAL_LIFE,
    ROW_HUMAN_LIFE,
    ROW_BULLET_LIFE,
    ROW_BULLET_SPEED,
    ROW_TREES,
};

class OptionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        start_allegro_without_display();
        game_settings = GameSettings{};
    }
    void TearDown() override { game_settings = GameSettings{}; }

    static std::string text(Row row) {
        char buffer[OPTION_TEXT_SIZE];
        option_text(option_rows[row], buffer, sizeof buffer);
        return buffer;
    }
    // One click on a row's arrow, then the bounds, as one pass of the menu does.
    static void click_down(Row row) {
        lower_option(option_rows[row]);
        keep_settings_in_bounds();
    }
    static void click_up(Row row) {
        raise_option(option_rows[row]);
        keep_settings_in_bounds();
    }
};
} // namespace

TEST_F(OptionsTest, RowsShowTheirOwnParameterOnTheirOwnLine) {
    const char *expected[OPTION_ROW_COUNT] = {
        "Arena Width: 150",
        "Arena Height: 150",
        "Number Of Tanks: 50",
        "Tank Speed: 0.200000",
        "Tank Rotation Speed: 2.000000",
        "Tank Fire Speed: 50",
        "Normal Tank Life: 3",
        "Human Tank Life: 6",
        "Bullet Life: 50",
        "Bullet Speed: 1.000000",
        "Number Of Trees: 200",
    };
    for (int i = 0; i < OPTION_ROW_COUNT; ++i) {
        EXPECT_EQ(text(static_cast<Row>(i)), expected[i]);
        EXPECT_EQ(option_rows[i].button_y, 70 + 35 * i);
        EXPECT_EQ(option_text_y(option_rows[i]), 80 + 35 * i);
    }
    // Each row steps only its own parameter.
    raise_option(option_rows[ROW_TREES]);
    EXPECT_EQ(game_settings.number_of_trees, 205);
    EXPECT_EQ(game_settings.number_of_tanks, 50);
    raise_option(option_rows[ROW_TANKS]);
    EXPECT_EQ(game_settings.number_of_tanks, 51);
    EXPECT_EQ(game_settings.number_of_trees, 205);
}

TEST_F(OptionsTest, TankSpeedStepsDownToItsFloorAndStays) {
    click_down(ROW_TANK_SPEED);
    EXPECT_EQ(text(ROW_TANK_SPEED), "Tank Speed: 0.150000");
    click_down(ROW_TANK_SPEED);
    EXPECT_EQ(text(ROW_TANK_SPEED), "Tank Speed: 0.100000");
    for (int i = 0; i < 5; ++i) {
        click_down(ROW_TANK_SPEED);
        EXPECT_EQ(text(ROW_TANK_SPEED), "Tank Speed: 0.100000");
        EXPECT_EQ(game_settings.tank_speed, 0.1f);
    }
    // The floor is the single-precision 0.1, which a later pass leaves alone.
    keep_settings_in_bounds();
    EXPECT_EQ(game_settings.tank_speed, 0.1f);
    click_up(ROW_TANK_SPEED);
    EXPECT_EQ(text(ROW_TANK_SPEED), "Tank Speed: 0.150000");
}

TEST_F(OptionsTest, FloatsStepInDoublePrecisionAndAreStoredAsFloat) {
    // Without the bounds, four steps down from 0.2 land near zero, where stepping in single
    // precision (7.4505806e-09) or by a float 0.05 would show.
    for (int i = 0; i < 4; ++i) {
        lower_option(option_rows[ROW_TANK_SPEED]);
    }
    EXPECT_EQ(game_settings.tank_speed, 8.19563883e-09f);
    game_settings.bullet_speed = 1.0f;
    raise_option(option_rows[ROW_BULLET_SPEED]);
    EXPECT_EQ(text(ROW_BULLET_SPEED), "Bullet Speed: 1.100000");
    game_settings.tank_rotation_speed = 2.0f;
    lower_option(option_rows[ROW_ROTATION_SPEED]);
    EXPECT_EQ(text(ROW_ROTATION_SPEED), "Tank Rotation Speed: 1.950000");
}

TEST_F(OptionsTest, IntBoundsUndoASteppingPastThemInTheSamePass) {
    game_settings.bullet_life = 5;
    click_down(ROW_BULLET_LIFE);
    EXPECT_EQ(text(ROW_BULLET_LIFE), "Bullet Life: 5");
    // 7 from a settings file: one click down gives 2, raised back to 5.
    game_settings.bullet_life = 7;
    lower_option(option_rows[ROW_BULLET_LIFE]);
    EXPECT_EQ(game_settings.bullet_life, 2);
    keep_settings_in_bounds();
    EXPECT_EQ(game_settings.bullet_life, 5);

    game_settings.number_of_trees = 500;
    click_up(ROW_TREES);
    EXPECT_EQ(text(ROW_TREES), "Number Of Trees: 500");
    game_settings.number_of_trees = 0;
    click_down(ROW_TREES);
    EXPECT_EQ(game_settings.number_of_trees, 0);

    game_settings.number_of_tanks = 3;
    click_down(ROW_TANKS);
    EXPECT_EQ(text(ROW_TANKS), "Number Of Tanks: 3");
    game_settings.number_of_tanks = 500;
    click_up(ROW_TANKS);
    EXPECT_EQ(game_settings.number_of_tanks, 500);

    game_settings.arena_width = 10;
    click_down(ROW_ARENA_WIDTH);
    EXPECT_EQ(game_settings.arena_width, 10);
    game_settings.human_tank_life = 1;
    click_down(ROW_HUMAN_LIFE);
    EXPECT_EQ(game_settings.human_tank_life, 1);

    // The reload time has no bound at all.
    game_settings.tank_fire_speed = 0;
    click_down(ROW_FIRE_SPEED);
    EXPECT_EQ(text(ROW_FIRE_SPEED), "Tank Fire Speed: -1");
}

TEST_F(OptionsTest, UnboundedIntsDoNotWrapRoundAtTheirLimits) {
    game_settings.arena_width = std::numeric_limits<int32_t>::max();
    click_up(ROW_ARENA_WIDTH);
    EXPECT_EQ(game_settings.arena_width, std::numeric_limits<int32_t>::max());
    game_settings.tank_fire_speed = std::numeric_limits<int32_t>::min();
    click_down(ROW_FIRE_SPEED);
    EXPECT_EQ(game_settings.tank_fire_speed, std::numeric_limits<int32_t>::min());
}

TEST_F(OptionsTest, NonFiniteSpeedsFromAFileAreNeverShownOrKept) {
    game_settings.tank_speed = std::numeric_limits<float>::quiet_NaN();
    game_settings.tank_rotation_speed = -std::numeric_limits<float>::infinity();
    game_settings.bullet_speed = std::numeric_limits<float>::infinity();
    keep_settings_in_bounds();
    for (Row row : {ROW_TANK_SPEED, ROW_ROTATION_SPEED, ROW_BULLET_SPEED}) {
        const float value = *option_rows[row].float_value;
        EXPECT_TRUE(std::isfinite(value)) << text(row);
        EXPECT_GE(value, 0.1f) << text(row);
        EXPECT_EQ(text(row).find("nan"), std::string::npos);
        EXPECT_EQ(text(row).find("inf"), std::string::npos);
    }
    EXPECT_EQ(game_settings.tank_rotation_speed, 0.1f);
}
