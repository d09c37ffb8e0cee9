#include "match/movement.h"

#include "match/numeric.h"
#include "match/sound.h"
#include "match/world.h"

#include <cmath>

namespace {

// A bullet starts this far ahead of the tank's centre, outside its own hit radius.
constexpr double MUZZLE_DISTANCE = 2.1;
constexpr float RECOIL_AFTER_SHOT = 0.5f;
// Headings count from +z towards +x; the direction angle counts from +x towards +z.
constexpr double QUARTER_TURN = 90.0;

bool valid_slot(int tank) {
    return tank >= 0 && tank < MAX_TANKS;
}

// Velocity along the hull heading at the given signed speed.
void set_velocity(int tank, float speed) {
    Tank &t = tanks[tank];
    double heading = to_radians(t.heading);
    t.velocity_z = static_cast<float>(std::cos(heading) * speed);
    t.velocity_x = static_cast<float>(std::sin(heading) * speed);
}

Bullet *first_free_bullet() {
    for (Bullet &bullet : bullets) {
        if (bullet.life <= 0) {
            return &bullet;
        }
    }
    return nullptr;
}

} // namespace

void turn_left(int tank) {
    if (valid_slot(tank)) {
        tanks[tank].heading += game_settings.tank_rotation_speed;
    }
}

void turn_right(int tank) {
    if (valid_slot(tank)) {
        tanks[tank].heading -= game_settings.tank_rotation_speed;
    }
}

void move_forwards(int tank) {
    if (valid_slot(tank)) {
        set_velocity(tank, game_settings.tank_speed);
    }
}

void move_backwards(int tank) {
    if (valid_slot(tank)) {
        set_velocity(tank, -game_settings.tank_speed);
    }
}

void stop_tank(int tank) {
    if (valid_slot(tank)) {
        tanks[tank].velocity_x = 0.0f;
        tanks[tank].velocity_z = 0.0f;
    }
}

void fire_shell(int tank) {
    if (!valid_slot(tank)) {
        return;
    }
    Tank &t = tanks[tank];
    if (t.reload > 0) {
        return;
    }
    // With every slot in flight the shot is lost: no reload, recoil or sound for it.
    Bullet *bullet = first_free_bullet();
    if (bullet == nullptr) {
        return;
    }
    bullet->life = game_settings.bullet_life;
    double theta = to_radians(QUARTER_TURN - t.turret_heading);
    bullet->x = static_cast<float>(t.x + std::cos(theta) * MUZZLE_DISTANCE);
    bullet->z = static_cast<float>(t.z + std::sin(theta) * MUZZLE_DISTANCE);
    bullet->velocity_x = static_cast<float>(std::cos(theta) * game_settings.bullet_speed);
    bullet->velocity_z = static_cast<float>(std::sin(theta) * game_settings.bullet_speed);
    t.reload = game_settings.tank_fire_speed;
    play_sound_at(SOUND_SHOT, trunc_to_int(t.x), trunc_to_int(t.z));
    t.recoil = RECOIL_AFTER_SHOT;
}
