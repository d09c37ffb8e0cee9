#include "test_support.h"

#include "match/movement.h"
#include "match/sound.h"
#include "match/update.h"
#include "match/world.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// A treeless arena with `count` live tanks parked far from the origin, in a row.
void open_field(int count) {
    reset_world();
    game_settings.number_of_trees = 0;
    game_settings.number_of_tanks = count;
    for (int i = 0; i < count; ++i) {
        tanks[i].x = -140.0f + 10.0f * i;
        tanks[i].y = -11.0f;
        tanks[i].z = 140.0f;
        tanks[i].life = 3;
    }
    tanks_alive = count;
}

Bullet &bullet_in_flight(int slot, float x, float z, float vx, float vz, int life) {
    bullets[slot] = Bullet{x, z, vx, vz, life};
    return bullets[slot];
}

int live_fragments() {
    int n = 0;
    for (const Particle &p : particles) {
        n += p.life > 0 ? 1 : 0;
    }
    return n;
}

TEST(WorldUpdate, TanksMoveAndStopFlushWithTheArenaEdges) {
    open_field(4);
    game_settings.arena_width = 150;
    game_settings.arena_height = 120;
    tanks[0] = Tank{149.9f, -11, 10, 0.5f, 0, 0, 0, 0, 0, 0, 0, 3};
    tanks[1] = Tank{-149.9f, -11, -119.8f, -0.5f, -0.5f, 0, 0, 0, 0, 0, 0, 3};
    tanks[2] = Tank{3, -11, 119.5f, 0.25f, 1e9f, 0, 0, 0, 0, 0, 0, 3};
    tanks[3] = Tank{0, -11, 0, -std::numeric_limits<float>::infinity(), 0, 0, 0, 0, 0, 0, 0, 0};
    update_world();
    EXPECT_EQ(tanks[0].x, 150.0f);
    EXPECT_EQ(tanks[0].z, 10.0f);
    EXPECT_EQ(tanks[1].x, -150.0f);
    EXPECT_EQ(tanks[1].z, -120.0f);
    EXPECT_EQ(tanks[2].x, 3.25f);
    EXPECT_EQ(tanks[2].z, 120.0f);
    // A destroyed tank still moves by its last velocity; an infinite one ends at the edge.
    EXPECT_EQ(tanks[3].x, -150.0f);
    EXPECT_EQ(tanks[0].turret_x, 150.0f);
}

TEST(WorldUpdate, TreesBlockTheOpenSquareAroundThemAfterTruncation) {
    struct Case {
        float dx, dz;
        bool blocked;
    };
    const Case cases[] = {
        {0.0f, 0.0f, true},   {1.99f, 0.0f, true},  {2.0f, 0.0f, false},  {-1.99f, 0.0f, true},
        {-2.0f, 0.0f, false}, {-1.5f, -1.5f, true}, {1.6f, 1.6f, true},   {1.5f, 2.0f, false},
        {2.5f, 0.0f, false},  {-2.5f, 1.0f, false}, {0.5f, -1.99f, true}, {0.5f, -2.0f, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "dx " << c.dx << " dz " << c.dz);
        open_field(1);
        game_settings.number_of_trees = 3;
        trees[0] = Tree{-60, -60};
        trees[1] = Tree{10, 10};
        trees[2] = Tree{60, 60};
        // Arrive from five units away along z, the target square offset by (dx, dz).
        Tank &tank = tanks[0];
        tank.x = 10.0f + c.dx;
        tank.z = 10.0f + c.dz - 5.0f;
        tank.velocity_z = 5.0f;
        const float before_z = tank.z;
        update_world();
        EXPECT_EQ(tank.x, 10.0f + c.dx);
        EXPECT_EQ(tank.z, c.blocked ? before_z : before_z + 5.0f);
        // The turret is worked out before the trees: it follows the move either way.
        EXPECT_EQ(tank.turret_z, before_z + 5.0f);
    }

    // A blocked move is undone whole: the tank does not slide along the tree.
    open_field(1);
    game_settings.number_of_trees = 1;
    trees[0] = Tree{0, 0};
    tanks[0].x = -2.5f;
    tanks[0].z = -2.5f;
    tanks[0].velocity_x = 1.0f;
    tanks[0].velocity_z = 1.0f;
    update_world();
    EXPECT_EQ(tanks[0].x, -2.5f);
    EXPECT_EQ(tanks[0].z, -2.5f);
    EXPECT_EQ(tanks[0].turret_x, -1.5f);
}

