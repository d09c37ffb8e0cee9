#include "test_support.h"

#include "match/movement.h"
#include "match/setup.h"
#include "match/update.h"

static Tank moving_tank(float x, float z, float velocity_x, float velocity_z, int life) {
    return Tank{x, -11, z, velocity_x, velocity_z, 0, 0, 0, 0, 0, 0, life};
}

// A treeless default arena with `count` live tanks in a row far from the origin.
static void open_field(int count) {
    reset_world();
    game_settings.number_of_trees = 0;
    game_settings.number_of_tanks = tanks_alive = count;
    for (int i = 0; i < count; ++i)
        tanks[i] = moving_tank(-140.0f + 10.0f * i, 140, 0, 0, 3);
}

// Each placement draws x, then z, as r mod 2h - h; a tank then draws its heading.
TEST(MatchSetup, TanksThenTreesTakeTheirDrawsInOrderInsideTheArena) {
    reset_world();
    // INT32_MAX doubled passes 32 bits; 30 trees; 20 tanks of life 4, the human ones' 6.
    game_settings = GameSettings{INT32_MAX, 23, 30, 20, 0.2f, 2, 50, 4, 6, 50, 1};
    tanks.fill(Tank{1, 2, 3, 5, -5, 6, 33, 7, 8, 0.2f, 7, 9}); // as the last match left them
    trees[30] = Tree{1234, 5678};
    bullets[499].life = particles[9999].life = 5;
    set_up_world(2);
    std::srand(1); // the seed of the reset
    const long long w = game_settings.arena_width, h = game_settings.arena_height;
    for (int i = 0; i < 20; ++i) {
        const Tank &t = tanks[i];
        EXPECT_EQ(t.x, static_cast<float>(replay_below(2 * w) - w)) << i;
        EXPECT_EQ(t.z, static_cast<float>(replay_below(2 * h) - h)) << i;
        EXPECT_EQ(t.heading, static_cast<float>(replay_below(360))) << i;
        // At rest on the ground with its life; turret heading, recoil and reload carry over.
        EXPECT_EQ(std::tuple(t.y, t.velocity_x, t.velocity_z, t.life, t.turret_heading, t.recoil,
                             t.reload),
                  std::tuple(-11.0f, 0.0f, 0.0f, i < 3 ? 6 : 4, 33.0f, 0.2f, 7))
            << i;
    }
    for (int i = 0; i < 30; ++i) {
        const int32_t x = replay_below(2 * w) - w, z = replay_below(2 * h) - h;
        EXPECT_EQ(std::pair(trees[i].x, trees[i].z), std::pair(x, z)) << i;
    }
    // Slots out of play are left alone; the pools are emptied.
    EXPECT_EQ(std::tuple(tanks_alive, tanks[20].life, trees[30].x), std::tuple(20, 9, 1234));
    EXPECT_EQ(std::pair(bullets[499].life, particles[9999].life), std::pair(0, 0));
    game_settings.number_of_tanks = 100000;
    set_up_world(3);
    EXPECT_EQ(tanks_alive, MAX_TANKS); // held to the table's capacity
    // Four players and three tanks: every player still has a placed, live tank in play.
    game_settings.number_of_tanks = 3;
    tanks[3] = Tank{};
    set_up_world(3);
    EXPECT_EQ(std::tuple(tanks_in_play(), tanks_alive, tanks[3].y, tanks[3].life),
              std::tuple(4, 4, -11.0f, 6));
    EXPECT_EQ(game_settings.number_of_tanks, 3); // the setting itself stays
}

TEST(WorldUpdate, TreesBlockTheOpenSquareAroundThemAfterTruncation) {
    const struct {
        float dx, dz;
        bool blocked;
    } cases[] = {{0, 0, true},         {1.99f, 0, true},     {2, 0, false},
                 {-1.99f, 0, true},    {-2, 0, false},       {1.5f, 2, false},
                 {0.5f, -1.99f, true}, {-1.5f, -1.5f, true}, {-2.5f, 1, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dz);
        open_field(1);
        game_settings.number_of_trees = 2;
        trees[1] = Tree{10, 10}; // past one that blocks nothing
        // Moved by (1, 5) to the offset: a blocked move is undone, the turret drawn one move ahead.
        const float x = 9 + c.dx, z = 5 + c.dz;
        tanks[0] = moving_tank(x, z, 1, 5, 3);
        update_world();
        const std::pair moved(x + 1, z + 5);
        EXPECT_EQ(std::pair(tanks[0].x, tanks[0].z), c.blocked ? std::pair(x, z) : moved);
        EXPECT_EQ(std::pair(tanks[0].turret_x, tanks[0].turret_z), moved);
    }
}

