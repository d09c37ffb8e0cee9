// The match textures in slot order: ground, computer tank (also the arena walls), tracks and
// human tank. Power-of-two sizes, as OpenGL 1.1 wants.
#include "datagen.h"
#include "noise.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace {

constexpr int GROUND_SIZE = 256;
constexpr int BODY_SIZE = 128;
constexpr int TRACK_SIZE = 64;

// The barrel has no texture coordinates of its own: it shows the body texel at the turret's last
// coordinate, so both bodies carry a gun-metal patch there, wide enough for linear filtering.
// allegro_gl_make_texture turns the bitmap upside down (its last row becomes t = 0), so t counts
// rows from the bottom of the image.
constexpr float BARREL_S = 0.766f;
constexpr float BARREL_T = 0.326f;
constexpr float BARREL_PATCH_RADIUS = 5.5f;
const Colour GUN_METAL = {96, 100, 104};
const Colour GUN_METAL_RIM = {44, 46, 48};

constexpr int FRAME = 2;
constexpr int PANEL_EDGE = 3; // panel lines stop short of the frame
constexpr std::array<int, 3> PANEL_COLUMNS = {28, 64, 116};
constexpr std::array<int, 2> PANEL_ROWS = {34, 106};

constexpr uint32_t SEED_GROUND = 21;
constexpr uint32_t SEED_GROUND_DIRT = 22;
constexpr uint32_t SEED_GROUND_SPECK = 23;
constexpr uint32_t SEED_CAMO_A = 24;
constexpr uint32_t SEED_CAMO_B = 25;
constexpr uint32_t SEED_WEAR = 26;
constexpr uint32_t SEED_TRACK = 27;

Image draw_ground() {
    constexpr int CELLS = 8;
    const Colour grass_dark = {50, 86, 34};
    const Colour grass_light = {92, 130, 50};
    const Colour dry = {118, 122, 62};
    const Colour dirt = {106, 86, 58};
    Image img = make_image(GROUND_SIZE, GROUND_SIZE, grass_dark, 1.0f);
    for (int y = 0; y < GROUND_SIZE; ++y) {
        for (int x = 0; x < GROUND_SIZE; ++x) {
            float u = static_cast<float>(x) * CELLS / GROUND_SIZE;
            float v = static_cast<float>(y) * CELLS / GROUND_SIZE;
            float lush = fractal_noise(u, v, CELLS, 5, SEED_GROUND);
            float bare = fractal_noise(u, v, CELLS, 4, SEED_GROUND_DIRT);
            Colour c = mix(grass_dark, grass_light, smoothstep(0.3f, 0.7f, lush));
            c = mix(c, dry, smoothstep(0.55f, 0.75f, bare) * 0.6f);
            c = mix(c, dirt, smoothstep(0.66f, 0.74f, bare) * 0.45f);
            // Single blades of grass: per-texel speckle, tileable like the rest.
            float speck = lattice_value(x, y, GROUND_SIZE, SEED_GROUND_SPECK);
            c = scaled(c, 0.86f + 0.28f * speck);
            set_pixel(img, x, y, c, 1.0f);
        }
    }
    return img;
}

void paint_panel_lines(Image &img) {
    auto shade = [&](int x, int y, float f) {
        if (x >= PANEL_EDGE && y >= PANEL_EDGE && x < img.w - PANEL_EDGE &&
            y < img.h - PANEL_EDGE) {
            set_pixel(img, x, y, scaled(pixel_at(img, x, y), f), 1.0f);
        }
    };
    for (int i = 0; i < img.h; ++i) {
        for (int col : PANEL_COLUMNS) {
            shade(col, i, 0.55f);
            shade(col + 1, i, 1.2f);
        }
    }
    for (int i = 0; i < img.w; ++i) {
        for (int row : PANEL_ROWS) {
            shade(i, row, 0.55f);
            shade(i, row + 1, 1.2f);
        }
    }
    for (int row : PANEL_ROWS) {
        for (int x = PANEL_EDGE + 6; x < img.w - PANEL_EDGE; x += 12) {
            shade(x, row - 3, 0.7f);
            shade(x, row - 4, 1.3f);
        }
    }
}

// A plain frame in the body colour: the clamped edges are all that most of the hull, and the arena
// walls beyond their one corner copy of the image, ever show.
void paint_frame(Image &img, Colour c) {
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            if (x < FRAME || y < FRAME || x >= img.w - FRAME || y >= img.h - FRAME) {
                set_pixel(img, x, y, c, 1.0f);
            }
        }
    }
}

void paint_barrel_patch(Image &img) {
    float cx = BARREL_S * img.w;
    float cy = (1.0f - BARREL_T) * img.h;
    fill_disc(img, cx, cy, BARREL_PATCH_RADIUS + 1.5f, GUN_METAL_RIM, 1.0f);
    fill_disc(img, cx, cy, BARREL_PATCH_RADIUS, GUN_METAL, 1.0f);
}

// Scuffs and grime, so a body does not look like flat plastic.
void paint_wear(Image &img) {
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            float grime = fractal_noise(x / 16.0f, y / 16.0f, img.w / 16, 4, SEED_WEAR);
            float speck = lattice_value(x, y, img.w, SEED_WEAR + 1);
            float f = 0.84f + 0.3f * grime + 0.08f * (speck - 0.5f);
            set_pixel(img, x, y, scaled(pixel_at(img, x, y), f), 1.0f);
        }
    }
}

