// Loading the built datafiles without a display, and reading their pixels.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <string>

#ifndef GAME_DIR
#error "GAME_DIR must name the folder the build puts the datafiles in"
#endif

struct Rgb {
    int r;
    int g;
    int b;
};

inline bool operator==(Rgb a, Rgb b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

constexpr Rgb MASK_COLOUR = {255, 0, 255};

inline void start_allegro_without_display() {
    static const bool started = install_allegro(SYSTEM_NONE, &errno, atexit) == 0;
    ASSERT_TRUE(started);
    set_color_conversion(COLORCONV_TOTAL);
}

// The datafile from the game folder, its bitmaps converted to `depth`; null when missing.
inline DATAFILE *load_game_datafile(const char *name, int depth) {
    set_color_depth(depth);
    return load_datafile((std::string(GAME_DIR) + "/" + name).c_str());
}

inline int object_count(const DATAFILE *data) {
    int n = 0;
    while (data[n].type != DAT_END) {
        ++n;
    }
    return n;
}

inline BITMAP *bitmap_of(const DATAFILE *data, int index) {
    return static_cast<BITMAP *>(data[index].dat);
}

inline Rgb rgb_at(BITMAP *bmp, int x, int y) {
    int depth = bitmap_color_depth(bmp);
    int c = getpixel(bmp, x, y);
    return {getr_depth(depth, c), getg_depth(depth, c), getb_depth(depth, c)};
}

inline bool is_mask(BITMAP *bmp, int x, int y) {
    return getpixel(bmp, x, y) == bitmap_mask_color(bmp);
}
