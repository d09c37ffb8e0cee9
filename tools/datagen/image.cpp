#include "image.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int MASK_RED = 255;
constexpr int MASK_GREEN = 0;
constexpr int MASK_BLUE = 255;
// Green raised to this in colours that a 15/16-bit screen would turn into the mask colour.
constexpr int SAFE_GREEN = 8;
constexpr int NEAR_FULL = 248;
constexpr float HALF_COVERAGE = 0.5f;

int channel(float v) {
    return static_cast<int>(std::lround(std::clamp(v, 0.0f, 255.0f)));
}

int index_of(const Image &img, int x, int y) {
    return y * img.w + x;
}

float segment_distance(float px, float py, Point a, Point b) {
    float dx = b.x - a.x;
    float dy = b.y - a.y;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0.0f ? clamp01(((px - a.x) * dx + (py - a.y) * dy) / len2) : 0.0f;
    float ex = px - (a.x + t * dx);
    float ey = py - (a.y + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

} // namespace

Image make_image(int w, int h, Colour fill, float alpha) {
    Image img{w, h, {}, {}};
    img.rgb.assign(static_cast<size_t>(w * h), fill);
    img.alpha.assign(static_cast<size_t>(w * h), alpha);
    return img;
}

Colour pixel_at(const Image &img, int x, int y) {
    return img.rgb[static_cast<size_t>(index_of(img, x, y))];
}

float alpha_at(const Image &img, int x, int y) {
    return img.alpha[static_cast<size_t>(index_of(img, x, y))];
}

void set_pixel(Image &img, int x, int y, Colour c, float alpha) {
    if (x < 0 || y < 0 || x >= img.w || y >= img.h) {
        return;
    }
    size_t i = static_cast<size_t>(index_of(img, x, y));
    img.rgb[i] = c;
    img.alpha[i] = alpha;
}

void paint_over(Image &img, int x, int y, Colour c, float a) {
    if (x < 0 || y < 0 || x >= img.w || y >= img.h || a <= 0.0f) {
        return;
    }
    a = clamp01(a);
    size_t i = static_cast<size_t>(index_of(img, x, y));
    float below = img.alpha[i] * (1.0f - a);
    float out = a + below;
    if (out <= 0.0f) {
        return;
    }
    Colour d = img.rgb[i];
    img.rgb[i] = {(c.r * a + d.r * below) / out, (c.g * a + d.g * below) / out,
                  (c.b * a + d.b * below) / out};
    img.alpha[i] = out;
}

void paint_image(Image &dst, const Image &src, int x, int y) {
    for (int sy = 0; sy < src.h; ++sy) {
        for (int sx = 0; sx < src.w; ++sx) {
            paint_over(dst, x + sx, y + sy, pixel_at(src, sx, sy), alpha_at(src, sx, sy));
        }
    }
}

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

float smoothstep(float edge0, float edge1, float v) {
    float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

Colour mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour scaled(Colour c, float f) {
    return {c.r * f, c.g * f, c.b * f};
}

float round_rect_distance(float x, float y, float x0, float y0, float x1, float y1, float radius) {
    float cx = (x0 + x1) * 0.5f;
    float cy = (y0 + y1) * 0.5f;
    float qx = std::fabs(x - cx) - ((x1 - x0) * 0.5f - radius);
    float qy = std::fabs(y - cy) - ((y1 - y0) * 0.5f - radius);
    float ox = std::max(qx, 0.0f);
    float oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

float polygon_distance(float x, float y, const std::vector<Point> &pts) {
    float best = 1e9f;
    bool inside = false;
    size_t n = pts.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        Point a = pts[j];
        Point b = pts[i];
        best = std::min(best, segment_distance(x, y, a, b));
        if ((b.y > y) != (a.y > y) && x < (a.x - b.x) * (y - b.y) / (a.y - b.y) + b.x) {
            inside = !inside;
        }
    }
    return inside ? -best : best;
}

float disc_distance(float x, float y, float cx, float cy, float radius) {
    return std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) - radius;
}

float coverage(float distance) {
    return clamp01(HALF_COVERAGE - distance);
}

void fill_polygon(Image &img, const std::vector<Point> &pts, Colour c, float alpha) {
    paint_shape(
        img, [&](float x, float y) { return polygon_distance(x, y, pts); }, c, alpha);
}

void fill_disc(Image &img, float cx, float cy, float radius, Colour c, float alpha) {
    paint_shape(
        img, [&](float x, float y) { return disc_distance(x, y, cx, cy, radius); }, c, alpha);
}

bool save_image(const Image &img, const std::string &path) {
    BITMAP *bmp = create_bitmap_ex(24, img.w, img.h);
    if (!bmp) {
        return false;
    }
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            if (alpha_at(img, x, y) < HALF_COVERAGE) {
                putpixel(bmp, x, y, makecol24(MASK_RED, MASK_GREEN, MASK_BLUE));
                continue;
            }
            Colour c = pixel_at(img, x, y);
            int r = channel(c.r);
            int g = channel(c.g);
            int b = channel(c.b);
            if (r >= NEAR_FULL && b >= NEAR_FULL && g < SAFE_GREEN) {
                g = SAFE_GREEN;
            }
            putpixel(bmp, x, y, makecol24(r, g, b));
        }
    }
    bool ok = save_bitmap(path.c_str(), bmp, nullptr) == 0;
    destroy_bitmap(bmp);
    return ok;
}
