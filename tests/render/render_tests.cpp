// The match display under a private X server: its pictures, speed tricks, allocations, refusal.
#include <gtest/gtest.h>

#include "render_harness.h"

#include "match/control.h"
#include "match/match_loop.h"
#include "match/setup.h"
#include "match/tick.h"
#include "match/world.h"
#include "render/display.h"
#include "render/match_display.h"
#include "render/small_triangle_cull.h"
#include "render/textures.h"
#include "render/view.h"
#include "render/view_tricks.h"

#include <allegro.h>
#include <alleggl.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A path in this run's temporary folder, which is removed when the program ends.
std::string temp_path(const std::string &name) {
    static const struct Folder {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("tankarena_render_" + std::to_string(std::random_device{}()));
        Folder() { std::filesystem::create_directories(path); }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } folder;
    return (folder.path / name).string();
}

using Frame = std::vector<uint8_t>;

// The picture read back before the flip: 3 bytes a pixel, the bottom row first.
Frame read_frame() {
    Frame frame(static_cast<size_t>(SCREEN_WIDTH) * SCREEN_HEIGHT * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, frame.data());
    return frame;
}

// Clear, then every human player's view, or only `only_player`'s.
Frame render_frame(int only_player = -1) {
    clear_frame();
    for (int p = 0; p <= last_human_player; ++p) {
        if (only_player < 0 || p == only_player) {
            draw_player_view(p);
        }
    }
    return read_frame();
}

struct Rgb {
    int r, g, b;
};

// A texture's pixels, row 0 first; in a datafile, one without pixels is a plain data object.
using Image = std::vector<Rgb>;
constexpr int TEXTURE_SIZE = 16;

Image uniform(Rgb colour) {
    return Image(TEXTURE_SIZE * TEXTURE_SIZE, colour);
}

std::string big_endian(uint32_t v, int bytes = 4) {
    std::string s;
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
        s += static_cast<char>(v >> shift);
    }
    return s;
}

// Writes an uncompressed Allegro datafile of 24-bit bitmaps; false when it cannot be written.
bool write_datafile(const std::string &path, const std::vector<Image> &objects) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "slh.ALL." << big_endian(static_cast<uint32_t>(objects.size()));
    for (const Image &image : objects) {
        std::string body(16, '\0');
        if (!image.empty()) {
            body = big_endian(24, 2) + big_endian(TEXTURE_SIZE, 2) + big_endian(TEXTURE_SIZE, 2);
            for (const Rgb &p : image) {
                body += big_endian(static_cast<uint32_t>(p.r << 16 | p.g << 8 | p.b), 3);
            }
        }
        const std::string size = big_endian(static_cast<uint32_t>(body.size()));
        out << (image.empty() ? "DATA" : "BMP ") << size << size << body;
    }
    return static_cast<bool>(out);
}

constexpr Rgb GROUND{255, 0, 255};
constexpr Rgb COMPUTER{255, 0, 0};
constexpr Rgb TRACKS{0, 0, 255};
constexpr Rgb HUMAN{255, 255, 0};
constexpr Rgb WHITE{255, 255, 255};
// The camera, the tank models and the fog as the game documents them.
constexpr double CAMERA_PITCH = 10.0;
constexpr double WORLD_SCALE = 0.1;
constexpr double TANK_SCALE = 0.7;
constexpr double FOG_START = 3.0;
constexpr double FOG_END = 16.0;

bool same(Rgb a, Rgb b, int tolerance = 0) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

// Pixels of rows [first_row, last_row) with a channel off by more than `tolerance`.
int differing_pixels(const Frame &a, const Frame &b, int tolerance = 0, int first_row = 0,
                     int last_row = SCREEN_HEIGHT) {
    int n = 0;
    for (int i = first_row * SCREEN_WIDTH * 3; i < last_row * SCREEN_WIDTH * 3; i += 3) {
        n += !same(Rgb{a[i], a[i + 1], a[i + 2]}, Rgb{b[i], b[i + 1], b[i + 2]}, tolerance);
    }
    return n;
}