TEST(WorldUpdate, RecoilSettlesInSeventeenTicksWithTheTurretPushedBack) {
    open_field(1);
    Tank &tank = tanks[0];
    tank.x = 20.0f;
    tank.z = -30.0f;
    tank.turret_heading = 90.0f; // facing +x
    fire_shell(0);
    ASSERT_FLOAT_EQ(tank.recoil, 0.5f);
    for (int tick = 1; tick <= 17; ++tick) {
        SCOPED_TRACE(tick);
        update_world();
        const float expected = 0.5f - 0.03f * tick;
        EXPECT_NEAR(tank.recoil, expected, 1e-5);
        if (tick < 17) {
            EXPECT_NEAR(tank.turret_x, 20.0f - expected, 1e-5);
            EXPECT_NEAR(tank.turret_z, -30.0f, 1e-5);
        }
    }
    EXPECT_LT(tank.recoil, 0.0f);
    const float settled = tank.recoil;
    for (int tick = 0; tick < 5; ++tick) {
        update_world();
    }
    EXPECT_EQ(tank.recoil, settled);
    EXPECT_EQ(tank.turret_x, tank.x);
    EXPECT_EQ(tank.turret_z, tank.z);

    // Facing +z the turret is pushed back along z instead.
    open_field(1);
    tanks[0].turret_heading = 360.0f;
    tanks[0].recoil = 0.5f;
    update_world();
    EXPECT_NEAR(tanks[0].turret_x, tanks[0].x, 1e-5);
    EXPECT_NEAR(tanks[0].turret_z, tanks[0].z - 0.47f, 1e-5);
}

TEST(WorldUpdate, ReloadCountsDownToZeroForEveryTankInPlay) {
    open_field(3);
    tanks[0].reload = 3;
    tanks[1].reload = 2;
    tanks[1].life = 0;
    tanks[2].reload = -4;
    tanks[3].reload = 9; // not in play
    for (int tick = 0; tick < 3; ++tick) {
        update_world();
    }
    EXPECT_EQ(tanks[0].reload, 0);
    EXPECT_EQ(tanks[1].reload, 0);
    EXPECT_EQ(tanks[2].reload, -4);
    EXPECT_EQ(tanks[3].reload, 9);

    // A driver that fires whenever it may fires once every tank_fire_speed ticks.
    open_field(1);
    game_settings.tank_fire_speed = 5;
    game_settings.bullet_life = 1000;
    int shots = 0;
    for (int tick = 0; tick < 20; ++tick) {
        int before = tanks[0].reload;
        fire_shell(0);
        shots += before <= 0 ? 1 : 0;
        update_world();
    }
    EXPECT_EQ(shots, 4);
    int in_flight = 0;
    for (const Bullet &b : bullets) {
        in_flight += b.life > 0 ? 1 : 0;
    }
    EXPECT_EQ(in_flight, 4);
}

TEST(WorldUpdate, BulletsFlyAgeAndLeaveTheArenaFreely) {
    open_field(1);
    bullet_in_flight(4, 149.5f, 0.0f, 1.0f, -0.5f, 3);
    bullet_in_flight(5, 0.0f, 0.0f, 1.0f, 0.0f, 0); // free: does not move
    update_world();
    EXPECT_EQ(bullets[4].x, 150.5f);
    EXPECT_EQ(bullets[4].z, -0.5f);
    EXPECT_EQ(bullets[4].life, 2);
    EXPECT_EQ(bullets[5].x, 0.0f);
    update_world();
    update_world();
    EXPECT_EQ(bullets[4].life, 0);
    update_world();
    EXPECT_EQ(bullets[4].x, 152.5f);
}