TEST(WorldUpdate, AShotItsRecoilAndReloadAsTanksStopFlushWithTheArenaEdges) {
    open_field(5);
    game_settings.arena_height = 120;
    game_settings.number_of_trees = 1; // at the origin
    game_settings.tank_fire_speed = 5;
    game_settings.bullet_speed = 1.5f;
    bullets.fill(Bullet{0, 0, 0, 0, 1});
    // A destroyed tank fires too, and its own velocity is not added to the bullet's.
    Tank &tank = tanks[0];
    tank = Tank{-140, -11, 140, 3, 0, 0, 270, 0, 0, -0.01f, 0, 0}; // turret facing -x
    fire_shell(0); // every slot in flight: the shot is dropped whole
    EXPECT_EQ(std::pair(tank.reload, tank.recoil), std::pair(0, -0.01f));
    bullets[3].life = bullets[9].life = -2;
    fire_shell(0);
    const Bullet &b = bullets[3];
    EXPECT_EQ(std::tuple(b.x, b.z, b.velocity_x, b.life, tank.reload, tank.recoil),
              std::tuple(-142.1f, 140.0f, -1.5f, 50, 5, 0.5f));
    EXPECT_NEAR(b.velocity_z, 0, 1e-6);
    const std::vector<PlayedSound> shot = {{&fake_samples[SOUND_SHOT], 255}}; // heard by itself
    EXPECT_EQ(played_sounds, shot);
    tanks[1] = moving_tank(149.9f, 10, 0.5f, 0, 3);
    tanks[2] = moving_tank(-149.9f, -119.8f, -0.5f, -0.5f, 3);
    tanks[3] = moving_tank(3, 119.5f, 0.25f, 1, 3);
    tanks[4] = moving_tank(0, 0, -INFINITY, NAN, 0); // destroyed tanks move too
    tanks[5].reload = 9;                             // not in play
    // NaN neither hits nor crashes; a NaN position truncates to 0, inside the tree there.
    bullets[5] = Bullet{NAN, NAN, 0, 0, 50};
    for (int tick = 1; tick <= 22; ++tick) {
        update_world();
        // The recoil runs down until it is spent, pushing the turret back against its heading.
        const float recoil = 0.5f - 0.03f * std::min(tick, 17);
        EXPECT_NEAR(tank.recoil, recoil, 1e-5) << tick;
        EXPECT_NEAR(tank.turret_x, tank.x + (tick <= 17 ? recoil : 0), 1e-5) << tick;
        EXPECT_EQ(tank.turret_z, tank.z) << tick;
        EXPECT_EQ(tank.reload, std::max(5 - tick, 0)) << tick;
    }
    const std::tuple<float, float, int> flush[3] = {{150, 10, 3}, {-150, -120, 3}, {8.5f, 120, 3}};
    for (int i = 1; i <= 3; ++i) // and not hit
        EXPECT_EQ(std::tuple(tanks[i].x, tanks[i].z, tanks[i].life), flush[i - 1]) << i;
    EXPECT_EQ(tanks[4].x, -150.0f);
    EXPECT_TRUE(std::isnan(tanks[4].z)); // NaN passes every bound
    EXPECT_EQ(std::pair(bullets[5].life, tanks[5].reload), std::pair(0, 9));
}

