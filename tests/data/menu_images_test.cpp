// The menu datafile: every picture drawn, highlights that show, and buttons that fit the screens.
#include "datafile_support.h"
#include "frontend/menu.h"

#include <set>
#include <string>
#include <vector>

namespace {

constexpr int DEPTH = 24;
constexpr int MIN_BUTTON_SIDE = 16;
constexpr int FONT_SIZE = 8;
constexpr int OPTION_ROWS = 11;
constexpr int OPTION_ROW_STEP = 35;
constexpr int OPTION_TEXT_X = 50;

struct Rect {
    int x;
    int y;
    int w;
    int h;
    std::string what;
};

bool overlap(const Rect &a, const Rect &b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

class MenuImages : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        start_allegro_without_display();
        data = load_game_datafile("menus.dat", DEPTH);
    }
    static void TearDownTestSuite() {
        unload_datafile(data);
        data = nullptr;
    }
    void SetUp() override { ASSERT_NE(data, nullptr) << "menus.dat missing in " << GAME_DIR; }

    static BITMAP *image(int index) { return bitmap_of(data, index); }
    static Rect at(int index, int x, int y) {
        return {x, y, image(index)->w, image(index)->h, "object " + std::to_string(index)};
    }
    // Placed by the centre of the normal image, halves truncated as the menus do.
    static Rect centred(int index, int cx, int cy) {
        return at(index, cx - image(index)->w / 2, cy - image(index)->h / 2);
    }
    static Rect centred_text(const char *text, int cx, int y) {
        int w = static_cast<int>(std::string(text).size()) * FONT_SIZE;
        return {cx - w / 2, y, w, FONT_SIZE, text};
    }

    static DATAFILE *data;
};

DATAFILE *MenuImages::data = nullptr;

const std::vector<int> BUTTONS = {
    MENU_OK,      MENU_CONTROLS,   MENU_DOWN,        MENU_EXIT,          MENU_LOAD,
    MENU_OPTIONS, MENU_ONE_PLAYER, MENU_TWO_PLAYERS, MENU_THREE_PLAYERS, MENU_FOUR_PLAYERS,
    MENU_SAVE,    MENU_START,      MENU_UP};

// Checks one screen: buttons inside the screen, big enough, clear of each other and of the text.
void expect_screen_layout(const char *screen, const std::vector<Rect> &buttons,
                          const std::vector<Rect> &texts) {
    SCOPED_TRACE(screen);
    for (size_t i = 0; i < buttons.size(); ++i) {
        const Rect &a = buttons[i];
        EXPECT_GE(a.w, MIN_BUTTON_SIDE) << a.what;
        EXPECT_GE(a.h, MIN_BUTTON_SIDE) << a.what;
        EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.w <= MENU_WIDTH && a.y + a.h <= MENU_HEIGHT)
            << a.what << " leaves the screen";
        for (size_t j = i + 1; j < buttons.size(); ++j) {
            EXPECT_FALSE(overlap(a, buttons[j])) << a.what << " overlaps " << buttons[j].what;
        }
        for (const Rect &text : texts) {
            EXPECT_FALSE(overlap(a, text)) << a.what << " covers \"" << text.what << "\"";
        }
    }
}

} // namespace

TEST_F(MenuImages, HoldsABitmapForEveryIndexTheMenusUse) {
    ASSERT_GE(object_count(data), MENU_OBJECT_COUNT);
    for (int i = 0; i < MENU_OBJECT_COUNT; ++i) {
        EXPECT_EQ(data[i].type, DAT_BITMAP) << "object " << i;
    }
    EXPECT_GE(image(MENU_BACKGROUND)->w, MENU_WIDTH);
    EXPECT_GE(image(MENU_BACKGROUND)->h, MENU_HEIGHT);
}

TEST_F(MenuImages, EveryImageIsAPictureNotAFlatFill) {
    for (int i = 0; i < MENU_OBJECT_COUNT; ++i) {
        BITMAP *bmp = image(i);
        std::set<int> colours;
        for (int y = 0; y < bmp->h; ++y) {
            for (int x = 0; x < bmp->w; ++x) {
                if (!is_mask(bmp, x, y)) {
                    colours.insert(getpixel(bmp, x, y));
                }
            }
        }
        EXPECT_GE(colours.size(), 3u) << "object " << i;
    }
    // A scene, not a gradient: thousands of colours.
    std::set<int> scene;
    BITMAP *bg = image(MENU_BACKGROUND);
    for (int y = 0; y < MENU_HEIGHT; ++y) {
        for (int x = 0; x < MENU_WIDTH; ++x) {
            scene.insert(getpixel(bg, x, y));
            ASSERT_FALSE(is_mask(bg, x, y))
                << "the background is copied opaque, at " << x << "," << y;
        }
    }
    EXPECT_GE(scene.size(), 2000u);
}