// Whether player 0 of one sees this world point in the colour after linear fog at its eye depth.
::testing::AssertionResult shows(const Frame &frame, const std::array<double, 3> &at, Rgb colour) {
    PlayerCamera eye = player_cameras[0];
    eye.pitch = CAMERA_PITCH;
    const ViewVolume view = view_volume(eye, WORLD_SCALE, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT});
    const WindowPoint w = to_window(view, float(at[0]), float(at[1]), float(at[2]));
    const double depth = eye_depth(view, at[0], at[1], at[2]);
    const double f = std::clamp((FOG_END - depth) / (FOG_END - FOG_START), 0.0, 1.0);
    const auto fog = [f](int c, float fog) {
        return static_cast<int>(std::lround(f * c + (1.0 - f) * fog * 255.0));
    };
    const Rgb want{fog(colour.r, FOG_COLOUR[0]), fog(colour.g, FOG_COLOUR[1]),
                   fog(colour.b, FOG_COLOUR[2])};
    // On the screen, and short of where the fog hides every colour alike.
    const bool seen = w.in_front && depth < FOG_END && w.x >= 0 && w.x < SCREEN_WIDTH && w.y >= 0 &&
                      w.y < SCREEN_HEIGHT;
    const size_t i = seen ? (size_t(w.y) * SCREEN_WIDTH + size_t(w.x)) * 3 : 0;
    const Rgb got{frame[i], frame[i + 1], frame[i + 2]};
    if (seen && same(got, want, 3)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "(" << got.r << ", " << got.g << ", " << got.b << ") for (" << want.r << ", "
           << want.g << ", " << want.b << ") at eye depth " << depth;
}

// A point of tank `slot`, heading along +x, in its model's frame: x forward, y left, z up.
std::array<double, 3> on_tank(int slot, double mx, double my, double mz) {
    const Tank &t = tanks[slot];
    return {t.x + mx * TANK_SCALE, t.y + mz * TANK_SCALE, t.z - my * TANK_SCALE};
}

// Player 0 sees from (x, z) but is not drawn: the view follows a destroyed tank's slot too.
void place_dead_viewer(float x, float z, float heading) {
    clear_world(0);
    place_tank(0, x, z, heading, 0);
    update_camera(0);
}

// The display stays open, as in a match. One colour per texture, but the human tanks' is a
// checkerboard but for a stripe (columns 10 to 13) at the barrel's texel.
class MatchPicture : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Image human = uniform(HUMAN);
        for (int i = 0; i < TEXTURE_SIZE * TEXTURE_SIZE; ++i) {
            const int x = i % TEXTURE_SIZE;
            if ((x < 10 || x > 13) && (x + i / TEXTURE_SIZE) % 2 == 1) {
                human[i] = Rgb{0, 255, 255};
            }
        }
        write_datafile(TEXTURES, {uniform(GROUND), uniform(COMPUTER), uniform(TRACKS), human});
        ASSERT_TRUE(start_match_display(TEXTURES)) << "no OpenGL display";
    }
    static void TearDownTestSuite() { stop_match_display(); }
    void SetUp() override { load_textures(TEXTURES.c_str(), NUM_TEXTURES); }
    static inline const std::string TEXTURES = temp_path("textures.dat");
};

// (The layouts of three and four are the end-to-end matches' to check.)
TEST_F(MatchPicture, TwoPlayersShareTheScreenByHalves) {
    clear_frame();
    const Frame sky = read_frame();
    clear_world(1);
    // Ground along the bottom row of each view, nothing outside it: player 0 has the lower half
    // of the rows read back, player 1 the upper.
    for (int p = 0; p < 2; ++p) {
        place_tank(p, 20.0f * p, 0.0f, 30.0f * p);
        update_camera(p);
        const Frame frame = render_frame(p);
        EXPECT_EQ(differing_pixels(frame, sky, 0, 240 - 240 * p, 480 - 240 * p), 0) << p;
        EXPECT_EQ(differing_pixels(frame, sky, 0, 240 * p, 240 * p + 1), SCREEN_WIDTH) << p;
    }
}

