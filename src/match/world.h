// The world of a match: every record the simulation ticks and the views read.
// All of it lives in fixed, program-wide tables that exist from start to exit;
// nothing is allocated or freed while a match runs.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

// Table capacities.
constexpr int MAX_TANKS = 500;
constexpr int MAX_BULLETS = 500;
constexpr int MAX_TREES = 500;
constexpr int MAX_PARTICLES = 10000;
constexpr int MAX_PLAYERS = 4;

// Space and time: y is up, the ground is the plane y = GROUND_Y, a tick is 1/60 s.
constexpr float GROUND_Y = -11.0f;
constexpr int TICKS_PER_SECOND = 60;
// Degrees to radians use this value of pi, not a more precise one.
constexpr double PI = 3.141592654;

inline double to_radians(double degrees) { return degrees * PI / 180.0; }

// The eleven match parameters, with their defaults.
struct GameSettings {
    int32_t arena_width = 150; // half-extent of the arena on x
    int32_t arena_height = 150; // half-extent of the arena on z
    int32_t number_of_trees = 200;
    int32_t number_of_tanks = 50; // the human players' tanks included
    float tank_speed = 0.2f; // distance per tick
    float tank_rotation_speed = 2.0f; // degrees per tick
    int32_t tank_fire_speed = 50; // reload time in ticks
    int32_t normal_tank_life = 3;
    int32_t human_tank_life = 6;
    int32_t bullet_life = 50; // ticks of flight
    float bullet_speed = 1.0f; // distance per tick
};

struct Tank {
    float x;
    float y; // height of the tank's base
    float z;
    float velocity_x;
    float velocity_z;
    float heading; // hull heading in degrees; 0 faces +z, 90 faces +x
    float turret_heading; // absolute, not relative to the hull
    float turret_x; // where the turret is drawn: pushed back by the recoil
    float turret_z;
    float recoil;
    int32_t reload; // ticks until the tank may fire again
    int32_t life; // hits left; 0 is destroyed
};

// A slot whose life is 0 or below is free.
struct Bullet {
    float x;
    float z;
    float velocity_x;
    float velocity_z;
    int32_t life;
};

struct Tree {
    int32_t x;
    int32_t z;
};

// An explosion fragment; a slot whose life is 0 or below is free.
struct Particle {
    float x, y, z;
    float velocity_x, velocity_y, velocity_z;
    float angle_x, angle_y, angle_z;
    float spin_x, spin_y, spin_z;
    float red, green, blue;
    int32_t life;
};

// Written each tick by the camera step, read by the player's view.
// The eye of a player's view, set by the tick: the view reads nothing else of the camera.
struct PlayerCamera {
    float pitch; // degrees down
    float yaw;
    float translate_x;
    float translate_y;
    float translate_z;
};

extern GameSettings game_settings;
extern std::array<Tank, MAX_TANKS> tanks;
extern std::array<Bullet, MAX_BULLETS> bullets;
extern std::array<Tree, MAX_TREES> trees;
extern std::array<Particle, MAX_PARTICLES> particles;
extern std::array<PlayerCamera, MAX_PLAYERS> player_cameras;

// Ticks due and not yet simulated: raised by the timer thread, lowered by the match loop.
extern std::atomic<int32_t> TickCounter;
extern int32_t match_over;
extern int32_t last_human_player; // the number of human players less one
extern int32_t tanks_alive;

// The tank and tree slots in play, held to the tables' capacities whatever the settings say;
// the tanks in play are at least the human players.
int tanks_in_play();
int trees_in_play();
