// The menu background: dusk over a walled, tree-lined arena, a tank waiting in the foreground.
#include "datagen.h"
#include "noise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int WIDTH = 640;
constexpr int HEIGHT = 480;
constexpr float HORIZON = 318.0f;
constexpr float SUN_X = 530.0f;
constexpr float SUN_Y = 262.0f;
constexpr float SUN_RADIUS = 24.0f;
constexpr int BIG_PERIOD = 4096; // noise that never visibly repeats here
constexpr uint32_t SEED_STARS = 11;
constexpr uint32_t SEED_CLOUDS = 12;
constexpr uint32_t SEED_HILLS = 13;
constexpr uint32_t SEED_TREES = 14;
constexpr uint32_t SEED_GRASS = 15;

struct SkyStop {
    float at;
    Colour colour;
};

const std::array<SkyStop, 5> SKY = {{
    {0.0f, {8, 12, 36}},
    {0.35f, {34, 32, 84}},
    {0.65f, {104, 54, 92}},
    {0.86f, {190, 92, 70}},
    {1.0f, {236, 146, 74}},
}};

const Colour HILL_COLOUR = {62, 42, 76};
const Colour TREE_COLOUR = {14, 20, 24};
const Colour WALL_TOP = {150, 96, 70};
const Colour WALL_FACE = {40, 42, 38};
const Colour GRASS_FAR = {62, 64, 38};
const Colour GRASS_NEAR = {18, 30, 16};
const Colour DIRT = {74, 58, 40};
const Colour SUN_CORE = {255, 230, 170};
const Colour SUN_GLOW = {255, 150, 70};

Colour sky_colour(float y) {
    float t = clamp01(y / HORIZON);
    for (size_t i = 1; i < SKY.size(); ++i) {
        if (t <= SKY[i].at) {
            float u = (t - SKY[i - 1].at) / (SKY[i].at - SKY[i - 1].at);
            return mix(SKY[i - 1].colour, SKY[i].colour, smoothstep(0.0f, 1.0f, u));
        }
    }
    return SKY.back().colour;
}

void paint_sky(Image &img) {
    for (int y = 0; y < HORIZON; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            float fx = x + 0.5f;
            float fy = y + 0.5f;
            Colour c = sky_colour(fy);
            float sun_d = std::sqrt((fx - SUN_X) * (fx - SUN_X) + (fy - SUN_Y) * (fy - SUN_Y));
            float glow = std::exp(-sun_d / 90.0f) * 0.55f;
            c = mix(c, SUN_GLOW, glow);
            // Long flat clouds, lit from below by the low sun.
            float n = fractal_noise(fx / 170.0f, fy / 26.0f, BIG_PERIOD, 5, SEED_CLOUDS);
            float band = smoothstep(40.0f, 120.0f, fy) * (1.0f - smoothstep(230.0f, 290.0f, fy));
            float cloud = smoothstep(0.52f, 0.72f, n) * band;
            float lit = clamp01((fy - 60.0f) / 200.0f);
            Colour cloud_colour = mix(Colour{48, 30, 70}, Colour{236, 120, 96}, lit * lit);
            cloud_colour = mix(cloud_colour, Colour{255, 190, 120}, glow);
            c = mix(c, cloud_colour, cloud * 0.8f);
            set_pixel(img, x, y, c, 1.0f);
        }
    }
    Rng rng{SEED_STARS};
    for (int i = 0; i < 170; ++i) {
        int x = static_cast<int>(rng_range(rng, 0, WIDTH));
        int y = static_cast<int>(rng_range(rng, 0, HORIZON * 0.55f));
        float bright = rng_range(rng, 0.3f, 1.0f) * (1.0f - y / (HORIZON * 0.55f));
        paint_over(img, x, y, {255, 250, 230}, bright);
    }
    fill_disc(img, SUN_X, SUN_Y, SUN_RADIUS + 6.0f, {255, 190, 110}, 0.35f);
    fill_disc(img, SUN_X, SUN_Y, SUN_RADIUS, SUN_CORE, 1.0f);
}