TEST_F(MatchPicture, TanksTreesAndShellsShowTheirColoursFoggedByEyeDepthOrWhiteUntextured) {
    // Player 0's camera at the origin facing +z; its tank moved ahead, side on, by a computer's.
    clear_world(0);
    place_tank(0, 0.0f, 0.0f, 0.0f);
    update_camera(0);
    place_tank(0, -3.0f, 6.0f, 90.0f);
    place_tank(1, 3.0f, 6.0f, 90.0f);
    place_tank(2, 8.0f, 60.0f, 90.0f);
    trees[0] = Tree{0, 40};
    trees[1] = Tree{-20, 95};
    game_settings.number_of_trees = 2;
    bullets[0] = Bullet{3.0f, 30.0f, 0.0f, 0.0f, 5};
    Frame frame = render_frame();
    EXPECT_TRUE(shows(frame, {0.0, -6.0, 40.0}, Rgb{0, 128, 0})) << "near tree";
    EXPECT_TRUE(shows(frame, {-20.0, -6.0, 95.0}, Rgb{0, 128, 0})) << "far tree";
    EXPECT_TRUE(shows(frame, {3.0, -9.5, 30.0}, Rgb{128, 128, 77})) << "shell at its height";
    EXPECT_TRUE(shows(frame, on_tank(1, 3.8, 0.0, 1.53), COMPUTER)) << "barrel";
    EXPECT_TRUE(shows(frame, on_tank(1, 2.4, -0.5, 1.0), COMPUTER)) << "hull";
    EXPECT_TRUE(shows(frame, on_tank(1, 0.0, 1.4, 0.7), TRACKS)) << "near track";
    EXPECT_TRUE(shows(frame, on_tank(2, 0.0, 1.4, 0.7), TRACKS)) << "far track";
    EXPECT_TRUE(shows(frame, on_tank(0, 3.8, 0.0, 1.53), HUMAN)) << "human barrel";

    // The ground, then something other than a bitmap where the computer tanks' texture goes.
    const std::string two = temp_path("two.dat");
    ASSERT_TRUE(write_datafile(two, {uniform(GROUND), Image{}}));
    load_textures(two.c_str(), NUM_TEXTURES);
    EXPECT_NE(texture_ids[TEXTURE_GROUND], 0u);
    frame = render_frame();
    EXPECT_TRUE(shows(frame, on_tank(0, 2.4, -0.5, 1.0), WHITE)) << "human hull";
    EXPECT_TRUE(shows(frame, on_tank(1, 2.4, -0.5, 1.0), WHITE)) << "computer hull";
    EXPECT_TRUE(shows(frame, on_tank(1, 0.0, 1.4, 0.7), WHITE)) << "computer track";
}

TEST_F(MatchPicture, TanksAndWallsAreDrawnOnlyWithinAHundredUnitsOnEachAxis) {
    // A tank along x both ways: at 99.9, which truncates to 99, it is drawn, at 100 not.
    for (float direction : {1.0f, -1.0f}) {
        place_dead_viewer(10.0f, -20.0f, direction > 0 ? 90.0f : 270.0f);
        const Frame empty = render_frame();
        for (float distance : {99.9f, 100.0f}) {
            place_tank(1, 10.0f + direction * distance, -20.0f, 0.0f);
            const bool drawn = render_frame() != empty;
            EXPECT_EQ(drawn, distance < 100.0f) << "a tank " << direction * distance << " away";
        }
    }
    // In an arena 100 each way, a viewer facing each wall from 0.1 off the centre towards it,
    // then from the centre, and a point 2 below that wall's top and 40 to one side.
    for (const int heading : {0, 90, 180, 270}) {
        const float x = heading == 90 ? 1.0f : heading == 270 ? -1.0f : 0.0f;
        const float z = heading == 0 ? 1.0f : heading == 180 ? -1.0f : 0.0f;
        for (float nudge : {0.1f, 0.0f}) {
            place_dead_viewer(nudge * x, nudge * z, static_cast<float>(heading));
            game_settings.arena_width = game_settings.arena_height = 100;
            const auto seen =
                shows(render_frame(), {100.0 * x - 40.0 * z, -2.0, 100.0 * z + 40.0 * x}, COMPUTER);
            EXPECT_EQ(static_cast<bool>(seen), nudge > 0.0f)
                << "heading " << heading << ", " << 100.0f - nudge << " away: " << seen.message();
        }
    }
}

