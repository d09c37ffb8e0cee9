// The title plaque, the pointer and the two small spare sprites of the menu datafile.
#include "datagen.h"
#include "lettering.h"

#include <cmath>
#include <vector>

namespace {

constexpr int TITLE_W = 216;
constexpr int TITLE_H = 58;
constexpr float TITLE_RADIUS = 9.0f;
constexpr float STRIPE_BAND = 6.0f;
constexpr float STRIPE_PERIOD = 12.0f;

const Colour STEEL_DARK = {30, 34, 32};
const Colour STEEL_TOP = {88, 96, 92};
const Colour STEEL_BOTTOM = {40, 44, 42};
const Colour HAZARD_YELLOW = {232, 186, 40};
const Colour HAZARD_BLACK = {26, 24, 20};

} // namespace

Image draw_title() {
    float fw = static_cast<float>(TITLE_W);
    float fh = static_cast<float>(TITLE_H);
    Image img = make_image(TITLE_W, TITLE_H, STEEL_DARK, 0.0f);
    auto plate = [&](float x, float y) {
        return round_rect_distance(x, y, 0.0f, 0.0f, fw, fh, TITLE_RADIUS);
    };
    for (int y = 0; y < TITLE_H; ++y) {
        for (int x = 0; x < TITLE_W; ++x) {
            float d = plate(x + 0.5f, y + 0.5f);
            if (coverage(d) < 0.5f) {
                continue;
            }
            float fy = y + 0.5f;
            Colour c = mix(STEEL_TOP, STEEL_BOTTOM, fy / fh);
            // Hazard stripes along the top and bottom edges.
            bool band = fy < STRIPE_BAND + 2.0f || fy > fh - STRIPE_BAND - 2.0f;
            if (band) {
                float phase = std::fmod(x + 0.5f + fy, STRIPE_PERIOD) / STRIPE_PERIOD;
                c = phase < 0.5f ? HAZARD_YELLOW : HAZARD_BLACK;
            }
            // Dark rim, then a light bevel just inside it.
            if (d > -2.0f) {
                c = STEEL_DARK;
            } else if (!band && (fy < STRIPE_BAND + 4.0f || fy > fh - STRIPE_BAND - 4.0f)) {
                c = fy < fh * 0.5f ? Colour{150, 158, 150} : Colour{22, 24, 22};
            }
            set_pixel(img, x, y, c, 1.0f);
        }
    }
    for (float rx : {9.0f, fw - 9.0f}) {
        for (float ry : {fh * 0.5f - 7.0f, fh * 0.5f + 7.0f}) {
            fill_disc(img, rx + 0.6f, ry + 0.6f, 2.2f, {16, 18, 16}, 1.0f);
            fill_disc(img, rx, ry, 1.8f, {170, 176, 168}, 1.0f);
        }
    }
    LabelStyle style = {{255, 236, 130}, {236, 110, 24}, {20, 10, 4}, 2.0f, 2.0f, 0.7f};
    draw_label(img, "TANK ARENA", fw * 0.5f, fh * 0.5f + 0.5f, 2.25f, 3.0f, style);
    return img;
}

Image draw_pointer() {
    // A classic arrow whose tip is the hot spot at the top-left pixel.
    std::vector<Point> arrow = {{0.5f, 0.5f},   {0.5f, 16.5f}, {4.5f, 12.8f}, {7.4f, 19.2f},
                                {10.0f, 18.0f}, {7.2f, 11.8f}, {12.5f, 11.8f}};
    Image img = make_image(16, 22, {0, 0, 0}, 0.0f);
    auto shape = [&](float x, float y) { return polygon_distance(x, y, arrow); };
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            float d = shape(x + 0.5f, y + 0.5f);
            if (d > 1.1f) {
                continue;
            }
            // Light fill inside, a one-pixel dark rim that shows on any background.
            float t = clamp01(static_cast<float>(y) / 20.0f);
            Colour fill = mix(Colour{255, 255, 236}, Colour{255, 206, 90}, t);
            set_pixel(img, x, y, d < -0.6f ? fill : Colour{12, 12, 10}, 1.0f);
        }
    }
    set_pixel(img, 0, 0, {12, 12, 10}, 1.0f);
    return img;
}

Image draw_crosshair() {
    Image img = make_image(16, 16, {0, 0, 0}, 0.0f);
    auto ring = [](float x, float y) { return std::fabs(disc_distance(x, y, 8, 8, 5.5f)) - 0.8f; };
    paint_shape(img, ring, {10, 30, 10}, 1.0f, 1.0f);
    paint_shape(img, ring, {120, 255, 120}, 1.0f);
    for (int i = 0; i < 16; ++i) {
        if (i < 6 || i > 9) {
            set_pixel(img, i, 7, {120, 255, 120}, 1.0f);
            set_pixel(img, 7, i, {120, 255, 120}, 1.0f);
        }
    }
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            // Sprites have no partial transparency: keep the strong pixels only.
            set_pixel(img, x, y, pixel_at(img, x, y), alpha_at(img, x, y) >= 0.5f ? 1.0f : 0.0f);
        }
    }
    return img;
}

Image draw_tank_badge() {
    Image img = make_image(24, 16, {0, 0, 0}, 0.0f);
    draw_tank_icon(img, 3.0f, 14.0f, 17.0f, {236, 130, 40}, {20, 16, 10});
    return img;
}
