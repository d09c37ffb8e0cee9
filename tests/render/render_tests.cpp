// Pictures of the match display read back from the frame: viewports, colours under fog, the
// draw range, walls, textures and display lists. Runs under its own X server.
#include <gtest/gtest.h>

#include "render_harness.h"

#include "match/world.h"
#include "render/display.h"
#include "render/models.h"
#include "render/textures.h"
#include "render/view.h"

#include <allegro.h>
#include <alleggl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr int TEXTURE_SIZE = 16;
constexpr Rgb GROUND{255, 0, 255};
constexpr Rgb COMPUTER{255, 0, 0};
constexpr Rgb TRACKS{0, 0, 255};
constexpr Rgb HUMAN{255, 255, 0};
constexpr Rgb WHITE{255, 255, 255};
constexpr int COLOUR_TOLERANCE = 3;

// The texel column the barrel shows lies in this stripe of the patterned human texture.
constexpr int BARREL_STRIPE_FIRST = 10;
constexpr int BARREL_STRIPE_LAST = 13;

class MatchDisplay : public ::testing::Environment {
  public:
    void SetUp() override { ASSERT_TRUE(start_match_display()) << "no OpenGL display"; }
    void TearDown() override { stop_match_display(); }
};

const std::string &standard_textures() {
    static const std::string path = [] {
        std::string p = temp_path("standard.dat");
        write_datafile(p, {{true, uniform_image(TEXTURE_SIZE, GROUND)},
                           {true, uniform_image(TEXTURE_SIZE, COMPUTER)},
                           {true, uniform_image(TEXTURE_SIZE, TRACKS)},
                           {true, uniform_image(TEXTURE_SIZE, HUMAN)}});
        return p;
    }();
    return path;
}

// The human texture is a checkerboard with one stripe of a single colour where the barrel's
// texel lies.
const std::string &patterned_textures() {
    static const std::string path = [] {
        TestImage human = uniform_image(TEXTURE_SIZE, Rgb{0, 255, 255});
        for (int y = 0; y < TEXTURE_SIZE; ++y) {
            for (int x = 0; x < TEXTURE_SIZE; ++x) {
                Rgb &p = human.pixels[static_cast<size_t>(y) * TEXTURE_SIZE + x];
                if (x >= BARREL_STRIPE_FIRST && x <= BARREL_STRIPE_LAST) {
                    p = HUMAN;
                } else if ((x + y) % 2 == 1) {
                    p = Rgb{255, 0, 255};
                }
            }
        }
        std::string p = temp_path("patterned.dat");
        write_datafile(p, {{true, uniform_image(TEXTURE_SIZE, GROUND)},
                           {true, uniform_image(TEXTURE_SIZE, COMPUTER)},
                           {true, uniform_image(TEXTURE_SIZE, TRACKS)},
                           {true, human}});
        return p;
    }();
    return path;
}

::testing::AssertionResult colour_near(Rgb got, Rgb want, int tolerance = COLOUR_TOLERANCE) {
    if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
        std::abs(got.b - want.b) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "got (" << got.r << ", " << got.g << ", " << got.b << "), want (" << want.r << ", "
           << want.g << ", " << want.b << ")";
}

bool same_colour(Rgb a, Rgb b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// Pixels in [x0, x1) x [y0, y1) whose colour is (or is not) the given one.
int count_matching(const std::vector<uint8_t> &frame, int x0, int y0, int x1, int y1, Rgb colour,
                   bool equal) {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (same_colour(pixel_at(frame, x, y), colour) == equal) {
                ++n;
            }
        }
    }
    return n;
}

int differing_pixels(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b) {
    int n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); i += 3) {
        if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) {
            ++n;
        }
    }
    return n;
}

struct Sample {
    Rgb colour;
    double eye_depth;
    bool in_view;
};

Sample sample_world(const std::vector<uint8_t> &frame, int player, double x, double y, double z) {
    Projection p = project(player, x, y, z);
    return Sample{
        pixel_at(frame, static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y))),
        p.eye_depth, p.in_view};
}

Sample sample_tank(const std::vector<uint8_t> &frame, int player, int slot, double mx, double my,
                   double mz, bool turret) {
    const Tank &t = tanks[slot];
    double w[3];
    if (turret) {
        tank_model_to_world(t.turret_x, t.y, t.turret_z, t.turret_heading, mx, my, mz, w);
    } else {
        tank_model_to_world(t.x, t.y, t.z, t.heading, mx, my, mz, w);
    }
    return sample_world(frame, player, w[0], w[1], w[2]);
}

