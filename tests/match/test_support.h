// Simulation test fixtures: a clean world, replayed draws, a recording sound driver and a mouse.
#pragma once

#include "match/world.h"

#include <allegro.h>

#include <tuple>
#include <vector>

// Zero tables, default settings, no keys, buttons, mouse motion, sound data or sounds, seed 1.
void reset_world();
// Every field of a record, so that a failed comparison shows which ones differ.
inline auto fields(const Tank &t) {
    return std::tuple(t.x, t.y, t.z, t.velocity_x, t.velocity_z, t.heading, t.turret_heading,
                      t.turret_x, t.turret_z, t.recoil, t.reload, t.life);
}
inline auto fields(const Particle &p) {
    return std::tuple(p.x, p.y, p.z, p.velocity_x, p.velocity_y, p.velocity_z, p.angle_x, p.angle_y,
                      p.angle_z, p.spin_x, p.spin_y, p.spin_z, p.red, p.green, p.blue, p.life);
}
// The horizontal mouse motion that the next get_mouse_mickeys takes and reports.
extern int mouse_motion_x;
// The next draw of the game's random stream, r mod n, replayed after srand.
long long replay_below(long long n);

struct PlayedSound {
    const SAMPLE *sample;
    int volume;
    bool operator==(const PlayedSound &o) const { return sample == o.sample && volume == o.volume; }
};

// What Allegro played, through the recording driver that stands in for a sound device.
extern std::vector<PlayedSound> played_sounds;

// A sounds datafile of three samples.
struct FakeSoundData {
    SAMPLE samples[3] = {};
    DATAFILE objects[4] = {{&samples[0], DAT_SAMPLE, sizeof(SAMPLE), nullptr},
                           {&samples[1], DAT_SAMPLE, sizeof(SAMPLE), nullptr},
                           {&samples[2], DAT_SAMPLE, sizeof(SAMPLE), nullptr},
                           {nullptr, DAT_END, 0, nullptr}};
};
