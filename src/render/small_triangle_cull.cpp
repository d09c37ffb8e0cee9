#include "render/small_triangle_cull.h"

#include "render/display.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Points this little beyond the near plane count as in front.
constexpr float NEAR_MARGIN = 1e-3f;
// Where a point lands on the screen is worked out here in float, as OpenGL does it, but not in
// the same steps. With the camera's translation and the point both within
// EXACT_PROJECTION_LIMIT on every axis, the terms of an eye coordinate stay below about 0.1 * 1.7 *
// bound and each of the two results lies within EYE_ROUNDING eye units of the exact value (a few
// roundings of terms that size, and of the matrices' entries). An eye-space error e moves a point's
// window coordinate by at most e * (1 + |ndc|) * half the viewport / depth; the rasteriser then
// snaps it to 1/256 of a pixel. The margin a point gets is twice all that.
constexpr float EXACT_POINT_LIMIT = static_cast<float>(EXACT_PROJECTION_LIMIT);
constexpr float EYE_ROUNDING = 7e-5f;
constexpr float SNAP = 1.0f / 512.0f;
constexpr float SAFETY = 2.0f;
constexpr float PIXEL_CENTRE = 0.5f;
// A triangle whose box holds at most this many pixel centres has each of them tested.
constexpr int32_t MAX_CENTRES_TESTED = 4;
// Window coordinates stay below this in magnitude for a point to count as in front, so that
// they convert to int safely and with a float step far below the margin.
constexpr float WINDOW_LIMIT = 65536.0f;
// Centre bounds of a point not in front: any triangle through it keeps.
constexpr int32_t NO_CENTRE_BELOW = std::numeric_limits<int32_t>::max() / 2;
constexpr int32_t NO_CENTRE_ABOVE = std::numeric_limits<int32_t>::min() / 2;

// floor(v) for |v| < 2 * WINDOW_LIMIT, without a library call: the shifted value is positive,
// and truncation is floor there.
int32_t floor_in_window(float v) {
    return static_cast<int32_t>(v + 2.0f * WINDOW_LIMIT) - 2 * static_cast<int32_t>(WINDOW_LIMIT);
}

// Fills `p` in place: building a whole point and copying it stalls on the copy.
inline void window_point(const ViewVolume &volume, float x, float y, float z, WindowPoint &p) {
    const auto &m = volume.eye_float;
    const float ex = m[0][0] * x + m[0][1] * y + m[0][2] * z + m[0][3];
    const float ey = m[1][0] * x + m[1][1] * y + m[1][2] * z + m[1][3];
    const float depth = -(m[2][0] * x + m[2][1] * y + m[2][2] * z + m[2][3]);
    const float scale = static_cast<float>(FRUSTUM_NEAR / FRUSTUM_HALF_SIZE) / depth;
    const float wx = volume.centre_x + ex * scale * volume.half_width;
    const float wy = volume.centre_y + ey * scale * volume.half_height;
    const bool in_front = volume.projects_exactly && std::fabs(x) <= EXACT_POINT_LIMIT &&
                          std::fabs(y) <= EXACT_POINT_LIMIT && std::fabs(z) <= EXACT_POINT_LIMIT &&
                          depth >= static_cast<float>(FRUSTUM_NEAR) + NEAR_MARGIN &&
                          std::fabs(wx) < WINDOW_LIMIT && std::fabs(wy) < WINDOW_LIMIT;
    p.x = wx;
    p.y = wy;
    p.in_front = in_front;
    if (!in_front) {
        p.margin = 0.0f;
        p.centre_below_x = NO_CENTRE_BELOW;
        p.centre_above_x = NO_CENTRE_ABOVE;
        p.centre_below_y = NO_CENTRE_BELOW;
        p.centre_above_y = NO_CENTRE_ABOVE;
        return;
    }
    const float ndc = std::max(std::fabs(ex), std::fabs(ey)) * scale;
    const float margin =
        SAFETY * (2.0f * EYE_ROUNDING * (1.0f + ndc) * scale * volume.half_size + SNAP);
    p.margin = margin;
    // A triangle's box [lo, hi] holds a centre k + 0.5, each corner widened by its margin, when
    // floor(hi - 0.5 + margin) >= ceil(lo - 0.5 - margin); floor and ceil of a box's ends are
    // the largest and smallest of its corners' own.
    p.centre_below_x = floor_in_window(wx - PIXEL_CENTRE + margin);
    p.centre_above_x = -floor_in_window(PIXEL_CENTRE + margin - wx);
    p.centre_below_y = floor_in_window(wy - PIXEL_CENTRE + margin);
    p.centre_above_y = -floor_in_window(PIXEL_CENTRE + margin - wy);
}

// The edge from p to q of a triangle turning the way `turn` says (+1 counter-clockwise, -1
// clockwise), as a line a x + b y + c, in coordinates from the triangle's first corner `o`
// (small numbers, so little is lost to rounding), that is negative where a point lies outside
// the edge by more than `reach` pixels times the edge's length.
struct Edge {
    float a, b, c;
};

inline Edge edge_line(const WindowPoint &o, const WindowPoint &p, const WindowPoint &q, float turn,
                      float reach) {
    const float ex = q.x - p.x;
    const float ey = q.y - p.y;
    const float px = p.x - o.x;
    const float py = p.y - o.y;
    return Edge{-turn * ey, turn * ex,
                turn * (ey * px - ex * py) + reach * (std::fabs(ex) + std::fabs(ey))};
}

