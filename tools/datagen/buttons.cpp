// Menu buttons: a bevelled steel plate with a label or symbol; the highlighted one is lit amber.
#include "datagen.h"
#include "lettering.h"

#include <vector>

namespace {

constexpr float CORNER_RADIUS = 6.0f;
constexpr float BORDER_WIDTH = 2.0f;
constexpr float BEVEL_WIDTH = 1.5f;
constexpr float RIVET_RADIUS = 1.6f;
constexpr float RIVET_INSET = 7.0f;
constexpr int RIVETS_FROM_WIDTH = 100;

struct ButtonLook {
    Colour border;
    Colour plate_top;
    Colour plate_bottom;
    Colour bevel_light;
    Colour bevel_dark;
    LabelStyle label;
    Colour symbol;
};

const ButtonLook NORMAL_LOOK = {
    {18, 22, 16},    {104, 114, 88},
    {46, 53, 40},    {178, 186, 150},
    {22, 26, 20},    {{238, 236, 214}, {184, 180, 150}, {16, 18, 12}, 1.5f, 1.0f, 0.6f},
    {226, 222, 196},
};

const ButtonLook LIT_LOOK = {
    {255, 226, 92},  {236, 170, 58},
    {150, 82, 18},   {255, 244, 180},
    {90, 44, 6},     {{255, 255, 246}, {255, 236, 120}, {70, 30, 0}, 1.5f, 1.0f, 0.6f},
    {255, 252, 220},
};

const ButtonLook &look_for(bool lit) {
    return lit ? LIT_LOOK : NORMAL_LOOK;
}

// The plate: border, gradient, bevel lines and, on wide buttons, a rivet at each end.
Image draw_plate(int w, int h, const ButtonLook &look) {
    Image img = make_image(w, h, look.border, 0.0f);
    float fw = static_cast<float>(w);
    float fh = static_cast<float>(h);
    auto outer = [&](float x, float y) {
        return round_rect_distance(x, y, 0.0f, 0.0f, fw, fh, CORNER_RADIUS);
    };
    auto inner = [&](float x, float y) {
        return round_rect_distance(x, y, BORDER_WIDTH, BORDER_WIDTH, fw - BORDER_WIDTH,
                                   fh - BORDER_WIDTH, CORNER_RADIUS - BORDER_WIDTH);
    };
    // Hard-edged outline: a sprite has no partial transparency.
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (coverage(outer(x + 0.5f, y + 0.5f)) >= 0.5f) {
                set_pixel(img, x, y, look.border, 1.0f);
            }
        }
    }
    for (int y = 0; y < h; ++y) {
        Colour plate = mix(look.plate_top, look.plate_bottom, static_cast<float>(y) / (fh - 1));
        for (int x = 0; x < w; ++x) {
            float d = inner(x + 0.5f, y + 0.5f);
            if (alpha_at(img, x, y) < 0.5f) {
                continue;
            }
            paint_over(img, x, y, plate, coverage(d));
            // Light catches the upper inner edge, the lower one is in shade.
            float edge = d < 0.0f ? clamp01(BEVEL_WIDTH + 0.5f + d) : 0.0f;
            float rel = static_cast<float>(y) / fh;
            if (edge > 0.0f && coverage(d) > 0.0f) {
                Colour bevel = rel < 0.5f ? look.bevel_light : look.bevel_dark;
                paint_over(img, x, y, bevel, edge * 0.8f);
            }
        }
    }
    if (w >= RIVETS_FROM_WIDTH) {
        for (float rx : {RIVET_INSET, fw - RIVET_INSET}) {
            fill_disc(img, rx + 0.5f, fh * 0.5f + 0.5f, RIVET_RADIUS, look.bevel_dark, 0.9f);
            fill_disc(img, rx, fh * 0.5f, RIVET_RADIUS * 0.8f, look.bevel_light, 0.9f);
        }
    }
    return img;
}

} // namespace