TEST(WorldUpdate, BulletsHitEveryLiveTankStrictlyWithinRootTwoAndADestroyedOneBursts) {
    open_field(5);
    tanks[0] = Tank{0, 500, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3}; // height plays no part
    tanks[1] = moving_tank(20, 0, 0, 0, 3);
    tanks[2] = moving_tank(20.5f, 0, 0, 0, 3);
    tanks[3] = moving_tank(-20.7f, 0.6f, 0, 0, 1);
    tanks[4] = moving_tank(0, 20, 0, 0, 3);
    // Each bullet arrives at its point in this tick, one unit on along z.
    const struct {
        float x, z;
        int life, life_after;
    } shots[] = {
        {1, 1, 10, 9},         // exactly root 2 from tank 0: a miss
        {1, 0.999f, 10, 0},    // a hair inside: a hit
        {20.25f, 0, 10, 0},    // hits tanks 1 and 2 alike
        {-20.7f, 0.6f, 10, 0}, // destroys tank 3...
        {-20.7f, 0.6f, 10, 9}, // ...once: the second bullet flies on
        {0, 20.5f, 1, 0},      // hits in the tick its life runs out
    };
    for (int b = 0; b < 6; ++b)
        bullets[b] = Bullet{shots[b].x, shots[b].z - 1, 0, 1, shots[b].life};
    particles[0].angle_x = 12.0f; // angles are left as the slot had them
    update_world();
    for (int b = 0; b < 6; ++b)
        EXPECT_EQ(bullets[b].life, shots[b].life_after) << b;
    const int lives[5] = {2, 2, 2, 0, 2};
    ASSERT_EQ(played_sounds.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(tanks[i].life, lives[i]) << i;
        EXPECT_EQ(played_sounds[i].first, &fake_samples[i == 3 ? SOUND_DESTROYED : SOUND_HIT]) << i;
    }
    EXPECT_EQ(tanks_alive, 4);
    std::srand(1); // the seed of the reset
    auto draw = [](long long n, long long offset) { return float(offset + replay_below(n)); };
    for (int i = 0; i < 150; ++i) {
        // Round (-20, -10, 0): tank 3 truncated toward zero, one above its base.
        const float x = draw(2, -21), y = draw(2, -11), z = draw(2, -1);
        Particle e{};
        e.velocity_x = draw(50, -25) / 100;
        const float rise = draw(125, 0) / 100;
        e.velocity_z = draw(50, -25) / 100;
        e.life = draw(100, 50) - 1;
        e.spin_x = draw(720, -360);
        e.spin_y = draw(720, -360);
        e.spin_z = draw(720, -360);
        const float red = draw(75, 25); // dark red through orange to yellow
        e.red = red / 100;
        e.green = draw(red + 1, 0) / 100;
        // The first move, in the same tick: along the velocity, spinning, falling.
        e.x = x + e.velocity_x;
        e.y = y + rise;
        e.z = z + e.velocity_z;
        e.velocity_y = static_cast<float>(rise - 0.098);
        e.angle_x = (i == 0 ? 12.0f : 0.0f) + e.spin_x;
        e.angle_y = e.spin_y;
        e.angle_z = e.spin_z;
        EXPECT_EQ(fields(particles[i]), fields(e)) << i;
    }
    EXPECT_EQ(particles[150].life, 0);
    for (const int alive : {2, 1}) { // the match ends in the tick fewer than two tanks are left
        tanks_alive = alive;
        update_world();
        EXPECT_EQ(match_over, alive < 2 ? 1 : 0);
    }
}

TEST(Explosion, AtTheIntLimitsWithANaNSpeedOrInAFullPoolStaysDefined) {
    // A tank at the far edge of the largest arena bursts at a saturated centre.
    open_field(3);
    game_settings.arena_width = game_settings.arena_height = INT32_MAX;
    tanks[1] = moving_tank(2147483648.0f, -2147483648.0f, 0, 0, 1);
    bullets[0] = Bullet{tanks[1].x, tanks[1].z, 0, 0, 5};
    update_world();
    EXPECT_GT(particles[0].x, 2.1e9f);
    EXPECT_LT(particles[0].z, -2.1e9f);
    // A NaN speed makes still fragments (in the slots after that burst), not a division by zero.
    spawn_explosion(2, 0, 0, 0, 0, NAN, 10, 0);
    EXPECT_EQ(std::pair(particles[150].velocity_x, particles[151].life), std::pair(0.0f, 10));
    // A full pool drops the fragments that do not fit, without drawing for them.
    particles.fill(Particle{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5}); // all in use
    particles[3].life = particles[9999].life = 0;
    std::srand(77);
    spawn_explosion(150, 40, 40, 40, 1, 0.25f, 100, 50);
    const long long next = replay_below(32768);
    std::srand(77);
    for (int i = 0; i < 2 * 12; ++i)
        replay_below(1);
    EXPECT_EQ(next, replay_below(32768));
    EXPECT_GT(particles[3].life, 0);
    EXPECT_GT(particles[9999].life, 0);
}

TEST(Sound, CuesAreHeardWithAVolumeFallingWithTheSquaredDistanceFromPlayerZero) {
    // Volume 255 - d^2 / 75^2 * 255, truncated; -1 is silence: nothing played.
    const struct {
        float listener_x;
        int x, z, volume;
    } cases[] = {{0, 0, 0, 255},     {0, 75, 0, 0},       {0, 45, -60, 0}, {0, 53, 0, 127},
                 {0.9f, 53, 0, 131}, {-0.01f, 75, 0, -1}, {0, 76, 0, -1},  {0, INT32_MIN, 0, -1},
                 {NAN, 0, 0, -1},    {INFINITY, 0, 0, -1}};
    reset_world();
    tanks[1].x = 75.0f; // no listener
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.listener_x << ", " << c.x);
        tanks[0].x = c.listener_x;
        played_sounds.clear();
        use_sound_data(nullptr); // silent without the datafile, or past its end
        play_sound_at(SOUND_HIT, c.x, c.z);
        use_sound_data(fake_sounds);
        play_sound_at(3, c.x, c.z);
        play_sound_at(SOUND_HIT, c.x, c.z);
        const std::vector<PlayedSound> heard = {{&fake_samples[SOUND_HIT], c.volume}};
        EXPECT_EQ(played_sounds, c.volume < 0 ? std::vector<PlayedSound>{} : heard);
    }
}