TEST_F(MenuImages, HighlightIsTheSameSizeAndPlainlyDifferent) {
    for (int index : BUTTONS) {
        BITMAP *normal = image(index);
        BITMAP *lit = image(index + 1);
        ASSERT_EQ(normal->w, lit->w) << "object " << index;
        ASSERT_EQ(normal->h, lit->h) << "object " << index;
        int differing = 0;
        for (int y = 0; y < normal->h; ++y) {
            for (int x = 0; x < normal->w; ++x) {
                Rgb a = rgb_at(normal, x, y);
                Rgb b = rgb_at(lit, x, y);
                if (std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) > 60) {
                    ++differing;
                }
            }
        }
        EXPECT_GT(differing, normal->w * normal->h / 3) << "object " << index;
    }
}

TEST_F(MenuImages, PointerHasAVisibleHotSpotAndATransparentSurround) {
    BITMAP *pointer = image(MENU_POINTER);
    EXPECT_FALSE(is_mask(pointer, 0, 0)) << "the hot spot pixel must be drawn";
    int masked = 0;
    for (int y = 0; y < pointer->h; ++y) {
        for (int x = 0; x < pointer->w; ++x) {
            masked += is_mask(pointer, x, y) ? 1 : 0;
        }
    }
    EXPECT_GT(masked, pointer->w * pointer->h / 4);
    EXPECT_LT(masked, pointer->w * pointer->h * 3 / 4);
    EXPECT_LE(pointer->w, 32);
    EXPECT_LE(pointer->h, 32);
}

TEST_F(MenuImages, MaskStaysExactInTheSixteenBitMenuMode) {
    // A colour close to pink would turn into the mask colour in 16 bits and vanish.
    DATAFILE *menu16 = load_game_datafile("menus.dat", 16);
    ASSERT_NE(menu16, nullptr);
    for (int i = 0; i < MENU_OBJECT_COUNT; ++i) {
        BITMAP *deep = image(i);
        BITMAP *shallow = bitmap_of(menu16, i);
        int changed = 0;
        for (int y = 0; y < deep->h; ++y) {
            for (int x = 0; x < deep->w; ++x) {
                changed += is_mask(deep, x, y) != is_mask(shallow, x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(changed, 0) << "object " << i;
    }
    unload_datafile(menu16);
    set_color_depth(DEPTH);
}

TEST_F(MenuImages, ButtonsFitEveryScreenWhereTheMenusPlaceThem) {
    Rect title = at(MENU_TITLE, MENU_TITLE_X, MENU_TITLE_Y);
    EXPECT_TRUE(title.x + title.w <= MENU_WIDTH && title.y + title.h <= MENU_HEIGHT);

    std::vector<Rect> main_menu = {centred(MENU_START, 320, 165), centred(MENU_OPTIONS, 320, 215),
                                   centred(MENU_EXIT, 320, 260)};
    expect_screen_layout("main menu", main_menu, {});
    EXPECT_FALSE(overlap(title, main_menu[0])) << "the title runs into Start";

    std::vector<Rect> start_menu = {at(MENU_ONE_PLAYER, 320, 165), at(MENU_TWO_PLAYERS, 320, 202),
                                    at(MENU_THREE_PLAYERS, 320, 239),
                                    at(MENU_FOUR_PLAYERS, 320, 276)};
    expect_screen_layout("start menu", start_menu, {});
    EXPECT_FALSE(overlap(title, start_menu[0])) << "the title runs into One Player";

    std::vector<Rect> options = {at(MENU_SAVE, 450, 70), at(MENU_LOAD, 450, 105),
                                 at(MENU_CONTROLS, 450, 240)};
    std::vector<Rect> option_lines;
    const std::string longest = "Tank Rotation Speed: 0.100000";
    for (int row = 0; row < OPTION_ROWS; ++row) {
        int button_y = 70 + OPTION_ROW_STEP * row;
        options.push_back(at(MENU_UP, 320, button_y));
        options.push_back(at(MENU_DOWN, 360, button_y));
        option_lines.push_back({OPTION_TEXT_X, button_y + 10,
                                static_cast<int>(longest.size()) * FONT_SIZE, FONT_SIZE, longest});
    }
    expect_screen_layout("options menu", options, option_lines);

    expect_screen_layout("control set-up menu",
                         {at(MENU_ONE_PLAYER, 320, 140), at(MENU_TWO_PLAYERS, 320, 200),
                          at(MENU_THREE_PLAYERS, 320, 260), at(MENU_FOUR_PLAYERS, 320, 320)},
                         {});

    expect_screen_layout(
        "control type screen",
        {at(MENU_UP, 300, 260), at(MENU_DOWN, 340, 260), at(MENU_OK, 320, 300)},
        {centred_text("Choose Control Type", 320, 200), centred_text("Joystick(n/a)", 320, 240)});
}