void paint_hills(Image &img) {
    for (int x = 0; x < WIDTH; ++x) {
        float ridge =
            HORIZON - 26.0f - 34.0f * fractal_noise(x / 150.0f, 0.5f, BIG_PERIOD, 4, SEED_HILLS);
        for (int y = static_cast<int>(ridge); y < HORIZON; ++y) {
            float haze = clamp01((y - ridge) / 60.0f) * 0.45f;
            Colour c = mix(HILL_COLOUR, sky_colour(HORIZON - 4.0f), 0.25f + haze);
            paint_over(img, x, y, c, clamp01(y + 1.0f - ridge));
        }
    }
}

// A fir tree: three stacked triangles on a short trunk, base centre at (x, base).
void paint_fir(Image &img, float x, float base, float height, Colour colour) {
    float half = height * 0.32f;
    for (int tier = 0; tier < 3; ++tier) {
        float bottom = base - height * (0.12f + tier * 0.25f);
        float top = bottom - height * (0.5f - tier * 0.05f);
        float w = half * (1.0f - tier * 0.22f);
        fill_polygon(img, {{x, top}, {x + w, bottom}, {x - w, bottom}}, colour, 1.0f);
    }
    fill_polygon(img,
                 {{x - height * 0.04f, base - height * 0.14f},
                  {x + height * 0.04f, base - height * 0.14f},
                  {x + height * 0.04f, base},
                  {x - height * 0.04f, base}},
                 colour, 1.0f);
}

void paint_tree_line(Image &img) {
    Rng rng{SEED_TREES};
    for (float x = -10.0f; x < WIDTH + 10.0f; x += rng_range(rng, 6.0f, 13.0f)) {
        float height = rng_range(rng, 26.0f, 56.0f);
        paint_fir(img, x, HORIZON - 4.0f, height, TREE_COLOUR);
    }
    // The arena wall in front of the trees, its top edge catching the sunset.
    for (int y = static_cast<int>(HORIZON) - 9; y < HORIZON; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            bool top = y < HORIZON - 7.0f;
            bool joint = x % 48 == 0;
            Colour c = top ? WALL_TOP : (joint ? scaled(WALL_FACE, 0.6f) : WALL_FACE);
            float glint = std::exp(-std::fabs(x - SUN_X) / 120.0f);
            if (top) {
                c = mix(c, Colour{255, 200, 130}, glint);
            }
            set_pixel(img, x, y, c, 1.0f);
        }
    }
}

void paint_ground(Image &img) {
    for (int y = static_cast<int>(HORIZON); y < HEIGHT; ++y) {
        float depth = (y + 0.5f - HORIZON);
        float z = 900.0f / depth; // distance into the scene
        float t = clamp01(depth / (HEIGHT - HORIZON));
        Colour base = mix(GRASS_FAR, GRASS_NEAR, std::sqrt(t));
        for (int x = 0; x < WIDTH; ++x) {
            float wx = (x + 0.5f - WIDTH * 0.5f) * z / 300.0f;
            float n = fractal_noise(wx / 3.0f, z / 3.0f, BIG_PERIOD, 4, SEED_GRASS);
            Colour c = scaled(base, 0.8f + 0.45f * n);
            // Two pairs of tank tracks winding towards the wall.
            for (float lane : {-9.0f, 14.0f}) {
                float centre = lane + 3.0f * std::sin(z * 0.09f + lane);
                for (float side : {-1.3f, 1.3f}) {
                    float d = std::fabs(wx - centre - side) / (z / 300.0f);
                    float rut = clamp01(0.6f * 0.35f / (z / 300.0f) + 0.5f - d);
                    c = mix(c, scaled(DIRT, 0.7f + 0.5f * n),
                            rut * 0.75f * (1.0f - 0.6f * (1 - t)));
                }
            }
            // The low sun's warm sheen on the far field.
            float sheen = std::exp(-std::fabs(x - SUN_X) / 160.0f) * (1.0f - t) * 0.35f;
            c = mix(c, Colour{230, 140, 80}, sheen);
            set_pixel(img, x, y, c, 1.0f);
        }
    }
}