inline bool misses_pixels(const WindowPoint &a, const WindowPoint &b, const WindowPoint &c) {
    if (!(a.in_front && b.in_front && c.in_front)) {
        return false;
    }
    // The pixel centres in the triangle's box, widened by the margin.
    const int32_t x0 = std::min({a.centre_above_x, b.centre_above_x, c.centre_above_x});
    const int32_t x1 = std::max({a.centre_below_x, b.centre_below_x, c.centre_below_x});
    const int32_t y0 = std::min({a.centre_above_y, b.centre_above_y, c.centre_above_y});
    const int32_t y1 = std::max({a.centre_below_y, b.centre_below_y, c.centre_below_y});
    if (x1 < x0 || y1 < y0) {
        return true;
    }
    // A few centres: each one outside an edge, beyond doubt.
    if (static_cast<int64_t>(x1 - x0 + 1) * (y1 - y0 + 1) > MAX_CENTRES_TESTED) {
        return false;
    }
    // Moving the corners by the margin tilts an edge's line: at a point within the triangle's
    // size of it, the line moves by at most the margin times (1 + 2 size / edge length).
    const float margin = std::max({a.margin, b.margin, c.margin});
    const float size = std::max({a.x, b.x, c.x}) - std::min({a.x, b.x, c.x}) +
                       std::max({a.y, b.y, c.y}) - std::min({a.y, b.y, c.y});
    const float ux = b.x - a.x;
    const float uy = b.y - a.y;
    const float vx = c.x - a.x;
    const float vy = c.y - a.y;
    const float area = ux * vy - vx * uy;
    // Which way it turns, too, must hold however the corners move; a sliver is kept.
    const float perimeter = std::fabs(ux) + std::fabs(uy) + std::fabs(vx) + std::fabs(vy) +
                            std::fabs(c.x - b.x) + std::fabs(c.y - b.y);
    if (std::fabs(area) <= margin * (perimeter + 2.0f * size)) {
        return false;
    }
    const float turn = area > 0.0f ? 1.0f : -1.0f;
    const float reach = margin;
    const Edge ab = edge_line(a, a, b, turn, reach);
    const Edge bc = edge_line(a, b, c, turn, reach);
    const Edge ca = edge_line(a, c, a, turn, reach);
    const float tilt = 2.0f * margin * size;
    for (int32_t ky = y0; ky <= y1; ++ky) {
        const float y = static_cast<float>(ky) + PIXEL_CENTRE - a.y;
        for (int32_t kx = x0; kx <= x1; ++kx) {
            const float x = static_cast<float>(kx) + PIXEL_CENTRE - a.x;
            if (!(ab.a * x + ab.b * y + ab.c + tilt < 0.0f ||
                  bc.a * x + bc.b * y + bc.c + tilt < 0.0f ||
                  ca.a * x + ca.b * y + ca.c + tilt < 0.0f)) {
                return false;
            }
        }
    }
    return true;
}

inline bool turns_clockwise(const WindowPoint &a, const WindowPoint &b, const WindowPoint &c) {
    if (!(a.in_front && b.in_front && c.in_front)) {
        return false;
    }
    const float ux = b.x - a.x;
    const float uy = b.y - a.y;
    const float vx = c.x - a.x;
    const float vy = c.y - a.y;
    const float sides = std::fabs(ux) + std::fabs(uy) + std::fabs(vx) + std::fabs(vy);
    // Each corner moving by its margin changes twice the area by at most twice the largest
    // margin times the sides.
    return ux * vy - vx * uy < -2.0f * std::max({a.margin, b.margin, c.margin}) * sides;
}

} // namespace

WindowPoint to_window(const ViewVolume &volume, float x, float y, float z) {
    WindowPoint p;
    window_point(volume, x, y, z, p);
    return p;
}

void to_window(const ViewVolume &volume, const float *xyz, int stride, int count,
               WindowPoint *out) {
    for (int i = 0; i < count; ++i, xyz += stride) {
        window_point(volume, xyz[0], xyz[1], xyz[2], out[i]);
    }
}

bool covers_no_pixel(const WindowPoint &a, const WindowPoint &b, const WindowPoint &c) {
    return misses_pixels(a, b, c);
}

bool faces_away(const WindowPoint &a, const WindowPoint &b, const WindowPoint &c) {
    return turns_clockwise(a, b, c);
}

int keep_covering_triangles(const WindowPoint *window, const uint16_t *indices, int index_count,
                            bool drop_facing_away, uint16_t *out) {
    int kept = 0;
    for (int i = 0; i < index_count; i += 3) {
        const uint16_t *t = &indices[i];
        const WindowPoint &a = window[t[0]];
        const WindowPoint &b = window[t[1]];
        const WindowPoint &c = window[t[2]];
        // The cheaper test first.
        if ((drop_facing_away && turns_clockwise(a, b, c)) || misses_pixels(a, b, c)) {
            continue;
        }
        out[kept] = t[0];
        out[kept + 1] = t[1];
        out[kept + 2] = t[2];
        kept += 3;
    }
    return kept;
}
