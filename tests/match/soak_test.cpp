// A long run at the largest load: 500 tanks among 500 trees, four players holding changing
// chords of their keys (one of them steering the turret with the mouse), match after match.
// Run under the sanitizers, a stray index, an overflow or a leak in the tick shows here too.
#include "test_support.h"

#include "config/controls.h"
#include "match/setup.h"
#include "match/sound.h"
#include "match/tick.h"
#include "match/world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int SOAK_TICKS = 20000;
constexpr int PLAYERS = 4;
// A player's chord changes every this many ticks.
constexpr int CHORD_TICKS = 37;

bool finite(float a, float b) {
    return std::isfinite(a) && std::isfinite(b);
}

// The first broken rule of a world made from finite settings, or "" when it is whole.
std::string broken_rule() {
    int live = 0;
    for (int t = 0; t < tanks_in_play(); ++t) {
        const Tank &tank = tanks[t];
        if (tank.life < 0)
            return "tank " + std::to_string(t) + " has negative life";
        live += tank.life > 0;
        if (!finite(tank.x, tank.z) || !finite(tank.heading, tank.turret_heading))
            return "tank " + std::to_string(t) + " is not at a finite place";
        if (std::fabs(tank.x) > game_settings.arena_width ||
            std::fabs(tank.z) > game_settings.arena_height)
            return "tank " + std::to_string(t) + " left the arena";
    }
    if (live != tanks_alive)
        return std::to_string(live) + " tanks live, tanks_alive says " +
               std::to_string(tanks_alive);
    for (const Bullet &b : bullets)
        if (b.life > 0 && !finite(b.x, b.z))
            return "a bullet is not at a finite place";
    for (const Particle &p : particles)
        if (p.life > 0 && !(finite(p.x, p.z) && std::isfinite(p.y)))
            return "a fragment is not at a finite place";
    for (const PlayerCamera &c : player_cameras)
        if (!finite(c.translate_x, c.translate_z))
            return "a camera is not at a finite place";
    return "";
}

} // namespace

TEST(Soak, TwentyThousandTicksAtTheLargestLoadKeepTheWorldWhole) {
    reset_world();
    FakeSoundDevice device;
    FakeSoundData samples;
    sound_data = samples.objects;
    game_settings.number_of_tanks = MAX_TANKS;
    game_settings.number_of_trees = MAX_TREES;
    // Seven keys of its own for each player: scancodes 1 to 28, clear of Escape and F12.
    for (int p = 0; p < PLAYERS; ++p) {
        player_controls[p].control_type = p == PLAYERS - 1 ? CONTROL_MOUSE_KEYS : CONTROL_KEYBOARD;
        for (int a = 0; a < NUM_ACTIONS; ++a)
            player_controls[p].keys[a] = KEY_A + NUM_ACTIONS * p + a;
    }
    last_human_player = PLAYERS - 1;
    set_up_world(last_human_player);

    int matches = 1, most_bullets = 0, most_fragments = 0;
    for (int tick = 0; tick < SOAK_TICKS; ++tick) {
        for (int p = 0; p < PLAYERS; ++p) {
            const int chord = tick / CHORD_TICKS + 11 * p;
            for (int a = 0; a < NUM_ACTIONS; ++a)
                key[player_controls[p].keys[a]] = (chord >> a & 1) || a == ACTION_SHOOT;
        }
        mouse_motion_x = tick % 9 - 4;
        mouse_b = tick / CHORD_TICKS % 2;
        simulate_tick();
        device.clear();
        const std::string broken = broken_rule();
        ASSERT_EQ(broken, "") << "tick " << tick << " of match " << matches;
        most_bullets =
            std::max<int>(most_bullets, std::count_if(bullets.begin(), bullets.end(),
                                                      [](const Bullet &b) { return b.life > 0; }));
        most_fragments = std::max<int>(most_fragments,
                                       std::count_if(particles.begin(), particles.end(),
                                                     [](const Particle &p) { return p.life > 0; }));
        if (match_over) {
            ++matches;
            match_over = 0;
            set_up_world(last_human_player);
        }
    }
    // The load was the largest: the bullet pool nearly full, explosions overlapping, and most
    // tanks destroyed along the way.
    EXPECT_GT(most_bullets, MAX_BULLETS * 4 / 5);
    EXPECT_GT(most_fragments, 1000);
    EXPECT_TRUE(matches > 1 || tanks_alive < MAX_TANKS / 2) << tanks_alive << " tanks left";
    std::fill(key, key + KEY_MAX, 0);
    sound_data = nullptr;
}
