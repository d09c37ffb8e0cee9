// The view with its speed tricks against the plain view, every object in range sent on its own
// with none of them: the same worlds drawn both ways must give the same picture, but for
// rounding on a few edge pixels.
#include "render_harness.h"

#include "match/control.h"
#include "match/world.h"
#include "render/display.h"
#include "render/view_tricks.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace {

// A pixel differs when a channel is off by more than this, and at most this share of a
// frame's pixels may differ: triangles meet the pixel grid a little differently when their
// corners are placed on the CPU, which moves a pixel here and there along edges.
constexpr int CHANNEL_TOLERANCE = 2;
constexpr double DIFFERING_SHARE = 0.0005;
// Up close, every object within this distance of the player: across the near plane, the
// frustum's sides and the wall.
constexpr float CLOSE_SPREAD = 25.0f;

int differing_pixels(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b) {
    int n = 0;
    for (size_t i = 0; i < a.size(); i += 3) {
        n += std::abs(a[i] - b[i]) > CHANNEL_TOLERANCE ||
             std::abs(a[i + 1] - b[i + 1]) > CHANNEL_TOLERANCE ||
             std::abs(a[i + 2] - b[i + 2]) > CHANNEL_TOLERANCE;
    }
    return n;
}

// Everything crowded round the players: tanks beside and under the camera, shells and
// fragments in front of the lens, trees through the frustum's sides, a wall in range, a dead
// tank, and a tank of each player right by the others.
void fill_close_world(int last_human, unsigned seed) {
    fill_max_load_world(last_human, seed);
    std::minstd_rand random(seed);
    std::uniform_real_distribution<float> close(-CLOSE_SPREAD, CLOSE_SPREAD);
    std::uniform_real_distribution<float> angle(0.0f, 360.0f);
    game_settings.arena_width = 60;
    for (int i = last_human + 1; i < MAX_TANKS; i += 7) {
        place_tank(i, close(random), close(random), angle(random));
        tanks[i].turret_heading = angle(random);
        tanks[i].life = i % 5 == 0 ? 0 : 1;
    }
    for (int i = 0; i < MAX_TREES; i += 9) {
        trees[i] = Tree{static_cast<int32_t>(close(random)), static_cast<int32_t>(close(random))};
    }
    for (int i = 0; i < MAX_BULLETS; i += 3) {
        bullets[i].x = close(random);
        bullets[i].z = close(random);
    }
    for (int i = 0; i < MAX_PARTICLES; i += 4) {
        particles[i].x = close(random);
        particles[i].z = close(random);
        particles[i].y = GROUND_Y + 12.0f + close(random) / 5.0f;
    }
}

TEST(ViewTricks, DrawTheSamePictureAsThePlainView) {
    ASSERT_TRUE(start_match_display());
    prepare_match_graphics();
    const int allowed = static_cast<int>(DIFFERING_SHARE * SCREEN_WIDTH * SCREEN_HEIGHT);
    for (int last_human = 0; last_human < MAX_PLAYERS; ++last_human) {
        for (unsigned seed = 1; seed <= 2; ++seed) {
            for (const bool close : {false, true}) {
                SCOPED_TRACE(testing::Message() << last_human + 1 << " players, seed " << seed
                                                << (close ? ", close up" : ", spread out"));
                if (close) {
                    fill_close_world(last_human, seed);
                } else {
                    fill_max_load_world(last_human, seed);
                }
                view_tricks = PLAIN_VIEW;
                const std::vector<uint8_t> plain_frame = render_frame();
                view_tricks = ViewTricks{};
                const std::vector<uint8_t> frame = render_frame();
                EXPECT_LE(differing_pixels(plain_frame, frame), allowed);
                // The scene is a real picture: plenty differs from an empty arena.
                clear_world(last_human);
                update_camera(0);
                EXPECT_GT(differing_pixels(render_frame(), frame), 20 * allowed);
            }
        }
    }
    stop_match_display();
}

} // namespace
