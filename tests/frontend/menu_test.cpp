#include <allegro.h>
#include <array>
#include <gtest/gtest.h>
#include <thread>
#include <tuple>

#include "config/controls.h"
#include "frontend/controls_menu.h"
#include "frontend/game.h"
#include "frontend/menu.h"
#include "frontend/option_rows.h"
#include "frontend/startup.h"
#include "match/world.h"

namespace {
// Distinct, and never the mask colour, so draw_sprite draws every pixel.
const auto colour_of = [](int object) { return makecol(8 * object, 255 - 4 * object, 40); };

// A stand-in menu datafile, made once: plain 21 by 11 boxes and a background filling the menu.
void fake_menu_data() {
    static std::array<DATAFILE, MENU_OBJECT_COUNT + 1> objects{};
    if (menu_data == nullptr) {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(16);
        for (int i = 0; i < MENU_OBJECT_COUNT; ++i) {
            BITMAP *image = i == MENU_BACKGROUND ? create_bitmap(MENU_WIDTH, MENU_HEIGHT)
                                                 : create_bitmap(21, 11);
            clear_to_color(image, colour_of(i));
            objects[i] = DATAFILE{image, DAT_BITMAP, 0, nullptr};
        }
        objects[MENU_OBJECT_COUNT].type = DAT_END;
        menu_data = objects.data();
        menu_buffer = create_bitmap(MENU_WIDTH, MENU_HEIGHT);
    }
    mouse_b = 0;
}
} // namespace

TEST(MenuButton, HoverClickAndPlacement) {
    fake_menu_data();
    // At (200, 150), 21 by 11, with the right button held beside the left: no click, no wait.
    mouse_b = 3;
    for (mouse_x = 198; mouse_x <= 223; ++mouse_x)
        for (mouse_y = 148; mouse_y <= 163; ++mouse_y) {
            const bool over = mouse_x >= 201 && mouse_x <= 220 && mouse_y >= 151 && mouse_y <= 160;
            EXPECT_EQ(menu_button(MENU_EXIT, 200, 150), 0);
            EXPECT_EQ(getpixel(menu_buffer, 200, 150), colour_of(MENU_EXIT + over)) << mouse_x;
        }
    mouse_b = 1; // over it: a click, once the left button is let go
    mouse_x = 210;
    mouse_y = 155;
    std::thread mouse_service([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        mouse_b = 0;
    });
    EXPECT_EQ(menu_button(MENU_EXIT, 200, 150), 1);
    EXPECT_EQ(mouse_b, 0);
    mouse_service.join();

    // Centred by truncated halves; the pointer drawn from its hot spot, still at (210, 155).
    start_menu_frame();
    menu_button_centred(MENU_START, 320, 165);
    draw_menu_pointer();
    for (const auto &[x, y, object] : {std::tuple{310, 160, MENU_START}, {309, 159, MENU_BACKGROUND},
                                       {330, 170, MENU_START}, {331, 171, MENU_BACKGROUND},
                                       {210, 155, MENU_POINTER}, {209, 155, MENU_BACKGROUND},
                                       {210, 154, MENU_BACKGROUND}})
        EXPECT_EQ(getpixel(menu_buffer, x, y), colour_of(object)) << x << ", " << y;
}

TEST(MenuDataCheck, TakesOnlyAFileWithEveryImageTheMenusDraw) {
    fake_menu_data();
    // One short, or something else where an image is drawn; objects 6 and 7 never are.
    for (const auto &[object, type, usable] : {std::tuple{MENU_UP + 1, DAT_END, false},
                                               {MENU_POINTER, DAT_SAMPLE, false},
                                               {6, DAT_DATA, true}}) {
        menu_data[object].type = type;
        EXPECT_EQ(menu_data_usable(menu_data), usable) << "object " << object;
        menu_data[object].type = DAT_BITMAP;
    }
}

TEST(ControlChoice, WrapsRoundBothWays) {
    EXPECT_EQ(wrap_control_choice(CONTROL_KEYBOARD - 1), CONTROL_JOYSTICK);
    EXPECT_EQ(wrap_control_choice(CONTROL_JOYSTICK + 1), CONTROL_KEYBOARD);
}

// The options menu bounds the settings after the arrows, so none are bounded here.
TEST(Options, EachClickStepsItsOwnValueAndIntsStopAtTheirLimits) {
    game_settings = GameSettings{};
    game_settings.arena_width = INT32_MAX;
    game_settings.tank_fire_speed = INT32_MIN;
    for (const auto &[r, up, shown] : {std::tuple{3, false, "Tank Speed: 0.150000"},
                                       {4, true, "Tank Rotation Speed: 2.050000"},
                                       {9, true, "Bullet Speed: 1.100000"},
                                       {8, false, "Bullet Life: 45"},
                                       {10, true, "Number Of Trees: 205"},
                                       {2, false, "Number Of Tanks: 49"},
                                       {1, true, "Arena Height: 155"},
                                       {6, false, "Normal Tank Life: 2"},
                                       {7, true, "Human Tank Life: 7"},
                                       {0, true, "Arena Width: 2147483647"},
                                       {5, false, "Tank Fire Speed: -2147483648"}}) {
        char text[OPTION_TEXT_SIZE];
        (up ? raise_option : lower_option)(setting_rows[r]);
        option_text(setting_rows[r], text, sizeof text);
        EXPECT_STREQ(text, shown);
    }
    // Floats step in double precision: four steps down from 0.2 show it.
    game_settings.tank_speed = 0.2f;
    for (int i = 0; i < 4; ++i)
        lower_option(setting_rows[3]);
    EXPECT_EQ(game_settings.tank_speed, 8.19563883e-09f);
}
