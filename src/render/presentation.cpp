#include "render/presentation.h"

#include <algorithm>
#include <allegro.h>

#include "render/display.h"

Presentation presentation = {SCREEN_WIDTH, SCREEN_HEIGHT, 0,     0,
                             SCREEN_WIDTH, SCREEN_HEIGHT, false, true};
int desktop_width = SCREEN_WIDTH;
int desktop_height = SCREEN_HEIGHT;

namespace {
int floor_div(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return static_cast<int>(q);
}
} // namespace

Presentation choose_presentation(int desktop_w, int desktop_h, bool full_screen) {
    Presentation shown{SCREEN_WIDTH, SCREEN_HEIGHT, 0,           0,
                       SCREEN_WIDTH, SCREEN_HEIGHT, full_screen, false};
    const bool small_desktop = desktop_w <= SCREEN_WIDTH && desktop_h <= SCREEN_HEIGHT;
    if (small_desktop || desktop_w <= 0 || desktop_h <= 0) {
        shown.plain = !full_screen;
        return shown;
    }
    if (full_screen) {
        shown.window_width = desktop_w;
        shown.window_height = desktop_h;
        // 4:3 as large as fits: the narrower of the two sides sets the size.
        if (desktop_w * SCREEN_HEIGHT <= desktop_h * SCREEN_WIDTH) {
            shown.width = desktop_w;
            shown.height = desktop_w * SCREEN_HEIGHT / SCREEN_WIDTH;
        } else {
            shown.height = desktop_h;
            shown.width = desktop_h * SCREEN_WIDTH / SCREEN_HEIGHT;
        }
        shown.x = (desktop_w - shown.width) / 2;
        shown.y = (desktop_h - shown.height) / 2;
        return shown;
    }
    const int scale = std::max(1, std::min((desktop_w - WINDOW_FRAME_ROOM_X) / SCREEN_WIDTH,
                                           (desktop_h - WINDOW_FRAME_ROOM_Y) / SCREEN_HEIGHT));
    shown.window_width = shown.width = SCREEN_WIDTH * scale;
    shown.window_height = shown.height = SCREEN_HEIGHT * scale;
    return shown;
}

int picture_x(const Presentation &shown, int wx) {
    return floor_div(static_cast<long long>(wx - shown.x) * SCREEN_WIDTH, shown.width);
}

int picture_y(const Presentation &shown, int wy) {
    return floor_div(static_cast<long long>(wy - shown.y) * SCREEN_HEIGHT, shown.height);
}

int window_x(const Presentation &shown, int px) {
    return shown.x + floor_div(static_cast<long long>(px) * shown.width, SCREEN_WIDTH);
}

int window_y(const Presentation &shown, int py) {
    return shown.y + floor_div(static_cast<long long>(py) * shown.height, SCREEN_HEIGHT);
}

WindowRect scaled_viewport(const Presentation &shown, WindowRect on_picture) {
    // OpenGL counts rows from the bottom: the picture's bottom edge lies this far up.
    const int bottom = shown.window_height - shown.y - shown.height;
    const int left = shown.x + on_picture.x * shown.width / SCREEN_WIDTH;
    const int right = shown.x + (on_picture.x + on_picture.width) * shown.width / SCREEN_WIDTH;
    const int low = bottom + on_picture.y * shown.height / SCREEN_HEIGHT;
    const int high = bottom + (on_picture.y + on_picture.height) * shown.height / SCREEN_HEIGHT;
    return {left, low, right - left, high - low};
}

bool letterboxed(const Presentation &shown) {
    return shown.width != shown.window_width || shown.height != shown.window_height;
}

void show_menu_picture(BITMAP *picture) {
    if (presentation.width == SCREEN_WIDTH && presentation.height == SCREEN_HEIGHT) {
        blit(picture, screen, 0, 0, presentation.x, presentation.y, SCREEN_WIDTH, SCREEN_HEIGHT);
        return;
    }
    // Allegro stretches by taking the nearest pixel: at a whole scale every pixel is a square.
    stretch_blit(picture, screen, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, presentation.x, presentation.y,
                 presentation.width, presentation.height);
}