TEST(WorldUpdate, BulletsHitWithinRootTwoOnTheGroundOnly) {
    // Exactly sqrt 2 away (1, 1) misses; a hair inside hits, whatever the height.
    open_field(2);
    tanks[0].x = 0.0f;
    tanks[0].z = 0.0f;
    tanks[0].y = 500.0f;
    bullet_in_flight(0, 1.0f, 0.0f, 0.0f, 1.0f, 10);
    update_world();
    EXPECT_EQ(tanks[0].life, 3);
    EXPECT_EQ(bullets[0].life, 9);

    open_field(2);
    tanks[0].x = 0.0f;
    tanks[0].z = 0.0f;
    tanks[0].y = 500.0f;
    bullet_in_flight(0, 1.0f, 0.0f, 0.0f, 0.999f, 10);
    update_world();
    EXPECT_EQ(tanks[0].life, 2);
    EXPECT_EQ(bullets[0].life, 0);
    EXPECT_EQ(tanks_alive, 2);

    // One bullet between two live tanks hits both; a destroyed tank is passed through.
    open_field(3);
    tanks[0].x = 0.0f;
    tanks[0].z = 0.0f;
    tanks[1].x = 0.5f;
    tanks[1].z = 0.0f;
    tanks[2].x = 0.25f;
    tanks[2].z = 0.0f;
    tanks[2].life = 0;
    bullet_in_flight(7, 0.25f, -1.0f, 0.0f, 1.0f, 10);
    update_world();
    EXPECT_EQ(tanks[0].life, 2);
    EXPECT_EQ(tanks[1].life, 2);
    EXPECT_EQ(tanks[2].life, 0);
    EXPECT_EQ(bullets[7].life, 0);

    // A bullet still hits in the tick its life runs out.
    open_field(2);
    tanks[1].x = 0.0f;
    tanks[1].z = 0.0f;
    bullet_in_flight(0, 0.0f, -1.0f, 0.0f, 1.0f, 1);
    update_world();
    EXPECT_EQ(tanks[1].life, 2);

    // Trees stop bullets, also in their last tick.
    open_field(1);
    game_settings.number_of_trees = 1;
    trees[0] = Tree{30, 30};
    bullet_in_flight(0, 31.5f, 27.0f, 0.0f, 1.0f, 5);
    bullet_in_flight(1, 28.1f, 28.0f, 0.0f, 1.0f, 5);
    bullet_in_flight(2, 32.0f, 30.0f, 0.0f, 0.0f, 5);
    update_world();
    EXPECT_EQ(bullets[0].life, 4); // at z 28: two away, outside the open square
    EXPECT_EQ(bullets[1].life, 0);
    EXPECT_EQ(bullets[2].life, 4);
    update_world();
    EXPECT_EQ(bullets[0].life, 0);
}

