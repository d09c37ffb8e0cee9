// Allegro without a display, and a stand-in menu datafile of plain coloured boxes.
#pragma once

#include <allegro.h>
#include <array>
#include <gtest/gtest.h>

#include "frontend/menu.h"

constexpr int TEST_DEPTH = 16;

inline void start_allegro_without_display() {
    static const bool started = [] {
        const int result = install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(TEST_DEPTH);
        return result == 0;
    }();
    ASSERT_TRUE(started);
}

// Every object is a bitmap; image i is filled with colour_of(i) and has the given size.
struct FakeMenuData {
    std::array<DATAFILE, MENU_OBJECT_COUNT + 1> objects{};

    FakeMenuData(int w, int h) {
        for (int i = 0; i < MENU_OBJECT_COUNT; ++i) {
            BITMAP *image = create_bitmap(i == MENU_BACKGROUND ? MENU_WIDTH : w,
                                          i == MENU_BACKGROUND ? MENU_HEIGHT : h);
            clear_to_color(image, colour_of(i));
            objects[i].dat = image;
            objects[i].type = DAT_BITMAP;
        }
        objects[MENU_OBJECT_COUNT].type = DAT_END;
    }
    ~FakeMenuData() {
        for (int i = 0; i < MENU_OBJECT_COUNT; ++i) {
            destroy_bitmap(static_cast<BITMAP *>(objects[i].dat));
        }
    }
    FakeMenuData(const FakeMenuData &) = delete;
    FakeMenuData &operator=(const FakeMenuData &) = delete;

    // Distinct, and never the mask colour, so draw_sprite draws every pixel.
    static int colour_of(int index) { return makecol(8 * index, 255 - 4 * index, 40); }
};
