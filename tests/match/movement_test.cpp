#include "test_support.h"

#include "match/movement.h"
#include "match/sound.h"
#include "match/world.h"

#include <gtest/gtest.h>

namespace {

TEST(Movement, TurnsAndVelocitiesFollowTheHullHeading) {
    reset_world();
    game_settings.tank_rotation_speed = 3.5f;
    game_settings.tank_speed = 0.4f;
    Tank &tank = tanks[2];
    tank.heading = 10.0f;
    turn_left(2);
    EXPECT_EQ(tank.heading, 13.5f);
    turn_right(2);
    turn_right(2);
    EXPECT_EQ(tank.heading, 6.5f);
    turn_left(2);
    turn_right(2);
    EXPECT_EQ(tank.heading, 6.5f);

    tank.heading = 0.0f;
    move_backwards(2);
    EXPECT_NEAR(tank.velocity_x, 0.0f, 1e-7);
    EXPECT_FLOAT_EQ(tank.velocity_z, -0.4f);
    tank.heading = 90.0f;
    move_forwards(2);
    EXPECT_FLOAT_EQ(tank.velocity_x, 0.4f);
    EXPECT_NEAR(tank.velocity_z, 0.0f, 1e-7);
    // Headings are never wrapped; 30 and 30 + 720 drive the same way.
    tank.heading = 750.0f;
    move_forwards(2);
    EXPECT_NEAR(tank.velocity_x, 0.2f, 1e-6);
    EXPECT_NEAR(tank.velocity_z, 0.34641f, 1e-5);
    stop_tank(2);
    EXPECT_EQ(tank.velocity_x, 0.0f);
    EXPECT_EQ(tank.velocity_z, 0.0f);
    // The primitives only set velocities; nothing moved.
    EXPECT_EQ(tank.x, 0.0f);
    EXPECT_EQ(tanks[1].heading, 0.0f);
}

TEST(Movement, AShotLeavesFromTheMuzzleAlongTheTurret) {
    reset_world();
    game_settings.bullet_speed = 1.5f;
    game_settings.bullet_life = 40;
    game_settings.tank_fire_speed = 33;
    Tank &tank = tanks[1];
    tank.x = 10.0f;
    tank.z = 20.0f;
    tank.heading = 0.0f;
    tank.turret_heading = 90.0f;
    tank.velocity_x = 3.0f; // not added to the bullet
    fire_shell(1);
    const Bullet &b = bullets[0];
    EXPECT_EQ(b.life, 40);
    EXPECT_FLOAT_EQ(b.x, 12.1f);
    EXPECT_NEAR(b.z, 20.0f, 1e-5);
    EXPECT_FLOAT_EQ(b.velocity_x, 1.5f);
    EXPECT_NEAR(b.velocity_z, 0.0f, 1e-6);
    EXPECT_EQ(tank.reload, 33);
    EXPECT_EQ(tank.recoil, 0.5f);

    // Reloading: nothing happens, not even to the next slot.
    fire_shell(1);
    EXPECT_EQ(bullets[1].life, 0);

    // The first free slot is taken, holes first; a destroyed tank still fires.
    tank.reload = 0;
    tank.life = 0;
    tank.turret_heading = 180.0f;
    bullets[1].life = 5;
    fire_shell(1);
    EXPECT_EQ(bullets[2].life, 40);
    EXPECT_NEAR(bullets[2].x, 10.0f, 1e-5);
    EXPECT_FLOAT_EQ(bullets[2].z, 17.9f);
    EXPECT_FLOAT_EQ(bullets[2].velocity_z, -1.5f);

    bullets[0].life = -3;
    tank.reload = -1;
    fire_shell(1);
    EXPECT_EQ(bullets[0].life, 40);
}

TEST(Movement, AShotWithEveryBulletInFlightIsDroppedWhole) {
    FakeSoundDevice device;
    FakeSoundData data;
    reset_world();
    sound_data = data.objects;
    for (Bullet &b : bullets) {
        b.life = 7;
        b.x = 99.0f;
    }
    tanks[0].recoil = -0.01f;
    fire_shell(0);
    EXPECT_EQ(tanks[0].reload, 0);
    EXPECT_EQ(tanks[0].recoil, -0.01f);
    EXPECT_TRUE(device.played().empty());
    for (const Bullet &b : bullets) {
        ASSERT_EQ(b.life, 7);
        ASSERT_EQ(b.x, 99.0f);
    }

    // One slot frees up: the shot goes there and is heard at full volume by its own tank.
    bullets[499].life = 0;
    fire_shell(0);
    EXPECT_EQ(bullets[499].life, 50);
    EXPECT_EQ(tanks[0].reload, 50);
    ASSERT_EQ(device.played().size(), 1u);
    EXPECT_EQ(device.played()[0].sample, &data.samples[SOUND_SHOT]);
    EXPECT_EQ(device.played()[0].volume, 255);
}

TEST(Movement, SlotsOutsideTheTableAreIgnored) {
    reset_world();
    for (int slot : {-1, MAX_TANKS, 100000}) {
        turn_left(slot);
        move_forwards(slot);
        stop_tank(slot);
        fire_shell(slot);
    }
    EXPECT_EQ(bullets[0].life, 0);
}

} // namespace