TEST(WorldUpdate, ALastLifeIsLostOnceAndTheTankBurstsIntoFragments) {
    FakeSoundDevice device;
    FakeSoundData data;
    open_field(3);
    sound_data = data.objects;
    tanks[0].x = 0.0f;
    tanks[0].z = 0.0f;
    tanks[2] = Tank{10.7f, -11.0f, -5.6f, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    bullet_in_flight(0, 10.7f, -6.6f, 0.0f, 1.0f, 10);
    bullet_in_flight(1, 10.7f, -6.6f, 0.0f, 1.0f, 10);
    update_world();

    EXPECT_EQ(tanks[2].life, 0);
    EXPECT_EQ(tanks_alive, 2);
    EXPECT_EQ(bullets[0].life, 0);
    EXPECT_EQ(bullets[1].life, 9); // flies on
    EXPECT_EQ(match_over, 0);
    ASSERT_EQ(live_fragments(), 150);
    ASSERT_EQ(device.played().size(), 1u);
    EXPECT_EQ(device.played()[0].sample, &data.samples[SOUND_DESTROYED]);

    // The fragments were thrown up around (10, -10, -5), truncated toward zero, and have
    // already had their first move of this tick.
    for (int i = 0; i < 150; ++i) {
        const Particle &p = particles[i];
        float x0 = p.x - p.velocity_x;
        float y0 = p.y - (p.velocity_y + 0.098f);
        float z0 = p.z - p.velocity_z;
        EXPECT_TRUE(std::fabs(x0 - 10.0f) < 1e-4f || std::fabs(x0 - 9.0f) < 1e-4f) << x0;
        EXPECT_TRUE(std::fabs(y0 + 10.0f) < 1e-4f || std::fabs(y0 + 11.0f) < 1e-4f) << y0;
        EXPECT_TRUE(std::fabs(z0 + 5.0f) < 1e-4f || std::fabs(z0 + 6.0f) < 1e-4f) << z0;
        EXPECT_GE(p.life, 49);
        EXPECT_LE(p.life, 148);
    }

    // A hit that leaves life plays the hit sound only.
    device.clear();
    bullet_in_flight(0, 0.0f, -1.0f, 0.0f, 1.0f, 10);
    update_world();
    EXPECT_EQ(tanks[0].life, 2);
    ASSERT_EQ(device.played().size(), 1u);
    EXPECT_EQ(device.played()[0].sample, &data.samples[SOUND_HIT]);

    // Destroying the next tank leaves one alive: the match is over in that tick.
    tanks[1].life = 1;
    bullet_in_flight(0, tanks[1].x, tanks[1].z, 0.0f, 0.0f, 10);
    update_world();
    EXPECT_EQ(tanks_alive, 1);
    EXPECT_EQ(match_over, 1);
}

TEST(WorldUpdate, TheEndTestNeedsFewerThanTwoTanks) {
    for (int alive : {2, 5}) {
        open_field(5);
        tanks_alive = alive;
        update_world();
        EXPECT_EQ(match_over, 0) << alive;
    }
    for (int alive : {1, 0}) {
        open_field(5);
        tanks_alive = alive;
        update_world();
        EXPECT_EQ(match_over, 1) << alive;
    }
}

TEST(WorldUpdate, FragmentsMoveSpinThenFall) {
    open_field(2);
    Particle &p = particles[9999];
    p = Particle{1, 2, 3, 0.5f, 1.0f, -0.25f, 10, 20, 30, 5, -7, 360, 0.5f, 0.25f, 0, 4};
    particles[3] = Particle{1, 1, 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0};
    update_world();
    EXPECT_EQ(p.life, 3);
    EXPECT_FLOAT_EQ(p.x, 1.5f);
    EXPECT_FLOAT_EQ(p.y, 3.0f); // moved by the velocity it had before gravity
    EXPECT_FLOAT_EQ(p.z, 2.75f);
    EXPECT_FLOAT_EQ(p.angle_x, 15.0f);
    EXPECT_FLOAT_EQ(p.angle_y, 13.0f);
    EXPECT_FLOAT_EQ(p.angle_z, 390.0f);
    EXPECT_FLOAT_EQ(p.velocity_y, 0.902f);
    EXPECT_EQ(particles[3].x, 1.0f);
    for (int tick = 0; tick < 3; ++tick) {
        update_world();
    }
    EXPECT_EQ(p.life, 0);
    EXPECT_NEAR(p.y, 3.0f + 0.902f + 0.804f + 0.706f, 1e-4);
    const float rested = p.y;
    update_world();
    EXPECT_EQ(p.y, rested);
}

TEST(Explosion, DrawsComeInTheirOrderPerFragment) {
    reset_world();
    particles[0].angle_x = 12.0f;
    particles[0].angle_y = -4.0f;
    std::srand(123);
    spawn_explosion(4, 5, -10, 7, 1, 0.25f, 100, 50);
    std::srand(123);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const Particle &p = particles[i];
        EXPECT_EQ(p.x, static_cast<float>(5 + replay_below(2) - 1));
        EXPECT_EQ(p.y, static_cast<float>(-10 + replay_below(2) - 1));
        EXPECT_EQ(p.z, static_cast<float>(7 + replay_below(2) - 1));
        EXPECT_FLOAT_EQ(p.velocity_x, (replay_below(50) - 25) / 100.0f);
        EXPECT_FLOAT_EQ(p.velocity_y, replay_below(125) / 100.0f);
        EXPECT_FLOAT_EQ(p.velocity_z, (replay_below(50) - 25) / 100.0f);
        EXPECT_EQ(p.life, 100 + replay_below(100) - 50);
        EXPECT_EQ(p.spin_x, static_cast<float>(replay_below(720) - 360));
        EXPECT_EQ(p.spin_y, static_cast<float>(replay_below(720) - 360));
        EXPECT_EQ(p.spin_z, static_cast<float>(replay_below(720) - 360));
        long long a = replay_below(75) + 25;
        EXPECT_FLOAT_EQ(p.red, a / 100.0f);
        EXPECT_FLOAT_EQ(p.green, replay_below(a + 1) / 100.0f);
        EXPECT_EQ(p.blue, 0.0f);
    }
    // Angles are left as the slot had them.
    EXPECT_EQ(particles[0].angle_x, 12.0f);
    EXPECT_EQ(particles[0].angle_y, -4.0f);
    EXPECT_EQ(particles[4].life, 0);
}