struct Box {
    int x0, y0, x1, y1;
};

// The screen rectangle around a tank's model as seen by a player.
Box tank_box(int player, int slot) {
    Box box{SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0};
    for (double mx : {-3.1, 4.94}) {
        for (double my : {-1.4, 1.4}) {
            for (double mz : {0.0, 2.08}) {
                const Tank &t = tanks[slot];
                double w[3];
                tank_model_to_world(t.x, t.y, t.z, t.heading, mx, my, mz, w);
                const Projection p = project(player, w[0], w[1], w[2]);
                box.x0 = std::min(box.x0, static_cast<int>(std::floor(p.x)));
                box.y0 = std::min(box.y0, static_cast<int>(std::floor(p.y)));
                box.x1 = std::max(box.x1, static_cast<int>(std::ceil(p.x)) + 1);
                box.y1 = std::max(box.y1, static_cast<int>(std::ceil(p.y)) + 1);
            }
        }
    }
    return box;
}

int count_in_box(const std::vector<uint8_t> &frame, const Box &b, Rgb colour) {
    return count_matching(frame, b.x0, b.y0, b.x1, b.y1, colour, true);
}

// Aims player 0's camera from a viewer at the origin looking along +z, then puts a live tank
// in slot 0 just ahead, side on: the camera stays where it was aimed.
void side_view_of_own_tank(float x, float z) {
    place_tank(0, 0.0f, 0.0f, 0.0f);
    aim_camera(0);
    place_tank(0, x, z, 90.0f);
}

Rgb fogged_rgb(Rgb c, double depth) {
    return fogged(c.r / 255.0, c.g / 255.0, c.b / 255.0, depth);
}

// A viewer that sees but is not drawn: the view follows a destroyed tank's slot as well.
void place_dead_viewer(int player, float x, float z, float heading) {
    place_tank(player, x, z, heading);
    tanks[player].life = 0;
    aim_camera(player);
}

void add_tree(int x, int z) {
    const int i = game_settings.number_of_trees;
    trees[i] = Tree{x, z};
    game_settings.number_of_trees = i + 1;
}

TEST(MatchPicture, EachPlayerDrawsOnlyIntoTheirPartOfTheScreen) {
    prepare_match_graphics(standard_textures());
    const Rgb sky = clear_colour();
    auto set_up = [](int last_human) {
        clear_world(last_human);
        for (int p = 0; p <= last_human; ++p) {
            place_tank(p, static_cast<float>(20 * p), 0.0f, static_cast<float>(30 * p));
            aim_camera(p);
        }
    };

    // One player: the view fills the window, ground along the whole bottom row.
    set_up(0);
    std::vector<uint8_t> frame = render_frame();
    EXPECT_EQ(count_matching(frame, 0, 0, 640, 1, sky, true), 0);

    // Two players: player 0 below, player 1 above.
    set_up(1);
    frame = render_single_view(0);
    EXPECT_EQ(count_matching(frame, 0, 240, 640, 480, sky, false), 0);
    EXPECT_EQ(count_matching(frame, 0, 0, 640, 1, sky, true), 0);
    frame = render_single_view(1);
    EXPECT_EQ(count_matching(frame, 0, 0, 640, 240, sky, false), 0);
    EXPECT_EQ(count_matching(frame, 0, 240, 640, 241, sky, true), 0);

    // Three players: the upper-right quarter belongs to nobody.
    set_up(2);
    frame = render_frame();
    EXPECT_EQ(count_matching(frame, 320, 240, 640, 480, sky, false), 0);
    EXPECT_EQ(count_matching(frame, 0, 0, 640, 1, sky, true), 0);
    EXPECT_EQ(count_matching(frame, 0, 240, 320, 241, sky, true), 0);

    // Four players: 0 and 1 on the left (lower, upper), 2 and 3 on the right.
    set_up(3);
    const std::array<std::array<int, 2>, 4> corners = {{{0, 0}, {0, 240}, {320, 0}, {320, 240}}};
    for (int p = 0; p < 4; ++p) {
        frame = render_single_view(p);
        const int x0 = corners[p][0];
        const int y0 = corners[p][1];
        const int outside = count_matching(frame, 0, 0, 640, 480, sky, false) -
                            count_matching(frame, x0, y0, x0 + 320, y0 + 240, sky, false);
        EXPECT_EQ(outside, 0) << "player " << p << " drew outside their quarter";
        EXPECT_EQ(count_matching(frame, x0, y0, x0 + 320, y0 + 1, sky, true), 0) << "player " << p;
    }
}

