// The three generated datafiles' contents: each routine writes its objects' source files, named so
// that sorting by name gives the object order, into the given folder.
#pragma once

#include "match/datafile_objects.h"
#include "image.h"

#include <cstddef>
#include <string>

bool write_menu_images(const std::string &folder);
bool write_textures(const std::string &folder);
bool write_sounds(const std::string &folder);
// The program's icon: a .ico file of several sizes for Windows, tankarena-SIZE.png files of
// the same sizes into a folder, and the C source of an XPM for the X11 window.
bool write_icon(const std::string &path);
bool write_icon_pngs(const std::string &folder);
bool write_icon_xpm(const std::string &path);

// Pieces of the menu images, one file each.
Image draw_background();
Image draw_title();
Image draw_pointer();
Image draw_crosshair();
Image draw_tank_badge();
Image draw_text_button(int w, int h, const char *label, float sx, float sy, bool lit);
Image draw_arrow_button(int w, int h, bool up, bool lit);
Image draw_player_button(int w, int h, const char *label, int players, bool lit);
// A side-on tank silhouette; (x, y) is the bottom-left corner of its tracks.
void draw_tank_icon(Image &img, float x, float y, float size, Colour body, Colour dark);

// "NN_NAME.ext" with a two-digit index, so the datafile packer keeps the order.
std::string object_file(const std::string &folder, int index, const char *name, const char *ext);

// Whether entry i of a generator's table makes object i of its datafile.
template <typename Table> constexpr bool in_object_order(const Table &table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].index != static_cast<int>(i)) {
            return false;
        }
    }
    return true;
}
