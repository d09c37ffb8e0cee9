// The generated datafiles: pictures that show, buttons that fit the menus, cues that are heard.
#include "frontend/menu.h"
#include "match/sound.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {
// A datafile of the game folder, its bitmaps in 24 bits; null when missing.
DATAFILE *game_datafile(const char *name) {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_conversion(COLORCONV_TOTAL);
    set_color_depth(24);
    return load_datafile((std::string(GAME_DIR) + "/" + name).c_str());
}

BITMAP *image(const DATAFILE *data, int index) {
    return static_cast<BITMAP *>(data[index].dat);
}

int colour_distance(int a, int b) {
    return std::abs(getr24(a) - getr24(b)) + std::abs(getg24(a) - getg24(b)) +
           std::abs(getb24(a) - getb24(b));
}

struct Box {
    int x, y, w, h;
};

// Buttons inside the screen and clear of each other.
void expect_layout(const char *screen, const std::vector<Box> &buttons) {
    for (size_t i = 0; i < buttons.size(); ++i) {
        const Box a = buttons[i];
        EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.w <= MENU_WIDTH && a.y + a.h <= MENU_HEIGHT)
            << screen << " button " << i << " leaves the screen";
        for (size_t j = i + 1; j < buttons.size(); ++j) {
            const Box b = buttons[j];
            EXPECT_FALSE(a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h)
                << screen << " buttons " << i << " and " << j << " overlap";
        }
    }
}

// A sample as signed values in [-1, 1]; Allegro keeps them unsigned, centred on half the range.
std::vector<double> wave_of(const SAMPLE *spl) {
    std::vector<double> wave(spl->len);
    for (size_t i = 0; i < wave.size(); ++i)
        wave[i] = spl->bits == 16 ? (static_cast<const uint16_t *>(spl->data)[i] - 32768) / 32768.0
                                  : (static_cast<const uint8_t *>(spl->data)[i] - 128) / 128.0;
    return wave;
}

// The root mean square of the first `count` values of `wave`, less those of `other` if given.
double rms(const std::vector<double> &wave, size_t count, const std::vector<double> &other = {}) {
    double sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += std::pow(wave[i] - (other.empty() ? 0.0 : other[i]), 2);
    return std::sqrt(sum / static_cast<double>(count));
}
// The share of `wave`'s power above `cutoff` Hz at `rate`, from a zero-padded FFT.
double power_share_above(const std::vector<double> &wave, int rate, double cutoff) {
    size_t n = 1;
    while (n < wave.size())
        n <<= 1;
    std::vector<std::complex<double>> a(wave.begin(), wave.end());
    a.resize(n);
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> step = std::polar(1.0, -2 * M_PI / static_cast<double>(len));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1;
            for (size_t k = 0; k < len / 2; ++k, w *= step) {
                const std::complex<double> x = a[i + k], y = a[i + k + len / 2] * w;
                a[i + k] = x + y;
                a[i + k + len / 2] = x - y;
            }
        }
    }
    double above = 0, all = 0;
    for (size_t k = 1; k < n / 2; ++k) {
        all += std::norm(a[k]);
        above += static_cast<double>(k) * rate > cutoff * static_cast<double>(n) ? std::norm(a[k]) : 0;
    }
    return above / all;
}
} // namespace

// Each datafile holds exactly its listed objects in order, named after the "NN_NAME" sources.
TEST(Datafiles, HoldTheListedObjectsInOrder) {
    const auto expect_listing = [](const char *file, const auto &names, int type) {
        DATAFILE *data = game_datafile(file);
        ASSERT_NE(data, nullptr) << file << " missing in " << GAME_DIR;
        size_t count = 0;
        for (; data[count].type != DAT_END; ++count) {
            ASSERT_LT(count, names.size()) << file << " holds more objects than listed";
            char name[64];
            std::snprintf(name, sizeof name, "%02zu_%s_%s", count, names[count],
                          type == DAT_BITMAP ? "BMP" : "WAV");
            EXPECT_STREQ(get_datafile_property(&data[count], DAT_NAME), name) << file;
            EXPECT_EQ(data[count].type, type) << file << " " << name;
        }
        EXPECT_EQ(count, names.size()) << file;
        unload_datafile(data);
    };
    expect_listing("menus.dat", MENU_OBJECT_NAMES, DAT_BITMAP);
    expect_listing("textures.dat", TEXTURE_OBJECT_NAMES, DAT_BITMAP);
    expect_listing("sounds.dat", SOUND_OBJECT_NAMES, DAT_SAMPLE);
}