// The speed tricks against the plain view, every object sent on its own: the same picture but
// for a few pixels along edges, where triangles placed on the CPU meet the grid differently.
constexpr int CHANNEL_TOLERANCE = 2;
constexpr float CLOSE_SPREAD = 25.0f;

// Some of everything round the players, across the near plane, the frustum's sides and a wall.
void crowd_round_players(int last_human, unsigned seed) {
    std::minstd_rand random(seed);
    std::uniform_real_distribution<float> close(-CLOSE_SPREAD, CLOSE_SPREAD);
    std::uniform_real_distribution<float> angle(0.0f, 360.0f);
    game_settings.arena_width = 60;
    for (int i = last_human + 1; i < MAX_TANKS; i += 7) {
        place_tank(i, close(random), close(random), angle(random), i % 5 == 0 ? 0 : 1);
        tanks[i].turret_heading = angle(random);
    }
    for (int i = 0; i < MAX_TREES; i += 9) {
        trees[i] = Tree{static_cast<int32_t>(close(random)), static_cast<int32_t>(close(random))};
    }
    for (int i = 0; i < MAX_BULLETS; i += 3) {
        bullets[i] = Bullet{close(random), close(random), 0, 0, 1};
    }
    for (int i = 0; i < MAX_PARTICLES; i += 4) {
        particles[i].x = close(random);
        particles[i].z = close(random);
        particles[i].y = GROUND_Y + 12.0f + close(random) / 5.0f;
    }
}

TEST_F(MatchPicture, ViewTricksDrawTheSamePictureAsThePlainView) {
    load_textures(GAME_TEXTURES, NUM_TEXTURES);
    const int allowed = SCREEN_WIDTH * SCREEN_HEIGHT / 2000; // 0.05% of the pixels
    for (int last_human = 0; last_human < MAX_PLAYERS; ++last_human) {
        for (const bool close : {false, true}) {
            SCOPED_TRACE(testing::Message() << last_human + 1 << " players"
                                            << (close ? ", close up" : ", spread out"));
            fill_max_load_world(last_human, last_human + 1);
            if (close) {
                crowd_round_players(last_human, last_human + 1);
            }
            view_tricks = PLAIN_VIEW;
            const Frame plain_frame = render_frame();
            view_tricks = EXACT_VIEW;
            EXPECT_LE(differing_pixels(plain_frame, render_frame(), CHANNEL_TOLERANCE), allowed);
        }
    }
    view_tricks = ViewTricks{};
}

// Only what lies nearer than a third of the draw range to player `p`'s tank on the ground is left
// in the world; the rest is taken out of play or out of range.
void keep_only_near(int p) {
    const auto near = [p](float x, float z) {
        const float dx = x - tanks[p].x, dz = z - tanks[p].z;
        return dx * dx + dz * dz < DRAW_RANGE * DRAW_RANGE / 9.0f;
    };
    for (Tree &tree : trees) {
        tree = near(float(tree.x), float(tree.z)) ? tree : Tree{100000, 100000};
    }
    const auto keep_near = [&near](auto &table) {
        for (auto &object : table) {
            object.life = near(object.x, object.z) ? object.life : 0;
        }
    };
    keep_near(tanks);
    keep_near(bullets);
    keep_near(particles);
}

