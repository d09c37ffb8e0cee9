#include <allegro.h>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

#include "allegro_fixture.h"
#include "frontend/game.h"
#include "frontend/menu.h"

namespace {
constexpr int BUTTON_W = 21;
constexpr int BUTTON_H = 11;

class MenuButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        start_allegro_without_display();
        fake = std::make_unique<FakeMenuData>(BUTTON_W, BUTTON_H);
        menu_data = fake->objects.data();
        menu_buffer = create_bitmap(MENU_WIDTH, MENU_HEIGHT);
        clear_to_color(menu_buffer, 0);
        mouse_b = 0;
    }
    void TearDown() override {
        destroy_bitmap(menu_buffer);
        menu_buffer = nullptr;
        menu_data = nullptr;
        mouse_b = 0;
    }
    static void point_at(int x, int y) {
        mouse_x = x;
        mouse_y = y;
    }
    static int pixel(int x, int y) { return getpixel(menu_buffer, x, y); }

    std::unique_ptr<FakeMenuData> fake;
};
} // namespace

TEST(PointerOver, EdgesOfTheBox) {
    // Box at (100, 50), 20 by 10: columns 101..119 and rows 51..59 are inside.
    EXPECT_FALSE(pointer_over(100, 50, 20, 10, 100, 55)); // first column
    EXPECT_TRUE(pointer_over(100, 50, 20, 10, 101, 55));
    EXPECT_TRUE(pointer_over(100, 50, 20, 10, 119, 55)); // last column
    EXPECT_FALSE(pointer_over(100, 50, 20, 10, 120, 55));
    EXPECT_FALSE(pointer_over(100, 50, 20, 10, 110, 50)); // first row
    EXPECT_TRUE(pointer_over(100, 50, 20, 10, 110, 51));
    EXPECT_TRUE(pointer_over(100, 50, 20, 10, 110, 59)); // last row
    EXPECT_FALSE(pointer_over(100, 50, 20, 10, 110, 60));
    EXPECT_TRUE(pointer_over(100, 50, 20, 10, 119, 59)); // last corner
}

TEST(PointerOver, OnePixelWideOrHighIsNeverHovered) {
    for (int mx = 95; mx <= 105; ++mx) {
        for (int my = 45; my <= 65; ++my) {
            EXPECT_FALSE(pointer_over(100, 50, 1, 10, mx, my)) << mx << "," << my;
            EXPECT_FALSE(pointer_over(100, 50, 20, 1, mx + 10, my)) << mx << "," << my;
        }
    }
    EXPECT_TRUE(pointer_over(100, 50, 2, 2, 101, 51)); // the smallest button with an inside
}

TEST_F(MenuButtonTest, AwayFromThePointerDrawsTheNormalImageAndNeverClicks) {
    point_at(100, 100);
    mouse_b = 1; // held, but beside the button: no click and no wait
    EXPECT_EQ(menu_button(MENU_EXIT, 200, 150), 0);
    EXPECT_EQ(pixel(200, 150), FakeMenuData::colour_of(MENU_EXIT));
    EXPECT_EQ(pixel(200 + BUTTON_W - 1, 150 + BUTTON_H - 1), FakeMenuData::colour_of(MENU_EXIT));
    EXPECT_EQ(pixel(200 + BUTTON_W, 150), 0);

    mouse_b = 0;        // a wrong hover test then shows as a highlight instead of a hang
    point_at(200, 155); // the button's first column is outside it
    EXPECT_EQ(menu_button(MENU_EXIT, 200, 150), 0);
    EXPECT_EQ(pixel(205, 155), FakeMenuData::colour_of(MENU_EXIT));
}

TEST_F(MenuButtonTest, HoveredWithoutTheLeftButtonAloneHighlightsAndDoesNotWait) {
    point_at(200 + BUTTON_W - 1, 150 + BUTTON_H - 1); // last column and row: inside
    for (int buttons : {0, 2, 3, 4, 5}) {
        mouse_b = buttons;
        clear_to_color(menu_buffer, 0);
        // Returning at all shows that nothing waited for a release.
        EXPECT_EQ(menu_button(MENU_EXIT, 200, 150), 0) << "mouse_b " << buttons;
        EXPECT_EQ(pixel(200, 150), FakeMenuData::colour_of(MENU_EXIT + 1));
    }
}

TEST_F(MenuButtonTest, CentredButtonSitsOnItsCentreWithTruncatedHalves) {
    // 21 by 11 centred on (320, 165): top-left (310, 160).
    point_at(310, 165);
    EXPECT_EQ(menu_button_centred(MENU_START, 320, 165), 0);
    EXPECT_EQ(pixel(310, 160), FakeMenuData::colour_of(MENU_START));
    EXPECT_EQ(pixel(309, 160), 0);
    EXPECT_EQ(pixel(330, 170), FakeMenuData::colour_of(MENU_START));
    EXPECT_EQ(pixel(331, 170), 0);

    point_at(311, 161);
    EXPECT_EQ(menu_button_centred(MENU_START, 320, 165), 0);
    EXPECT_EQ(pixel(310, 160), FakeMenuData::colour_of(MENU_START + 1));
}

TEST_F(MenuButtonTest, FrameDrawsBackgroundTitleAndPointerAtItsHotSpot) {
    start_menu_frame();
    EXPECT_EQ(pixel(0, 0), FakeMenuData::colour_of(MENU_BACKGROUND));
    EXPECT_EQ(pixel(639, 479), FakeMenuData::colour_of(MENU_BACKGROUND));
    draw_menu_title();
    EXPECT_EQ(pixel(212, 10), FakeMenuData::colour_of(MENU_TITLE));
    EXPECT_EQ(pixel(211, 10), FakeMenuData::colour_of(MENU_BACKGROUND));
    point_at(400, 300);
    draw_menu_pointer();
    EXPECT_EQ(pixel(400, 300), FakeMenuData::colour_of(MENU_POINTER));
    EXPECT_EQ(pixel(399, 300), FakeMenuData::colour_of(MENU_BACKGROUND));
    EXPECT_EQ(pixel(400, 299), FakeMenuData::colour_of(MENU_BACKGROUND));
}

TEST(ReleaseWait, ReturnsOnlyOnceTheLeftButtonIsLetGo) {
    mouse_b = 3; // another button joined: no wait
    wait_for_left_release();

    mouse_b = 1;
    std::atomic<bool> released{false};
    std::thread mouse_service([&released] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        released = true;
        mouse_b = 0;
    });
    wait_for_left_release();
    EXPECT_TRUE(released);
    mouse_service.join();
}