TEST(MatchPicture, ObjectsShowTheirColoursFoggedByEyeDepth) {
    prepare_match_graphics(standard_textures());
    clear_world(0);
    place_dead_viewer(0, 0.0f, 0.0f, 0.0f);
    add_tree(0, 40);
    add_tree(-20, 95);
    bullets[0] = Bullet{3.0f, 30.0f, 0.0f, 0.0f, 5};
    Particle &fragment = particles[0];
    fragment.x = -3.0f;
    fragment.y = -8.0f;
    fragment.z = 25.0f;
    fragment.red = 1.0f;
    fragment.green = 0.5f;
    fragment.blue = 0.0f;
    fragment.life = 5;
    place_tank(1, -3.0f, 6.0f, 90.0f);
    place_tank(2, 8.0f, 60.0f, 90.0f);
    const std::vector<uint8_t> frame = render_frame();

    struct Expectation {
        const char *what;
        Sample sample;
        double r, g, b; // the colour before fog
    };
    const std::vector<Expectation> expectations = {
        {"near tree", sample_world(frame, 0, 0.0, -6.0, 40.0), 0.0, 0.5, 0.0},
        {"far tree", sample_world(frame, 0, -20.0, -6.0, 95.0), 0.0, 0.5, 0.0},
        {"shell at its fixed height", sample_world(frame, 0, 3.0, -9.5, 30.0), 0.5, 0.5, 0.3},
        {"fragment", sample_world(frame, 0, -3.0, -8.0 - 0.2 / 3.0, 25.0), 1.0, 0.5, 0.0},
        {"near barrel", sample_tank(frame, 0, 1, 3.8, 0.0, 1.53, true), 1.0, 0.0, 0.0},
        {"near hull", sample_tank(frame, 0, 1, 2.4, -0.5, 1.0, false), 1.0, 0.0, 0.0},
        {"near track", sample_tank(frame, 0, 1, 0.0, 1.4, 0.7, false), 0.0, 0.0, 1.0},
        {"far track", sample_tank(frame, 0, 2, 0.0, 1.4, 0.7, false), 0.0, 0.0, 1.0},
    };
    for (const Expectation &e : expectations) {
        ASSERT_TRUE(e.sample.in_view) << e.what;
        EXPECT_TRUE(colour_near(e.sample.colour, fogged(e.r, e.g, e.b, e.sample.eye_depth)))
            << e.what << " at eye depth " << e.sample.eye_depth;
    }
    // The far objects are noticeably fogged, the near tank not at all.
    EXPECT_GT(expectations[1].sample.eye_depth, 9.0);
    EXPECT_LT(expectations[4].sample.eye_depth, 3.0);
}

TEST(MatchPicture, HumanTanksWearTheHumanTextureAndComputerTanksTheirOwn) {
    prepare_match_graphics(standard_textures());
    clear_world(1);
    place_dead_viewer(0, 0.0f, 0.0f, 0.0f);
    place_tank(1, -8.0f, 15.0f, 90.0f); // player 1
    place_tank(2, 8.0f, 15.0f, 90.0f);  // the first computer tank
    const std::vector<uint8_t> frame = render_single_view(0);
    const Box human = tank_box(0, 1);
    const Box computer = tank_box(0, 2);
    // +x lies to the left when looking along +z.
    ASSERT_TRUE(human.x1 <= computer.x0 || computer.x1 <= human.x0);
    EXPECT_GT(count_in_box(frame, human, HUMAN), 20);
    EXPECT_EQ(count_in_box(frame, human, COMPUTER), 0);
    EXPECT_GT(count_in_box(frame, computer, COMPUTER), 20);
    EXPECT_EQ(count_in_box(frame, computer, HUMAN), 0);
    EXPECT_GT(count_in_box(frame, human, TRACKS), 20);
    EXPECT_GT(count_in_box(frame, computer, TRACKS), 20);
}