Image draw_computer_tank() {
    const Colour olive = {100, 106, 62};
    const Colour green = {54, 68, 40};
    const Colour khaki = {132, 122, 90};
    const Colour black = {34, 36, 30};
    Image img = make_image(BODY_SIZE, BODY_SIZE, olive, 1.0f);
    constexpr int CELLS = 4;
    for (int y = 0; y < BODY_SIZE; ++y) {
        for (int x = 0; x < BODY_SIZE; ++x) {
            float u = static_cast<float>(x) * CELLS / BODY_SIZE;
            float v = static_cast<float>(y) * CELLS / BODY_SIZE;
            float a = fractal_noise(u, v, CELLS, 3, SEED_CAMO_A);
            float b = fractal_noise(u * 1.3f, v * 1.3f, CELLS * 4, 3, SEED_CAMO_B);
            Colour c = olive;
            if (a > 0.56f) {
                c = green;
            } else if (b > 0.6f) {
                c = khaki;
            }
            if (a < 0.4f && b < 0.42f) {
                c = black;
            }
            set_pixel(img, x, y, c, 1.0f);
        }
    }
    paint_wear(img);
    paint_panel_lines(img);
    paint_frame(img, scaled(olive, 0.9f));
    paint_barrel_patch(img);
    return img;
}

Image draw_human_tank() {
    const Colour orange = {240, 124, 26};
    const Colour stripe = {250, 246, 232};
    const Colour edge = {150, 26, 20};
    constexpr int STRIPE_WIDTH = 16;
    constexpr int ROW_STRIPE = 44;    // first row of the stripe across
    constexpr int COLUMN_STRIPE = 48; // first column of the stripe down
    Image img = make_image(BODY_SIZE, BODY_SIZE, orange, 1.0f);
    for (int y = 0; y < BODY_SIZE; ++y) {
        for (int x = 0; x < BODY_SIZE; ++x) {
            // One stripe each way, since the hull and turret meet the image in both directions;
            // a thin dark red line edges each.
            int across = y - ROW_STRIPE;
            int down = x - COLUMN_STRIPE;
            bool in_row = across >= 0 && across < STRIPE_WIDTH;
            bool in_col = down >= 0 && down < STRIPE_WIDTH;
            bool by_row = across == -2 || across == STRIPE_WIDTH + 1;
            bool by_col = down == -2 || down == STRIPE_WIDTH + 1;
            Colour c = orange;
            if (by_row || (by_col && !in_row)) {
                c = edge;
            }
            if (in_row || in_col) {
                c = stripe;
            }
            set_pixel(img, x, y, c, 1.0f);
        }
    }
    paint_wear(img);
    paint_panel_lines(img);
    paint_frame(img, scaled(orange, 0.95f));
    paint_barrel_patch(img);
    return img;
}

Image draw_tracks() {
    constexpr int LINK = 8;
    const Colour rubber = {36, 36, 34};
    const Colour steel = {104, 104, 98};
    const Colour shine = {150, 150, 142};
    const Colour shadow = {20, 20, 18};
    Image img = make_image(TRACK_SIZE, TRACK_SIZE, rubber, 1.0f);
    for (int y = 0; y < TRACK_SIZE; ++y) {
        int row = y % LINK;
        for (int x = 0; x < TRACK_SIZE; ++x) {
            Colour c = rubber;
            bool plate = x >= 3 && x < TRACK_SIZE - 3;
            bool guide = x >= 28 && x < 36 && (y / LINK) % 2 == 0;
            if (plate && row >= 1 && row <= 5) {
                c = row == 1 ? shine : (row == 5 ? shadow : steel);
            }
            if (guide && row >= 2 && row <= 4) {
                c = row == 2 ? shine : scaled(steel, 1.15f);
            }
            if (plate && (x == 3 || x == TRACK_SIZE - 4) && row >= 1 && row <= 5) {
                c = shadow;
            }
            // Link pins near both ends of every plate.
            if ((x == 9 || x == TRACK_SIZE - 10) && row == 3) {
                c = shadow;
            }
            float grit = lattice_value(x, y, TRACK_SIZE, SEED_TRACK);
            set_pixel(img, x, y, scaled(c, 0.9f + 0.2f * grit), 1.0f);
        }
    }
    return img;
}

struct TextureObject {
    int index;
    Image (*draw)();
};

// Slot order is what the match binds them by.
constexpr std::array<TextureObject, NUM_TEXTURES> TEXTURE_OBJECTS = {{
    {TEXTURE_GROUND, draw_ground},
    {TEXTURE_COMPUTER_TANK, draw_computer_tank},
    {TEXTURE_TRACKS, draw_tracks},
    {TEXTURE_HUMAN_TANK, draw_human_tank},
}};
static_assert(in_object_order(TEXTURE_OBJECTS), "the table makes the objects in their order");

} // namespace

bool write_textures(const std::string &folder) {
    for (size_t i = 0; i < TEXTURE_OBJECTS.size(); ++i) {
        const TextureObject &object = TEXTURE_OBJECTS[i];
        if (!save_image(object.draw(),
                        object_file(folder, static_cast<int>(i), TEXTURE_OBJECT_NAMES[i], "bmp"))) {
            std::fprintf(stderr, "cannot write texture %s\n", TEXTURE_OBJECT_NAMES[i]);
            return false;
        }
    }
    return true;
}
