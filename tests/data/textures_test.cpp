// The texture datafile: sizes OpenGL takes, a ground that tiles, bodies told apart, grey barrels.
#include "datafile_support.h"
#include "render/textures.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int DEPTH = 24;
constexpr int MAX_TEXTURE_SIDE = 1024;
// Every barrel shows its body texture at this coordinate.
constexpr double BARREL_S = 0.766;
constexpr double BARREL_T = 0.326;

bool power_of_two(int v) {
    return v > 0 && (v & (v - 1)) == 0;
}

double brightness(Rgb c) {
    return (c.r + c.g + c.b) / 3.0;
}

Rgb mean_colour(BITMAP *bmp) {
    long r = 0;
    long g = 0;
    long b = 0;
    for (int y = 0; y < bmp->h; ++y) {
        for (int x = 0; x < bmp->w; ++x) {
            Rgb c = rgb_at(bmp, x, y);
            r += c.r;
            g += c.g;
            b += c.b;
        }
    }
    long n = static_cast<long>(bmp->w) * bmp->h;
    return {static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n)};
}

// Mean colour of a 2 by 4 block (wrapping), smoothing away single-texel grain.
double block(BITMAP *bmp, int x, int y, bool columns) {
    double sum = 0;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 2; ++j) {
            int bx = columns ? x + j : x + i;
            int by = columns ? y + i : y + j;
            sum += brightness(rgb_at(bmp, (bx + bmp->w) % bmp->w, (by + bmp->h) % bmp->h));
        }
    }
    return sum / 8;
}

// Mean step in brightness between the blocks left and right of column x (or above and below
// row y), over the whole length of the image.
double step_across(BITMAP *bmp, int at, bool columns) {
    int length = columns ? bmp->h : bmp->w;
    double sum = 0;
    for (int k = 0; k < length; k += 4) {
        double before = columns ? block(bmp, at - 2, k, true) : block(bmp, k, at - 2, false);
        double after = columns ? block(bmp, at, k, true) : block(bmp, k, at, false);
        sum += std::fabs(after - before);
    }
    return sum / (length / 4);
}

class Textures : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        start_allegro_without_display();
        data = load_game_datafile("textures.dat", DEPTH);
    }
    static void TearDownTestSuite() {
        unload_datafile(data);
        data = nullptr;
    }
    void SetUp() override { ASSERT_NE(data, nullptr) << "textures.dat missing in " << GAME_DIR; }

    static DATAFILE *data;
};

DATAFILE *Textures::data = nullptr;

} // namespace

TEST_F(Textures, FourBitmapsWithPowerOfTwoSides) {
    ASSERT_GE(object_count(data), NUM_TEXTURES);
    for (int i = 0; i < NUM_TEXTURES; ++i) {
        ASSERT_EQ(data[i].type, DAT_BITMAP) << "texture " << i;
        BITMAP *bmp = bitmap_of(data, i);
        EXPECT_TRUE(power_of_two(bmp->w) && power_of_two(bmp->h))
            << "texture " << i << " is " << bmp->w << "x" << bmp->h;
        EXPECT_LE(std::max(bmp->w, bmp->h), MAX_TEXTURE_SIDE) << "texture " << i;
        EXPECT_GE(std::min(bmp->w, bmp->h), 16) << "texture " << i;
    }
}

TEST_F(Textures, GroundTilesWithoutASeam) {
    BITMAP *ground = bitmap_of(data, TEXTURE_GROUND);
    // The wrap from the last column to the first must look like any step inside the image.
    for (bool columns : {true, false}) {
        int side = columns ? ground->w : ground->h;
        double inside = 0;
        int samples = 0;
        for (int at = 8; at < side; at += 8) {
            inside += step_across(ground, at, columns);
            ++samples;
        }
        inside /= samples;
        EXPECT_LT(step_across(ground, 0, columns), inside * 1.6)
            << (columns ? "left and right" : "top and bottom") << " edges do not meet";
    }
    Rgb mean = mean_colour(ground);
    EXPECT_GT(mean.g, mean.r) << "grass is green";
    EXPECT_GT(mean.g, mean.b) << "grass is green";
}

TEST_F(Textures, HumanAndComputerTanksAreToldApartAtAGlance) {
    Rgb human = mean_colour(bitmap_of(data, TEXTURE_HUMAN_TANK));
    Rgb computer = mean_colour(bitmap_of(data, TEXTURE_COMPUTER_TANK));
    int distance = std::abs(human.r - computer.r) + std::abs(human.g - computer.g) +
                   std::abs(human.b - computer.b);
    EXPECT_GT(distance, 150);
    // Fog is sky blue: neither body may be blue, or it would melt into it.
    for (Rgb body : {human, computer}) {
        EXPECT_LT(body.b, std::max(body.r, body.g));
    }
}

TEST_F(Textures, BarrelTexelIsGunMetalGreyInBothBodies) {
    for (int slot : {TEXTURE_COMPUTER_TANK, TEXTURE_HUMAN_TANK}) {
        BITMAP *body = bitmap_of(data, slot);
        // allegro_gl_make_texture uploads the bitmap's last row first, so t runs up the image.
        // Linear filtering blends the two texels on each side of the coordinate; one more on
        // every side leaves room for rounding.
        int x0 = static_cast<int>(std::floor(BARREL_S * body->w - 0.5));
        int y0 = static_cast<int>(std::floor((1.0 - BARREL_T) * body->h - 0.5));
        for (int y = y0 - 1; y <= y0 + 2; ++y) {
            for (int x = x0 - 1; x <= x0 + 2; ++x) {
                Rgb c = rgb_at(body, x, y);
                int spread = std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b});
                EXPECT_LE(spread, 24) << "texture " << slot << " at " << x << "," << y;
                EXPECT_GE(brightness(c), 50) << "texture " << slot << " at " << x << "," << y;
                EXPECT_LE(brightness(c), 170) << "texture " << slot << " at " << x << "," << y;
            }
        }
    }
}