// An object at 99.9 units from the viewing tank on an axis is drawn, one at 100 is not; the
// difference is truncated toward zero on both sides.
TEST(MatchPicture, DrawRangeIsAHundredUnitsOnEachGroundAxis) {
    prepare_match_graphics(standard_textures());
    const float viewer_x = 10.0f;
    const float viewer_z = -20.0f;
    struct Direction {
        float heading;
        float dx, dz;
    };
    const std::array<Direction, 5> directions = {{
        {90.0f, 1.0f, 0.0f},
        {0.0f, 0.0f, 1.0f},
        {270.0f, -1.0f, 0.0f},
        {180.0f, 0.0f, -1.0f},
        {45.0f, 1.0f, 1.0f},
    }};
    enum Kind { TANK, SHELLS, FRAGMENTS, TREE };
    auto place = [&](Kind kind, const Direction &d, float distance) {
        const float x = viewer_x + d.dx * distance;
        const float z = viewer_z + d.dz * distance;
        switch (kind) {
        case TANK:
            place_tank(1, x, z, d.heading + 90.0f);
            break;
        case SHELLS:
            // A row across the line of sight, so that distant shells cover whole pixels.
            for (int i = 0; i < 21; ++i) {
                const float across = -5.0f + 0.5f * static_cast<float>(i);
                bullets[i] = Bullet{x + d.dz * across, z + d.dx * across, 0.0f, 0.0f, 5};
            }
            break;
        case FRAGMENTS:
            // Four columns side by side, stepped along an axis that keeps them in range, so
            // that far fragments smaller than a pixel still cover some.
            for (int i = 0; i < 160; ++i) {
                Particle &p = particles[i];
                const float step = 0.3f * static_cast<float>(i / 40);
                p.x = d.dz == 0.0f ? x : x - step;
                p.z = d.dz == 0.0f ? z + step : z;
                p.y = -11.0f + 0.25f * static_cast<float>(i % 40);
                p.angle_y = d.heading;
                p.red = 1.0f;
                p.life = 5;
            }
            break;
        case TREE:
            add_tree(static_cast<int>(x), static_cast<int>(z));
            break;
        }
    };
    for (const Direction &d : directions) {
        for (Kind kind : {TANK, SHELLS, FRAGMENTS, TREE}) {
            // Shells keep to the ground plane; a diagonal row would leave the range.
            if (kind == SHELLS && d.dx != 0.0f && d.dz != 0.0f) {
                continue;
            }
            // Trees stand on whole numbers: 99 is the nearest inside.
            const float inside = kind == TREE ? 99.0f : 99.9f;
            clear_world(0);
            place_dead_viewer(0, viewer_x, viewer_z, d.heading);
            const std::vector<uint8_t> empty = render_frame();

            clear_world(0);
            place_dead_viewer(0, viewer_x, viewer_z, d.heading);
            place(kind, d, inside);
            EXPECT_GT(differing_pixels(render_frame(), empty), 0)
                << "kind " << kind << " at " << inside << " heading " << d.heading;

            clear_world(0);
            place_dead_viewer(0, viewer_x, viewer_z, d.heading);
            place(kind, d, 100.0f);
            EXPECT_EQ(differing_pixels(render_frame(), empty), 0)
                << "kind " << kind << " at 100, heading " << d.heading;
        }
    }
}

TEST(MatchPicture, AWallShowsOnlyWithinAHundredUnitsOfItsLine) {
    prepare_match_graphics(standard_textures());
    const Rgb sky = clear_colour();
    struct Case {
        float x, z, heading;
        double wall_x, wall_z;   // a point on the wall ahead, 2 below its top
        double along_x, along_z; // a second point further along the same wall
    };
    const std::array<Case, 4> cases = {{
        {0.0f, 50.0f, 0.0f, 0.0, 150.0, -40.0, 150.0},
        {50.0f, 0.0f, 90.0f, 150.0, 0.0, 150.0, -40.0},
        {-50.0f, 0.0f, 270.0f, -150.0, 0.0, -150.0, 40.0},
        {0.0f, -50.0f, 180.0f, 0.0, -150.0, 40.0, -150.0},
    }};
    for (const Case &c : cases) {
        for (bool near : {true, false}) {
            // 99.9 from the line truncates to 99; 100 stays 100.
            const float nudge = near ? 0.1f : 0.0f;
            const float x = c.x + (c.x > 0 ? nudge : c.x < 0 ? -nudge : 0.0f);
            const float z = c.z + (c.z > 0 ? nudge : c.z < 0 ? -nudge : 0.0f);
            clear_world(0);
            place_dead_viewer(0, x, z, c.heading);
            const std::vector<uint8_t> frame = render_frame();
            for (const auto &[wx, wz] : {std::pair{c.wall_x, c.wall_z}, {c.along_x, c.along_z}}) {
                const Sample s = sample_world(frame, 0, wx, -2.0, wz);
                ASSERT_TRUE(s.in_view);
                if (near) {
                    EXPECT_TRUE(colour_near(s.colour, fogged_rgb(COMPUTER, s.eye_depth)))
                        << "wall at (" << wx << ", " << wz << ") seen from (" << x << ", " << z
                        << ")";
                } else {
                    EXPECT_TRUE(colour_near(s.colour, sky, 0))
                        << "wall at (" << wx << ", " << wz << ") drawn from (" << x << ", " << z
                        << ")";
                }
            }
        }
    }
}