// The levels of detail on the benchmark's worlds, against the full-detail picture of the same
// frame: at most 1% of the pixels off by more than 24 levels in a channel, and each player's
// view of what lies nearer than a third of the draw range exactly the same.
TEST_F(MatchPicture, FarModelsChangeLittleOfThePictureAndNothingNearThePlayers) {
    load_textures(GAME_TEXTURES, NUM_TEXTURES);
    constexpr int LEVELS = 24;
    const int allowed = SCREEN_WIDTH * SCREEN_HEIGHT / 100;
    for (const int last_human : {0, MAX_PLAYERS - 1}) {
        SCOPED_TRACE(testing::Message() << last_human + 1 << " players");
        fill_max_load_world(last_human, BENCHMARK_SEED);
        view_tricks = EXACT_VIEW;
        const Frame full = render_frame();
        view_tricks = ViewTricks{};
        const Frame simpler = render_frame();
        EXPECT_LE(differing_pixels(full, simpler, LEVELS), allowed);
        EXPECT_GT(differing_pixels(full, simpler), 0) << "no far model drawn";
        for (int p = 0; p <= last_human; ++p) {
            fill_max_load_world(last_human, BENCHMARK_SEED);
            keep_only_near(p);
            view_tricks = EXACT_VIEW;
            const Frame near_full = render_frame(p);
            view_tricks = ViewTricks{};
            EXPECT_EQ(differing_pixels(near_full, render_frame(p)), 0) << "player " << p;
        }
    }
}

// Every global operator new is counted; Allegro and Mesa allocate through malloc, which is not.
std::atomic<long> allocations{0};

TEST_F(MatchPicture, TicksAndFramesAllocateNothingAfterTheFirstFrame) {
    clear_world(MAX_PLAYERS - 1);
    game_settings.number_of_trees = MAX_TREES;
    // A small arena crowds the 500 tanks, so that shells hit and tanks burst within the run.
    game_settings.arena_width = game_settings.arena_height = 40;
    game_settings.tank_fire_speed = 0;
    std::srand(1);
    set_up_world(MAX_PLAYERS - 1);
    simulate_tick();
    match_display.draw_frame();

    const long before = allocations.load();
    for (int tick = 0; tick < 240; ++tick) {
        simulate_tick();
        if (tick % 4 == 0) { // a frame every fourth tick
            match_display.draw_frame();
        }
    }
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_LT(tanks_alive, MAX_TANKS) << "no tank burst into fragments";
}

// Allegro shows its message through xmessage: a stand-in first on the PATH records it.
TEST(RefusedMatchDisplay, ShowsTheErrorAndGivesTheMenusTheirModeBack) {
    const std::string xmessage = temp_path("xmessage");
    const std::string log = temp_path("message.txt");
    std::ofstream(xmessage) << "#!/bin/sh\nfor a; do last=$a; done\nprintf '%s' \"$last\" > '"
                            << log << "'\n";
    std::filesystem::permissions(xmessage, std::filesystem::perms::owner_all);
    setenv("PATH", (temp_path("") + ":" + std::getenv("PATH")).c_str(), 1);

    ASSERT_TRUE(start_allegro());
    clear_world(0);
    tanks[0].x = 1234.0f;
    EXPECT_EQ(play_match(0, match_display, [] {}), -1);

    std::ifstream in(log);
    const std::string message{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(message.rfind("Error setting graphics mode:\n", 0), 0u) << message;
    EXPECT_GT(message.size(), 30u) << "no reason given: " << message;
    EXPECT_EQ(message.back(), '\n');
    EXPECT_EQ(tanks[0].x, 1234.0f) << "the world was set up";
    // The menus can draw again at once.
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(std::tuple(SCREEN_W, SCREEN_H, bitmap_color_depth(screen)), std::tuple(640, 480, 16));
    clear_to_color(screen, makecol(255, 0, 0));
    EXPECT_EQ(getpixel(screen, 10, 10), makecol(255, 0, 0));
    allegro_exit();
}

} // namespace

// The nothrow form counts; the others come to it, as the library's own would.
void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
void *operator new(std::size_t size) {
    if (void *p = operator new(size, std::nothrow)) {
        return p;
    }
    throw std::bad_alloc();
}
void *operator new[](std::size_t size) {
    return operator new(size);
}
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept {
    return operator new(size, std::nothrow);
}
void operator delete(void *p) noexcept {
    std::free(p);
}
void operator delete[](void *p) noexcept {
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void *p, std::size_t) noexcept {
    std::free(p);
}
