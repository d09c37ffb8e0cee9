// The model meshes, and the culls on hand-made spheres and triangles seen from the origin down -z.
#include "render/model_meshes.h"
#include "render/presentation.h"
#include "render/small_triangle_cull.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <tuple>
#include <utility>

namespace {

using Point = std::array<double, 3>;

Point corner(const Mesh &mesh, int index) {
    const MeshVertex &v = mesh.vertices[mesh.indices[index]];
    return {v.x, v.y, v.z};
}

// a . (b x c): six times the signed volume of the tetrahedron from the origin.
double triple_product(const Point &a, const Point &b, const Point &c) {
    return a[0] * (b[1] * c[2] - b[2] * c[1]) + a[1] * (b[2] * c[0] - b[0] * c[2]) +
           a[2] * (b[0] * c[1] - b[1] * c[0]);
}

// Back-face culling relies on it: a model said to be closed is one, turned outwards.
TEST(ModelMeshes, ClosedSurfacesAreClosedAndTurnedOutwards) {
    for (int model = 0; model < NUM_MODELS; ++model) {
        SCOPED_TRACE(testing::Message() << "model " << model);
        const Mesh &mesh = model_mesh(static_cast<Model>(model));
        // Each edge, by its corners' positions, with how often a triangle runs along it.
        std::map<std::pair<Point, Point>, int> runs;
        double volume = 0.0;
        for (int i = 0; i < mesh.index_count; i += 3) {
            for (int k = 0; k < 3; ++k) {
                ++runs[{corner(mesh, i + k), corner(mesh, i + (k + 1) % 3)}];
            }
            volume += triple_product(corner(mesh, i), corner(mesh, i + 1), corner(mesh, i + 2));
        }
        // Closed: every edge run once each way.
        const bool closed = std::all_of(runs.begin(), runs.end(), [&](const auto &run) {
            const auto back = runs.find({run.first.second, run.first.first});
            return run.second == 1 && back != runs.end() && back->second == 1;
        });
        EXPECT_EQ(closed, model_table(static_cast<Model>(model)).closed);
        if (closed) {
            EXPECT_GT(volume, 0.0) << "turned inside out";
        }
    }
    // The barrel gives no texture coordinate of its own: it keeps the turret's last one, far
    // away too.
    for (const Model model : {BARREL_MODEL, BARREL_FAR_MODEL, BARREL_DISTANT_MODEL}) {
        const Mesh &barrel = model_mesh(model);
        for (int i = 0; i < barrel.vertex_count; ++i) {
            EXPECT_FLOAT_EQ(barrel.vertices[i].s, 0.766f);
            EXPECT_FLOAT_EQ(barrel.vertices[i].t, 0.326f);
        }
    }
}

Point minus(const Point &a, const Point &b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
double dot(const Point &a, const Point &b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Distance from p to the triangle a, b, c: to the nearest of its plane's point inside it, its
// edges and its corners.
double distance_to_triangle(const Point &p, const Point &a, const Point &b, const Point &c) {
    const Point ab = minus(b, a);
    const Point ac = minus(c, a);
    const Point n = {ab[1] * ac[2] - ab[2] * ac[1], ab[2] * ac[0] - ab[0] * ac[2],
                     ab[0] * ac[1] - ab[1] * ac[0]};
    const auto segment = [&p](const Point &u, const Point &v) {
        const Point uv = minus(v, u);
        const double l = dot(uv, uv);
        const double t = l > 0.0 ? std::clamp(dot(minus(p, u), uv) / l, 0.0, 1.0) : 0.0;
        const Point d = minus(p, {u[0] + t * uv[0], u[1] + t * uv[1], u[2] + t * uv[2]});
        return std::sqrt(dot(d, d));
    };
    double best = std::min({segment(a, b), segment(b, c), segment(c, a)});
    const double nn = dot(n, n);
    if (nn > 0.0) {
        const double h = dot(minus(p, a), n) / nn;
        const Point q = minus(p, {h * n[0], h * n[1], h * n[2]});
        const auto inside = [&](const Point &u, const Point &v) {
            const Point uv = minus(v, u);
            const Point uq = minus(q, u);
            const Point cross = {uv[1] * uq[2] - uv[2] * uq[1], uv[2] * uq[0] - uv[0] * uq[2],
                                 uv[0] * uq[1] - uv[1] * uq[0]};
            return dot(cross, n) >= 0.0;
        };
        if (inside(a, b) && inside(b, c) && inside(c, a)) {
            best = std::min(best, std::fabs(h) * std::sqrt(nn));
        }
    }
    return best;
}

// How far points spread over the triangles of `from` lie at most from the surface of `to`;
// faces turned straight down left out of `from` with `skip_down_faces`.
double farthest(const Mesh &from, const Mesh &to, bool skip_down_faces) {
    constexpr int STEPS = 6;
    double worst = 0.0;
    for (int i = 0; i < from.index_count; i += 3) {
        const Point a = corner(from, i);
        const Point b = corner(from, i + 1);
        const Point c = corner(from, i + 2);
        const Point ab = minus(b, a);
        const Point ac = minus(c, a);
        const double up = ab[0] * ac[1] - ab[1] * ac[0]; // z of the outward normal
        const double normal = std::sqrt(dot(ab, ab) * dot(ac, ac) - dot(ab, ac) * dot(ab, ac));
        if (skip_down_faces && up < -0.9999 * normal) {
            continue;
        }
        for (int u = 0; u <= STEPS; ++u) {
            for (int v = 0; u + v <= STEPS; ++v) {
                const double s = double(u) / STEPS;
                const double t = double(v) / STEPS;
                const Point p = {a[0] + s * ab[0] + t * ac[0], a[1] + s * ab[1] + t * ac[1],
                                 a[2] + s * ab[2] + t * ac[2]};
                double nearest = HUGE_VAL;
                for (int j = 0; j < to.index_count && nearest > worst; j += 3) {
                    nearest =
                        std::min(nearest, distance_to_triangle(p, corner(to, j), corner(to, j + 1),
                                                               corner(to, j + 2)));
                }
                worst = std::max(worst, nearest);
            }
        }
    }
    return worst;
}

// The switch distances rely on it: each far model lies within its error of the full model,
// both ways, with fewer triangles; the error is no loose guess either.
TEST(ModelMeshes, FarModelsLieWithinTheirErrorOfTheFullOnes) {
    for (int model = 0; model < NUM_FULL_MODELS; ++model) {
        for (int level = 1; level < DETAIL_LEVELS; ++level) {
            const Model far = model_at_level(static_cast<Model>(model), level);
            if (far == model) {
                continue;
            }
            SCOPED_TRACE(testing::Message() << "model " << model << ", level " << level);
            const Mesh &full_mesh = model_mesh(static_cast<Model>(model));
            const Mesh &far_mesh = model_mesh(far);
            const float error = model_table(far).error;
            EXPECT_LE(far_mesh.index_count,
                      model_mesh(model_at_level(static_cast<Model>(model), level - 1)).index_count);
            const double worst =
                std::max(farthest(far_mesh, full_mesh, false), farthest(full_mesh, far_mesh, true));
            EXPECT_LE(worst, error);
            EXPECT_GT(worst, 0.5 * error);
        }
    }
}

constexpr float DEPTH = 10.0f;

ViewVolume straight_ahead(float translate_x = 0.0f) {
    PlayerCamera camera{};
    camera.translate_x = translate_x;
    return view_volume(camera, 1.0, {0, 0, 640, 480});
}

// The world point that lands on window position (wx, wy) at this depth.
WindowPoint at(const ViewVolume &view, float wx, float wy, float depth = DEPTH) {
    const float x = (wx - view.centre_x) / view.half_width * depth;
    const float y = (wy - view.centre_y) / view.half_height * depth;
    return to_window(view, x - view.eye_float[0][3], y, -depth);
}

// What keep_covering_triangles keeps of the one triangle a, b, c.
int kept_of(const WindowPoint &a, const WindowPoint &b, const WindowPoint &c, bool drop_away) {
    const std::array<WindowPoint, 3> window = {a, b, c};
    const std::array<uint16_t, 3> indices = {0, 1, 2};
    std::array<uint16_t, 3> out{};
    return keep_covering_triangles(window.data(), indices.data(), 3, drop_away, out.data());
}

TEST(Culls, LeaveOutOnlyTrianglesSurelyCoveringNoPixelCentreOrFacingAwayAndSpheresOutside) {
    const ViewVolume view = straight_ahead();
    const WindowPoint middle = at(view, 320.2f, 240.2f);
    const WindowPoint near_eye = at(view, 320.2f, 240.2f, 1.01f);
    // OpenGL may put a point further from here the further out on the screen, and nearer the eye.
    EXPECT_GT(middle.margin, 0.0f);
    EXPECT_GT(at(view, 639.2f, 240.2f).margin, middle.margin);
    EXPECT_GT(near_eye.margin, 4.0f * middle.margin);
    // Short of a centre by more than the middle's margin (and 1/128 pixel), less than near the eye.
    const float miss = (middle.margin + near_eye.margin) / 2.0f;
    constexpr float D = DEPTH;
    // Corners by window x and y and eye depth, and whether the triangle surely covers no centre.
    struct Case {
        std::array<std::array<float, 3>, 3> corners;
        bool covers_none;
    };
    const Case cases[] = {
        // Within one pixel, clear of its centre (100.5, 100.5); then over it and no other.
        {{{{100.1f, 100.1f, D}, {100.4f, 100.1f, D}, {100.1f, 100.4f, D}}}, true},
        {{{{100.2f, 100.2f, D}, {100.9f, 100.3f, D}, {100.4f, 100.9f, D}}}, false},
        // A sliver whose turning the rounding could change.
        {{{{100.1f, 100.5f, D}, {102.9f, 100.5f, D}, {101.5f, 100.5f + 1e-4f, D}}}, false},
        // Short of (320.5, 240.5) by more than the margin, then by less than it near the eye.
        {{{{320.1f, 240.2f, D}, {320.5f - miss, 240.5f, D}, {320.1f, 240.8f, D}}}, true},
        {{{{320.1f, 240.2f, 1.01f}, {320.5f - miss, 240.5f, 1.01f}, {320.1f, 240.8f, 1.01f}}},
         false},
        // A corner at the near plane, or far off the screen: OpenGL clips such a triangle.
        {{{{100.1f, 100.1f, D}, {100.4f, 100.1f, D}, {100.1f, 100.4f, 1.0f}}}, false},
        {{{{100.1f, 100.1f, D}, {100.4f, 100.1f, D}, {1e6f, 100.4f, D}}}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        std::array<WindowPoint, 3> w;
        for (int i = 0; i < 3; ++i) {
            w[i] = at(view, c.corners[i][0], c.corners[i][1], c.corners[i][2]);
        }
        EXPECT_EQ(covers_no_pixel(w[0], w[1], w[2]), c.covers_none);
        EXPECT_EQ(kept_of(w[0], w[1], w[2], false), c.covers_none ? 0 : 3);
    }
    // A camera far from the arena's centre: float no longer places points exactly enough.
    const ViewVolume far_camera = straight_ahead(5000.0f);
    EXPECT_FALSE(covers_no_pixel(at(far_camera, 100.1f, 100.1f), at(far_camera, 100.4f, 100.1f),
                                 at(far_camera, 100.1f, 100.4f)));
    // Large triangles are left out only when they face away and that is asked for.
    const WindowPoint a = at(view, 10, 10);
    const WindowPoint b = at(view, 200, 10);
    const WindowPoint c = at(view, 10, 200);
    EXPECT_EQ(kept_of(a, c, b, false), 3);
    EXPECT_EQ(kept_of(a, c, b, true), 0);
    EXPECT_EQ(kept_of(a, b, c, true), 3);
    // Edge-on, it might turn either way once rounded: kept.
    EXPECT_FALSE(faces_away(a, at(view, 200, 10.0001f), at(view, 100, 10)));
    constexpr double RADIUS = 10.0; // of the spheres the frustum cull is asked about
    EXPECT_EQ(sphere_view(view, 0.0, 0.0, -DEPTH, 1.0), SPHERE_INSIDE);
    // Centres beyond each side plane (|x| or |y| = depth) by 0.9 of the radius, then by twice it.
    for (const double beyond : {0.9, 2.0}) {
        const double off = DEPTH + beyond * RADIUS * std::sqrt(2.0);
        const double centres[4][2] = {{off, 0}, {-off, 0}, {0, off}, {0, -off}};
        for (const auto &[x, y] : centres) {
            EXPECT_EQ(sphere_view(view, x, y, -DEPTH, RADIUS) == SPHERE_OUTSIDE, beyond > 1.0)
                << "centre " << x << ", " << y;
        }
    }
}

} // namespace

// The window's size on a desktop, where a menu pixel lands in it and back, and the viewports.
TEST(Presentation, WholeWindowsFullScreensAndTheirMappings) {
    struct Case {
        int desktop_w, desktop_h;
        bool full;
        Presentation shown;
    };
    const std::array<Case, 6> cases = {{
        {640, 480, false, {640, 480, 0, 0, 640, 480, false, true}},
        {640, 480, true, {640, 480, 0, 0, 640, 480, true, false}},
        {1366, 768, false, {640, 480, 0, 0, 640, 480, false, false}},
        {1920, 1080, false, {1280, 960, 0, 0, 1280, 960, false, false}},
        {2560, 1600, false, {1920, 1440, 0, 0, 1920, 1440, false, false}},
        {1920, 1080, true, {1920, 1080, 240, 0, 1440, 1080, true, false}},
    }};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.desktop_w << "x" << c.desktop_h << " " << c.full);
        const Presentation got = choose_presentation(c.desktop_w, c.desktop_h, c.full);
        EXPECT_EQ(std::make_tuple(got.window_width, got.window_height, got.x, got.y, got.width,
                                  got.height, got.full_screen, got.plain),
                  std::make_tuple(c.shown.window_width, c.shown.window_height, c.shown.x,
                                  c.shown.y, c.shown.width, c.shown.height, c.shown.full_screen,
                                  c.shown.plain));
    }
    // A 4:3 desktop taller than wide enough: the picture is centred up and down.
    EXPECT_EQ(choose_presentation(1280, 1024, true).y, 32);

    const Presentation doubled = choose_presentation(1920, 1080, false);
    // Every window pixel of a menu pixel maps back to it, so hover edges stay where they were.
    for (int px : {0, 1, 319, 639}) {
        EXPECT_EQ(window_x(doubled, px), 2 * px);
        EXPECT_EQ(picture_x(doubled, 2 * px), px);
        EXPECT_EQ(picture_x(doubled, 2 * px + 1), px);
    }
    const Presentation letterbox = choose_presentation(1920, 1080, true);
    EXPECT_EQ(picture_x(letterbox, 239), -1); // the black band is off the picture
    EXPECT_EQ(picture_x(letterbox, 240), 0);
    EXPECT_EQ(picture_x(letterbox, 1679), 639);
    EXPECT_EQ(picture_y(letterbox, 1079), 479);
    EXPECT_EQ(window_x(letterbox, 320), 960);

    // Quarters stay quarters of the picture, counted from the window's bottom.
    const WindowRect upper_right = scaled_viewport(doubled, {320, 240, 320, 240});
    EXPECT_EQ(std::make_tuple(upper_right.x, upper_right.y, upper_right.width, upper_right.height),
              std::make_tuple(640, 480, 640, 480));
    const WindowRect lower_left = scaled_viewport(letterbox, {0, 0, 320, 240});
    EXPECT_EQ(std::make_tuple(lower_left.x, lower_left.y, lower_left.width, lower_left.height),
              std::make_tuple(240, 0, 720, 540));
    EXPECT_FALSE(letterboxed(doubled));
    EXPECT_TRUE(letterboxed(letterbox));
}