// A scene with something of everything, for comparing whole pictures.
void set_up_busy_scene() {
    clear_world(0);
    game_settings.arena_width = 60;
    game_settings.arena_height = 60;
    place_tank(0, 0.0f, 0.0f, 20.0f);
    aim_camera(0);
    place_tank(1, -6.0f, 15.0f, 90.0f);
    place_tank(2, 10.0f, 30.0f, 200.0f);
    add_tree(0, 40);
    add_tree(-15, 35);
    bullets[3] = Bullet{3.0f, 20.0f, 0.0f, 0.0f, 5};
    for (int i = 0; i < 20; ++i) {
        Particle &p = particles[i * 7];
        p.x = 5.0f + 0.3f * static_cast<float>(i);
        p.y = -9.0f;
        p.z = 18.0f;
        p.angle_z = static_cast<float>(20 * i);
        p.green = 1.0f;
        p.life = 5;
    }
}

TEST(MatchPicture, ASecondMatchShowsTheSamePicture) {
    prepare_match_graphics(standard_textures());
    set_up_busy_scene();
    const std::vector<uint8_t> first = render_frame();

    EXPECT_EQ(close_match_display(), 0);
    ASSERT_EQ(open_match_display(), 0);
    prepare_match_graphics(standard_textures());
    for (int i = 0; i < NUM_MODEL_LISTS; ++i) {
        EXPECT_EQ(model_lists[i], model_lists[0] + static_cast<uint32_t>(i));
        EXPECT_TRUE(glIsList(model_lists[i]));
    }
    set_up_busy_scene();
    const std::vector<uint8_t> second = render_frame();
    EXPECT_EQ(differing_pixels(first, second), 0);
    // And it is a real picture: the textured tank is there.
    EXPECT_GT(count_matching(second, 0, 0, 640, 480, COMPUTER, true), 0);
}

TEST(MatchPicture, TheBarrelShowsOneUniformColour) {
    prepare_match_graphics(patterned_textures());
    clear_world(0);
    side_view_of_own_tank(-3.0f, 6.0f);
    const std::vector<uint8_t> frame = render_frame();
    for (double x = 2.0; x <= 4.8; x += 0.2) {
        const Sample s = sample_tank(frame, 0, 0, x, 0.0, 1.53, true);
        ASSERT_LT(s.eye_depth, 3.0); // before the fog starts
        EXPECT_TRUE(colour_near(s.colour, HUMAN, 0)) << "barrel at model x " << x;
    }
    // The rest of the tank shows the pattern, not one colour.
    std::set<std::tuple<int, int, int>> colours;
    const Box box = tank_box(0, 0);
    for (int y = box.y0; y < box.y1; ++y) {
        for (int x = box.x0; x < box.x1; ++x) {
            const Rgb c = pixel_at(frame, x, y);
            colours.insert({c.r, c.g, c.b});
        }
    }
    EXPECT_GE(colours.size(), 5u);
}