// Firs standing in the arena, dark green with the sunset on their right flanks.
void paint_field_trees(Image &img) {
    struct FieldTree {
        float x;
        float depth; // 0 at the wall, 1 at the bottom of the screen
    };
    constexpr std::array<FieldTree, 8> TREES = {{
        {255.0f, 0.03f},
        {395.0f, 0.05f},
        {62.0f, 0.06f},
        {560.0f, 0.09f},
        {150.0f, 0.13f},
        {612.0f, 0.2f},
        {36.0f, 0.34f},
        {118.0f, 0.62f},
    }};
    for (const FieldTree &tree : TREES) {
        float base = HORIZON + tree.depth * (HEIGHT - HORIZON);
        float height = 16.0f + 150.0f * tree.depth;
        Colour dark = mix(Colour{16, 40, 22}, Colour{46, 40, 54}, 0.6f * (1.0f - tree.depth));
        Colour rim = mix(dark, Colour{220, 130, 70}, 0.55f);
        float half = height * 0.3f;
        fill_polygon(img,
                     {{tree.x - half * 0.9f, base},
                      {tree.x + half * 1.8f, base},
                      {tree.x + half * 1.4f, base + 2.0f + tree.depth * 8.0f},
                      {tree.x - half * 0.6f, base + 2.0f + tree.depth * 8.0f}},
                     {8, 14, 8}, 0.45f);
        paint_fir(img, tree.x + 1.0f, base, height, rim);
        paint_fir(img, tree.x - 0.6f, base, height, dark);
    }
}

// The waiting tank, backlit: a dark shape with an orange rim on the sun's side.
void paint_foreground_tank(Image &img) {
    const float ox = 428.0f;
    const float oy = 462.0f;
    const float u = 1.0f;
    std::vector<std::vector<Point>> parts = {
        {{ox + 8 * u, oy - 30 * u},
         {ox + 196 * u, oy - 30 * u},
         {ox + 180 * u, oy},
         {ox + 22 * u, oy}},
        {{ox + 12 * u, oy - 52 * u},
         {ox + 184 * u, oy - 52 * u},
         {ox + 202 * u, oy - 32 * u},
         {ox, oy - 32 * u}},
        {{ox + 66 * u, oy - 78 * u},
         {ox + 134 * u, oy - 80 * u},
         {ox + 150 * u, oy - 54 * u},
         {ox + 56 * u, oy - 52 * u}},
        {{ox - 70 * u, oy - 73 * u},
         {ox + 70 * u, oy - 71 * u},
         {ox + 70 * u, oy - 61 * u},
         {ox - 70 * u, oy - 63 * u}},
        {{ox - 86 * u, oy - 76 * u},
         {ox - 66 * u, oy - 76 * u},
         {ox - 66 * u, oy - 60 * u},
         {ox - 86 * u, oy - 60 * u}},
    };
    Colour rim = {236, 128, 60};
    Colour body = {16, 18, 14};
    for (const auto &part : parts) {
        paint_shape(
            img, [&](float x, float y) { return polygon_distance(x - 1.5f, y + 1.5f, part); }, rim,
            0.9f);
    }
    for (const auto &part : parts) {
        fill_polygon(img, part, body, 1.0f);
    }
    for (int i = 0; i < 7; ++i) {
        float wx = ox + 36 * u + i * 22 * u;
        fill_disc(img, wx, oy - 13 * u, 9 * u, {34, 36, 30}, 1.0f);
        fill_disc(img, wx, oy - 13 * u, 3 * u, {12, 12, 10}, 1.0f);
    }
}

void paint_vignette(Image &img) {
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            float dx = (x + 0.5f) / WIDTH - 0.5f;
            float dy = (y + 0.5f) / HEIGHT - 0.5f;
            float dark = smoothstep(0.25f, 0.75f, std::sqrt(dx * dx + dy * dy)) * 0.55f;
            set_pixel(img, x, y, scaled(pixel_at(img, x, y), 1.0f - dark), 1.0f);
        }
    }
}

} // namespace

Image draw_background() {
    Image img = make_image(WIDTH, HEIGHT, {0, 0, 0}, 1.0f);
    paint_sky(img);
    paint_hills(img);
    paint_tree_line(img);
    paint_ground(img);
    paint_field_trees(img);
    paint_foreground_tank(img);
    paint_vignette(img);
    return img;
}
