#include "lettering.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>

namespace {

// Subsamples per pixel side when scaling the font's pixels up.
constexpr int SUPERSAMPLE = 4;
constexpr int MARGIN = 1;

// The text's own pixels, 1 where the font sets them.
Image glyph_pixels(const char *text) {
    int w = text_length(font, text);
    int h = text_height(font);
    BITMAP *bmp = create_bitmap_ex(8, w, h);
    clear_to_color(bmp, 0);
    textout_ex(bmp, font, text, 0, 0, 1, -1);
    Image glyphs = make_image(w, h, {0, 0, 0}, 0.0f);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (getpixel(bmp, x, y) != 0) {
                set_pixel(glyphs, x, y, {255, 255, 255}, 1.0f);
            }
        }
    }
    destroy_bitmap(bmp);
    return glyphs;
}

// Largest coverage within `radius` pixels: the text grown into an outline.
Image dilated(const Image &mask, float radius) {
    Image out = make_image(mask.w, mask.h, {0, 0, 0}, 0.0f);
    int r = static_cast<int>(std::ceil(radius));
    for (int y = 0; y < mask.h; ++y) {
        for (int x = 0; x < mask.w; ++x) {
            float best = 0.0f;
            for (int dy = -r; dy <= r; ++dy) {
                for (int dx = -r; dx <= r; ++dx) {
                    int sx = x + dx;
                    int sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= mask.w || sy >= mask.h) {
                        continue;
                    }
                    float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
                    float reach = clamp01(radius + 0.5f - d);
                    best = std::max(best, alpha_at(mask, sx, sy) * reach);
                }
            }
            set_pixel(out, x, y, {0, 0, 0}, best);
        }
    }
    return out;
}

} // namespace

Image text_mask(const char *text, float sx, float sy) {
    Image glyphs = glyph_pixels(text);
    int w = static_cast<int>(std::ceil(glyphs.w * sx)) + 2 * MARGIN;
    int h = static_cast<int>(std::ceil(glyphs.h * sy)) + 2 * MARGIN;
    Image mask = make_image(w, h, {255, 255, 255}, 0.0f);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int hits = 0;
            for (int j = 0; j < SUPERSAMPLE; ++j) {
                for (int i = 0; i < SUPERSAMPLE; ++i) {
                    float px = (x - MARGIN + (i + 0.5f) / SUPERSAMPLE) / sx;
                    float py = (y - MARGIN + (j + 0.5f) / SUPERSAMPLE) / sy;
                    int gx = static_cast<int>(std::floor(px));
                    int gy = static_cast<int>(std::floor(py));
                    if (gx >= 0 && gy >= 0 && gx < glyphs.w && gy < glyphs.h &&
                        alpha_at(glyphs, gx, gy) > 0.0f) {
                        ++hits;
                    }
                }
            }
            set_pixel(mask, x, y, {255, 255, 255},
                      static_cast<float>(hits) / (SUPERSAMPLE * SUPERSAMPLE));
        }
    }
    return mask;
}

void draw_label(Image &img, const char *text, float cx, float cy, float sx, float sy,
                const LabelStyle &style) {
    int pad = static_cast<int>(std::ceil(style.outline_width + style.shadow_offset)) + 1;
    Image core = text_mask(text, sx, sy);
    Image mask = make_image(core.w + 2 * pad, core.h + 2 * pad, {0, 0, 0}, 0.0f);
    for (int y = 0; y < core.h; ++y) {
        for (int x = 0; x < core.w; ++x) {
            set_pixel(mask, x + pad, y + pad, {0, 0, 0}, alpha_at(core, x, y));
        }
    }
    Image ring = dilated(mask, style.outline_width);
    int left = static_cast<int>(std::lround(cx - mask.w * 0.5f));
    int top = static_cast<int>(std::lround(cy - mask.h * 0.5f));
    int shift = static_cast<int>(std::lround(style.shadow_offset));
    float text_top = static_cast<float>(pad + 1);
    float text_height = static_cast<float>(core.h - 2);
    for (int y = 0; y < mask.h; ++y) {
        for (int x = 0; x < mask.w; ++x) {
            if (shift > 0 && x >= shift && y >= shift) {
                paint_over(img, left + x, top + y, {0, 0, 0},
                           alpha_at(ring, x - shift, y - shift) * style.shadow_alpha);
            }
        }
    }
    for (int y = 0; y < mask.h; ++y) {
        float t = clamp01((y - text_top) / text_height);
        Colour fill = mix(style.fill_top, style.fill_bottom, t);
        for (int x = 0; x < mask.w; ++x) {
            paint_over(img, left + x, top + y, style.outline, alpha_at(ring, x, y));
            paint_over(img, left + x, top + y, fill, alpha_at(mask, x, y));
        }
    }
}