TEST(MatchPicture, ShortOrOddDatafilesLeaveSurfacesUntextured) {
    // Two objects: the tracks and the human tanks have no texture.
    const std::string two = temp_path("two.dat");
    ASSERT_TRUE(write_datafile(two, {{true, uniform_image(TEXTURE_SIZE, GROUND)},
                                     {true, uniform_image(TEXTURE_SIZE, COMPUTER)}}));
    texture_ids.fill(7);
    prepare_match_graphics(two);
    EXPECT_NE(texture_ids[TEXTURE_GROUND], 0u);
    EXPECT_NE(texture_ids[TEXTURE_COMPUTER_TANK], 0u);
    EXPECT_EQ(texture_ids[TEXTURE_TRACKS], 0u);
    EXPECT_EQ(texture_ids[TEXTURE_HUMAN_TANK], 0u);

    clear_world(0);
    side_view_of_own_tank(-8.0f, 15.0f);
    place_tank(1, 8.0f, 15.0f, 90.0f);
    const Box human = tank_box(0, 0);
    const Box computer = tank_box(0, 1);
    std::vector<uint8_t> frame = render_frame();
    EXPECT_GT(count_in_box(frame, human, WHITE), 40);
    EXPECT_EQ(count_in_box(frame, human, HUMAN), 0);
    EXPECT_GT(count_in_box(frame, computer, COMPUTER), 20);
    EXPECT_GT(count_in_box(frame, computer, WHITE), 20); // its tracks
    EXPECT_EQ(count_in_box(frame, computer, TRACKS), 0);

    // Something other than a bitmap in a slot: that slot alone is untextured.
    const std::string odd = temp_path("odd.dat");
    ASSERT_TRUE(write_datafile(odd, {{true, uniform_image(TEXTURE_SIZE, GROUND)},
                                     {false, {}},
                                     {true, uniform_image(TEXTURE_SIZE, TRACKS)},
                                     {true, uniform_image(TEXTURE_SIZE, HUMAN)}}));
    prepare_match_graphics(odd);
    EXPECT_EQ(texture_ids[TEXTURE_COMPUTER_TANK], 0u);
    EXPECT_NE(texture_ids[TEXTURE_TRACKS], 0u);
    EXPECT_NE(texture_ids[TEXTURE_HUMAN_TANK], 0u);
    frame = render_frame();
    EXPECT_GT(count_in_box(frame, computer, WHITE), 20);
    EXPECT_EQ(count_in_box(frame, computer, COMPUTER), 0);
    EXPECT_GT(count_in_box(frame, human, HUMAN), 20);

    // No file at all: the names stay as they were.
    const std::array<uint32_t, NUM_TEXTURES> before = texture_ids;
    load_textures(temp_path("missing.dat").c_str(), NUM_TEXTURES);
    EXPECT_EQ(texture_ids, before);
}

TEST(MatchPicture, TankListsSetTheShadeModelAndShellAndTreeKeepIt) {
    prepare_match_graphics(standard_textures());
    for (int i = 0; i < NUM_MODEL_LISTS; ++i) {
        EXPECT_EQ(model_lists[i], model_lists[0] + static_cast<uint32_t>(i));
        EXPECT_TRUE(glIsList(model_lists[i]));
    }
    auto shade_model = [] {
        GLint mode = 0;
        glGetIntegerv(GL_SHADE_MODEL, &mode);
        return mode;
    };
    glShadeModel(GL_SMOOTH);
    glCallList(model_lists[HULL_LIST]);
    EXPECT_EQ(shade_model(), GL_FLAT);
    glCallList(model_lists[SHELL_LIST]);
    glCallList(model_lists[TREE_LIST]);
    EXPECT_EQ(shade_model(), GL_FLAT);
    glShadeModel(GL_SMOOTH);
    glCallList(model_lists[SHELL_LIST]);
    glCallList(model_lists[TREE_LIST]);
    EXPECT_EQ(shade_model(), GL_SMOOTH);

    // A frame with a tank in it ends with the barrel's smooth shading.
    glShadeModel(GL_FLAT);
    clear_world(0);
    place_tank(0, 0.0f, 0.0f, 0.0f);
    aim_camera(0);
    render_frame();
    EXPECT_EQ(shade_model(), GL_SMOOTH);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(MatchPicture, WithoutDisplayListsNoModelIsDrawn) {
    prepare_match_graphics(standard_textures());
    clear_world(0);
    place_dead_viewer(0, 0.0f, 0.0f, 0.0f);
    const std::vector<uint8_t> empty = render_frame();

    place_tank(1, -6.0f, 15.0f, 90.0f);
    add_tree(0, 40);
    bullets[0] = Bullet{3.0f, 30.0f, 0.0f, 0.0f, 5};
    EXPECT_GT(differing_pixels(render_frame(), empty), 0);
    model_lists.fill(0);
    EXPECT_EQ(differing_pixels(render_frame(), empty), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new MatchDisplay);
    return RUN_ALL_TESTS();
}
