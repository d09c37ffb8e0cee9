// The menu datafile's objects in index order: background, buttons (normal, then lit), pointer,
// two spare sprites and the title.
#include "datagen.h"

#include <array>
#include <cstdio>

namespace {

constexpr int MAIN_W = 200;
constexpr int MAIN_H = 40;
constexpr float MAIN_SCALE = 2.5f;
constexpr int SIDE_W = 160;
constexpr int SIDE_H = 32;
constexpr float SIDE_SCALE = 2.0f;
constexpr int OK_W = 72;
constexpr int OK_H = 32;
constexpr int ARROW_W = 32;
constexpr int ARROW_H = 28;
constexpr int PLAYERS_W = 288;
constexpr int PLAYERS_H = 34;

struct MenuImage {
    int index;
    Image (*draw)();
};

template <bool LIT> Image ok_button() {
    return draw_text_button(OK_W, OK_H, "OK", MAIN_SCALE, MAIN_SCALE, LIT);
}
template <bool LIT> Image controls_button() {
    return draw_text_button(SIDE_W, SIDE_H, "CONTROLS", SIDE_SCALE, SIDE_SCALE, LIT);
}
template <bool LIT> Image down_button() {
    return draw_arrow_button(ARROW_W, ARROW_H, false, LIT);
}
template <bool LIT> Image exit_button() {
    return draw_text_button(MAIN_W, MAIN_H, "EXIT", MAIN_SCALE, MAIN_SCALE, LIT);
}
template <bool LIT> Image load_button() {
    return draw_text_button(SIDE_W, SIDE_H, "LOAD", SIDE_SCALE, SIDE_SCALE, LIT);
}
template <bool LIT> Image options_button() {
    return draw_text_button(MAIN_W, MAIN_H, "OPTIONS", MAIN_SCALE, MAIN_SCALE, LIT);
}
template <int PLAYERS, bool LIT> Image players_button() {
    constexpr std::array<const char *, 4> LABELS = {"ONE PLAYER", "TWO PLAYERS", "THREE PLAYERS",
                                                    "FOUR PLAYERS"};
    return draw_player_button(PLAYERS_W, PLAYERS_H, LABELS[PLAYERS - 1], PLAYERS, LIT);
}
template <bool LIT> Image save_button() {
    return draw_text_button(SIDE_W, SIDE_H, "SAVE", SIDE_SCALE, SIDE_SCALE, LIT);
}
template <bool LIT> Image start_button() {
    return draw_text_button(MAIN_W, MAIN_H, "START", MAIN_SCALE, MAIN_SCALE, LIT);
}
template <bool LIT> Image up_button() {
    return draw_arrow_button(ARROW_W, ARROW_H, true, LIT);
}

// Index order is what the menus look objects up by.
constexpr std::array<MenuImage, MENU_OBJECT_COUNT> MENU_OBJECTS = {{
    {MENU_BACKGROUND, draw_background},
    {MENU_OK, ok_button<false>},
    {MENU_OK_LIT, ok_button<true>},
    {MENU_CONTROLS, controls_button<false>},
    {MENU_CONTROLS_LIT, controls_button<true>},
    {MENU_POINTER, draw_pointer},
    {MENU_CROSSHAIR, draw_crosshair},
    {MENU_TANK_BADGE, draw_tank_badge},
    {MENU_DOWN, down_button<false>},
    {MENU_DOWN_LIT, down_button<true>},
    {MENU_EXIT, exit_button<false>},
    {MENU_EXIT_LIT, exit_button<true>},
    {MENU_LOAD, load_button<false>},
    {MENU_LOAD_LIT, load_button<true>},
    {MENU_OPTIONS, options_button<false>},
    {MENU_OPTIONS_LIT, options_button<true>},
    {MENU_ONE_PLAYER, players_button<1, false>},
    {MENU_ONE_PLAYER_LIT, players_button<1, true>},
    {MENU_TWO_PLAYERS, players_button<2, false>},
    {MENU_TWO_PLAYERS_LIT, players_button<2, true>},
    {MENU_THREE_PLAYERS, players_button<3, false>},
    {MENU_THREE_PLAYERS_LIT, players_button<3, true>},
    {MENU_FOUR_PLAYERS, players_button<4, false>},
    {MENU_FOUR_PLAYERS_LIT, players_button<4, true>},
    {MENU_SAVE, save_button<false>},
    {MENU_SAVE_LIT, save_button<true>},
    {MENU_START, start_button<false>},
    {MENU_START_LIT, start_button<true>},
    {MENU_TITLE, draw_title},
    {MENU_UP, up_button<false>},
    {MENU_UP_LIT, up_button<true>},
}};
static_assert(in_object_order(MENU_OBJECTS), "the table makes the objects in their order");

} // namespace

std::string object_file(const std::string &folder, int index, const char *name, const char *ext) {
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%02d_", index);
    return folder + "/" + prefix + name + "." + ext;
}

bool write_menu_images(const std::string &folder) {
    for (size_t i = 0; i < MENU_OBJECTS.size(); ++i) {
        const MenuImage &object = MENU_OBJECTS[i];
        if (!save_image(object.draw(),
                        object_file(folder, static_cast<int>(i), MENU_OBJECT_NAMES[i], "bmp"))) {
            std::fprintf(stderr, "cannot write menu image %s\n", MENU_OBJECT_NAMES[i]);
            return false;
        }
    }
    return true;
}