TEST(Explosion, ValuesStayInTheirRanges) {
    reset_world();
    std::srand(2024);
    for (int burst = 0; burst < 60; ++burst) {
        spawn_explosion(150, 0, 0, 0, 1, 0.25f, 100, 50);
    }
    bool some_yellow = false;
    bool some_dark = false;
    for (int i = 0; i < 9000; ++i) {
        const Particle &p = particles[i];
        ASSERT_GE(p.velocity_x, -0.25f);
        ASSERT_LE(p.velocity_x, 0.24f + 1e-6f);
        ASSERT_GE(p.velocity_y, 0.0f);
        ASSERT_LE(p.velocity_y, 1.24f + 1e-6f);
        ASSERT_GE(p.life, 50);
        ASSERT_LE(p.life, 149);
        ASSERT_GE(p.spin_x, -360.0f);
        ASSERT_LE(p.spin_z, 359.0f);
        ASSERT_GE(p.red, 0.25f - 1e-6f);
        ASSERT_LE(p.red, 0.99f + 1e-6f);
        ASSERT_LE(p.green, p.red);
        ASSERT_EQ(p.blue, 0.0f);
        some_yellow = some_yellow || p.green > 0.9f;
        some_dark = some_dark || p.red < 0.3f;
    }
    EXPECT_TRUE(some_yellow);
    EXPECT_TRUE(some_dark);
    EXPECT_EQ(particles[9000].life, 0);
}

TEST(Explosion, AFullPoolDropsTheRestWithoutDrawingForThem) {
    reset_world();
    for (Particle &p : particles) {
        p.life = 5;
        p.x = -1.0f;
    }
    const int holes[] = {3, 7, 9992, 9993, 9994, 9995, 9996, 9997, 9998, 9999};
    for (int slot : holes) {
        particles[slot].life = 0;
    }
    std::srand(77);
    spawn_explosion(150, 40, 40, 40, 1, 0.25f, 100, 50);
    const int next = replay_draw();
    std::srand(77);
    skip_draws(10 * 12);
    EXPECT_EQ(next, replay_draw());
    for (int slot : holes) {
        EXPECT_GT(particles[slot].life, 0) << slot;
        EXPECT_GE(particles[slot].x, 39.0f) << slot;
    }
    EXPECT_EQ(particles[4].x, -1.0f);

    // Nothing free: nothing written and nothing drawn.
    std::srand(78);
    spawn_explosion(150, 0, 0, 0, 1, 0.25f, 100, 50);
    const int first = replay_draw();
    std::srand(78);
    EXPECT_EQ(first, replay_draw());

    // A fragment born with no life leaves its slot free for the next one.
    reset_world();
    particles[1].x = 55.0f;
    spawn_explosion(20, 0, 0, 0, 1, 0.25f, 0, 1);
    EXPECT_EQ(live_fragments(), 0);
    EXPECT_EQ(particles[1].x, 55.0f);
}

TEST(WorldUpdate, NonFiniteValuesFromSettingsStayDefined) {
    // A tank at the far edge of the largest arena bursts at a saturated centre.
    open_field(3);
    game_settings.arena_width = INT_MAX;
    game_settings.arena_height = INT_MAX;
    const float edge = 2147483648.0f; // the largest half-extent as a float
    tanks[1].x = edge;
    tanks[1].z = -edge;
    tanks[1].life = 1;
    bullet_in_flight(0, edge, -edge, 0.0f, 0.0f, 5);
    update_world();
    EXPECT_EQ(tanks[1].life, 0);
    ASSERT_EQ(live_fragments(), 150);
    for (int i = 0; i < 150; ++i) {
        EXPECT_GT(particles[i].x, 2.1e9f);
        EXPECT_LT(particles[i].z, -2.1e9f);
    }

    // NaN positions and speeds neither hit nor crash; NaN explosion arguments make a
    // still fragment instead of dividing by zero.
    open_field(2);
    game_settings.number_of_trees = 1;
    trees[0] = Tree{0, 0};
    const float nan = std::numeric_limits<float>::quiet_NaN();
    tanks[0].x = nan;
    tanks[1].velocity_x = nan;
    bullet_in_flight(0, nan, nan, 0.0f, 0.0f, 5);
    update_world();
    EXPECT_EQ(tanks[0].life, 3);
    EXPECT_EQ(bullets[0].life, 0); // a NaN position truncates to 0: inside the tree
    reset_world();
    spawn_explosion(2, 0, 0, 0, 0, nan, 10, 0);
    EXPECT_EQ(particles[0].velocity_x, 0.0f);
    EXPECT_EQ(particles[0].x, 0.0f);
    EXPECT_EQ(particles[1].life, 10);
}

} // namespace
