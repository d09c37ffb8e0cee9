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

struct MenuObject {
    const char *name;
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
const std::array<MenuObject, 31> MENU_OBJECTS = {{
    {"background", draw_background},
    {"ok", ok_button<false>},
    {"ok_lit", ok_button<true>},
    {"controls", controls_button<false>},
    {"controls_lit", controls_button<true>},
    {"pointer", draw_pointer},
    {"crosshair", draw_crosshair},
    {"tank_badge", draw_tank_badge},
    {"down", down_button<false>},
    {"down_lit", down_button<true>},
    {"exit", exit_button<false>},
    {"exit_lit", exit_button<true>},
    {"load", load_button<false>},
    {"load_lit", load_button<true>},
    {"options", options_button<false>},
    {"options_lit", options_button<true>},
    {"one_player", players_button<1, false>},
    {"one_player_lit", players_button<1, true>},
    {"two_players", players_button<2, false>},
    {"two_players_lit", players_button<2, true>},
    {"three_players", players_button<3, false>},
    {"three_players_lit", players_button<3, true>},
    {"four_players", players_button<4, false>},
    {"four_players_lit", players_button<4, true>},
    {"save", save_button<false>},
    {"save_lit", save_button<true>},
    {"start", start_button<false>},
    {"start_lit", start_button<true>},
    {"title", draw_title},
    {"up", up_button<false>},
    {"up_lit", up_button<true>},
}};

} // namespace

std::string object_file(const std::string &folder, int index, const char *name, const char *ext) {
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%02d_", index);
    return folder + "/" + prefix + name + "." + ext;
}

bool write_menu_images(const std::string &folder) {
    for (size_t i = 0; i < MENU_OBJECTS.size(); ++i) {
        const MenuObject &object = MENU_OBJECTS[i];
        if (!save_image(object.draw(),
                        object_file(folder, static_cast<int>(i), object.name, "bmp"))) {
            std::fprintf(stderr, "cannot write menu image %s\n", object.name);
            return false;
        }
    }
    return true;
}