TEST(Images, EveryOneIsAPictureAndEveryHighlightPlainlyDiffers) {
    static DATAFILE *menus = game_datafile("menus.dat");
    static DATAFILE *textures = game_datafile("textures.dat");
    ASSERT_TRUE(menus != nullptr && textures != nullptr) << "a datafile is missing in " << GAME_DIR;
    EXPECT_EQ(image(menus, MENU_BACKGROUND)->w, MENU_WIDTH);
    EXPECT_EQ(image(menus, MENU_BACKGROUND)->h, MENU_HEIGHT);
    // OpenGL takes textures with sides of a power of two.
    const auto power_of_two = [](int side) { return side >= 16 && (side & (side - 1)) == 0; };
    for (const DATAFILE *data : {menus, textures})
        for (int i = 0; data[i].type != DAT_END; ++i) {
            BITMAP *bmp = image(data, i);
            EXPECT_TRUE(data == menus || (power_of_two(bmp->w) && power_of_two(bmp->h)))
                << "texture " << i << " has a side of no power of two from 16";
            std::set<int> colours;
            for (int y = 0; y < bmp->h; ++y)
                for (int x = 0; x < bmp->w; ++x)
                    if (getpixel(bmp, x, y) != bitmap_mask_color(bmp))
                        colours.insert(getpixel(bmp, x, y));
            EXPECT_GE(colours.size(), 3u) << "object " << i << " is a flat fill";
            // A highlight follows its button's image, of its size and plainly different.
            if (data != menus || std::strstr(MENU_OBJECT_NAMES[i], "_LIT") == nullptr)
                continue;
            BITMAP *normal = image(menus, i - 1);
            ASSERT_EQ(normal->w, bmp->w) << "object " << i;
            ASSERT_EQ(normal->h, bmp->h) << "object " << i;
            int differing = 0;
            for (int y = 0; y < bmp->h; ++y)
                for (int x = 0; x < bmp->w; ++x)
                    differing += colour_distance(getpixel(normal, x, y), getpixel(bmp, x, y)) > 60;
            EXPECT_GT(differing, bmp->w * bmp->h / 3) << "object " << i;
        }
    BITMAP *pointer = image(menus, MENU_POINTER);
    EXPECT_NE(getpixel(pointer, 0, 0), bitmap_mask_color(pointer)) << "no hot spot pixel";

    // The buttons where each menu screen puts them.
    const auto at = [](int index, int x, int y) {
        return Box{x, y, image(menus, index)->w, image(menus, index)->h};
    };
    const auto centred = [&](int index, int cx, int cy) {
        return at(index, cx - image(menus, index)->w / 2, cy - image(menus, index)->h / 2);
    };
    const Box title = at(MENU_TITLE, MENU_TITLE_X, MENU_TITLE_Y);
    expect_layout("main", {title, centred(MENU_START, 320, 165), centred(MENU_OPTIONS, 320, 215),
                           centred(MENU_EXIT, 320, 260)});
    expect_layout("start", {title, at(MENU_ONE_PLAYER, 320, 165), at(MENU_TWO_PLAYERS, 320, 202),
                            at(MENU_THREE_PLAYERS, 320, 239), at(MENU_FOUR_PLAYERS, 320, 276)});
    std::vector<Box> options = {at(MENU_SAVE, 450, 70), at(MENU_LOAD, 450, 105),
                                at(MENU_CONTROLS, 450, 240)};
    for (int y = 70; y <= 420; y += 35) {
        options.push_back(at(MENU_UP, 320, y));
        options.push_back(at(MENU_DOWN, 360, y));
    }
    expect_layout("options", options);
}

TEST(Sounds, EveryCueIsBandLimitedHeardUnclippedInAFullMixAndUnlikeTheOthers) {
    static DATAFILE *sounds = game_datafile("sounds.dat");
    ASSERT_NE(sounds, nullptr) << "sounds.dat missing in " << GAME_DIR;
    std::vector<std::vector<double>> waves;
    for (int i = 0; i < NUM_SOUNDS; ++i) {
        const SAMPLE *sample = static_cast<const SAMPLE *>(sounds[i].dat);
        ASSERT_TRUE(sample->bits == 8 || sample->bits == 16) << "cue " << i;
        waves.push_back(wave_of(sample));
        const auto [low, high] = std::minmax_element(waves[i].begin(), waves[i].end());
        // All the voices at full volume stay below full scale; one alone is above -12 dBFS.
        const double peak = std::max(-*low, *high), voice = std::ldexp(peak, -SOUND_VOICE_HALVINGS);
        EXPECT_LT(voice * SOUND_VOICES, 0.99) << "cue " << i << " clips in a full mix";
        EXPECT_GT(voice, std::pow(10.0, -12 / 20.0)) << "cue " << i << " is quiet alone";
        // Played sample for sample, and nothing a mixer at half the rate would fold back.
        EXPECT_EQ(sample->freq, SOUND_RATE) << "cue " << i;
        EXPECT_LT(power_share_above(waves[i], sample->freq, SOUND_BAND_HZ), 1e-5) << "cue " << i;
        EXPECT_GT(rms(waves[i], waves[i].size()), 0.02) << "cue " << i << " is silent";
        for (int b = 0; b < i; ++b) {
            const size_t common = std::min(waves[i].size(), waves[b].size());
            EXPECT_GT(rms(waves[i], common, waves[b]),
                      0.5 * std::min(rms(waves[i], common), rms(waves[b], common)))
                << "cues " << b << " and " << i << " sound alike";
        }
    }
}