Image draw_text_button(int w, int h, const char *label, float sx, float sy, bool lit) {
    const ButtonLook &look = look_for(lit);
    Image img = draw_plate(w, h, look);
    draw_label(img, label, w * 0.5f, h * 0.5f, sx, sy, look.label);
    return img;
}

Image draw_arrow_button(int w, int h, bool up, bool lit) {
    const ButtonLook &look = look_for(lit);
    Image img = draw_plate(w, h, look);
    float cx = w * 0.5f;
    float cy = h * 0.5f;
    float half_w = w * 0.28f;
    float half_h = h * 0.24f;
    float tip = up ? cy - half_h : cy + half_h;
    float base = up ? cy + half_h : cy - half_h;
    std::vector<Point> arrow = {{cx, tip}, {cx + half_w, base}, {cx - half_w, base}};
    auto shape = [&](float x, float y) { return polygon_distance(x, y, arrow); };
    paint_shape(img, shape, look.label.outline, 1.0f, 1.5f);
    for (int y = 0; y < h; ++y) {
        float t = clamp01((y - (cy - half_h)) / (2.0f * half_h));
        Colour fill = mix(look.label.fill_top, look.label.fill_bottom, t);
        for (int x = 0; x < w; ++x) {
            paint_over(img, x, y, fill, coverage(shape(x + 0.5f, y + 0.5f)));
        }
    }
    return img;
}

Image draw_player_button(int w, int h, const char *label, int players, bool lit) {
    const ButtonLook &look = look_for(lit);
    Image img = draw_plate(w, h, look);
    constexpr float ICON_SIZE = 19.0f;
    constexpr float ICON_STEP = 22.0f;
    constexpr float ICON_LEFT = 14.0f;
    constexpr float ICON_AREA = ICON_LEFT + 4.0f * ICON_STEP;
    Colour body = lit ? Colour{255, 250, 210} : Colour{200, 206, 170};
    for (int i = 0; i < players; ++i) {
        draw_tank_icon(img, ICON_LEFT + i * ICON_STEP, h * 0.5f + ICON_SIZE * 0.36f, ICON_SIZE,
                       body, look.label.outline);
    }
    float label_cx = ICON_AREA + (w - ICON_AREA) * 0.5f;
    draw_label(img, label, label_cx, h * 0.5f, 1.5f, 2.0f, look.label);
    return img;
}

void draw_tank_icon(Image &img, float x, float y, float size, Colour body, Colour dark) {
    float u = size / 16.0f;
    std::vector<Point> tracks = {
        {x + 1 * u, y - 4 * u}, {x + 15 * u, y - 4 * u}, {x + 13 * u, y}, {x + 3 * u, y}};
    std::vector<Point> hull = {
        {x + 2 * u, y - 7 * u}, {x + 14 * u, y - 7 * u}, {x + 16 * u, y - 4 * u}, {x, y - 4 * u}};
    std::vector<Point> turret = {{x + 5 * u, y - 11 * u},
                                 {x + 10 * u, y - 11 * u},
                                 {x + 11 * u, y - 7 * u},
                                 {x + 4 * u, y - 7 * u}};
    std::vector<Point> barrel = {{x + 10 * u, y - 10 * u},
                                 {x + 17 * u, y - 10 * u},
                                 {x + 17 * u, y - 8.6f * u},
                                 {x + 10 * u, y - 8.6f * u}};
    for (const auto *part : {&tracks, &hull, &turret, &barrel}) {
        paint_shape(
            img, [&](float px, float py) { return polygon_distance(px, py, *part); }, dark, 1.0f,
            1.0f);
    }
    fill_polygon(img, barrel, body, 1.0f);
    fill_polygon(img, turret, body, 1.0f);
    fill_polygon(img, hull, body, 1.0f);
    fill_polygon(img, tracks, scaled(body, 0.55f), 1.0f);
}
